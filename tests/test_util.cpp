#include "test_util.h"

#include <fstream>
#include <iterator>
#include <random>

#include "core/settings.h"

namespace tervan::test {

ScratchDir::ScratchDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("tervan-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool fileExists(const std::string& path) { return std::filesystem::exists(path); }

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string dataPath(const std::string& relative) { return std::string(TERVAN_TEST_DATA) + "/" + relative; }

Program quietProgram() {
    Program program;
    for (const auto& key : settingKeys())
        if (key.kind == KeyKind::Flag && key.controlId != 0 && std::string(key.key).find("File") != std::string::npos)
            program.settings.*key.flag = 0;
    return program;
}

}  // namespace tervan::test
