#include <gtest/gtest.h>

#include <string>

#include "driver/run.hpp"
#include "spectrum/spectrum.hpp"
#include "tests/support.hpp"

namespace zelvane {
namespace {

using testing::memory_console;
using outcome = integer_answer::outcome;

TEST(ReadWord, SkipsWhitespaceAndLeavesTheRest) {
    memory_console mc("  \r\n\ta.txt  b.txt\n");
    EXPECT_EQ(read_word(mc.get()), "a.txt");
    EXPECT_EQ(read_word(mc.get()), "b.txt");
    EXPECT_EQ(read_word(mc.get()), std::nullopt);
}

TEST(ReadWord, KeepsEveryNonSpaceByte) {
    memory_console mc("d\xc3\xa9j\xc3\xa0.txt 1");
    EXPECT_EQ(read_word(mc.get()), "d\xc3\xa9j\xc3\xa0.txt");
    EXPECT_EQ(mc.rest_of_input(), " 1");
}

struct integer_case {
    const char* input;
    outcome kind;
    long long value;
    const char* rest;
};

TEST(ReadInteger, LikeScanfD) {
    const integer_case cases[] = {
        {"1\n", outcome::number, 1, "\n"},
        {"  2x", outcome::number, 2, "x"},
        {"+2", outcome::number, 2, ""},
        {"-1 2", outcome::number, -1, " 2"},
        {"1e5", outcome::number, 1, "e5"},
        {"007", outcome::number, 7, ""},
        {"abc", outcome::not_a_number, 0, "abc"},
        {"-x", outcome::not_a_number, 0, "x"},
        {"- 1", outcome::not_a_number, 0, " 1"},
        {"", outcome::end_of_input, 0, ""},
        {" \n\r\t", outcome::end_of_input, 0, ""},
    };
    for (const integer_case& c : cases) {
        memory_console mc(c.input);
        const integer_answer answer = read_integer(mc.get());
        EXPECT_EQ(answer.kind, c.kind) << c.input;
        if (c.kind == outcome::number) {
            EXPECT_EQ(answer.value, c.value) << c.input;
        }
        EXPECT_EQ(mc.rest_of_input(), c.rest) << c.input;
    }
}

TEST(ReadInteger, TooManyDigitsIsUsedUpWhole) {
    memory_console mc("99999999999999999999 2");
    const integer_answer answer = read_integer(mc.get());
    EXPECT_EQ(answer.kind, outcome::number);
    EXPECT_GT(answer.value, 2);
    EXPECT_EQ(mc.rest_of_input(), " 2");
}

TEST(Show, LineFeedsBecomeCrLf) {
    memory_console mc("");
    show(mc.get(), "\n\n a\n");
    show(mc.get(), " n= %ld \n", {12L});
    EXPECT_EQ(mc.output(), "\r\n\r\n a\r\n n= 12 \r\n");
}

// load_table against files in a scratch directory.
class LoadTable : public ::testing::Test {
protected:
    void SetUp() override {
        testing::write_file(dir_ / "half.txt", "0 1 0\r\n0.5 2 -1\r\n1.0 3 0.5\r\n");
        testing::write_file(dir_ / "empty.txt", "");
        testing::write_file(dir_ / "single.txt", "2 1 1\n");
        std::filesystem::create_directory(dir_ / "folder");
    }

    // Runs the dialogue for `which` on `answers`; returns whether it succeeded.
    bool load(std::string_view answers, which_table which = which_table::input_transform) {
        mc_ = std::make_unique<memory_console>(answers);
        return load_table(mc_->get(), table_, which);
    }
    std::string output() { return mc_->output(); }

    testing::scratch_dir dir_;
    testing::working_directory cwd_{dir_.path()};
    std::unique_ptr<memory_console> mc_;
    spectrum_table table_;
};

constexpr const char* kind_question =
    "\r\n\r\n Enter the Fourier transform type \r\n"
    " 1 = half-sided (extends only to the Nyquist frequency) \r\n"
    " 2 = full-sided (extends to twice the Nyquist frequency) \r\n";

TEST_F(LoadTable, HalfSidedInputTransform) {
    ASSERT_TRUE(load("half.txt\n1\n"));
    EXPECT_EQ(output(), std::string("\r\n Enter the input Fourier transform filename. \r\n"
                                    " File: half.txt opened. \r\n") +
                            kind_question + "\r\n delta_f1 =          0.5   last1 = 3 \r\n");
    EXPECT_EQ(table_.count, 3);
    EXPECT_EQ(table_.kind, transform_kind::half_sided);
    EXPECT_EQ(table_.spacing, 0.5);
    EXPECT_EQ(table_.values[1].im, -1.0F);
    EXPECT_EQ(table_.frequencies[3], 0.0F);
}

TEST_F(LoadTable, TransferFunctionTexts) {
    ASSERT_TRUE(load("half.txt 2", which_table::transfer_function));
    EXPECT_EQ(output(), std::string("\r\n\r\n\r\n Enter the transfer function filename. \r\n"
                                    " File: half.txt opened. \r\n") +
                            kind_question + "\r\n delta_f2 =          0.5   last2 = 3\r\n");
    EXPECT_EQ(table_.kind, transform_kind::full_sided);
}

TEST_F(LoadTable, KindAskedUntilOneOrTwo) {
    const struct {
        const char* answers;
        int questions;
        transform_kind kind;
    } cases[] = {
        {"half.txt 3 0 2", 3, transform_kind::full_sided},
        {"half.txt abc 1", 2, transform_kind::half_sided},
        {"half.txt -1 99999999999999999999 2", 3, transform_kind::full_sided},
        {"half.txt 2x", 1, transform_kind::full_sided},
        {"half.txt extra 1", 2, transform_kind::half_sided},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(load(c.answers)) << c.answers;
        const std::string shown = output();
        int questions = 0;
        for (auto at = shown.find("Enter the Fourier"); at != std::string::npos;
             at = shown.find("Enter the Fourier", at + 1))
            ++questions;
        EXPECT_EQ(questions, c.questions) << c.answers;
        EXPECT_EQ(table_.kind, c.kind) << c.answers;
    }
}

TEST_F(LoadTable, AnswerLeftForTheNextQuestion) {
    ASSERT_TRUE(load("half.txt 1e5"));
    EXPECT_EQ(table_.kind, transform_kind::half_sided);
    EXPECT_EQ(mc_->rest_of_input(), "e5");
}

TEST_F(LoadTable, UnopenableNamesAreAskedAgain) {
    ASSERT_TRUE(load("missing.txt folder half.txt 1"));
    const std::string shown = output();
    const std::string prompt = "\r\n Enter the input Fourier transform filename. \r\n";
    EXPECT_TRUE(shown.starts_with(prompt + " Failed to open file: missing.txt \r\n" + prompt +
                                  " Failed to open file: folder \r\n" + prompt + " File: half.txt opened. \r\n"))
        << shown;
    EXPECT_EQ(table_.count, 3);
}

TEST_F(LoadTable, InputEndingStopsTheDialogue) {
    for (const char* answers : {"", "  \n", "missing.txt", "half.txt", "half.txt abc", "half.txt 3 -"}) {
        EXPECT_FALSE(load(answers)) << answers;
        EXPECT_TRUE(output().ends_with("\r\n Input ended before every answer was given. \r\n")) << answers;
    }
}

TEST_F(LoadTable, ReportEdgeCases) {
    ASSERT_TRUE(load("empty.txt 1"));
    EXPECT_TRUE(output().ends_with("\r\n delta_f1 =            0   last1 = 0 \r\n"));
    ASSERT_TRUE(load("single.txt 1"));
    EXPECT_TRUE(output().ends_with("\r\n delta_f1 =           -2   last1 = 1 \r\n"));
    EXPECT_EQ(table_.values[0].re, 1.0F);
    // A frequency beyond the float range is an infinity, and so is the spacing.
    testing::write_file(dir_ / "huge.txt", "1e39 1 0\n");
    ASSERT_TRUE(load("huge.txt 1"));
    EXPECT_TRUE(output().ends_with("\r\n delta_f1 =      -1.#INF   last1 = 1 \r\n"));
}

TEST_F(LoadTable, ReloadClearsEarlierRows) {
    ASSERT_TRUE(load("half.txt 1"));
    ASSERT_TRUE(load("single.txt 1"));
    EXPECT_EQ(table_.count, 1);
    EXPECT_EQ(table_.frequencies[1], 0.0F);
    EXPECT_EQ(table_.values[2].re, 0.0F);
}

TEST_F(LoadTable, SpacingOfTenMicrohertz) {
    testing::write_file(dir_ / "fine.txt", "0 0 0\n0.00001 0 0\n");
    ASSERT_TRUE(load("fine.txt 1"));
    EXPECT_TRUE(output().ends_with("\r\n delta_f1 =       1e-005   last1 = 2 \r\n"));
}

TEST_F(LoadTable, StopsAtCapacity) {
    std::string rows;
    for (int i = 0; i <= table_capacity; ++i) rows += std::to_string(i) + " 1 0\n";
    testing::write_file(dir_ / "long.txt", rows);
    ASSERT_TRUE(load("long.txt 1"));
    EXPECT_EQ(table_.count, table_capacity);
    EXPECT_EQ(table_.frequencies[table_capacity - 1], 99999.0F);
    EXPECT_EQ(table_.frequencies[table_capacity], 0.0F);
    EXPECT_TRUE(output().ends_with("last1 = 100000 \r\n"));
}

}  // namespace
}  // namespace zelvane
