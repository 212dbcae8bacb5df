#include "driver/text_file.hpp"

#include <cerrno>
#include <cstring>

namespace zelvane {
namespace {

constexpr std::size_t flush_threshold = 1 << 16;

}  // namespace

void append_crlf(std::string& out, std::string_view text) {
    for (std::size_t start = 0; start < text.size();) {
        const auto lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            out.append(text.substr(start));
            return;
        }
        out.append(text.substr(start, lf - start));
        out.append("\r\n");
        start = lf + 1;
    }
}

text_file::text_file(std::string name) : name_(std::move(name)) {
    // Binary mode: the CR LF pairs are written by append_crlf, so no platform
    // may add another CR of its own.
    file_ = std::fopen(name_.c_str(), "wb");
    if (file_ == nullptr) error_ = errno;
}

text_file::~text_file() {
    if (file_ != nullptr) std::fclose(file_);
}

void text_file::write(std::string_view text) {
    append_crlf(buffer_, text);
    if (buffer_.size() >= flush_threshold) flush_buffer();
}

void text_file::flush_buffer() {
    if (file_ == nullptr || buffer_.empty()) return;
    if (error_ == 0 && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        error_ = errno != 0 ? errno : EIO;
    buffer_.clear();
}

bool text_file::close() {
    if (file_ == nullptr) return false;
    flush_buffer();
    if (std::fflush(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    if (std::fclose(file_) != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
    file_ = nullptr;
    return error_ == 0;
}

std::string text_file::error_text() const { return error_ == 0 ? "no error" : std::strerror(error_); }

}  // namespace zelvane
