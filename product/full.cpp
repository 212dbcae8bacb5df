// The full-sided expansion of the product and the response file.
#include <string>

#include "driver/text_file.hpp"
#include "product/product.hpp"

namespace zelvane {

bool convert_to_full(console& con, product_table& product) {
    show(con, "\n\n convert to full \n");
    const long points = product.last;
    const long needed = 2 * points - 2;
    if (needed > table_capacity) {
        show(con, "\n The full-sided spectrum needs %ld entries; the table holds %ld. \n",
             {needed, static_cast<long>(table_capacity)});
        return false;
    }
    // Ascending writes from L - 1 read descending sources from L - 1, so
    // every source is read before anything overwrites it.
    auto& entries = product.entries;
    std::size_t w = static_cast<std::size_t>(points - 1);
    for (long r = points - 1; r >= 1; --r, ++w) {
        const complex_value source = entries[static_cast<std::size_t>(r)];
        entries[w] = {source.re, -source.im};
    }
    product.last = static_cast<std::int32_t>(points + points - 3);
    return true;
}

bool write_response(console& con, const product_table& product) {
    text_file file(response_file_name);
    if (file.is_open()) {
        std::string row;
        for (std::int32_t i = 0; i <= product.last; ++i) {
            const complex_value value = product.entries[static_cast<std::size_t>(i)];
            row.clear();
            format_to(row, " %14.6e \t %12.4e \t %12.4e \n",
                      {i * product.grid_spacing, static_cast<double>(value.re), static_cast<double>(value.im)});
            file.write(row);
        }
    }
    if (!file.close()) {
        show(con, "\n Cannot write %s: %s \n", {file.name(), file.error_text()});
        return false;
    }
    show(con, "\n last = %ld \n", {static_cast<long>(product.last)});
    return true;
}

}  // namespace zelvane
