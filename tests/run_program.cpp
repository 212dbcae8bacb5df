// Runs the built program as a user would, without a terminal (POSIX).
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/support.hpp"

namespace zelvane::testing {

run_result run_program_in(const std::filesystem::path& dir, std::string_view answers, run_as user) {
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
        // Permissions bind an unprivileged user only; root ignores them.
        constexpr uid_t nobody = 65534;
        if (user == run_as::unprivileged && getuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(125);
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
