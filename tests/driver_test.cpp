#include "conversion/driver.h"

#include <gtest/gtest.h>

#include <functional>

#include "conversion/models.h"
#include "core/printf.h"
#include "test_util.h"

namespace tervan {
namespace {

TEST(OutputBaseName, StripsOnlyTheFileNameExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\data\\job1.gsi", "C:\\data\\job1"},
        {"job1.dat", "job1"},
        {"C:\\data\\job1", "C:\\data\\job1"},
        {".\\data\\job1.dat", ".\\data\\job1"},
        {"C:\\dir.old\\job1", "C:\\dir.old\\job1"},
        {"/home/u/a.b/job.txt", "/home/u/a.b/job"},
        {"/home/u/.hidden", "/home/u/.hidden"},
        {".profile", ".profile"},
        {"a.b.c", "a.b"},
        {"dir/", "dir/"},
        {"", ""},
    };
    for (const auto& [path, base] : cases) EXPECT_EQ(outputBaseName(path), base) << path;
}

TEST(Models, TableHoldsTheFourteenNamesInOrderThenGsiThenTheFieldFormats) {
    const char* names[] = {"Zeiss3303", "Leica1200", "Pentax200Polar", "Pentax200Coordinate", "Pentax300Polar",
                           "Pentax300Coordinate", "Kolida300Polar", "Kolida440", "DNA8", "Dini USB",
                           "Dini BF", "nxyz", "nyxz", "kor", "GSI", "SDR", "NikonRAW", "RW5", "M5",
                           "Geodimeter", "GTS7", "csv"};
    auto table = models();
    ASSERT_EQ(table.size(), std::size(names));
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_STREQ(table[i].name, names[i]);
    EXPECT_EQ(findModel("leica1200"), nullptr);
    EXPECT_EQ(findModel("Leica1200 "), nullptr);
}

TEST(Models, LevelModelsAreThoseWithALevellingRoutine) {
    std::vector<std::string> level;
    for (const ModelEntry& m : models()) {
        EXPECT_NE(m.read == nullptr, m.level == nullptr) << m.name;
        if (isLevelModel(m.name)) level.push_back(m.name);
    }
    EXPECT_EQ(level, (std::vector<std::string>{"DNA8", "Dini USB", "Dini BF"}));
    EXPECT_FALSE(isLevelModel("dna8"));
}

TEST(Convert, UnknownModelEmptiesTheStoreAndKeepsTheMessage) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.Model = "Leica 1200";
    session.store.points.push_back({});
    Result r = test::convertFile(session, dir.file("x.txt"));
    EXPECT_EQ(r.outcome, Outcome::NoReader);
    EXPECT_TRUE(session.store.points.empty());
    EXPECT_TRUE(r.keepMessage);
    EXPECT_EQ(r.summary, "unknown model Leica 1200");
}

TEST(Convert, AnInputThatCannotBeReadWritesNothing) {
    struct Model {
        const char* name;
        const char* example;  // a good input
        const char* output;   // what a good conversion of job1 writes
    } models[] = {
        {"Leica1200", "leica1200.txt", "job1_xyz.txt"},
        {"DNA8", "level.gsi", "job1.dat"},
        {"Dini USB", "dini.txt", "job1_.dat"},
        {"Dini BF", "../tests/data/conversions/dini-bf-seeded-line/input.dat", "job1_.dat"},
    };
    struct Unreadable {
        const char* name;
        std::function<void(const std::string&)> make;
        const char* reason;
    } kinds[] = {
        {"missing", [](const std::string& path) { std::filesystem::remove(path); }, "No such file or directory"},
        // fopen opens a folder on Linux; it reads as an empty file
        {"a folder",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         },
         "it is a folder"},
#ifndef _WIN32
        // opens, and its first read fails
        {"a read that fails",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_symlink("/proc/self/mem", path);
         },
         "Input/output error"},
#endif
    };
    for (const Model& m : models) {
        for (const Unreadable& k : kinds) {
            SCOPED_TRACE(std::string(m.name) + ", " + k.name);
            test::ScratchDir dir;
            Session session = test::quietSession();
            session.settings.Model = m.name;
            session.settings.XyzFile = 1;
            const std::string input = dir.file("job1.txt");
            test::writeFile(input, test::readFile(std::string(TERVAN_EXAMPLES) + "/" + m.example));
            ASSERT_EQ(test::convertFile(session, input).outcome, Outcome::Done);
            const std::string written = test::readFile(dir.file(m.output));
            ASSERT_FALSE(written.empty());
            const std::size_t points = session.store.points.size();

            k.make(input);
            Result r = test::convertFile(session, input);
            EXPECT_EQ(r.outcome, Outcome::CannotRead);
            EXPECT_EQ(r.summary, "cannot read " + input + ": " + k.reason);
            EXPECT_EQ(r.message, r.summary);
            EXPECT_TRUE(r.keepMessage);  // the window goes on showing the last good conversion
            EXPECT_TRUE(r.outputs.empty());
            // the outputs of the last good conversion are kept as they were
            EXPECT_EQ(test::readFile(dir.file(m.output)), written);
            for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
                EXPECT_TRUE(entry.path() == input || entry.path() == dir.file(m.output)) << entry.path();
            EXPECT_EQ(session.store.points.size(), points);
        }
    }
}

TEST(Convert, SummaryCountsLinesAndPoints) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.Model = "Leica1200";
    session.settings.XyzFile = 1;
    std::string input = dir.file("job.txt");
    test::writeFile(input, "P1,1,2,3,0,1.5,10,20,30\r\nnoise\r\nP2,1,2,3,0,1.5,11,21,31\r\n");
    Result r = test::convertFile(session, input);
    EXPECT_EQ(r.summary, "3 lines read, 2 points, 1 lines ignored");
    EXPECT_EQ(session.inputPath, input);
    ASSERT_EQ(r.outputs.size(), 1u);
    EXPECT_EQ(r.outputs[0].path, dir.file("job_xyz.txt"));
    EXPECT_EQ(r.outputs[0].status, OutputStatus::Written);
}

// An input from which the model takes nothing (a letter, an empty file, a
// file of another model) writes nothing: the outputs of the conversion
// before stay as they were, and so do the store and the input path.
TEST(Convert, NothingFoundWritesNothing) {
    struct Case {
        const char* model;
        const char* bytes;
        const char* output;
        const char* said;  // after the path, or before it for "no ..."
    } cases[] = {
        {"Zeiss3303", "Dear colleague,\nhere are\nthe points\nof Monday.\n", "job_xyz.txt",
         "no point of model Zeiss3303 found in %s (4 lines read); nothing written"},
        {"Leica1200", "", "job_xyz.txt", "%s is empty; nothing written"},
        {"DNA8", "Dear colleague,\n", "job.dat", "no levelling row of model DNA8 found in %s (1 lines read); nothing written"},
        {"Dini BF", "", "job_.dat", "%s is empty; nothing written"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        test::ScratchDir dir;
        Session session = test::quietSession();
        session.settings.XyzFile = 1;
        session.settings.Model = "Leica1200";
        const std::string before = dir.file("before.txt");
        test::writeFile(before, "P1,1,2,3,0,1.5,10,20,30\r\n");
        ASSERT_EQ(test::convertFile(session, before).outcome, Outcome::Done);
        const std::string input = dir.file("job.txt");
        test::writeFile(input, c.bytes);
        test::writeFile(dir.file(c.output), "an earlier run's output");
        session.settings.Model = c.model;
        Result r = test::convertFile(session, input);
        EXPECT_EQ(r.outcome, Outcome::NothingFound);
        EXPECT_EQ(r.summary, strf(c.said, input.c_str()));
        EXPECT_TRUE(r.outputs.empty());
        EXPECT_EQ(test::readFile(dir.file(c.output)), "an earlier run's output");
        EXPECT_EQ(session.inputPath, before);
        EXPECT_EQ(session.store.points.size(), 1u);
        std::size_t files = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
        EXPECT_EQ(files, 4u);  // before.txt, before_xyz.txt, job.txt and the earlier output
    }
}

}  // namespace
}  // namespace tervan
