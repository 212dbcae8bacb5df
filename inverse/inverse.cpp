#include "inverse/inverse.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "driver/text_file.hpp"
#include "product/product.hpp"

namespace zelvane {
namespace {

// Twice the angle of the negative real axis: the program's value of 2 pi.
double two_pi() { return std::atan2(0.0, -1.0) + std::atan2(0.0, -1.0); }

struct sine_cosine {
    double s;
    double c;
};

// What one time point's sum needs: the spectrum and k / n for every column.
struct inverse_problem {
    std::span<const complex_value> spectrum;
    std::vector<double> column_ratio;  // k / n, in double
    double two_pi;
};

// The sum for time point i. `even_columns` carries sine and cosine at the
// even columns of the time point i / 2 in its first `inherited` entries
// (column 2k at entry k); since theta(i, k) = theta(i / 2, 2k) bit for bit,
// they stand for this point's columns below `inherited`. On return it holds
// this point's own even columns, for the time point 2i. Column k writes
// entry k / 2, which column k / 2 has already read, so one array serves both.
complex_value time_point_sum(const inverse_problem& problem, std::size_t i, sine_cosine* even_columns,
                             std::size_t inherited) {
    const std::size_t n = problem.spectrum.size();
    const double base = static_cast<double>(i) * problem.two_pi;
    float sum_re = 0.0F;
    float sum_im = 0.0F;
    const auto add_term = [&](std::size_t k, double s, double c) {
        if (even_columns != nullptr && k % 2 == 0) even_columns[k / 2] = {s, c};
        const double re = problem.spectrum[k].re;
        const double im = problem.spectrum[k].im;
        const auto term_re = static_cast<float>(re * c - im * s);
        const auto term_im = static_cast<float>(re * s + im * c);
        sum_re += term_re;
        sum_im += term_im;
    };
    std::size_t k = 0;
    for (; k < inherited; ++k) add_term(k, even_columns[k].s, even_columns[k].c);
    for (; k < n; ++k) {
        // With glibc the compiler turns the two calls into one sincos call,
        // which a test checks gives the same bits; the mingw-w64 build keeps
        // them apart (see CMakeLists.txt).
        const double theta = base * problem.column_ratio[k];
        add_term(k, std::sin(theta), std::cos(theta));
    }
    return {sum_re, sum_im};
}

// Hands finished time points on in time order: each thread records the point
// it finished, and whichever thread completes the prefix passes it on.
class ordered_handover {
public:
    ordered_handover(std::size_t n, const time_point_sink& sink) : sums_(n), done_(n), sink_(sink) {}

    void finished(std::size_t i, complex_value sums) {
        const std::lock_guard hold(lock_);
        sums_[i] = sums;
        done_[i] = true;
        for (; next_ < done_.size() && done_[next_]; ++next_) sink_(next_, sums_[next_]);
    }

private:
    std::mutex lock_;
    std::vector<complex_value> sums_;
    std::vector<bool> done_;
    std::size_t next_ = 0;
    const time_point_sink& sink_;
};

// Work item `item` of the shared counter. Without sharing, item i is time
// point i. With sharing, item 0 is time point 0 and item t is the chain
// o, 2o, 4o, ... below n that starts at the odd o = 2t - 1, computed in that
// order so each point inherits from the one before it.
void compute_item(const inverse_problem& problem, std::size_t item, bool share_chain,
                  std::vector<sine_cosine>& even_columns, ordered_handover& out) {
    const std::size_t n = problem.spectrum.size();
    if (!share_chain || item == 0) {
        out.finished(item, time_point_sum(problem, item, nullptr, 0));
        return;
    }
    const std::size_t half = (n + 1) / 2;  // columns 0, 2, 4, ... below n
    std::size_t inherited = 0;
    for (std::size_t i = 2 * item - 1; i < n; i *= 2) {
        out.finished(i, time_point_sum(problem, i, even_columns.data(), inherited));
        inherited = half;
    }
}

// Names the file and the reason; always false, for the caller to return.
bool report_unwritten(console& con, const text_file& file) {
    show(con, "\n Cannot write %s: %s \n", {file.name(), file.error_text()});
    return false;
}

}  // namespace

inverse_options default_inverse_options() { return {std::max(1U, std::thread::hardware_concurrency()), true}; }

void inverse_sums(std::span<const complex_value> spectrum, const inverse_options& options,
                  const time_point_sink& sink) {
    const std::size_t n = spectrum.size();
    inverse_problem problem{spectrum, std::vector<double>(n), two_pi()};
    for (std::size_t k = 0; k < n; ++k) problem.column_ratio[k] = static_cast<double>(k) / static_cast<double>(n);

    ordered_handover out(n, sink);
    // Time point 0 and one chain for each odd o below n, or every time point.
    const std::size_t items = !options.share_chain ? n : n == 0 ? 0 : 1 + n / 2;
    std::atomic<std::size_t> next_item{0};
    const auto worker = [&] {
        std::vector<sine_cosine> even_columns(options.share_chain ? (n + 1) / 2 : 0);
        for (std::size_t item = next_item++; item < items; item = next_item++)
            compute_item(problem, item, options.share_chain, even_columns, out);
    };

    const unsigned helpers = std::max(1U, options.threads) - 1;
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    try {
        for (unsigned t = 0; t < helpers; ++t) threads.emplace_back(worker);
    } catch (const std::system_error&) {
        // The system has no thread to spare: the threads already started and
        // this one share the work all the same.
    }
    worker();
    for (auto& thread : threads) thread.join();
}

std::vector<complex_value> inverse_sums(std::span<const complex_value> spectrum, const inverse_options& options) {
    std::vector<complex_value> sums(spectrum.size());
    inverse_sums(spectrum, options, [&](std::size_t i, complex_value point) { sums[i] = point; });
    return sums;
}

bool inverse_transform(console& con, const inverse_options& options) {
    std::FILE* file = std::fopen(response_file_name, "rb");
    if (file == nullptr) {
        show(con, "Input file error \n");
        return false;
    }
    std::vector<double> frequencies(table_capacity);
    std::vector<complex_value> spectrum(table_capacity);
    const int rows = read_rows(file, std::span(frequencies), std::span(spectrum));
    std::fclose(file);
    const auto n = static_cast<std::size_t>(rows);
    spectrum.resize(n);

    // 1 / ((N - 1) * delta_f) for N rows from 0 Hz; infinite when the last
    // frequency is 0, which makes time 0 a not-a-number (0 * inf).
    const double time_step = n > 0 ? 1.0 / frequencies[n - 1] : 0.0;
    show(con, "\n n= %ld \n", {static_cast<long>(rows)});

    text_file complex_history(time_history_file_name);
    if (!complex_history.is_open()) return report_unwritten(con, complex_history);
    text_file real_history(real_history_file_name);
    if (!real_history.is_open()) return report_unwritten(con, real_history);

    // Each time point reaches both files as soon as it and every earlier one
    // are done, in time order.
    std::string row;
    inverse_sums(spectrum, options, [&](std::size_t i, complex_value sums) {
        const double t = static_cast<double>(i) * time_step;
        const double re = sums.re;
        const double im = sums.im;
        row.clear();
        format_to(row, "%11.5e %10.4e %10.4e\n", {t, re, im});
        complex_history.write(row);
        row.clear();
        format_to(row, "%11.5e %10.4e \n", {t, re});
        real_history.write(row);
    });
    // Both files are finished even when one fails, and each failure is named.
    const bool complex_written = complex_history.close() || report_unwritten(con, complex_history);
    const bool real_written = real_history.close() || report_unwritten(con, real_history);
    return complex_written && real_written;
}

}  // namespace zelvane
