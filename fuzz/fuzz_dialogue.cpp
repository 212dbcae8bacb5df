// The dialogue on arbitrary standard-input bytes, in a directory holding two
// small tables named "a" (3 rows) and "b" (2 rows): both loads must end, by loading or by the
// end of input, and never read past the answers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "spectrum/spectrum.hpp"

namespace {

void prepare_directory() {
    static bool prepared = false;
    if (prepared) return;
    const auto dir = std::filesystem::temp_directory_path() / "zelvane-fuzz-dialogue";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "a") << "0 1 0\n1 2 0\n2 3 0\n";
    std::ofstream(dir / "b") << "0 1 1\n0.5 1 -1\n";
    std::filesystem::current_path(dir);
    prepared = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Names stay inside the directory: a path could reach a terminal or a
    // pipe that blocks, which says nothing about the dialogue.
    if (std::memchr(data, '/', size) != nullptr) return 0;
    prepare_directory();
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::fopen("/dev/null", "wb");
    if (in == nullptr || out == nullptr) std::abort();
    std::fwrite(data, 1, size, in);
    std::rewind(in);

    zelvane::console con{in, out, false};
    // Reused between inputs: every load clears its table first.
    static auto tables = std::make_unique<zelvane::spectrum_table[]>(2);
    if (zelvane::load_table(con, tables[0], zelvane::which_table::input_transform)) {
        const int kind = static_cast<int>(tables[0].kind);
        if (kind != 1 && kind != 2) std::abort();
        if (tables[0].count != 2 && tables[0].count != 3) std::abort();
        (void)zelvane::load_table(con, tables[1], zelvane::which_table::transfer_function);
    }
    std::fclose(in);
    std::fclose(out);
    return 0;
}
