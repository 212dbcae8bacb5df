#include "tests/support.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace zelvane::testing {

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

scratch_dir::scratch_dir() {
    std::random_device entropy;
    std::mt19937_64 names(entropy());
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = std::filesystem::temp_directory_path() / ("zelvane-test-" + std::to_string(names()));
        if (std::filesystem::create_directory(path_)) return;
    }
    throw std::runtime_error("cannot create a scratch directory");
}

scratch_dir::~scratch_dir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

memory_console::memory_console(std::string_view answers) {
    con_.in = std::tmpfile();
    std::fwrite(answers.data(), 1, answers.size(), con_.in);
    std::rewind(con_.in);
    con_.out = std::tmpfile();
    con_.flush_each_message = false;
}

memory_console::~memory_console() {
    std::fclose(con_.in);
    std::fclose(con_.out);
}

std::string memory_console::output() const {
    std::fflush(con_.out);
    std::rewind(con_.out);
    std::string shown;
    for (int c = std::getc(con_.out); c != EOF; c = std::getc(con_.out)) shown.push_back(static_cast<char>(c));
    std::fseek(con_.out, 0, SEEK_END);
    return shown;
}

std::string memory_console::rest_of_input() const {
    std::string rest;
    for (int c = std::getc(con_.in); c != EOF; c = std::getc(con_.in)) rest.push_back(static_cast<char>(c));
    return rest;
}

working_directory::working_directory(const std::filesystem::path& dir) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
}

working_directory::~working_directory() { std::filesystem::current_path(previous_); }

}  // namespace zelvane::testing
