// Writes the example inputs from their formulas:
//   pulse_spectrum.txt  the half-sided spectrum of a half-sine pulse, 0.1 s
//                       long, sampled at 100 Hz over 5.12 s (512 samples):
//                       257 rows from 0 to 50 Hz, 0.1953125 Hz apart. The
//                       values are the discrete Fourier coefficients divided
//                       by the sample count, so the program's undivided
//                       inverse sum gives the time history in the pulse's
//                       own units.
//   oscillator.txt      the transfer function of a single-degree-of-freedom
//                       oscillator under base excitation, 5 Hz natural
//                       frequency and 5 % damping (mass acceleration over
//                       base acceleration), on a finer 0.05 Hz grid to 50 Hz.
// Usage: make_examples [output folder]
#include <cmath>
#include <complex>
#include <cstdio>
#include <string>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int samples = 512;
constexpr double sample_rate = 100.0;      // Hz
constexpr double pulse_length = 0.1;       // s
constexpr double natural_frequency = 5.0;  // Hz
constexpr double damping = 0.05;
constexpr double transfer_step = 0.05;  // Hz
constexpr int transfer_rows = 1001;

double pulse(double t) { return t <= pulse_length ? std::sin(pi * t / pulse_length) : 0.0; }

bool write_pulse_spectrum(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    const double df = sample_rate / samples;
    for (int k = 0; k <= samples / 2; ++k) {
        std::complex<double> sum = 0.0;
        for (int n = 0; n < samples; ++n) sum += pulse(n / sample_rate) * std::polar(1.0, -2.0 * pi * k * n / samples);
        sum /= samples;
        std::fprintf(out, "%11.7f %14.6e %14.6e\n", k * df, sum.real(), sum.imag());
    }
    return std::fclose(out) == 0;
}

bool write_oscillator(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    for (int j = 0; j < transfer_rows; ++j) {
        const double r = j * transfer_step / natural_frequency;
        const std::complex<double> two_zeta_r(0.0, 2.0 * damping * r);
        const std::complex<double> h = (1.0 + two_zeta_r) / (1.0 - r * r + two_zeta_r);
        std::fprintf(out, "%8.3f %14.6e %14.6e\n", j * transfer_step, h.real(), h.imag());
    }
    return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    if (!write_pulse_spectrum(folder + "/pulse_spectrum.txt") || !write_oscillator(folder + "/oscillator.txt")) {
        std::fprintf(stderr, "make_examples: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
