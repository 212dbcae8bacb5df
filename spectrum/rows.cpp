// The number grammar and the row rules of the input tables.
#include <array>
#include <charconv>
#include <cstdio>
#include <limits>
#include <string>

#include "spectrum/spectrum.hpp"

namespace zelvane {
namespace {

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Buffered bytes of one file, read front to back with one byte of lookahead.
class byte_reader {
public:
    explicit byte_reader(std::FILE* file) : file_(file) {}

    int peek() {
        if (next_ == end_ && !refill()) return EOF;
        return static_cast<unsigned char>(buffer_[next_]);
    }
    void advance() { ++next_; }

private:
    bool refill() {
        end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        next_ = 0;
        return end_ > 0;
    }

    std::FILE* file_;
    std::array<char, 1 << 16> buffer_{};
    std::size_t next_ = 0;
    std::size_t end_ = 0;
};

// A number as scanned: its sign, its significant digits without leading
// zeros, and the power of ten that scales them (value = digits * 10^scale).
struct number_text {
    bool negative = false;
    std::string digits;
    long long scale = 0;
};

enum class scanned { number, not_a_number, end_of_input };

// Saturating so that an exponent of a thousand digits stays a huge number.
long long push_digit(long long value, int digit) {
    constexpr long long cap = std::numeric_limits<long long>::max() / 100;
    return value < cap ? value * 10 + digit : value;
}

// One "%f" conversion. What it reads is used up even when it fails: a lone
// sign, point, or sign and point, so the next conversion starts after them.
scanned scan_number(byte_reader& in, number_text& number) {
    while (is_space(in.peek())) in.advance();
    if (in.peek() == EOF) return scanned::end_of_input;

    number = number_text{};
    if (in.peek() == '+' || in.peek() == '-') {
        number.negative = in.peek() == '-';
        in.advance();
    }
    bool seen_digit = false;
    bool seen_point = false;
    long long fraction_digits = 0;
    for (int c = in.peek();; c = in.peek()) {
        if (is_digit(c)) {
            seen_digit = true;
            if (!number.digits.empty() || c != '0') number.digits.push_back(static_cast<char>(c));
            if (seen_point) ++fraction_digits;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else {
            break;
        }
        in.advance();
    }
    if (!seen_digit) return scanned::not_a_number;

    // An exponent marker with no digits after it is used up and ignored.
    long long exponent = 0;
    if (in.peek() == 'e' || in.peek() == 'E') {
        in.advance();
        bool negative_exponent = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negative_exponent = in.peek() == '-';
            in.advance();
        }
        while (is_digit(in.peek())) {
            exponent = push_digit(exponent, in.peek() - '0');
            in.advance();
        }
        if (negative_exponent) exponent = -exponent;
    }
    number.scale = exponent - fraction_digits;
    return scanned::number;
}

// The value nearest to the number, rounded once: beyond the type's range an
// infinity of the number's sign, below its smallest step a zero of that sign.
template <typename Real>
Real to_real(const number_text& number) {
    const Real sign = number.negative ? Real(-1) : Real(1);
    if (number.digits.empty()) return sign * Real(0);

    // Decimal exponent of the leading digit, far enough from the type's range
    // to decide overflow and underflow without converting.
    const long long order = static_cast<long long>(number.digits.size()) - 1 + number.scale;
    constexpr long long beyond = std::numeric_limits<Real>::max_exponent10 + 2;
    constexpr long long below = std::numeric_limits<Real>::min_exponent10 - std::numeric_limits<Real>::digits10 - 3;
    if (order > beyond) return sign * std::numeric_limits<Real>::infinity();
    if (order < below) return sign * Real(0);

    std::string text = number.digits;
    text += 'e';
    text += std::to_string(number.scale);
    Real magnitude{};
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range)
        magnitude = order > 0 ? std::numeric_limits<Real>::infinity() : Real(0);
    return sign * magnitude;
}

template <typename Frequency>
int read_rows_of(std::FILE* file, std::span<Frequency> frequencies, std::span<complex_value> values) {
    byte_reader in(file);
    number_text number;
    const std::size_t capacity = std::min(frequencies.size(), values.size());
    std::size_t rows = 0;
    while (rows < capacity) {
        if (scan_number(in, number) != scanned::number) break;
        frequencies[rows] = to_real<Frequency>(number);
        if (scan_number(in, number) == scanned::number) {
            values[rows].re = to_real<float>(number);
            if (scan_number(in, number) == scanned::number) values[rows].im = to_real<float>(number);
        }
        ++rows;
    }
    return static_cast<int>(rows);
}

}  // namespace

int read_rows(std::FILE* file, std::span<float> frequencies, std::span<complex_value> values) {
    return read_rows_of(file, frequencies, values);
}

int read_rows(std::FILE* file, std::span<double> frequencies, std::span<complex_value> values) {
    return read_rows_of(file, frequencies, values);
}

}  // namespace zelvane
