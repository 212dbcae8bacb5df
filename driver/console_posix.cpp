// The console on POSIX systems: standard streams and the closing key wait
// on the terminal.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "driver/console.hpp"

namespace zelvane {
namespace {

// What a signal handler needs to give the terminal back. A handler can reach
// nothing else, so this is the one piece of state outside the run's tables;
// it is set only while the wait is in progress.
volatile std::sig_atomic_t saved_fd = -1;
termios saved_modes{};

constexpr int restoring_signals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

extern "C" void restore_and_reraise(int signal_number) {
    if (saved_fd >= 0) tcsetattr(saved_fd, TCSANOW, &saved_modes);
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
}

// A key that sends several bytes (an arrow key's escape sequence, a UTF-8
// character) arrives as one burst; read the rest of it so that none of it is
// left behind for the shell.
void drain_burst(int fd) {
    constexpr int burst_gap_ms = 30;
    pollfd p{fd, POLLIN, 0};
    char rest[64];
    while (poll(&p, 1, burst_gap_ms) == 1 && (p.revents & POLLIN) != 0) {
        if (read(fd, rest, sizeof rest) <= 0) return;
    }
}

}  // namespace

console standard_console() { return console{stdin, stdout, isatty(fileno(stdout)) != 0}; }

void wait_for_key() {
    std::fflush(stdout);
    const int fd = open("/dev/tty", O_RDWR | O_NOCTTY);
    if (fd < 0) return;

    termios modes{};
    if (tcgetattr(fd, &modes) != 0) {
        close(fd);
        return;
    }
    saved_modes = modes;
    saved_fd = fd;
    struct sigaction previous[std::size(restoring_signals)];
    struct sigaction restore {};
    restore.sa_handler = restore_and_reraise;
    sigemptyset(&restore.sa_mask);
    for (std::size_t i = 0; i < std::size(restoring_signals); ++i)
        sigaction(restoring_signals[i], &restore, &previous[i]);

    // No echo, no line editing, no signal keys (Ctrl+C arrives as byte 3) and
    // no flow control (Ctrl+S is a key too). TCSANOW keeps keys typed during
    // the computation queued: the first of them ends the wait at once.
    modes.c_lflag &= static_cast<tcflag_t>(~(ECHO | ICANON | ISIG | IEXTEN));
    modes.c_iflag &= static_cast<tcflag_t>(~(IXON | ICRNL));
    modes.c_cc[VMIN] = 1;
    modes.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &modes);

    char key = 0;
    ssize_t got = 0;
    do {
        got = read(fd, &key, 1);
    } while (got < 0 && errno == EINTR);
    if (got == 1) drain_burst(fd);

    tcsetattr(fd, TCSANOW, &saved_modes);
    saved_fd = -1;
    for (std::size_t i = 0; i < std::size(restoring_signals); ++i)
        sigaction(restoring_signals[i], &previous[i], nullptr);
    close(fd);
}

}  // namespace zelvane
