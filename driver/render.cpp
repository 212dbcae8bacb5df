#include "driver/render.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zelvane {
namespace {

constexpr int kept_digits = 17;

// A finite magnitude as significant digits d0.d1d2... times ten to `exponent`.
struct decimal_digits {
    std::string digits;
    int exponent = 0;
};

// Adds one unit in the last place of `digits`; a carry out of the first digit
// turns 999 into 100 and raises the exponent.
void round_up(decimal_digits& d) {
    for (auto it = d.digits.rbegin(); it != d.digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    d.digits.front() = '1';
    ++d.exponent;
}

// Keeps the first `count` digits; a first dropped digit of 5 or more rounds
// the kept ones up in magnitude (halfway goes away from zero).
void round_to(decimal_digits& d, int count) {
    const auto n = static_cast<std::size_t>(count);
    if (d.digits.size() <= n) {
        d.digits.resize(n, '0');
        return;
    }
    const bool up = d.digits[n] >= '5';
    d.digits.resize(n);
    if (up) round_up(d);
}

// The magnitude rounded to 17 significant digits from its exact value. A
// double's exact decimal expansion has at most 767 significant digits, so
// asking for 800 makes to_chars write it out exactly and the rounding here is
// the only one.
decimal_digits seventeen_digits(double magnitude) {
    std::array<char, 832> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific, 800);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto e = text.find('e');

    decimal_digits d;
    d.digits.reserve(e);
    for (const char c : text.substr(0, e))
        if (c != '.') d.digits.push_back(c);
    const auto exp_text = text.substr(e + 1);
    const char* first = exp_text.data() + (exp_text.front() == '+' ? 1 : 0);
    std::from_chars(first, exp_text.data() + exp_text.size(), d.exponent);

    round_to(d, kept_digits);
    return d;
}

// The digits shown by a conversion that keeps `count` significant digits.
decimal_digits shown_digits(double magnitude, int count) {
    decimal_digits d = seventeen_digits(magnitude);
    round_to(d, count);
    return d;
}

// "e+000": the letter, a sign and three digits.
void append_exponent(std::string& out, int exponent) {
    out.push_back('e');
    out.push_back(exponent < 0 ? '-' : '+');
    const std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < 3) out.append(3 - digits.size(), '0');
    out.append(digits);
}

// d0.d1d2...
void append_mantissa(std::string& out, std::string_view digits) {
    out.push_back(digits.front());
    if (digits.size() > 1) {
        out.push_back('.');
        out.append(digits.substr(1));
    }
}

std::string right_aligned(std::string text, int width) {
    const auto w = static_cast<std::size_t>(width < 0 ? 0 : width);
    if (text.size() < w) text.insert(0, w - text.size(), ' ');
    return text;
}

bool is_negative_nonzero(double value) { return value < 0.0; }

// The non-finite forms come from the tokens "1#INF" and "1#IND" with the
// point after the first character; a not-a-number always carries a minus
// sign. Precisions below 4 cut the token short.
std::string non_finite(double value, int precision, bool e_form) {
    std::string token = std::isnan(value) ? "1#IND" : "1#INF";
    std::string out = (std::isnan(value) || value < 0.0) ? "-" : "";
    if (e_form) token.resize(static_cast<std::size_t>(precision) + 1, '0');
    append_mantissa(out, token);
    if (e_form) append_exponent(out, 0);
    return out;
}

void drop_trailing_zeros(std::string& mantissa) {
    if (mantissa.find('.') == std::string::npos) return;
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
}

}  // namespace

std::string render_ld(long value) { return std::to_string(value); }

std::string render_e(double value, int width, int precision) {
    if (!std::isfinite(value)) return right_aligned(non_finite(value, precision, true), width);

    const decimal_digits d = shown_digits(std::fabs(value), precision + 1);
    std::string out = is_negative_nonzero(value) ? "-" : "";
    append_mantissa(out, d.digits);
    append_exponent(out, d.exponent);
    return right_aligned(std::move(out), width);
}

std::string render_g(double value, int width, int precision) {
    if (!std::isfinite(value)) return right_aligned(non_finite(value, precision, false), width);

    const int significant = precision == 0 ? 1 : precision;
    const decimal_digits d = shown_digits(std::fabs(value), significant);
    const int x = value == 0.0 ? 0 : d.exponent;

    std::string out;
    if (x < -4 || x >= significant) {
        append_mantissa(out, d.digits);
        drop_trailing_zeros(out);
        append_exponent(out, x);
    } else if (x >= 0) {
        const auto integer_digits = static_cast<std::size_t>(x) + 1;
        out.append(d.digits, 0, integer_digits);
        out.push_back('.');
        out.append(d.digits, integer_digits);
        drop_trailing_zeros(out);
    } else {
        out = "0.";
        out.append(static_cast<std::size_t>(-x - 1), '0');
        out.append(d.digits);
        drop_trailing_zeros(out);
    }
    if (is_negative_nonzero(value)) out.insert(0, 1, '-');
    return right_aligned(std::move(out), width);
}

void format_to(std::string& out, std::string_view pattern, std::initializer_list<format_arg> args) {
    auto next = args.begin();
    const auto take = [&]() -> const format_arg& {
        if (next == args.end()) {
            std::fprintf(stderr, "zelvane: too few arguments for \"%.*s\"\n", static_cast<int>(pattern.size()),
                         pattern.data());
            std::abort();
        }
        return *next++;
    };
    const auto mismatch = [&]() {
        std::fprintf(stderr, "zelvane: bad conversion in \"%.*s\"\n", static_cast<int>(pattern.size()), pattern.data());
        std::abort();
    };

    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out.push_back(pattern[i]);
            continue;
        }
        ++i;
        if (i < pattern.size() && pattern[i] == '%') {
            out.push_back('%');
            continue;
        }
        int width = 0;
        int precision = 6;
        while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') width = width * 10 + (pattern[i++] - '0');
        if (i < pattern.size() && pattern[i] == '.') {
            precision = 0;
            ++i;
            while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9')
                precision = precision * 10 + (pattern[i++] - '0');
        }
        const std::string_view rest = pattern.substr(i);
        const format_arg& arg = take();
        if (rest.starts_with("ld")) {
            if (!std::holds_alternative<long>(arg)) mismatch();
            out += right_aligned(render_ld(std::get<long>(arg)), width);
            ++i;
        } else if (rest.starts_with('e') || rest.starts_with('g')) {
            if (!std::holds_alternative<double>(arg)) mismatch();
            const double v = std::get<double>(arg);
            out += rest.front() == 'e' ? render_e(v, width, precision) : render_g(v, width, precision);
        } else if (rest.starts_with('s')) {
            if (!std::holds_alternative<std::string_view>(arg)) mismatch();
            out += right_aligned(std::string(std::get<std::string_view>(arg)), width);
        } else {
            mismatch();
        }
    }
    if (next != args.end()) mismatch();
}

std::string format(std::string_view pattern, std::initializer_list<format_arg> args) {
    std::string out;
    format_to(out, pattern, args);
    return out;
}

}  // namespace zelvane
