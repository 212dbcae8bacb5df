#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "product/product.hpp"
#include "tests/support.hpp"

namespace zelvane {
namespace {

using testing::memory_console;

product_table product_of(const std::vector<complex_value>& entries, double spacing) {
    product_table product;
    for (std::size_t i = 0; i < entries.size(); ++i) product.entries[i] = entries[i];
    product.last = static_cast<std::int32_t>(entries.size());
    product.grid_spacing = spacing;
    return product;
}

class ResponseFile : public ::testing::Test {
protected:
    // Expands and writes `entries`; returns what the console showed.
    std::string expand_and_write(const std::vector<complex_value>& entries, double spacing) {
        product_ = product_of(entries, spacing);
        memory_console mc("");
        EXPECT_TRUE(convert_to_full(mc.get(), product_));
        EXPECT_TRUE(write_response(mc.get(), product_));
        return mc.output();
    }
    std::string response() { return testing::read_file(dir_ / response_file_name); }

    testing::scratch_dir dir_;
    testing::working_directory cwd_{dir_.path()};
    product_table product_;
};

TEST_F(ResponseFile, TwoEntries) {
    EXPECT_EQ(expand_and_write({{1, 2}, {3, 4}}, 0.5), "\r\n\r\n convert to full \r\n\r\n last = 1 \r\n");
    EXPECT_EQ(response(),
              "  0.000000e+000 \t  1.0000e+000 \t  2.0000e+000 \r\n"
              "  5.000000e-001 \t  3.0000e+000 \t -4.0000e+000 \r\n");
}

TEST_F(ResponseFile, FourEntriesMirrored) {
    expand_and_write({{1, 1}, {2, 2}, {3, 3}, {4, 4}}, 0.25);
    EXPECT_EQ(product_.last, 5);
    EXPECT_EQ(response(),
              "  0.000000e+000 \t  1.0000e+000 \t  1.0000e+000 \r\n"
              "  2.500000e-001 \t  2.0000e+000 \t  2.0000e+000 \r\n"
              "  5.000000e-001 \t  3.0000e+000 \t  3.0000e+000 \r\n"
              "  7.500000e-001 \t  4.0000e+000 \t -4.0000e+000 \r\n"
              "  1.000000e+000 \t  3.0000e+000 \t -3.0000e+000 \r\n"
              "  1.250000e+000 \t  2.0000e+000 \t -2.0000e+000 \r\n");
}

TEST_F(ResponseFile, TooFewEntriesWriteNoRows) {
    const struct {
        std::vector<complex_value> entries;
        const char* last;
    } cases[] = {{{{5, 5}}, "-1"}, {{}, "-3"}};
    for (const auto& c : cases) {
        const std::string shown = expand_and_write(c.entries, 1.0);
        EXPECT_EQ(shown, std::string("\r\n\r\n convert to full \r\n\r\n last = ") + c.last + " \r\n");
        EXPECT_EQ(response(), "");
    }
}

TEST_F(ResponseFile, MirroredZeroReadsWithoutSign) {
    expand_and_write({{1, 0}, {2, 0}, {3, 0}}, 1.0);
    EXPECT_TRUE(std::signbit(product_.entries[3].im));
    EXPECT_EQ(response(),
              "  0.000000e+000 \t  1.0000e+000 \t  0.0000e+000 \r\n"
              "  1.000000e+000 \t  2.0000e+000 \t  0.0000e+000 \r\n"
              "  2.000000e+000 \t  3.0000e+000 \t  0.0000e+000 \r\n"
              "  3.000000e+000 \t  2.0000e+000 \t  0.0000e+000 \r\n");
}

TEST_F(ResponseFile, LastDigitRoundsAwayFromZero) {
    // 1.03125 is halfway at the last shown digit; the float nearest 9.99995
    // (9.9999504...) carries into the exponent; the frequency 3 * 0.1 is
    // 0.30000000000000004.
    expand_and_write({{1.03125F, -1.03125F}, {9.99995F, 0}, {0, 0}, {0.5F, 0}}, 0.1);
    EXPECT_EQ(response().substr(0, 96),
              "  0.000000e+000 \t  1.0313e+000 \t -1.0313e+000 \r\n"
              "  1.000000e-001 \t  1.0000e+001 \t  0.0000e+000 \r\n");
    EXPECT_NE(response().find("  3.000000e-001 \t  5.0000e-001"), std::string::npos);
}

TEST(ConvertToFull, RefusesWhatTheTableCannotHold) {
    memory_console mc("");
    product_table product;
    product.last = table_capacity / 2 + 2;
    product.entries[1] = {1, 1};
    EXPECT_FALSE(convert_to_full(mc.get(), product));
    EXPECT_EQ(mc.output(),
              "\r\n\r\n convert to full \r\n"
              "\r\n The full-sided spectrum needs 100002 entries; the table holds 100000. \r\n");
    EXPECT_EQ(product.last, table_capacity / 2 + 2);
    EXPECT_EQ(product.entries[1].im, 1.0F);

    product.last = table_capacity / 2 + 1;
    EXPECT_TRUE(convert_to_full(mc.get(), product));
    EXPECT_EQ(product.last, table_capacity - 1);
    EXPECT_EQ(product.entries[table_capacity - 1].im, -1.0F);
}

TEST(WriteResponse, ReportsFilesThatCannotBeWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "needs /dev/full and the POSIX error texts";
#endif
    const struct {
        const char* name;
        void (*prepare)(const std::filesystem::path&);
        const char* message;
    } cases[] = {
        {"a directory in the way", [](const std::filesystem::path& p) { std::filesystem::create_directory(p); },
         "\r\n Cannot write fourier_response.txt: Is a directory \r\n"},
        {"a full disk", [](const std::filesystem::path& p) { std::filesystem::create_symlink("/dev/full", p); },
         "\r\n Cannot write fourier_response.txt: No space left on device \r\n"},
    };
    for (const auto& c : cases) {
        testing::scratch_dir dir;
        testing::working_directory cwd(dir.path());
        c.prepare(dir / response_file_name);
        product_table product = product_of({{1, 2}, {3, 4}, {5, 6}}, 1.0);
        memory_console mc("");
        ASSERT_TRUE(convert_to_full(mc.get(), product));
        EXPECT_FALSE(write_response(mc.get(), product)) << c.name;
        EXPECT_TRUE(mc.output().ends_with(c.message)) << c.name << ": " << mc.output();
        EXPECT_EQ(mc.output().find("last ="), std::string::npos) << c.name;
    }
}

}  // namespace
}  // namespace zelvane
