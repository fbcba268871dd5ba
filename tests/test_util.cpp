#include "test_util.h"

#include <cstdio>
#include <cstdlib>
#include <random>

#include "conversion/prompts.h"
#include "core/files.h"
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

std::string ScratchDir::file(const std::string& name) const { return utf8Path(path_ / fsPath(name)); }

std::string readFile(const std::string& path) {
    std::string bytes;
    std::FILE* f = openFile(path, "rb");
    if (!f) return bytes;
    char buffer[1 << 14];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, f)) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = openFile(path, "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(fsPath(path), ec);
}

std::string crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string dataPath(const std::string& relative) { return std::string(TERVAN_TEST_DATA) + "/" + relative; }

Session quietSession() {
    Session session;
    for (const auto& key : settingKeys())
        if (key.kind == KeyKind::Flag && std::string(key.key).find("File") != std::string::npos)
            session.settings.*key.flag = 0;
    return session;
}

Result convertFile(Session& session, const std::string& path, const BffbParams& bffb) {
    FixedPrompts prompts;
    prompts.bffb = bffb;
    return convert(session, path, prompts);
}

std::string writtenBy(const std::function<void(OutputFile&)>& write) {
    ScratchDir dir;
    OutputFile out;
    if (!out.create(dir.file("out"))) return "(not created)";
    write(out);
    out.close();
    return readFile(dir.file("out"));
}

void fixClock(const char* seconds) {
#ifdef _WIN32
    _putenv_s("SOURCE_DATE_EPOCH", seconds);
#else
    setenv("SOURCE_DATE_EPOCH", seconds, 1);
#endif
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

LevelRun runLevelRoutine(LevelRoutine routine, const std::string& bytes, Rng rng, const BffbParams& bffb) {
    ScratchDir dir;
    Input input(bytes);
    OutputFile out;
    out.create(dir.file("line.dat"));
    LevelRun run;
    LevelJob job{.input = input, .lineFile = out, .result = run.result, .inputPath = "", .rng = rng, .bffb = bffb};
    routine(job);
    out.close();
    run.lineFile = readFile(dir.file("line.dat"));
    return run;
}

}  // namespace tervan::test
