#include "driver/console.hpp"

#include <limits>

#include "driver/text_file.hpp"

namespace zelvane {
namespace {

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Skips whitespace and returns the first other character, still unread, or
// EOF.
int peek_past_space(std::FILE* in) {
    int c = std::getc(in);
    while (c != EOF && is_space(c)) c = std::getc(in);
    if (c != EOF) std::ungetc(c, in);
    return c;
}

}  // namespace

void show(console& con, std::string_view text) {
    std::string bytes;
    append_crlf(bytes, text);
    std::fwrite(bytes.data(), 1, bytes.size(), con.out);
    if (con.flush_each_message) std::fflush(con.out);
}

void show(console& con, std::string_view pattern, std::initializer_list<format_arg> args) {
    show(con, format(pattern, args));
}

std::optional<std::string> read_word(console& con) {
    if (peek_past_space(con.in) == EOF) return std::nullopt;
    std::string word;
    int c = std::getc(con.in);
    while (c != EOF && !is_space(c)) {
        word.push_back(static_cast<char>(c));
        c = std::getc(con.in);
    }
    if (c != EOF) std::ungetc(c, con.in);
    return word;
}

integer_answer read_integer(console& con) {
    using outcome = integer_answer::outcome;
    if (peek_past_space(con.in) == EOF) return {outcome::end_of_input, 0};

    int c = std::getc(con.in);
    const bool negative = c == '-';
    if (c == '+' || c == '-') c = std::getc(con.in);
    if (!is_digit(c)) {
        if (c != EOF) std::ungetc(c, con.in);
        return {outcome::not_a_number, 0};
    }

    constexpr long long limit = std::numeric_limits<long long>::max() / 10 - 1;
    long long value = 0;
    while (is_digit(c)) {
        if (value < limit) value = value * 10 + (c - '0');
        c = std::getc(con.in);
    }
    if (c != EOF) std::ungetc(c, con.in);
    return {outcome::number, negative ? -value : value};
}

}  // namespace zelvane
