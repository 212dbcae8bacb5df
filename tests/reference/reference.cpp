#include "tests/reference/reference.hpp"

#include <cmath>

namespace zelvane::reference {

int plain_deciding_row(const spectrum_table& table, int m, double f) {
    for (int j = 0; j < m; ++j) {
        const double here = table.frequencies[j];
        const double next = table.frequencies[j + 1];
        if (here == f) return j;
        if (here < f && next >= f) return j;
    }
    return -1;
}

complex_value plain_sample_at(const spectrum_table& table, int m, double f) {
    const int j = plain_deciding_row(table, m, f);
    if (j < 0) return {};
    const double here = table.frequencies[j];
    if (here == f) return table.values[j];
    const double t = (f - here) / (static_cast<double>(table.frequencies[j + 1]) - here);
    const double u = 1.0 - t;
    return {static_cast<float>(table.values[j].re * u + table.values[j + 1].re * t),
            static_cast<float>(table.values[j].im * u + table.values[j + 1].im * t)};
}

void plain_multiply(const spectrum_table& input, const spectrum_table& transfer, product_table& product) {
    const int points = effective_count(input);
    const int transfer_rows = effective_count(transfer);
    product.last = points;
    product.grid_spacing = input.spacing;
    for (int i = 0; i < points; ++i) {
        const double f = i * input.spacing;
        const complex_value a = plain_sample_at(input, points, f);
        const complex_value b = plain_sample_at(transfer, transfer_rows, f);
        product.entries[i] = {static_cast<float>(static_cast<double>(a.re) * b.re - static_cast<double>(a.im) * b.im),
                              static_cast<float>(static_cast<double>(a.re) * b.im + static_cast<double>(a.im) * b.re)};
    }
}

std::vector<complex_value> plain_inverse_sums(std::span<const complex_value> spectrum) {
    const std::size_t n = spectrum.size();
    const double two_pi = std::atan2(0.0, -1.0) + std::atan2(0.0, -1.0);
    std::vector<complex_value> sums(n);
    for (std::size_t i = 0; i < n; ++i) {
        float sum_re = 0.0F;
        float sum_im = 0.0F;
        for (std::size_t k = 0; k < n; ++k) {
            const double theta = (static_cast<double>(i) * two_pi) * (static_cast<double>(k) / static_cast<double>(n));
            const double c = std::cos(theta);
            const double s = std::sin(theta);
            const double re = spectrum[k].re;
            const double im = spectrum[k].im;
            sum_re = sum_re + static_cast<float>(re * c - im * s);
            sum_im = sum_im + static_cast<float>(re * s + im * c);
        }
        sums[i] = {sum_re, sum_im};
    }
    return sums;
}

}  // namespace zelvane::reference
