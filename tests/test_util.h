// Helpers shared by the test suites: a scratch folder per test, and whole
// files as bytes.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "conversion/driver.h"
#include "conversion/session.h"
#include "levelling/level_job.h"

namespace tervan {

// A name in a test's messages.
inline std::ostream& operator<<(std::ostream& out, Name name) { return out << name.c_str(); }

}  // namespace tervan

namespace tervan::test {

// A fresh empty folder, removed when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // The full path of name (UTF-8) inside the folder.
    std::string file(const std::string& name) const;

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

// A session with the built-in defaults and every output flag cleared.
Session quietSession();

// Converts path as File/Open and "OK" do; the Calc BFFB line prompt is
// answered with bffb.
Result convertFile(Session& session, const std::string& path, const BffbParams& bffb = {});

// The bytes write puts into a fresh output file.
std::string writtenBy(const std::function<void(OutputFile&)>& write);

// Sets SOURCE_DATE_EPOCH, the clock of the LandXML file's date and time.
void fixClock(const char* seconds);

// text with every from replaced by to.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

// A levelling routine run over bytes, its line file in a scratch folder.
struct LevelRun {
    std::string lineFile;
    Result result;
};
LevelRun runLevelRoutine(LevelRoutine routine, const std::string& bytes, Rng rng = {}, const BffbParams& bffb = {});

}  // namespace tervan::test
