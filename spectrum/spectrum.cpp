#include "spectrum/spectrum.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "driver/run.hpp"

namespace zelvane {
namespace {

struct dialogue_texts {
    std::string_view file_prompt;
    std::string_view report;
};

dialogue_texts texts_for(which_table which) {
    if (which == which_table::input_transform)
        return {"\n Enter the input Fourier transform filename. \n", "\n delta_f1 = %12.4g   last1 = %ld \n"};
    return {"\n\n\n Enter the transfer function filename. \n", "\n delta_f2 = %12.4g   last2 = %ld\n"};
}

// Opens a file for reading in binary mode. A directory opens on some systems
// but holds no rows to read, so it counts as a file that cannot be opened.
std::FILE* open_for_reading(const std::string& name) {
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) return nullptr;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

// Asks for a name until one opens; nothing at the end of input.
std::FILE* ask_for_file(console& con, std::string_view prompt, std::string& name) {
    for (;;) {
        show(con, prompt);
        auto word = read_word(con);
        if (!word) return nullptr;
        name = std::move(*word);
        if (std::FILE* file = open_for_reading(name)) {
            show(con, " File: %s opened. \n", {name});
            return file;
        }
        show(con, " Failed to open file: %s \n", {name});
    }
}

// Asks for the kind until the answer is 1 or 2. An answer that is no number
// is used up as a word, so every question consumes input and the end of
// input ends the loop.
std::optional<transform_kind> ask_for_kind(console& con) {
    using outcome = integer_answer::outcome;
    for (;;) {
        show(con, "\n\n Enter the Fourier transform type \n");
        show(con, " 1 = half-sided (extends only to the Nyquist frequency) \n");
        show(con, " 2 = full-sided (extends to twice the Nyquist frequency) \n");
        const integer_answer answer = read_integer(con);
        switch (answer.kind) {
            case outcome::end_of_input:
                return std::nullopt;
            case outcome::not_a_number:
                if (!read_word(con)) return std::nullopt;
                break;
            case outcome::number:
                if (answer.value == 1) return transform_kind::half_sided;
                if (answer.value == 2) return transform_kind::full_sided;
                break;
        }
    }
}

}  // namespace

bool load_table(console& con, spectrum_table& table, which_table which) {
    const dialogue_texts texts = texts_for(which);
    std::string name;
    std::FILE* file = ask_for_file(con, texts.file_prompt, name);
    if (file == nullptr) {
        show(con, input_ended_message);
        return false;
    }
    const auto kind = ask_for_kind(con);
    if (!kind) {
        std::fclose(file);
        show(con, input_ended_message);
        return false;
    }
    table.kind = *kind;

    std::fill(table.frequencies.begin(), table.frequencies.end(), 0.0F);
    std::fill(table.values.begin(), table.values.end(), complex_value{});
    table.count = read_rows(file, std::span(table.frequencies).first(table_capacity),
                            std::span(table.values).first(table_capacity));
    const bool read_failed = std::ferror(file) != 0;
    std::fclose(file);
    if (read_failed) {
        show(con, " Failed to read file: %s \n", {name});
        return false;
    }

    // The two floats are widened before they are subtracted.
    table.spacing = static_cast<double>(table.frequencies[1]) - static_cast<double>(table.frequencies[0]);
    show(con, texts.report, {table.spacing, static_cast<long>(table.count)});
    return true;
}

}  // namespace zelvane
