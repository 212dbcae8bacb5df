// The input-file reader on arbitrary bytes, into float and double
// frequencies: it must stop within the table, whatever the bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "spectrum/spectrum.hpp"

namespace {

std::FILE* file_holding(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) std::abort();
    std::fwrite(data, 1, size, file);
    std::rewind(file);
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t rows = 16;
    std::vector<float> frequencies(rows);
    std::vector<double> wide_frequencies(rows);
    std::vector<zelvane::complex_value> values(rows);
    std::vector<zelvane::complex_value> wide_values(rows);

    std::FILE* file = file_holding(data, size);
    const int count = zelvane::read_rows(file, frequencies, values);
    std::rewind(file);
    const int wide_count = zelvane::read_rows(file, wide_frequencies, wide_values);
    std::fclose(file);

    // Both readers see the same rows; only the frequency's precision differs.
    if (count < 0 || count > static_cast<int>(rows) || count != wide_count) std::abort();
    for (int r = 0; r < count; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (values[i].re != wide_values[i].re && values[i].re == values[i].re) std::abort();
        if (static_cast<float>(wide_frequencies[i]) != frequencies[i] && frequencies[i] == frequencies[i]) {
            // Double rounding may differ from one rounding only by one step.
            const float from_wide = static_cast<float>(wide_frequencies[i]);
            if (std::nextafter(from_wide, frequencies[i]) != frequencies[i]) std::abort();
        }
    }
    return 0;
}
