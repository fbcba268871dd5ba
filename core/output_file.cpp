#include "core/output_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string_view>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "core/files.h"
#include "core/printf.h"

namespace tervan {
namespace {

std::string injectedFailure;

bool failureInjected(const std::string& path) { return !injectedFailure.empty() && path.ends_with(injectedFailure); }

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

}  // namespace

void injectWriteFailure(const std::string& suffix) { injectedFailure = suffix; }

OutputFile::~OutputFile() {
    close();
    discard();
}

bool OutputFile::create(const std::string& path) {
    staged_ = false;
    return openTemporary(path);
}

bool OutputFile::stage(const std::string& path) {
    staged_ = true;
    return openTemporary(path);
}

bool OutputFile::append(const std::string& path) {
    staged_ = false;
    return open(path, "ab");
}

bool OutputFile::open(const std::string& path, const char* mode) {
    close();
    discard();
    failed_ = false;
    error_.clear();
    path_ = path;
    file_ = openFile(path, mode);
    if (!file_) {
        // Windows says "Permission denied" for a folder in the way.
        fail(errno == EACCES && isFolder(path) ? EISDIR : errno);
        return false;
    }
    startBlocks();
    return true;
}

void OutputFile::startBlocks() {
    // The blocks are large already: no second buffer on the way.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (!block_) block_ = std::make_unique_for_overwrite<char[]>(kBlock);
    used_ = 0;
    roundingKnown_ = false;
}

// The temporary file is named after its output, with the process and a
// count, so that runs side by side never take each other's; one left by a
// crash is not mistaken for an output.
bool OutputFile::openTemporary(const std::string& path) {
    close();
    discard();
    failed_ = false;
    error_.clear();
    path_ = path;
    static std::atomic<unsigned> count{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = strf("%s.%d-%u.tervan-tmp", path.c_str(), processId(), count++);
        file_ = createNewFile(name);
        if (file_) {
            temporary_ = std::move(name);
            startBlocks();
            return true;
        }
        if (errno != EEXIST) break;
    }
    fail(errno);
    return false;
}

void OutputFile::fail(int error) {
    if (failed_) return;
    failed_ = true;
    error_ = std::strerror(error);
}

void OutputFile::print(const char* fmt, ...) {
    scratch_.clear();
    va_list args;
    va_start(args, fmt);
    vappendf(scratch_, fmt, args);
    va_end(args);
    write(scratch_);
}

void OutputFile::write(std::string_view text) {
    if (!file_) return;
    // Each byte takes at most two in the block.
    while (!text.empty()) {
        if (kBlock - used_ < 2) flush();
        const std::size_t take = std::min(text.size(), (kBlock - used_) / 2);
        char* p = block_.get() + used_;
        for (char ch : text.substr(0, take)) {
            if (ch == '\n') *p++ = '\r';
            *p++ = ch;
        }
        used_ = static_cast<std::size_t>(p - block_.get());
        text.remove_prefix(take);
    }
}

void OutputFile::writeBytes(std::string_view bytes) {
    if (!file_ || bytes.empty()) return;
    if (kBlock - used_ >= bytes.size()) {
        std::memcpy(block_.get() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
        return;
    }
    flush();
    writeBlock(bytes);
}

void OutputFile::writeBlock(std::string_view bytes) {
    if (!file_ || bytes.empty()) return;
    if (failureInjected(path_)) fail(ENOSPC);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) fail(errno);
}

void OutputFile::flush() {
    writeBlock({block_.get(), used_});
    used_ = 0;
}

bool OutputFile::close() {
    if (!file_) return !failed_;
    flush();
    if (failureInjected(path_)) fail(ENOSPC);
    if (std::fflush(file_) != 0) fail(errno);
    if (std::fclose(file_) != 0) fail(errno);
    file_ = nullptr;
    if (failed_) {
        discard();
    } else if (!staged_) {
        return commit();
    }
    return !failed_;
}

bool OutputFile::commit() {
    if (temporary_.empty() || file_) return !failed_ && !file_;
    if (!replaceFile(temporary_, path_)) {
        // Windows says "Permission denied" for a folder in the way.
        fail(errno == EACCES && isFolder(path_) ? EISDIR : errno != 0 ? errno : EACCES);
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void OutputFile::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (temporary_.empty()) return;
    removeFile(temporary_);
    temporary_.clear();
}

namespace {

bool writeWhole(OutputFile& out, bool opened, std::string_view text, std::string* error) {
    bool ok = opened;
    if (ok) {
        out.write(text);
        ok = out.close();
    }
    if (!ok && error) *error = out.errorText();
    return ok;
}

}  // namespace

bool writeTextFile(const std::string& path, std::string_view text, std::string* error) {
    OutputFile out;
    return writeWhole(out, out.create(path), text, error);
}

bool appendTextFile(const std::string& path, std::string_view text, std::string* error) {
    OutputFile out;
    return writeWhole(out, out.append(path), text, error);
}

}  // namespace tervan
