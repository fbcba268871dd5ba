#include "core/input.h"

#include <cerrno>
#include <cstring>

#include "core/files.h"

namespace tervan {

Input::~Input() {
    if (file_) std::fclose(file_);
}

bool Input::open(const std::string& path) {
    if (file_) std::fclose(file_);
    memory_ = {};
    pos_ = end_ = 0;
    error_.clear();
    file_ = openFile(path, "rb");
    if (!file_) error_ = std::strerror(errno);
    return file_ != nullptr;
}

bool Input::refill() {
    if (file_) {
        end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        data_ = buffer_;
    } else {
        // Memory is handed over whole, once.
        data_ = memory_.data();
        end_ = memory_.size();
        memory_ = {};
    }
    pos_ = 0;
    return end_ != 0;
}

int LineReader::read(std::string& line) {
    line.clear();
    std::size_t stored = 0;
    int status = -1;
    while (!eof_) {
        if (stored == kMaxLine) {
            status = 1;
            break;
        }
        int c = input_.get();
        if (c == EOF) {
            eof_ = true;
            status = -1;
            break;
        }
        if (c == '\n') {
            status = 0;
            break;
        }
        if (c == '\r') continue;
        line.push_back(static_cast<char>(c));
        ++stored;
    }
    if (auto nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    return status;
}

}  // namespace tervan
