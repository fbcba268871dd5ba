// Every point reader against input no instrument writes: random bytes,
// mutated samples, an endless line, separators only, NUL bytes, an empty
// and a missing file. Nothing may crash or read past a buffer (the
// sanitizer build checks that), and what comes out must stay sane.
#include <gtest/gtest.h>

#include <random>

#include "conversion/models.h"
#include "reader_test_util.h"

namespace tervan {
namespace {

struct Run {
    const ModelEntry* model;
    PointList points;
    Result counts;
};

// Feeds bytes to the reader of every point model.
class AllReaders {
public:
    std::vector<Run> read(const std::string& bytes) {
        std::vector<Run> runs;
        for (const auto& model : models()) {
            if (!model.read) continue;
            test::ReadResult r = test::readBytes(model.read, bytes);
            runs.push_back({&model, std::move(r.points), std::move(r.counts)});
        }
        return runs;
    }
};

void expectSane(const std::vector<Run>& runs, const std::string& bytes, const std::string& what) {
    for (const auto& run : runs) {
        SCOPED_TRACE(what + " with " + run.model->name);
        EXPECT_LE(run.points.size(), bytes.size() + 1);
        EXPECT_GE(run.counts.linesIgnored, 0);
        EXPECT_LE(run.counts.linesRead, static_cast<long>(bytes.size()) + 1);
        for (const auto& p : run.points) {
            ASSERT_LE(std::string_view(p.N).size(), 253u);
            ASSERT_LE(std::string_view(p.SN).size(), 253u);
        }
    }
}

// Characters that mean something to one reader or another, so that random
// input gets past the first test of each rule now and then.
constexpr char kAlphabetText[] =
    "0123456789.+-_?m<U',)(* ;:,\t\r\n\x02\x03\x00 SXYZHzV1thihOmSD#PPDSTSRTHRTVRTDINHPFH02TP03NM08TP09F1";
constexpr std::string_view kAlphabet(kAlphabetText, sizeof kAlphabetText - 1);

std::string randomBytes(std::mt19937& rng, std::size_t size) {
    std::string bytes(size, '\0');
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    const bool biased = rng() % 2 == 0;
    for (auto& c : bytes) c = static_cast<char>(biased && rng() % 4 != 0 ? kAlphabet[pick(rng)] : byte(rng));
    return bytes;
}

std::string mutate(std::string bytes, std::mt19937& rng) {
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = bytes.empty() ? 0 : rng() % bytes.size();
        switch (rng() % 5) {
        case 0:
            if (!bytes.empty()) bytes[at] = static_cast<char>(rng());
            break;
        case 1:
            bytes.insert(at, 1, kAlphabet[rng() % kAlphabet.size()]);
            break;
        case 2:
            bytes.erase(at, rng() % 40);
            break;
        case 3:
            bytes.insert(at, bytes.substr(rng() % (bytes.size() + 1), rng() % 300));
            break;
        case 4:
            bytes.insert(at, std::string(rng() % 600, kAlphabet[rng() % kAlphabet.size()]));
            break;
        }
    }
    return bytes;
}

TEST(ReaderRobustness, RandomBytes) {
    std::mt19937 rng(20260117);
    AllReaders readers;
    for (int i = 0; i < 12; ++i) {
        std::string bytes = randomBytes(rng, 1 + rng() % (256 * 1024));
        expectSane(readers.read(bytes), bytes, "random file " + std::to_string(i));
    }
}

TEST(ReaderRobustness, MutatedSamples) {
    const char* samples[] = {"leica1200.txt",      "zeiss3303.txt",      "pentax200polar.txt", "pentax200coord.txt",
                             "pentax300polar.txt", "pentax300coord.txt", "kolida300.raw",      "kolida440.txt",
                             "points_nxyz.txt",    "points_nyxz.txt",    "survey.kor",         "gsi8.gsi",
                             "gsi16.gsi"};
    std::mt19937 rng(7);
    AllReaders readers;
    for (const char* sample : samples) {
        const std::string original = test::readFile(std::string(TERVAN_EXAMPLES) + "/" + sample);
        ASSERT_FALSE(original.empty()) << sample;
        for (int i = 0; i < 25; ++i) {
            std::string bytes = mutate(original, rng);
            expectSane(readers.read(bytes), bytes, std::string(sample) + " mutation " + std::to_string(i));
        }
    }
}

TEST(ReaderRobustness, EndlessLine) {
    std::mt19937 rng(3);
    std::string bytes;
    bytes.reserve(3 << 20);
    while (bytes.size() < (3u << 20)) {
        char c = kAlphabet[rng() % kAlphabet.size()];
        bytes += c == '\n' ? ' ' : c;
    }
    expectSane(AllReaders().read(bytes), bytes, "3 MB without a line feed");
}

TEST(ReaderRobustness, DegenerateFiles) {
    const std::pair<const char*, std::string> files[] = {
        {"empty", ""},
        {"separators only", std::string(5000, ';') + ",,, \t\t\r\n  \n" + std::string(300, ' ')},
        {"NUL bytes", std::string(70000, '\0')},
        {"NUL bytes between lines", std::string("\0\n\0\0\n\0", 6)},
        {"line feeds only", std::string(10000, '\n')},
    };
    AllReaders readers;
    for (const auto& [name, bytes] : files) {
        auto runs = readers.read(bytes);
        expectSane(runs, bytes, name);
        for (const auto& run : runs) EXPECT_TRUE(run.points.empty()) << name << " with " << run.model->name;
    }
}

}  // namespace
}  // namespace tervan
