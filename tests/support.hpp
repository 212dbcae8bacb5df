// Helpers shared by the tests: files, scratch directories, in-memory consoles
// and running the built program.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "driver/console.hpp"

namespace zelvane::testing {

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view bytes);

// A fresh directory of its own for one test, removed with everything in it
// when the test ends. The program's output names are fixed, so tests that
// run it must not share a directory.
class scratch_dir {
public:
    scratch_dir();
    scratch_dir(const scratch_dir&) = delete;
    scratch_dir& operator=(const scratch_dir&) = delete;
    ~scratch_dir();
    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A console whose input is `answers` and whose output is collected.
class memory_console {
public:
    explicit memory_console(std::string_view answers);
    memory_console(const memory_console&) = delete;
    memory_console& operator=(const memory_console&) = delete;
    ~memory_console();
    console& get() { return con_; }
    // Everything shown so far, CR LF and all.
    std::string output() const;
    // The input not yet read.
    std::string rest_of_input() const;

private:
    console con_;
};

// Runs `body` with the working directory set to `dir`, then goes back.
class working_directory {
public:
    explicit working_directory(const std::filesystem::path& dir);
    working_directory(const working_directory&) = delete;
    working_directory& operator=(const working_directory&) = delete;
    ~working_directory();

private:
    std::filesystem::path previous_;
};

struct run_result {
    int exit_status = -1;  // -1 when the program did not exit normally
    std::string output;    // standard output, byte for byte
};

enum class run_as { caller, unprivileged };

// Runs the built program in `dir` in a session of its own (POSIX only) (no controlling
// terminal, so the closing key wait ends at once), with standard input read
// from a file holding `answers`.
// As run_as::unprivileged, a caller who is root runs it as user "nobody",
// for whom file permissions hold.
run_result run_program_in(const std::filesystem::path& dir, std::string_view answers, run_as user = run_as::caller);

}  // namespace zelvane::testing
