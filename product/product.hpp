// The frequency-domain product: both tables read on the input transform's
// grid, multiplied, mirrored into a full-sided spectrum and written to the
// response file.
//
// Grid frequencies are i * delta_f1 in double. Rows are compared as floats
// widened to double; between rows a table is interpolated linearly with
// weights in double, and every stored part is rounded to float. Rows at 0, 2
// and 4 Hz holding 1 + 10i, 2 + 20i and 3 + 30i read 1.5 + 15i at 1 Hz.
#pragma once

#include <cstdint>
#include <vector>

#include "driver/console.hpp"
#include "spectrum/spectrum.hpp"

namespace zelvane {

// The product on the grid and, after convert_to_full, the full-sided response.
struct product_table {
    std::vector<complex_value> entries = std::vector<complex_value>(table_capacity);
    // After multiply_spectra: the number of grid points L. After
    // convert_to_full: the index of the final entry, 2L - 3.
    std::int32_t last = 0;
    // delta_f1: entry i lies at i * grid_spacing Hz.
    double grid_spacing = 0.0;
};

// Rows of a table that take part in the search: the count of a half-sided
// table, half the count (truncated) of a full-sided one. 7 full-sided rows
// give 3.
int effective_count(const spectrum_table& table);

// Reads one table at a sequence of frequencies. The value at f comes from the
// first row j, in ascending order among rows 0 ... m - 1, that either lies
// exactly at f or starts a bracket frequencies[j] < f <= frequencies[j + 1];
// no such row gives 0 + 0i. Where rows 0 ... m - 1 never descend that row is
// found by a search that starts where the previous lookup ended, so an
// ascending grid costs a few comparisons a point; other tables are scanned
// row by row.
struct table_sampler {
    const spectrum_table* table = nullptr;
    int m = 0;
    bool rows_ascend = false;
    int hint = 0;
};

// A sampler over rows 0 ... m - 1 of `table` (and row m as the upper end of
// the last bracket). Checks once whether those rows ascend.
table_sampler sampler_for(const spectrum_table& table, int m);

// The row that decides the value at f, or -1 when none does.
int deciding_row(table_sampler& sampler, double f);

// The table's value at f.
complex_value sample_at(table_sampler& sampler, double f);

// Fills `product` with input(f) * transfer(f) at f = i * delta_f1 for i below
// the input transform's effective count. Each product is formed in double
// from the float parts and stored as float.
void multiply_spectra(const spectrum_table& input, const spectrum_table& transfer, product_table& product);

// Mirrors the L grid entries into 2L - 2: entry L - 1 + m becomes the
// conjugate of entry L - 1 - m, the highest grid entry is conjugated in
// place, entry 0 has no mirror; `last` becomes 2L - 3. For L = 4 the entries
// p0 p1 p2 p3 become p0 p1 p2 p3* p2* p1*. Refuses, with a message and
// without touching the table, when 2L - 2 entries exceed the capacity;
// returns false then.
[[nodiscard]] bool convert_to_full(console& con, product_table& product);

// Name of the response file, written by write_response and read back by the
// inverse.
inline constexpr const char* response_file_name = "fourier_response.txt";

// Writes entries 0 ... last to the response file, one
// " %14.6e \t %12.4e \t %12.4e \n" row each (frequency i * grid_spacing,
// real part, imaginary part), then reports last. False, with a message
// naming the file and the reason, when the file cannot be created or written
// completely.
[[nodiscard]] bool write_response(console& con, const product_table& product);

}  // namespace zelvane
