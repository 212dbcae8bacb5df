// The console dialogue: messages out, answers in, and the closing key wait.
//
// Messages are fixed texts whose "\n" is written as CR LF. When standard
// output is a terminal every message is flushed at once, so a prompt is seen
// before the program reads and the progress line before a long computation;
// redirected output is buffered and written out by the end of the run.
// Answers are read like scanf's "%s" and "%d": whitespace (space, tab, line
// feed, vertical tab, form feed, carriage return) is skipped first, and what
// follows the answer stays for the next read.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "driver/render.hpp"

namespace zelvane {

struct console {
    std::FILE* in = nullptr;
    std::FILE* out = nullptr;
    bool flush_each_message = false;
};

// Standard input and output; messages are flushed when output is a terminal.
console standard_console();

// Writes one message; "\n" becomes CR LF.
void show(console& con, std::string_view text);
// Writes one message with its conversions rendered: show(con, " n= %ld \n", {12L}).
void show(console& con, std::string_view pattern, std::initializer_list<format_arg> args);

// "%s": the next whitespace-free word, or nothing at the end of input.
std::optional<std::string> read_word(console& con);

// "%d": an optional sign and decimal digits. "2x" gives 2 and leaves "x";
// "x" gives no number and leaves "x" unread; "-x" uses up the sign.
struct integer_answer {
    enum class outcome { number, not_a_number, end_of_input };
    outcome kind = outcome::end_of_input;
    // The number read. One with more digits than fit is held at a value far
    // beyond any valid answer, and is still used up whole.
    long long value = 0;
};
integer_answer read_integer(console& con);

// Waits for one key pressed on the terminal itself, not on standard input,
// with echo, line mode and the signal keys off (Ctrl+C is a key like any
// other) and the terminal's modes restored afterwards, also when the process
// is ended by a signal during the wait. A key typed earlier and not yet read
// ends the wait at once. Returns at once where no terminal can be opened.
void wait_for_key();

}  // namespace zelvane
