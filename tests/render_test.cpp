#include "driver/render.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zelvane {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

double from_bits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

struct e_case {
    double value;
    int width;
    int precision;
    const char* text;
};

void expect_e(std::initializer_list<e_case> cases) {
    for (const e_case& c : cases)
        EXPECT_EQ(render_e(c.value, c.width, c.precision), c.text)
            << "value " << std::hexfloat << c.value << " in %" << c.width << '.' << c.precision << 'e';
}

TEST(RenderE, ThreeDigitExponentAndWidth) {
    expect_e({
        {1.5, 14, 6, " 1.500000e+000"},
        {0.25, 12, 4, " 2.5000e-001"},
        {-2.5, 14, 6, "-2.500000e+000"},
        {1e100, 12, 4, " 1.0000e+100"},
        {1e-5, 12, 4, " 1.0000e-005"},
        {123.0, 11, 5, "1.23000e+002"},
        {-123.0, 10, 4, "-1.2300e+002"},
        {7.0, 0, 0, "7e+000"},
    });
}

TEST(RenderE, HalfwayAwayFromZero) {
    expect_e({
        {1.03125, 12, 4, " 1.0313e+000"},
        {-1.03125, 12, 4, "-1.0313e+000"},
        {0.00390625, 12, 4, " 3.9063e-003"},
        {0.125, 0, 1, "1.3e-001"},
        {2.5, 0, 0, "3e+000"},
    });
}

TEST(RenderE, TwoStepRounding) {
    expect_e({
        // 1.00104999999999999538...: 1.0010500000000000 at 17 digits, then up.
        {1.00105, 12, 4, " 1.0011e+000"},
        // Exactly 12345678901234.5625: the 17-digit step itself is halfway
        // and goes up, where a correctly rounding library would keep the 2.
        {12345678901234.5625, 0, 16, "1.2345678901234563e+013"},
        // One step below 1.03125: 1.0312499999999998 at 17 digits stays below
        // the halfway point.
        {from_bits(0x3FF07FFFFFFFFFFF), 12, 4, " 1.0312e+000"},
        // A float widened to double shows its binary value.
        {static_cast<double>(0.1F), 0, 8, "1.00000001e-001"},
    });
}

TEST(RenderE, CarryRaisesExponent) {
    expect_e({
        {9.999999, 12, 4, " 1.0000e+001"},
        {99999.5, 12, 4, " 1.0000e+005"},
        {-9.99995, 11, 4, "-1.0000e+001"},
        {9.9999999999999999e-6, 12, 4, " 1.0000e-005"},
    });
}

TEST(RenderE, NegativeZero) {
    expect_e({
        {0.0, 12, 4, " 0.0000e+000"},
        {-0.0, 12, 4, " 0.0000e+000"},
        {-0.0, 14, 6, " 0.000000e+000"},
    });
}

TEST(RenderE, RangeEnds) {
    expect_e({
        {from_bits(1), 12, 4, " 4.9407e-324"},
        {std::numeric_limits<double>::max(), 12, 4, " 1.7977e+308"},
        {std::numeric_limits<double>::min(), 12, 4, " 2.2251e-308"},
        {static_cast<double>(std::numeric_limits<float>::max()), 12, 4, " 3.4028e+038"},
    });
}

TEST(RenderE, NonFinite) {
    expect_e({
        {inf, 11, 5, "1.#INF0e+000"},
        {nan, 11, 5, "-1.#IND0e+000"},
        {-nan, 11, 5, "-1.#IND0e+000"},
        {inf, 12, 4, " 1.#INFe+000"},
        {-inf, 12, 4, "-1.#INFe+000"},
        {nan, 12, 4, "-1.#INDe+000"},
        {inf, 14, 6, " 1.#INF00e+000"},
        {0.0 * inf, 10, 4, "-1.#INDe+000"},
    });
}

struct g_case {
    double value;
    const char* text;
};

TEST(RenderG, TwelveFourG) {
    const g_case cases[] = {
        {0.5, "         0.5"},        {0.0001, "      0.0001"},  {100.0, "         100"},
        {1.0625, "       1.063"},     {10000.0, "      1e+004"}, {65536.0, "  6.554e+004"},
        {0.0, "           0"},        {-0.0, "           0"},    {static_cast<double>(0.00001F), "      1e-005"},
        {-2.5, "        -2.5"},       {0.1, "         0.1"},     {static_cast<double>(0.1F), "         0.1"},
        {1234.5, "        1235"},     {9999.5, "      1e+004"},  {0.000099996, "      0.0001"},
        {0.00009999, "  9.999e-005"}, {1.5e-7, "    1.5e-007"},  {123456.0, "  1.235e+005"},
        {-1.0, "          -1"},
    };
    for (const g_case& c : cases) EXPECT_EQ(render_g(c.value, 12, 4), c.text) << std::hexfloat << c.value;
}

TEST(RenderG, NonFinite) {
    EXPECT_EQ(render_g(inf, 12, 4), "      1.#INF");
    EXPECT_EQ(render_g(-inf, 12, 4), "     -1.#INF");
    EXPECT_EQ(render_g(nan, 12, 4), "     -1.#IND");
}

TEST(RenderLd, Counts) {
    EXPECT_EQ(render_ld(-1), "-1");
    EXPECT_EQ(render_ld(-3), "-3");
    EXPECT_EQ(render_ld(0), "0");
    EXPECT_EQ(render_ld(100000), "100000");
}

TEST(Format, ConversionsInPlace) {
    EXPECT_EQ(format(" %14.6e \t %12.4e \t %12.4e \n", {1.5, -0.0, 0.25}),
              "  1.500000e+000 \t  0.0000e+000 \t  2.5000e-001 \n");
    EXPECT_EQ(format("\n delta_f1 = %12.4g   last1 = %ld \n", {0.5, 5L}), "\n delta_f1 =          0.5   last1 = 5 \n");
    EXPECT_EQ(format(" File: %s opened. \n", {std::string_view("a b.txt")}), " File: a b.txt opened. \n");
    EXPECT_EQ(format("100%% done", {}), "100% done");
}

TEST(FormatDeathTest, MismatchedArgumentsAbort) {
    EXPECT_DEATH(format("%ld", {1.0}), "bad conversion");
    EXPECT_DEATH(format("%ld %ld", {1L}), "too few");
    EXPECT_DEATH(format("%ld", {1L, 2L}), "bad conversion");
}

}  // namespace
}  // namespace zelvane
