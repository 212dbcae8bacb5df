// Output files in text mode: every "\n" the program writes becomes the two
// bytes CR LF (13, 10), and no other byte is changed, so the files read the
// same on every platform. Standard output is written the same way.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelvane {

// Appends `text` to `out` with each line feed written as CR LF.
void append_crlf(std::string& out, std::string_view text);

// One output file, created (or truncated) on construction and closed by
// close() or the destructor. Writes are buffered; the first failure (a full
// disk, say) is remembered and reported by close().
class text_file {
public:
    explicit text_file(std::string name);
    text_file(const text_file&) = delete;
    text_file& operator=(const text_file&) = delete;
    ~text_file();

    // False when the file could not be created; error_text() says why.
    [[nodiscard]] bool is_open() const { return file_ != nullptr; }

    void write(std::string_view text);

    // Writes out what is buffered and closes the file. True only when every
    // byte reached the file and the close succeeded.
    [[nodiscard]] bool close();

    [[nodiscard]] const std::string& name() const { return name_; }
    // The system's words for the first failure, as in "No space left on device".
    [[nodiscard]] std::string error_text() const;

private:
    void flush_buffer();

    std::string name_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    int error_ = 0;
};

}  // namespace zelvane
