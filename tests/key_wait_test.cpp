// The closing key wait, through a real pseudo-terminal: the program's
// standard input comes from a file, and the key comes from the terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <thread>

#include "tests/support.hpp"

namespace zelvane {
namespace {

using namespace std::chrono_literals;

class KeyWait : public ::testing::Test {
protected:
    void SetUp() override {
        testing::write_file(dir_ / "a.txt", "0 1 0\n1 2 0\n2 3 0\n");
        testing::write_file(dir_ / "answers", "a.txt 1 a.txt 1\n");
        ASSERT_EQ(openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
    }

    void TearDown() override {
        if (child_ > 0) {
            kill(child_, SIGKILL);
            waitpid(child_, nullptr, 0);
        }
        close(master_);
        close(slave_);
    }

    // Starts the program with the pseudo-terminal as its controlling
    // terminal and standard output, and standard input from the answers.
    void start() {
        child_ = fork();
        ASSERT_GE(child_, 0);
        if (child_ == 0) {
            setsid();
            ioctl(slave_, TIOCSCTTY, 0);
            const int answers = open((dir_ / "answers").c_str(), O_RDONLY);
            if (answers < 0 || chdir(dir_.path().c_str()) != 0) _exit(126);
            dup2(answers, STDIN_FILENO);
            dup2(slave_, STDOUT_FILENO);
            close(master_);
            execl(ZELVANE_BINARY, "zelvane", static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    // Reads the screen side until `text` has appeared.
    bool screen_shows(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (screen_.find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 100) == 1) {
                char buffer[4096];
                const ssize_t got = read(master_, buffer, sizeof buffer);
                if (got > 0) screen_.append(buffer, static_cast<std::size_t>(got));
            }
        }
        return true;
    }

    termios modes() const {
        termios t{};
        tcgetattr(slave_, &t);
        return t;
    }

    // Waits until the program has switched echo and line mode off.
    bool waiting_for_key() const {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while ((modes().c_lflag & (ECHO | ICANON)) != 0) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    // Starts the program and waits until it shows the closing prompt and has
    // switched the terminal's modes off for the key wait.
    bool start_and_reach_key_wait() {
        start();
        return screen_shows("Press any key to exit.") && waiting_for_key();
    }

    // The program ended normally with the completed run's status, 1, and gave
    // the terminal back.
    void expect_completed(int status) const {
        ASSERT_TRUE(WIFEXITED(status)) << status;
        EXPECT_EQ(WEXITSTATUS(status), 1);
        EXPECT_TRUE(modes_restored());
    }

    void type(const std::string& keys) const {
        ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }

    // The child's wait status, or -1 if it is still running after a while.
    int finish() {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        int status = 0;
        while (waitpid(child_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) return -1;
            std::this_thread::sleep_for(5ms);
        }
        child_ = -1;
        return status;
    }

    bool modes_restored() const {
        const termios t = modes();
        return (t.c_lflag & ECHO) != 0 && (t.c_lflag & ICANON) != 0 && (t.c_lflag & ISIG) != 0;
    }

    int pending_input() const {
        int bytes = 0;
        ioctl(slave_, FIONREAD, &bytes);
        return bytes;
    }

    testing::scratch_dir dir_;
    int master_ = -1;
    int slave_ = -1;
    pid_t child_ = -1;
    std::string screen_;
};

TEST_F(KeyWait, CtrlCIsAnOrdinaryKey) {
    ASSERT_TRUE(start_and_reach_key_wait());
    type("\x03");
    expect_completed(finish());
}

TEST_F(KeyWait, ShiftAloneSendsNothingAndDoesNotEndTheWait) {
    ASSERT_TRUE(start_and_reach_key_wait());
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(waitpid(child_, nullptr, WNOHANG), 0);
    type("q");
    EXPECT_TRUE(WIFEXITED(finish()));
}

TEST_F(KeyWait, KeyTypedEarlierEndsTheWaitAtOnce) {
    type("x");
    start();
    ASSERT_TRUE(screen_shows("Press any key to exit."));
    expect_completed(finish());
}

TEST_F(KeyWait, WholeEscapeSequenceIsTaken) {
    ASSERT_TRUE(start_and_reach_key_wait());
    type("\x1b[A");
    ASSERT_TRUE(WIFEXITED(finish()));
    EXPECT_EQ(pending_input(), 0);
}

TEST_F(KeyWait, TerminalGivenBackWhenEndedBySignal) {
    for (const int signal_number : {SIGTERM, SIGHUP}) {
        ASSERT_TRUE(start_and_reach_key_wait());
        kill(child_, signal_number);
        const int status = finish();
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        EXPECT_EQ(WTERMSIG(status), signal_number);
        EXPECT_TRUE(modes_restored()) << signal_number;
        screen_.clear();
    }
}

}  // namespace
}  // namespace zelvane
