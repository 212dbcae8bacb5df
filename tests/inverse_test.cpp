#include "inverse/inverse.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "driver/text_file.hpp"
#include "product/product.hpp"
#include "tests/reference/reference.hpp"
#include "tests/support.hpp"

namespace zelvane {
namespace {

using testing::memory_console;

std::uint64_t bits(complex_value v) {
    return (std::uint64_t{std::bit_cast<std::uint32_t>(v.re)} << 32) | std::bit_cast<std::uint32_t>(v.im);
}

std::vector<complex_value> random_spectrum(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<float> value(0.0F, 3.0F);
    std::vector<complex_value> spectrum(n);
    for (auto& v : spectrum) v = {value(rng), value(rng)};
    return spectrum;
}

double two_pi() { return std::atan2(0.0, -1.0) + std::atan2(0.0, -1.0); }

double theta(std::size_t i, std::size_t k, std::size_t n) {
    return (static_cast<double>(i) * two_pi()) * (static_cast<double>(k) / static_cast<double>(n));
}

// The sharing along a chain rests on this: doubling a double is exact, so
// (2i * 2pi) * (k / n) and (i * 2pi) * (2k / n) are both 2 * theta(i, k).
TEST(InverseAngles, DoubledIndexIsDoubledColumn) {
    std::mt19937 rng(3);
    for (const std::size_t n : {2U, 3U, 7U, 1000U, 4097U, 65536U, 99999U, 100000U}) {
        std::uniform_int_distribution<std::size_t> index(0, n - 1);
        for (int trial = 0; trial < 20000; ++trial) {
            const std::size_t i = index(rng) / 2;
            const std::size_t k = index(rng) / 2;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(theta(2 * i, k, n)),
                      std::bit_cast<std::uint64_t>(theta(i, 2 * k, n)))
                << n << ' ' << i << ' ' << k;
        }
    }
}

#if defined(__GLIBC__)
// One call for the sine and cosine of an angle must give the two calls' values.
TEST(InverseAngles, SinCosMatchesSeparateCalls) {
    std::mt19937 rng(5);
    for (const std::size_t n : {1000U, 20000U, 100000U}) {
        std::uniform_int_distribution<std::size_t> index(0, n - 1);
        for (int trial = 0; trial < 200000; ++trial) {
            const double t = theta(index(rng), index(rng), n);
            double s = 0;
            double c = 0;
            ::sincos(t, &s, &c);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(s), std::bit_cast<std::uint64_t>(std::sin(t))) << t;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(c), std::bit_cast<std::uint64_t>(std::cos(t))) << t;
        }
    }
}
#endif

TEST(InverseSums, EveryPathMatchesThePlainLoop) {
    for (const std::size_t n : {0U, 1U, 2U, 3U, 5U, 8U, 127U, 2500U}) {
        const std::vector<complex_value> spectrum = random_spectrum(n, static_cast<unsigned>(n));
        const std::vector<complex_value> plain = reference::plain_inverse_sums(spectrum);
        for (const unsigned threads : {1U, 2U, 5U}) {
            for (const bool share_chain : {false, true}) {
                // Every time point arrives once, in time order, with the bits
                // of the plain loop.
                std::size_t expected_next = 0;
                inverse_sums(spectrum, {threads, share_chain}, [&](std::size_t i, complex_value sums) {
                    ASSERT_EQ(i, expected_next++);
                    ASSERT_EQ(bits(sums), bits(plain[i]))
                        << "n=" << n << " threads=" << threads << " chain=" << share_chain << " i=" << i;
                });
                EXPECT_EQ(expected_next, n);
            }
        }
    }
}

TEST(InverseSums, CloseToTheExactTransform) {
    const std::size_t n = 300;
    const std::vector<complex_value> spectrum = random_spectrum(n, 11);
    const std::vector<complex_value> sums = inverse_sums(spectrum, default_inverse_options());
    const double pi2 = 2 * std::acos(-1.0);
    for (std::size_t i = 0; i < n; ++i) {
        double re = 0;
        double im = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const double t = pi2 * static_cast<double>(i * k % n) / static_cast<double>(n);
            re += spectrum[k].re * std::cos(t) - spectrum[k].im * std::sin(t);
            im += spectrum[k].re * std::sin(t) + spectrum[k].im * std::cos(t);
        }
        // n float roundings of partial sums near 3 * sqrt(n) in size.
        const double tolerance = static_cast<double>(n) * 3 * std::sqrt(static_cast<double>(n)) * 6e-8;
        EXPECT_NEAR(sums[i].re, re, tolerance) << i;
        EXPECT_NEAR(sums[i].im, im, tolerance) << i;
    }
}

class InverseTransform : public ::testing::Test {
protected:
    // Runs the stage on `response`; returns what the console showed.
    std::string run(std::string_view response, bool expect_success = true) {
        testing::write_file(dir_ / response_file_name, response);
        memory_console mc("");
        EXPECT_EQ(inverse_transform(mc.get(), {2, true}), expect_success);
        return mc.output();
    }
    std::string file(const char* name) { return testing::read_file(dir_ / name); }

    testing::scratch_dir dir_;
    testing::working_directory cwd_{dir_.path()};
};

TEST_F(InverseTransform, TwoRowsGiveSumAndDifference) {
    EXPECT_EQ(run("  0.000000e+000 \t  1.0000e+000 \t  0.0000e+000 \r\n"
                  "  5.000000e-001 \t  2.0000e+000 \t  0.0000e+000 \r\n"),
              "\r\n n= 2 \r\n");
    // At time 2 s, theta is the double nearest pi: 1 + 2 cos(theta) = -1,
    // and 2 sin(theta) is twice the 1.2246e-16 by which theta misses pi
    // (2.4493e-16 where the library's sine is exact to the last bit).
    const auto miss = static_cast<float>(2.0 * std::sin(theta(1, 1, 2)));
    std::string expected = "0.00000e+000 3.0000e+000 0.0000e+000\r\n";
    append_crlf(expected, format("%11.5e %10.4e %10.4e\n", {2.0, -1.0, double{miss}}));
    EXPECT_EQ(file(time_history_file_name), expected);
    EXPECT_EQ(file(real_history_file_name),
              "0.00000e+000 3.0000e+000 \r\n"
              "2.00000e+000 -1.0000e+000 \r\n");
}

TEST_F(InverseTransform, EmptyResponse) {
    EXPECT_EQ(run(""), "\r\n n= 0 \r\n");
    EXPECT_EQ(file(time_history_file_name), "");
    EXPECT_EQ(file(real_history_file_name), "");
}

TEST_F(InverseTransform, ZeroSpacingGivesNonFiniteTimes) {
    run("0 1 0\n0 1 0\n0 1 0\n");
    const std::string real = file(real_history_file_name);
    EXPECT_TRUE(real.starts_with("-1.#IND0e+000 3.0000e+000 \r\n1.#INF0e+000 ")) << real;
}

TEST_F(InverseTransform, TimesRunToOneOverTheSpacing) {
    // Four rows 0.25 Hz apart: the last frequency is 0.75, so the step is 4/3 s.
    run("0 1 0\n0.25 0 0\n0.5 0 0\n0.75 0 0\n");
    EXPECT_EQ(file(real_history_file_name),
              "0.00000e+000 1.0000e+000 \r\n"
              "1.33333e+000 1.0000e+000 \r\n"
              "2.66667e+000 1.0000e+000 \r\n"
              "4.00000e+000 1.0000e+000 \r\n");
}

TEST_F(InverseTransform, MissingResponse) {
    std::filesystem::remove(dir_ / response_file_name);
    memory_console mc("");
    EXPECT_FALSE(inverse_transform(mc.get(), {1, true}));
    EXPECT_EQ(mc.output(), "Input file error \r\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / time_history_file_name));
    EXPECT_FALSE(std::filesystem::exists(dir_ / real_history_file_name));
}

TEST(InverseTransformOutput, ReportsFilesThatCannotBeWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "needs /dev/full and the POSIX error texts";
#endif
    const struct {
        const char* blocked;
        bool directory;
        const char* message;
    } cases[] = {
        {time_history_file_name, true, "\r\n Cannot write inv_fourier.out: Is a directory \r\n"},
        {real_history_file_name, true, "\r\n Cannot write real_inv.out: Is a directory \r\n"},
        {time_history_file_name, false, "\r\n Cannot write inv_fourier.out: No space left on device \r\n"},
        {real_history_file_name, false, "\r\n Cannot write real_inv.out: No space left on device \r\n"},
    };
    for (const auto& c : cases) {
        testing::scratch_dir dir;
        testing::working_directory cwd(dir.path());
        testing::write_file(dir / response_file_name, "0 1 0\n1 1 0\n");
        if (c.directory)
            std::filesystem::create_directory(dir / c.blocked);
        else
            std::filesystem::create_symlink("/dev/full", dir / c.blocked);
        memory_console mc("");
        EXPECT_FALSE(inverse_transform(mc.get(), {1, true})) << c.message;
        EXPECT_TRUE(mc.output().ends_with(c.message)) << mc.output();
    }
}

}  // namespace
}  // namespace zelvane
