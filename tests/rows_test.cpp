#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "spectrum/spectrum.hpp"

namespace zelvane {
namespace {

using namespace std::string_literals;

constexpr float inf = std::numeric_limits<float>::infinity();

struct row {
    float frequency;
    float re;
    float im;
};

struct rows_case {
    const char* name;
    std::string text;
    std::vector<row> rows;
};

// A temporary file holding `text`, open for reading from its start.
std::FILE* file_holding(const std::string& text) {
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    return file;
}

// Compared as bits, so a negative zero or a last-place difference shows.
void expect_same_bits(float expected, float actual, const char* what, const rows_case& c, std::size_t r) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(expected), std::bit_cast<std::uint32_t>(actual))
        << c.name << ": row " << r << ' ' << what << " expected " << expected << " got " << actual;
}

void check(const rows_case& c) {
    std::vector<float> frequencies(8);
    std::vector<complex_value> values(8);
    std::FILE* file = file_holding(c.text);
    const int count = read_rows(file, frequencies, values);
    std::fclose(file);
    ASSERT_EQ(count, static_cast<int>(c.rows.size())) << c.name;
    for (std::size_t r = 0; r < c.rows.size(); ++r) {
        expect_same_bits(c.rows[r].frequency, frequencies[r], "frequency", c, r);
        expect_same_bits(c.rows[r].re, values[r].re, "re", c, r);
        expect_same_bits(c.rows[r].im, values[r].im, "im", c, r);
    }
}

TEST(ReadRows, Layout) {
    const rows_case cases[] = {
        {"empty", "", {}},
        {"only whitespace", " \r\n\t", {}},
        {"one row a line", "0 1 2\n0.5 3 4\n", {{0, 1, 2}, {0.5F, 3, 4}}},
        {"CR LF lines", "0 1 2\r\n1 3 4\r\n", {{0, 1, 2}, {1, 3, 4}}},
        {"every whitespace byte", "1\r2\v3\f4\t5 6", {{1, 2, 3}, {4, 5, 6}}},
        {"one stream, not lines", "1 2\n3 4 5\n6", {{1, 2, 3}, {4, 5, 6}}},
        {"four numbers shift later rows", "1 2 3 9\n4 5 6\n", {{1, 2, 3}, {9, 4, 5}, {6, 0, 0}}},
        {"last row only a frequency", "1 2 3\n4", {{1, 2, 3}, {4, 0, 0}}},
        {"last row without imaginary part", "1 2", {{1, 2, 0}}},
    };
    for (const rows_case& c : cases) check(c);
}

TEST(ReadRows, NumberGrammar) {
    const rows_case cases[] = {
        {"signs", "+1 -2 +.5", {{1, -2, 0.5F}}},
        {"points", ".5 5. 0.25", {{0.5F, 5, 0.25F}}},
        {"exponents", ".5e1 5.E-1 1.5e+1", {{5, 0.5F, 15}}},
        {"exponent marker without digits is ignored", "2e 3E 4e+", {{2, 3, 4}}},
        {"sign after a number starts the next", "1-2-3", {{1, -2, -3}}},
        {"exponent then sign", "1e-2-3+4", {{0.01F, -3, 4}}},
        {"second point starts the next number", "1.2.3.4", {{1.2F, 0.3F, 0.4F}}},
        {"leading zeros", "0000001.5 -000 00.0", {{1.5F, -0.0F, 0}}},
    };
    for (const rows_case& c : cases) check(c);
}

TEST(ReadRows, Range) {
    const rows_case cases[] = {
        {"overflow is an infinity of its sign", "1e39 -1e39 3.5e38", {{inf, -inf, inf}}},
        {"underflow is a zero of its sign", "1e-50 -1e-50 1e-46", {{0, -0.0F, 0}}},
        {"smallest subnormal survives", "1.5e-45 0 0", {{std::bit_cast<float>(1U), 0, 0}}},
        {"huge exponents", "1e99999999999999999999 1e-99999999999999999999 0e999999", {{inf, 0, 0}}},
        {"float max", "3.4028234e38 0 0", {{std::numeric_limits<float>::max(), 0, 0}}},
    };
    for (const rows_case& c : cases) check(c);
}

TEST(ReadRows, CorrectlyRounded) {
    const rows_case cases[] = {
        {"nearest float to a tenth", "0.1 0.3 0.7", {{0.1F, 0.3F, 0.7F}}},
        // 2^24 + 1 lies halfway between two floats: ties go to even.
        {"halfway to even", "16777217 16777219 0", {{16777216.0F, 16777220.0F, 0}}},
        // Just above halfway between 1 and the next float: up, in one rounding.
        {"above halfway by a hair", "1.00000005960464477539062500001 0 0", {{1.00000012F, 0, 0}}},
        {"many digits", "3.14159265358979323846264338327950288419716939937510 0 0", {{3.14159265F, 0, 0}}},
    };
    for (const rows_case& c : cases) check(c);
}

TEST(ReadRows, Stops) {
    const rows_case cases[] = {
        {"text ends the table", "1 2 3\nend 4 5 6", {{1, 2, 3}}},
        {"no infinity words", "inf 1 2", {}},
        {"no nan words", "nan 1 2", {}},
        {"inf as real part keeps the row, ends the table", "1 inf 5\n2 3 4", {{1, 0, 0}}},
        {"no hexadecimal", "0x10 1 2", {{0, 0, 0}}},
        {"no decimal comma", "1,5 2 3", {{1, 0, 0}}},
        {"lone minus is used up and rows shift", "1 - 5 6 7", {{1, 0, 0}, {5, 6, 7}}},
        {"lone sign and point are used up", "1 -. 5 6 7", {{1, 0, 0}, {5, 6, 7}}},
        {"lone point in the imaginary part", "1 2 . 5 6 7", {{1, 2, 0}, {5, 6, 7}}},
        {"lone sign before text", "1 2 -x 5 6", {{1, 2, 0}}},
        {"binary garbage", "\x00\x01\xff"s, {}},
        {"NUL after a row", "1 2 3\0 4 5 6"s, {{1, 2, 3}}},
    };
    for (const rows_case& c : cases) check(c);
}

TEST(ReadRows, StopsWhenFull) {
    std::vector<float> frequencies(3);
    std::vector<complex_value> values(3);
    std::FILE* file = file_holding("1 0 0\n2 0 0\n3 0 0\n4 0 0\n");
    EXPECT_EQ(read_rows(file, frequencies, values), 3);
    std::fclose(file);
    EXPECT_EQ(frequencies[2], 3.0F);
}

TEST(ReadRows, FrequencyAsDouble) {
    std::vector<double> frequencies(2);
    std::vector<complex_value> values(2);
    std::FILE* file = file_holding("  1.000000e-001 \t  2.5000e-001 \t -0.0000e+000 \r\n 1e400 1 1");
    EXPECT_EQ(read_rows(file, frequencies, values), 2);
    std::fclose(file);
    EXPECT_EQ(frequencies[0], 0.1);
    EXPECT_EQ(values[0].re, 0.25F);
    EXPECT_TRUE(std::signbit(values[0].im));
    EXPECT_EQ(frequencies[1], std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace zelvane
