// The run: banner, the two tables, the product, the response file, the
// inverse and the closing key wait, each once and in that order.
#pragma once

#include <string_view>

namespace zelvane {

// Shown when standard input ends before the dialogue has all four answers.
inline constexpr std::string_view input_ended_message = "\n Input ended before every answer was given. \n";

// Exit status of a run that reaches the closing prompt, whatever the stages
// reported on the way.
inline constexpr int completed_status = 1;
// Exit status of a run ended early: no input left, or an output file that
// could not be written.
inline constexpr int failed_status = 2;

// Runs the whole program on standard input and output; returns the exit
// status.
int run_program();

}  // namespace zelvane
