#include "product/product.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "tests/reference/reference.hpp"

namespace zelvane {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();

spectrum_table table_of(const std::vector<float>& frequencies, transform_kind kind = transform_kind::half_sided) {
    spectrum_table table;
    for (std::size_t j = 0; j < frequencies.size(); ++j) {
        table.frequencies[j] = frequencies[j];
        table.values[j] = {static_cast<float>(j + 1), static_cast<float>(10 * (j + 1))};
    }
    table.count = static_cast<std::int32_t>(frequencies.size());
    table.kind = kind;
    table.spacing = static_cast<double>(table.frequencies[1]) - static_cast<double>(table.frequencies[0]);
    return table;
}

std::uint64_t bits(complex_value v) {
    return (std::uint64_t{std::bit_cast<std::uint32_t>(v.re)} << 32) | std::bit_cast<std::uint32_t>(v.im);
}

complex_value sample(const spectrum_table& table, double f) {
    table_sampler sampler = sampler_for(table, effective_count(table));
    return sample_at(sampler, f);
}

TEST(EffectiveCount, HalvesFullSidedTables) {
    const struct {
        transform_kind kind;
        std::int32_t count;
        int effective;
    } cases[] = {
        {transform_kind::half_sided, 7, 7}, {transform_kind::full_sided, 7, 3}, {transform_kind::full_sided, 8, 4},
        {transform_kind::full_sided, 9, 4}, {transform_kind::full_sided, 1, 0}, {transform_kind::half_sided, 0, 0},
    };
    for (const auto& c : cases) {
        spectrum_table table;
        table.kind = c.kind;
        table.count = c.count;
        EXPECT_EQ(effective_count(table), c.effective) << c.count;
    }
}

TEST(SampleAt, ExactRowsAndMidpoints) {
    // Rows at 0, 2, 4 Hz hold 1+10i, 2+20i, 3+30i.
    const spectrum_table half = table_of({0, 2, 4});
    const struct {
        double f;
        complex_value value;
    } cases[] = {
        {0, {1, 10}}, {1, {1.5F, 15}}, {2, {2, 20}}, {3, {2.5F, 25}}, {4, {3, 30}}, {4.5, {0, 0}}, {-1, {0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(bits(sample(half, c.f)), bits(c.value)) << c.f;

    // Full-sided, the same rows search only row 0, with row 1 as the upper
    // end of its bracket: 3 Hz and 4 Hz are no longer covered.
    const spectrum_table full = table_of({0, 2, 4}, transform_kind::full_sided);
    EXPECT_EQ(bits(sample(full, 1)), bits({1.5F, 15}));
    EXPECT_EQ(bits(sample(full, 2)), bits({2, 20}));
    EXPECT_EQ(bits(sample(full, 3)), bits({0, 0}));
    EXPECT_EQ(bits(sample(full, 4)), bits({0, 0}));
}

TEST(SampleAt, RowOnTheGridIsDecidedByTheBracketBelowIt) {
    const spectrum_table table = table_of({0, 1, 2, 3});
    table_sampler sampler = sampler_for(table, 4);
    EXPECT_EQ(deciding_row(sampler, 0.0), 0);  // exact at row 0
    EXPECT_EQ(deciding_row(sampler, 2.0), 1);  // bracket 1 < 2 <= 2, t = 1
    EXPECT_EQ(deciding_row(sampler, 3.0), 2);
    EXPECT_EQ(bits(sample_at(sampler, 2.0)), bits(table.values[2]));
}

TEST(SampleAt, BelowTheFirstRowIsZero) {
    const spectrum_table table = table_of({10, 11, 12});
    for (double f : {0.0, 5.0, 9.999}) EXPECT_EQ(bits(sample(table, f)), 0U) << f;
    EXPECT_EQ(bits(sample(table, 10.5)), bits({1.5F, 15}));
}

TEST(SampleAt, Traps) {
    // The bracket at row 0 wins over the exact match at row 1, even with an
    // infinite lower end: t is inf / inf, a not-a-number.
    const spectrum_table below_infinity = table_of({-inf, 0, 1});
    table_sampler s1 = sampler_for(below_infinity, 3);
    EXPECT_EQ(deciding_row(s1, 0.0), 0);
    EXPECT_TRUE(std::isnan(sample_at(s1, 0.0).re));
    // A negative zero row matches 0 Hz exactly.
    const spectrum_table negative_zero = table_of({-0.0F, 0.0F, 1});
    table_sampler s2 = sampler_for(negative_zero, 3);
    EXPECT_EQ(deciding_row(s2, 0.0), 0);
    // Rows that do not ascend: the scan passes over a row above f.
    const spectrum_table unordered = table_of({5, 1, 2});
    table_sampler s3 = sampler_for(unordered, 3);
    EXPECT_FALSE(s3.rows_ascend);
    EXPECT_EQ(deciding_row(s3, 1.5), 1);
    // A not-a-number frequency matches nothing.
    const spectrum_table two_rows = table_of({0, 1});
    table_sampler s4 = sampler_for(two_rows, 2);
    EXPECT_EQ(deciding_row(s4, std::nan("")), -1);
}

TEST(SampleAt, FullHalfSidedTableReadsAnEmptyRowAfterItsLast) {
    std::vector<float> rows(table_capacity);
    for (int j = 0; j < table_capacity; ++j) rows[j] = static_cast<float>(j);
    const spectrum_table table = table_of(rows);
    table_sampler sampler = sampler_for(table, table_capacity);
    EXPECT_EQ(deciding_row(sampler, table_capacity - 1.0), table_capacity - 2);
    EXPECT_EQ(deciding_row(sampler, table_capacity - 0.5), -1);
    EXPECT_EQ(deciding_row(sampler, table_capacity + 5.0), -1);
}

TEST(MultiplySpectra, FiveRowsTimesThree) {
    spectrum_table input = table_of({0, 1, 2, 3, 4});
    spectrum_table transfer = table_of({0, 2, 4});
    product_table product;
    multiply_spectra(input, transfer, product);
    EXPECT_EQ(product.last, 5);
    EXPECT_EQ(product.grid_spacing, 1.0);
    // (2 + 20i)(1.5 + 15i) at 1 Hz
    EXPECT_EQ(bits(product.entries[1]), bits({2 * 1.5F - 20 * 15, 2 * 15 + 20 * 1.5F}));

    transfer.kind = transform_kind::full_sided;
    multiply_spectra(input, transfer, product);
    EXPECT_EQ(bits(product.entries[3]), 0U);
    EXPECT_EQ(bits(product.entries[4]), 0U);
}

TEST(MultiplySpectra, TenthOfAHertzGridOvershootsTheLastRow) {
    std::vector<float> rows;
    for (int j = 0; j <= 10; ++j) rows.push_back(static_cast<float>(j / 10.0));
    const spectrum_table input = table_of(rows);
    // The spacing is the float nearest 0.1, slightly above 0.1.
    EXPECT_GT(input.spacing, 0.1);
    table_sampler sampler = sampler_for(input, 11);
    EXPECT_EQ(deciding_row(sampler, 3 * input.spacing), 2);
    EXPECT_EQ(deciding_row(sampler, 10 * input.spacing), -1);

    product_table product;
    multiply_spectra(input, input, product);
    EXPECT_EQ(bits(product.entries[10]), 0U);
}

TEST(MultiplySpectra, ZeroSpacingPutsEveryPointAtZero) {
    const spectrum_table input = table_of({0, 0, 1});
    const spectrum_table transfer = table_of({0, 1});
    product_table product;
    multiply_spectra(input, transfer, product);
    // Every point takes row 0 of both tables: (1 + 10i)(1 + 10i).
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bits(product.entries[i]), bits({-99, 20})) << i;
}

// Tables of every shape the fast search must agree with the scan on.
std::vector<spectrum_table> generated_tables(std::mt19937& rng) {
    std::vector<spectrum_table> tables;
    std::uniform_real_distribution<float> unit(0.0F, 1.0F);
    const int counts[] = {0, 1, 2, 3, 7, 8, 33, 64};
    for (int shape = 0; shape < 7; ++shape) {
        for (const int count : counts) {
            for (const transform_kind kind : {transform_kind::half_sided, transform_kind::full_sided}) {
                std::vector<float> rows(static_cast<std::size_t>(count));
                float f = shape == 2 ? -5.0F : 0.0F;
                for (float& row : rows) {
                    switch (shape) {
                        case 0:
                            f += 0.5F;
                            break;  // even grid
                        case 1:
                            f += unit(rng) < 0.3F ? 0.0F : 0.25F;
                            break;  // repeats
                        case 2:
                            f += unit(rng);
                            break;  // negative start
                        case 3:
                            f += 0.1F;
                            break;  // tenths
                        case 4:
                            f = unit(rng) * 4;
                            break;  // no order
                        case 5:
                            f += unit(rng) < 0.1F ? -1.0F : 1.0F;
                            break;  // one dip or so
                        default:
                            f = unit(rng) < 0.5F ? -0.0F : 0.0F;
                            break;  // signed zeros
                    }
                    row = f;
                }
                if (shape == 2 && count > 2) {
                    rows.front() = -inf;
                    rows.back() = inf;
                }
                tables.push_back(table_of(rows, kind));
            }
        }
    }
    return tables;
}

// Frequencies on, between, below and above the rows, in grid order and
// shuffled, plus the non-finite ones.
std::vector<double> probe_frequencies(const spectrum_table& table, std::mt19937& rng) {
    std::vector<double> probes = {-1e9,
                                  -1,
                                  -0.0,
                                  0,
                                  0.05,
                                  1e9,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::nan("")};
    for (int j = 0; j <= table.count; ++j) {
        const double row = table.frequencies[j];
        probes.push_back(row);
        probes.push_back(std::nextafter(row, -1e300));
        probes.push_back(std::nextafter(row, 1e300));
        probes.push_back(row + 0.125);
    }
    for (const double spacing : {0.1F, 0.25F, 0.5F, 1.0F})
        for (int i = 0; i < 80; ++i) probes.push_back(i * static_cast<double>(spacing));
    std::vector<double> shuffled = probes;
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    probes.insert(probes.end(), shuffled.begin(), shuffled.end());
    return probes;
}

TEST(SampleAt, SearchAgreesWithScanOnGeneratedTables) {
    std::mt19937 rng(20041);
    int compared = 0;
    for (const spectrum_table& table : generated_tables(rng)) {
        const int m = effective_count(table);
        table_sampler sampler = sampler_for(table, m);
        for (const double f : probe_frequencies(table, rng)) {
            const int expected = reference::plain_deciding_row(table, m, f);
            ASSERT_EQ(deciding_row(sampler, f), expected)
                << "f=" << f << " count=" << table.count << " m=" << m << " ascend=" << sampler.rows_ascend;
            ASSERT_EQ(bits(sample_at(sampler, f)), bits(reference::plain_sample_at(table, m, f))) << f;
            ++compared;
        }
    }
    EXPECT_GT(compared, 10000);
}

TEST(MultiplySpectra, AgreesWithPlainProductOnGeneratedTables) {
    std::mt19937 rng(7);
    const std::vector<spectrum_table> tables = generated_tables(rng);
    for (std::size_t a = 0; a < tables.size(); a += 3) {
        for (std::size_t b = 1; b < tables.size(); b += 5) {
            product_table fast;
            product_table plain;
            multiply_spectra(tables[a], tables[b], fast);
            reference::plain_multiply(tables[a], tables[b], plain);
            ASSERT_EQ(fast.last, plain.last);
            for (int i = 0; i < fast.last; ++i)
                ASSERT_EQ(bits(fast.entries[i]), bits(plain.entries[i])) << a << ' ' << b << ' ' << i;
        }
    }
}

}  // namespace
}  // namespace zelvane
