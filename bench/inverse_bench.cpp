// The inverse for n = 5,000 and 20,000 rows: the plain one-thread loop, the
// program's inverse on all hardware threads, and the bare sine and cosine
// calls for the same angles, one pair a term (the floor of a loop that
// calls the library for every term).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "inverse/inverse.hpp"
#include "tests/reference/reference.hpp"

namespace zelvane {
namespace {

std::vector<complex_value> spectrum_of(std::size_t n) {
    std::mt19937 rng(1);
    std::normal_distribution<float> value(0.0F, 1.0F);
    std::vector<complex_value> spectrum(n);
    for (auto& v : spectrum) v = {value(rng), value(rng)};
    return spectrum;
}

void BM_InversePlainLoop(benchmark::State& state) {
    const auto spectrum = spectrum_of(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(reference::plain_inverse_sums(spectrum));
}
BENCHMARK(BM_InversePlainLoop)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_InverseProgram(benchmark::State& state) {
    const auto spectrum = spectrum_of(static_cast<std::size_t>(state.range(0)));
    const inverse_options options = default_inverse_options();
    state.counters["threads"] = options.threads;
    for (auto _ : state) benchmark::DoNotOptimize(inverse_sums(spectrum, options));
}
BENCHMARK(BM_InverseProgram)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_InverseProgramOneThread(benchmark::State& state) {
    const auto spectrum = spectrum_of(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(inverse_sums(spectrum, {1, true}));
}
BENCHMARK(BM_InverseProgramOneThread)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

void BM_BareSinCos(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const double two_pi = std::atan2(0.0, -1.0) + std::atan2(0.0, -1.0);
    for (auto _ : state) {
        double total = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double base = static_cast<double>(i) * two_pi;
            for (std::size_t k = 0; k < n; ++k) {
                const double theta = base * (static_cast<double>(k) / static_cast<double>(n));
                total += std::sin(theta) + std::cos(theta);
            }
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_BareSinCos)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace zelvane
