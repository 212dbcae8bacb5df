// The plain definitions that the program's fast paths must match bit for bit:
// the row-by-row scan of a table and the literal double loop of the inverse.
// Tests compare against them; the benchmarks time them side by side.
#pragma once

#include <span>
#include <vector>

#include "product/product.hpp"
#include "spectrum/spectrum.hpp"

namespace zelvane::reference {

// The first row j < m, in ascending order, with frequencies[j] == f or
// frequencies[j] < f <= frequencies[j + 1]; -1 when there is none.
int plain_deciding_row(const spectrum_table& table, int m, double f);

// The table's value at f by the plain scan: row j whole on an exact match,
// the linear interpolation between rows j and j + 1 on a bracket, 0 + 0i
// when no row decides.
complex_value plain_sample_at(const spectrum_table& table, int m, double f);

// The product on the grid, every point searched from row 0.
void plain_multiply(const spectrum_table& input, const spectrum_table& transfer, product_table& product);

// The inverse sums as the loop is written: one thread, a sine and a cosine
// call for every term.
std::vector<complex_value> plain_inverse_sums(std::span<const complex_value> spectrum);

}  // namespace zelvane::reference
