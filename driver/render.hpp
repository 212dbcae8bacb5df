// Number rendering for every message and output file.
//
// The conversions are printf's, with the rules this program has always
// written by:
//   - digits come from two roundings of the exact binary value: first to 17
//     significant digits, then to the digits shown, each rounding a first
//     dropped digit of 5 or more away from zero. Halfway values therefore
//     round away from zero: render_e(1.03125, 12, 4) is " 1.0313e+000", and
//     the double nearest 1.00105 (1.00104999999999999538...) reads
//     " 1.0011e+000" because its 17-digit form is 1.0010500000000000;
//   - the exponent always has a sign and three digits: render_e(1.5, 14, 6)
//     is " 1.500000e+000";
//   - zero never has a minus sign: render_e(-0.0, 12, 4) is " 0.0000e+000";
//   - an infinity reads 1.#INF and a not-a-number -1.#IND, padded with zeros
//     to the precision: render_e(inf, 11, 5) is "1.#INF0e+000".
// Values held as 32-bit floats are widened to double by the caller.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace zelvane {

// "%ld": render_ld(-3) is "-3".
std::string render_ld(long value);

// "%W.Pe": one digit, a point, `precision` digits, "e", sign, three exponent
// digits; right-aligned in `width` places and wider when it needs more.
// render_e(-2.5, 14, 6) is "-2.500000e+000"; render_e(0.25, 12, 4) is
// " 2.5000e-001".
std::string render_e(double value, int width, int precision);

// "%W.Pg": `precision` significant digits in fixed notation when the decimal
// exponent X of the rounded value satisfies -4 <= X < precision, in the e form
// otherwise; trailing zeros after the point are dropped, and the point with
// them. render_g(65536, 12, 4) is "  6.554e+004"; render_g(0.5, 12, 4) is
// "         0.5". An infinity reads 1.#INF (-1.#INF when negative) and a
// not-a-number -1.#IND, right-aligned like any other value.
std::string render_g(double value, int width, int precision);

// One argument of a message: a count ("%ld"), a value ("%W.Pe", "%W.Pg") or
// a name ("%s").
using format_arg = std::variant<long, double, std::string_view>;

// Appends `pattern` to `out` with each conversion replaced by the next
// argument, rendered by the rules above. The conversions are %ld, %W.Pe,
// %W.Pg and %s; "%%" is a percent sign. The patterns are the program's own
// fixed texts, so a pattern that does not match its arguments is a
// programming error and aborts.
void format_to(std::string& out, std::string_view pattern, std::initializer_list<format_arg> args);

// format_to into a fresh string.
std::string format(std::string_view pattern, std::initializer_list<format_arg> args);

}  // namespace zelvane
