// Spectrum tables and the input file reader.
//
// An input file is a text table of frequency (Hz), real part and imaginary
// part, three numbers a row, separated by any whitespace:
//     0.0   1.0   0.0
//     0.5   0.8  -0.2
//     1.0   0.3  -0.4
// Frequencies and values are stored as 32-bit floats, each converted
// correctly rounded from its decimal text.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "driver/console.hpp"

namespace zelvane {

// Rows every table in the program can hold.
inline constexpr int table_capacity = 100'000;

// A spectrum value in the units of its table; arithmetic on it is done in
// double precision and rounded to float where a value is stored.
struct complex_value {
    float re = 0.0F;
    float im = 0.0F;
};

// 1: half-sided, up to the Nyquist frequency. 2: full-sided, up to twice it.
enum class transform_kind : int { half_sided = 1, full_sided = 2 };

// One loaded input table. Entries from `count` on are zero (0 Hz, 0 + 0i),
// and there is one entry more than the capacity: the empty row after a full
// table, which the interpolation may read as the upper neighbour of the last
// row.
struct spectrum_table {
    std::vector<float> frequencies = std::vector<float>(table_capacity + 1);
    std::vector<complex_value> values = std::vector<complex_value>(table_capacity + 1);
    std::int32_t count = 0;
    transform_kind kind = transform_kind::half_sided;
    // frequencies[1] - frequencies[0] in double: the grid step of the input
    // transform. 0.5 Hz rows give 0.5; a single row at 2 Hz gives -2.
    double spacing = 0.0;
};

// The two inputs, which differ only in their prompt and report texts.
enum class which_table { input_transform, transfer_function };

// Reads rows like scanf's "%f %f %f" until the end of the file, a frequency
// that is not a number, or a full span. A row whose frequency converts is
// stored and counted even if its other parts do not; those stay as they were.
// Numbers: optional sign, digits with at most one point, then (after a digit)
// an optional exponent; "2e" reads as 2, "1-2" as 1 and -2, and a value beyond
// the float range reads as an infinity of its sign. Returns the rows stored.
int read_rows(std::FILE* file, std::span<float> frequencies, std::span<complex_value> values);
// The same rows with the frequency read as a double ("%lf %f %f").
int read_rows(std::FILE* file, std::span<double> frequencies, std::span<complex_value> values);

// The dialogue for one input: asks for the file name (again while it cannot
// be opened) and the kind (again until it is 1 or 2), reads the rows and
// reports the spacing and the count. False when standard input ends or the
// file cannot be read; the message has been shown and the run cannot go on.
[[nodiscard]] bool load_table(console& con, spectrum_table& table, which_table which);

}  // namespace zelvane
