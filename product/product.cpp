#include "product/product.hpp"

#include <algorithm>

namespace zelvane {
namespace {

constexpr int no_row = -1;

double row_frequency(const spectrum_table& table, int j) { return static_cast<double>(table.frequencies[j]); }

// The two tests, exactly as the row-by-row scan applies them to row j.
bool decides(const spectrum_table& table, int j, double f) {
    const double here = row_frequency(table, j);
    return here == f || (here < f && row_frequency(table, j + 1) >= f);
}

int scan_rows(const spectrum_table& table, int m, double f) {
    for (int j = 0; j < m; ++j)
        if (decides(table, j, f)) return j;
    return no_row;
}

// First row a in [0, m) with frequencies[a] >= f, or m; the rows ascend, so
// "below f" holds for a prefix. Gallops from `hint` in whichever direction
// the answer lies, then bisects: consecutive grid points cost a few steps.
// A not-a-number f is below no row and gives 0.
int first_row_not_below(const spectrum_table& table, int m, double f, int hint) {
    const auto below = [&](int j) { return row_frequency(table, j) < f; };
    // Rows before lo are below f; rows from hi on are not.
    int lo = 0;
    int hi = m;
    int step = 1;
    if (hint < m && below(hint)) {
        lo = hint + 1;
        while (lo + step - 1 < m && below(lo + step - 1)) {
            lo += step;
            step *= 2;
        }
        hi = std::min(m, lo + step - 1);
    } else {
        hi = std::min(hint, m);
        while (hi - step >= 0 && !below(hi - step)) {
            hi -= step;
            step *= 2;
        }
        lo = std::max(0, hi - step + 1);
    }
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (below(mid))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Where rows 0 ... m - 1 ascend, the scan's answer follows from the first row
// a not below f: every row before a - 1 has its upper neighbour below f too,
// so the bracket at a - 1 (which holds when 1 <= a < m, and at a = m when
// row m reaches f) is the first to pass; with a = 0 only an exact match at
// row 0 can. Deciding the bracket at a - 1 before the exact test at a is
// what keeps a grid point that sits on row a with the bracket, as the scan
// has it.
int search_rows(table_sampler& sampler, double f) {
    const spectrum_table& table = *sampler.table;
    const int m = sampler.m;
    const int a = first_row_not_below(table, m, f, sampler.hint);
    sampler.hint = a;
    if (a == 0) return m > 0 && row_frequency(table, 0) == f ? 0 : no_row;
    if (a < m) return a - 1;
    return row_frequency(table, m) >= f ? m - 1 : no_row;
}

complex_value value_at_row(const spectrum_table& table, int j, double f) {
    const double here = row_frequency(table, j);
    if (here == f) return table.values[j];
    const double next = row_frequency(table, j + 1);
    const double t = (f - here) / (next - here);
    const double u = 1.0 - t;
    const complex_value lower = table.values[j];
    const complex_value upper = table.values[j + 1];
    return {static_cast<float>(static_cast<double>(lower.re) * u + static_cast<double>(upper.re) * t),
            static_cast<float>(static_cast<double>(lower.im) * u + static_cast<double>(upper.im) * t)};
}

}  // namespace

int effective_count(const spectrum_table& table) {
    if (table.kind == transform_kind::full_sided) return static_cast<int>(table.count / 2.0);
    return table.count;
}

table_sampler sampler_for(const spectrum_table& table, int m) {
    bool ascend = true;
    for (int j = 0; j + 1 < m && ascend; ++j) ascend = table.frequencies[j] <= table.frequencies[j + 1];
    return {&table, m, ascend, 0};
}

int deciding_row(table_sampler& sampler, double f) {
    if (sampler.rows_ascend) return search_rows(sampler, f);
    return scan_rows(*sampler.table, sampler.m, f);
}

complex_value sample_at(table_sampler& sampler, double f) {
    const int j = deciding_row(sampler, f);
    return j == no_row ? complex_value{} : value_at_row(*sampler.table, j, f);
}

void multiply_spectra(const spectrum_table& input, const spectrum_table& transfer, product_table& product) {
    const int points = effective_count(input);
    product.last = points;
    product.grid_spacing = input.spacing;
    table_sampler input_sampler = sampler_for(input, points);
    table_sampler transfer_sampler = sampler_for(transfer, effective_count(transfer));
    for (int i = 0; i < points; ++i) {
        const double f = i * product.grid_spacing;
        const complex_value a = sample_at(input_sampler, f);
        const complex_value b = sample_at(transfer_sampler, f);
        const double are = a.re;
        const double aim = a.im;
        const double bre = b.re;
        const double bim = b.im;
        product.entries[i] = {static_cast<float>(are * bre - aim * bim), static_cast<float>(are * bim + aim * bre)};
    }
}

}  // namespace zelvane
