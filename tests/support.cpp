#include "tests/support.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
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
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
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
    con_.out = open_memstream(&out_buffer_, &out_size_);
    con_.flush_each_message = false;
}

memory_console::~memory_console() {
    std::fclose(con_.in);
    std::fclose(con_.out);
    std::free(out_buffer_);
}

std::string memory_console::output() {
    std::fflush(con_.out);
    return {out_buffer_, out_size_};
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

run_result run_program_in(const std::filesystem::path& dir, std::string_view answers) {
    const auto answers_path = dir / ".answers";
    const auto output_path = dir / ".stdout";
    write_file(answers_path, answers);

    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        setsid();
        const int in = open(answers_path.c_str(), O_RDONLY);
        const int out = open(output_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || chdir(dir.c_str()) != 0) _exit(126);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        close(in);
        close(out);
        execl(ZELVANE_BINARY, "zelvane", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    run_result result;
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.output = read_file(output_path);
    std::filesystem::remove(answers_path);
    std::filesystem::remove(output_path);
    return result;
}

}  // namespace zelvane::testing
