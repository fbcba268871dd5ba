#include "writer_cases.h"

#include <gtest/gtest.h>

#include <set>

#include "core/numbers.h"
#include "core/settings.h"
#include "test_util.h"
#include "conversion/output_set.h"

namespace tervan::test {
namespace {

std::vector<std::string> splitSemicolons(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ';')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

void loadPoints(PointStore& store, const std::string& path) {
    std::string text = readFile(path);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        auto f = splitSemicolons(text.substr(start, end - start));
        start = end + 1;
        ASSERT_EQ(f.size(), 11u) << path;
        appendPoint(store, {.isStation = toInteger(f[0]) != 0, .faceTwo = false, .SN = f[1], .N = f[2],
                            .X = toNumber(f[3]), .Y = toNumber(f[4]), .Z = toNumber(f[5]), .IH = toNumber(f[6]),
                            .TH = toNumber(f[7]), .V = toNumber(f[8]), .H = toNumber(f[9]), .SD = toNumber(f[10]),
                            .Om = 0});
    }
}

std::set<std::string> outputFiles(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with("job")) names.insert(name);
    }
    return names;
}

}  // namespace

void checkWriterCase(const std::string& name) {
    SCOPED_TRACE("case " + name);
    const std::filesystem::path folder = dataPath("writers/" + name);
    ScratchDir dir;
    Session session;
    loadSettings(session.settings, (folder / "settings.ini").string());
    session.dxfHeaderPath = (folder / "header.txt").string();
    session.inputPath = dir.file("job.txt");
    loadPoints(session.store, (folder / "points.txt").string());
    applyOffsets(session.store, session.settings);
    Result result;
    writeOutputs(session, dir.file("job"), result);
    EXPECT_FALSE(result.outputFailed()) << result.message;

    const auto expected = outputFiles(folder);
    EXPECT_EQ(outputFiles(dir.path()), expected);
    for (const auto& file : expected)
        EXPECT_EQ(readFile(dir.file(file)), readFile((folder / file).string())) << file;
}

}  // namespace tervan::test
