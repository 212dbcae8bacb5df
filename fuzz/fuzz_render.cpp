// The number renderer on arbitrary doubles, widths and precisions, checked
// against a rendering built here from the exact decimal value of the double
// with big-integer arithmetic and the two-step rounding rule.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver/render.hpp"

namespace {

// The exact decimal digits of a finite positive double, and the power of ten
// of the first: value = 0.d1d2d3... * 10^(point).
struct exact_decimal {
    std::string digits;
    int point = 0;
};

// Big unsigned integer in base 10^9, least significant limb first.
using big = std::vector<std::uint32_t>;

void multiply(big& n, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : n) {
        const std::uint64_t v = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(v % 1000000000U);
        carry = v / 1000000000U;
    }
    while (carry != 0) {
        n.push_back(static_cast<std::uint32_t>(carry % 1000000000U));
        carry /= 1000000000U;
    }
}

std::string decimal_text(const big& n) {
    std::string text = std::to_string(n.back());
    for (std::size_t i = n.size() - 1; i-- > 0;) {
        const std::string limb = std::to_string(n[i]);
        text += std::string(9 - limb.size(), '0') + limb;
    }
    return text;
}

exact_decimal exact(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = biased == 0 ? -1074 : biased - 1075;
    if (biased != 0) mantissa |= std::uint64_t{1} << 52;

    big n = {static_cast<std::uint32_t>(mantissa % 1000000000U),
             static_cast<std::uint32_t>(mantissa / 1000000000U % 1000000000U),
             static_cast<std::uint32_t>(mantissa / 1000000000000000000U)};
    while (n.size() > 1 && n.back() == 0) n.pop_back();
    // m * 2^e: for e < 0 it is m * 5^-e / 10^-e.
    int scale = 0;
    for (; exponent > 0; --exponent) multiply(n, 2);
    for (; exponent < 0; ++exponent, --scale) multiply(n, 5);
    exact_decimal d;
    d.digits = decimal_text(n);
    d.point = static_cast<int>(d.digits.size()) + scale;
    return d;
}

// Keeps `count` digits, rounding up on a first dropped digit of 5 or more.
void round_to(exact_decimal& d, std::size_t count) {
    if (d.digits.size() <= count) {
        d.digits.resize(count, '0');
        return;
    }
    const bool up = d.digits[count] >= '5';
    d.digits.resize(count);
    if (!up) return;
    for (std::size_t i = count; i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    d.digits.insert(0, 1, '1');
    d.digits.pop_back();
    ++d.point;
}

std::string exponent_text(int e) {
    const std::string digits = std::to_string(std::abs(e));
    return std::string("e") + (e < 0 ? "-" : "+") + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') +
           digits;
}

std::string padded(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// The digits a conversion shows, and the decimal exponent of the first.
exact_decimal shown(double magnitude, std::size_t count) {
    if (magnitude == 0.0) return {std::string(count, '0'), 1};
    exact_decimal d = exact(magnitude);
    round_to(d, 17);
    round_to(d, count);
    return d;
}

std::string expected_e(double value, int width, int precision) {
    const exact_decimal d = shown(std::fabs(value), static_cast<std::size_t>(precision) + 1);
    std::string text = value < 0 ? "-" : "";
    text += d.digits.substr(0, 1);
    if (precision > 0) text += "." + d.digits.substr(1);
    return padded(text + exponent_text(d.point - 1), width);
}

std::string without_trailing_zeros(std::string text) {
    if (text.find('.') == std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string expected_g(double value, int width, int precision) {
    const int p = precision == 0 ? 1 : precision;
    const exact_decimal d = shown(std::fabs(value), static_cast<std::size_t>(p));
    const int x = value == 0.0 ? 0 : d.point - 1;
    std::string text;
    if (x < -4 || x >= p) {
        text = without_trailing_zeros(d.digits.substr(0, 1) + "." + d.digits.substr(1)) + exponent_text(x);
    } else if (x >= 0) {
        const auto whole = static_cast<std::size_t>(x) + 1;
        text = without_trailing_zeros(d.digits.substr(0, whole) + "." + d.digits.substr(whole));
    } else {
        text = without_trailing_zeros("0." + std::string(static_cast<std::size_t>(-x - 1), '0') + d.digits);
    }
    return padded((value < 0 ? "-" : "") + text, width);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 11) return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const int width = data[8] % 32;
    const int precision = data[9] % 21;
    const bool g = (data[10] & 1) != 0;
    if (!std::isfinite(value)) {
        // 1.#INF and -1.#IND, the letters cut or padded with zeros to the
        // precision in the e form, whole in the g form.
        const bool negative = std::isnan(value) || value < 0;
        std::string letters = std::isnan(value) ? "#IND" : "#INF";
        std::string want = std::string(negative ? "-" : "") + "1";
        if (g) {
            want += "." + letters;
        } else {
            letters.resize(static_cast<std::size_t>(precision), '0');
            if (precision > 0) want += "." + letters;
            want += "e+000";
        }
        want = padded(want, width);
        const std::string got =
            g ? zelvane::render_g(value, width, precision) : zelvane::render_e(value, width, precision);
        if (got != want) std::abort();
        return 0;
    }
    const std::string got = g ? zelvane::render_g(value, width, precision) : zelvane::render_e(value, width, precision);
    const std::string want = g ? expected_g(value, width, precision) : expected_e(value, width, precision);
    if (got != want) {
        std::fprintf(stderr, "value %.17g %%%d.%d%c: got \"%s\", want \"%s\"\n", value, width, precision, g ? 'g' : 'e',
                     got.c_str(), want.c_str());
        std::abort();
    }
    return 0;
}
