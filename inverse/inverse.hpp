// The inverse transform: the response file read back from disk and summed
// directly into time histories.
//
// Time point i of a response of n rows is
//     sum over k = 0 ... n - 1 of  value_k * e^(+i theta),
//     theta = (i * two_pi) * (k / n),
// without division by n. Each term is formed in double from the float parts
// and rounded to float, and the two sums are rounded to float after every
// addition, k ascending: those roundings fix the written digits, so every
// path here keeps them. Two rows, 1 at 0 Hz and 2 at 0.5 Hz, give 3 + 0i at
// 0 s and -1 + 2.4493e-16i at 2 s: theta is the double nearest pi, whose
// sine is 1.2246e-16.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "driver/console.hpp"
#include "spectrum/spectrum.hpp"

namespace zelvane {

inline constexpr const char* time_history_file_name = "inv_fourier.out";
inline constexpr const char* real_history_file_name = "real_inv.out";

// How the sums are computed; every choice gives the same bits.
struct inverse_options {
    // Threads that share the time points (at least one).
    unsigned threads = 1;
    // Take the sine and cosine of a time point's lower columns from the time
    // point half its index (theta(2i, k) is bit for bit theta(i, 2k)).
    bool share_chain = true;
};

// All hardware threads, sharing on.
inverse_options default_inverse_options();

// Receives time point i's sums (real and imaginary part). Calls come in time
// order, i = 0, 1, ..., each as soon as that point and every earlier one are
// done, from whichever computing thread finished them, never two at once.
using time_point_sink = std::function<void(std::size_t i, complex_value sums)>;

// Computes the n time points of an n-row spectrum and hands them to `sink`.
void inverse_sums(std::span<const complex_value> spectrum, const inverse_options& options, const time_point_sink& sink);

// The n time points, collected.
std::vector<complex_value> inverse_sums(std::span<const complex_value> spectrum, const inverse_options& options);

// Reads the response file, reports n, and writes the time histories:
// time, real and imaginary part ("%11.5e %10.4e %10.4e\n") to
// inv_fourier.out, time and real part ("%11.5e %10.4e \n") to real_inv.out.
// Times are i / (last frequency read). False, with a message, when the
// response file cannot be opened or an output file cannot be written
// completely.
[[nodiscard]] bool inverse_transform(console& con, const inverse_options& options);

}  // namespace zelvane
