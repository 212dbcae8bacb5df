// The product stage on two ascending half-sided tables of 100,000 rows, the
// transfer function on a finer grid than the input: the plain row-by-row
// scan against the program's search.
#include <benchmark/benchmark.h>

#include <memory>

#include "product/product.hpp"
#include "tests/reference/reference.hpp"

namespace zelvane {
namespace {

struct product_input {
    spectrum_table input;
    spectrum_table transfer;
    product_table product;
};

std::unique_ptr<product_input> make_input() {
    auto in = std::make_unique<product_input>();
    for (int j = 0; j < table_capacity; ++j) {
        in->input.frequencies[j] = static_cast<float>(j * 0.5);
        in->input.values[j] = {1.0F, static_cast<float>(j % 7)};
        in->transfer.frequencies[j] = static_cast<float>(j * 0.3);
        in->transfer.values[j] = {static_cast<float>(j % 5), 0.5F};
    }
    for (spectrum_table* t : {&in->input, &in->transfer}) {
        t->count = table_capacity;
        t->spacing = static_cast<double>(t->frequencies[1]) - static_cast<double>(t->frequencies[0]);
    }
    return in;
}

void BM_ProductPlainScan(benchmark::State& state) {
    const auto in = make_input();
    for (auto _ : state) {
        reference::plain_multiply(in->input, in->transfer, in->product);
        benchmark::DoNotOptimize(in->product.entries.data());
    }
}
BENCHMARK(BM_ProductPlainScan)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ProductSearch(benchmark::State& state) {
    const auto in = make_input();
    for (auto _ : state) {
        multiply_spectra(in->input, in->transfer, in->product);
        benchmark::DoNotOptimize(in->product.entries.data());
    }
}
BENCHMARK(BM_ProductSearch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvane
