// Helpers shared by the test suites: a scratch folder per test, and whole
// files as bytes.
#pragma once

#include <filesystem>
#include <string>

#include "core/program.h"

namespace tervan::test {

// A fresh empty folder, removed when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The full path of name inside the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

// Line feeds of text turned into CR LF, as the output files have them.
std::string crlf(const std::string& text);

// Path of a file under tests/data.
std::string dataPath(const std::string& relative);

// A program with the built-in defaults and every output flag cleared.
Program quietProgram();

}  // namespace tervan::test
