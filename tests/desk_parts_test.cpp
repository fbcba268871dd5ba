// The parts of the window logic that stand alone: the grid's cells against
// the observation table's text, the open-file dialog's choices, and where an
// installed program keeps its files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "conversion/observation_table.h"
#include "core/printf.h"
#include "desk/desk.h"
#include "test_util.h"

namespace tervan {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string trimmed(const std::string& s) {
    auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

TEST(DeskGridCells, ShowTheNumbersOfTheObservationTable) {
    PointStore store;
    Rng rng;
    for (int i = 0; i < 500; ++i) {
        auto value = [&rng](double scale) { return (rng.draw() - 16383.5) * scale; };
        const std::string station = strf("S%d", i / 7), name = strf("\x8D%d", i);
        appendPoint(store, {.isStation = i % 7 == 0,
                            .faceTwo = i % 5 == 0,
                            .SN = station,
                            .N = name,
                            .X = value(300.123457),
                            .Y = value(-0.0005),
                            .Z = value(0.01),
                            .IH = value(0.0001),
                            .TH = value(0.0001),
                            .V = value(0.006),
                            .H = value(0.02),
                            .SD = value(0.1),
                            .Om = value(0.024)});
    }
    std::string text;
    buildObservationTable(text, "x", store.points);
    // Each line of the text ends with the marker of the next row.
    std::vector<std::string> lines = split(text, '\n');
    desk::PointTable table(store);
    ASSERT_EQ(table.rows(), store.points.size());
    for (std::size_t row = 0; row < table.rows(); ++row) {
        std::string line = lines[row + 3];
        if (row + 1 < table.rows()) line = line.substr(0, line.size() - 4);  // "  *\r" or "   \r"
        std::vector<std::string> fields = split(line, '\t');
        ASSERT_EQ(fields.size(), 11u) << line;
        for (std::size_t c = 0; c < fields.size(); ++c)
            EXPECT_EQ(table.cell(row, c + 1), trimmed(fields[c])) << "row " << row << " column " << c + 1;
        const Point& p = store.points[row];
        EXPECT_EQ(table.cell(row, 0), std::string(p.isStation ? "*" : "") + (p.isStation && p.faceTwo ? " " : "") +
                                          (p.faceTwo ? "II" : ""));
    }
    EXPECT_EQ(table.cell(table.rows(), 1), "");

    // a line of titles, then the rows in the order asked for, cells between
    // tabs, each line ended by a line feed
    const std::size_t rows[] = {3, 0};
    std::vector<std::string> copied = split(desk::copyRows(table, rows), '\n');
    ASSERT_EQ(copied.size(), 4u);
    EXPECT_EQ(copied[0], "\tSN\tIH [m]\tN\tTH [m]\tH [gon]\tV [gon]\tSD [m]\tX [m]\tY [m]\tZ [m]\tOm [gon]\tXYZ");
    EXPECT_EQ(copied[3], "");
    std::vector<std::string> first = split(copied[1], '\t'), second = split(copied[2], '\t');
    ASSERT_EQ(first.size(), 13u);
    EXPECT_EQ(first[0], "");
    EXPECT_EQ(first[3], "\x8D" "3");
    EXPECT_EQ(first[11], table.cell(3, 11));
    EXPECT_EQ(second[0], "* II");
}

// The Code column stands after N once any record has a code; the other
// columns keep their cells.
TEST(DeskGrid, CodeColumnWhenAnyRecordHasACode) {
    PointStore store;
    appendPoint(store, {.N = "1", .TH = 1.5});
    desk::PointTable table(store);
    EXPECT_EQ(table.columns().size(), 13u);
    appendPoint(store, {.N = "2", .code = "TREE", .TH = 1.25});
    EXPECT_EQ(table.columns().size(), 13u);  // until the table is refreshed
    table.refresh();
    ASSERT_EQ(table.columns().size(), 14u);
    EXPECT_STREQ(table.columns()[3].title, "N");
    EXPECT_STREQ(table.columns()[4].title, "Code");
    EXPECT_STREQ(table.columns()[5].title, "TH [m]");
    EXPECT_EQ(table.cell(1, 4), "TREE");
    EXPECT_EQ(table.cell(1, 5), "1.250");
    EXPECT_EQ(table.cell(0, 4), "");
    const std::size_t rows[] = {1};
    const std::string copied = desk::copyRows(table, rows);  // a line of titles, then the row
    EXPECT_EQ(split(copied.substr(copied.find('\n') + 1), '\t')[4], "TREE");
}

// A long table is measured at either end, a short one whole.
TEST(DeskGridCells, RowsMeasuredForTheColumnWidths) {
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0}, {5, 5}, {200, 200}, {201, 200}, {1000000, 200}};
    for (const auto& [rows, measured] : cases) {
        const std::vector<std::size_t> r = desk::measuredRows(rows);
        EXPECT_EQ(r.size(), measured) << rows;
        if (r.empty()) continue;
        EXPECT_EQ(r.front(), 0u);
        EXPECT_EQ(r.back(), rows - 1);
        EXPECT_TRUE(std::is_sorted(r.begin(), r.end()));
    }
}

// A record without coordinates leaves its X, Y and Z cells empty; a sort
// puts numbers in their order (empty cells last either way) and names with
// their numbers in theirs; a find names the next row first, then the next
// that contains the text.
TEST(DeskGridCells, EmptyCoordinatesSortAndFind) {
    PointStore store;
    appendPoint(store, {.isStation = true, .SN = "S1", .N = "S1"});
    appendPoint(store, {.SN = "S1", .N = "P10", .X = 5, .Y = -2, .Z = 0, .SD = 10});
    appendPoint(store, {.SN = "S1", .N = "p2", .X = -3, .Y = 1, .Z = 7, .SD = 30});
    appendPoint(store, {.SN = "S1", .N = "P2a", .X = 0, .Y = 0, .Z = 0.0005, .SD = 20});
    const desk::PointTable table(store);
    EXPECT_EQ(table.cell(0, 8) + table.cell(0, 9) + table.cell(0, 10), "");
    EXPECT_EQ(table.cell(0, 7), "0.000");  // the distance is a value, even at zero
    EXPECT_EQ(table.cell(1, 10), "0.000");  // a height of zero on a point that has coordinates
    EXPECT_EQ(table.cell(3, 8), "0.000");

    desk::SortedTable sorted(table);
    struct Case {
        std::size_t column;
        bool ascending;
        std::vector<std::size_t> order;  // the table's rows shown, top down
    };
    const Case cases[] = {
        {3, true, {2, 3, 1, 0}},    // N: p2, P2a, P10, S1
        {8, true, {2, 3, 1, 0}},    // X: -3, 0, 5, then the record without coordinates
        {8, false, {1, 3, 2, 0}},   // descending, still the empty cell last
        {7, false, {2, 3, 1, 0}},   // SD
    };
    for (const Case& c : cases) {
        sorted.sortBy(c.column, c.ascending);
        std::vector<std::size_t> order;
        for (std::size_t row = 0; row < sorted.rows(); ++row) {
            order.push_back(sorted.tableRow(row));
            EXPECT_EQ(sorted.rowOf(sorted.tableRow(row)), row);
            EXPECT_EQ(sorted.cell(row, 3), table.cell(sorted.tableRow(row), 3));
        }
        EXPECT_EQ(order, c.order) << "column " << c.column;
    }
    sorted.unsort();
    EXPECT_EQ(sorted.tableRow(2), 2u);
    EXPECT_EQ(sorted.sortColumn(), desk::SortedTable::kNone);

    constexpr std::size_t kNone = desk::SortedTable::kNone;
    EXPECT_EQ(desk::findRow(table, 3, "P2a", kNone), 3u);
    EXPECT_EQ(desk::findRow(table, 3, "p2", kNone), 2u);  // the name itself before one that contains it
    EXPECT_EQ(desk::findRow(table, 3, "P2", kNone), 2u);  // no P2: p2 contains it, letters of either case alike
    EXPECT_EQ(desk::findRow(table, 3, "P2", 2), 3u);      // the next one after row 2
    EXPECT_EQ(desk::findRow(table, 3, "S1", 0), 0u);      // going round
    EXPECT_EQ(desk::findRow(table, 3, "Q", kNone), kNone);
}

TEST(DeskOpenFile, InstrumentFilesFirstAndNotOurOwnOutputs) {
    std::vector<desk::FileFilter> filters = desk::inputFilters();
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].patterns.front(), "*.gsi");
    EXPECT_EQ(filters[1].name, "All files");
    // The folder holds job.txt and points.kor, with the outputs of job.txt.
    auto besideIt = [](const std::string& name) { return name == "job.txt" || name == "points.kor"; };
    const std::pair<const char*, bool> names[] = {
        {"job.txt", true},        {"job.gsi", true},        {"line.dat", true},      {"line_.dat", true},
        {"points.kor", true},     {"job.kor", false},       {"job_nxyz.txt", false}, {"job_nyxz.txt", false},
        {"job_xyz.txt", false},   {"job_tras.dat", false},  {"job_3d.dxf", false},   {"job_2d.dxf", false},
        {"job_names.scr", false},  {"job.csv", false},       {"points.csv", true},
        {"_nxyz.txt", true},  // nothing before the suffix: not one of ours
    };
    for (const auto& [name, offered] : names) EXPECT_EQ(desk::offeredAsInput(name, besideIt), offered) << name;
    // Every model's files are shown: the inputs of the golden conversions.
    const std::vector<std::string>& shown = filters[0].patterns;
    for (const auto& folder : std::filesystem::directory_iterator(test::dataPath("conversions")))
        for (const auto& file : std::filesystem::directory_iterator(folder.path()))
            if (file.path().stem() == "input") {
                EXPECT_NE(std::find(shown.begin(), shown.end(), "*" + file.path().extension().string()), shown.end())
                    << file.path().filename();
            }
}

TEST(SessionFolders, OnWindowsTheProfileAndProgramFiles) {
    UserFolders user = windowsUserFolders("C:\\Users\\ana\\AppData\\Roaming", "C:\\Users\\ana\\AppData\\Local");
    EXPECT_EQ(user.config, "C:\\Users\\ana\\AppData\\Roaming\\Tervan\\");
    EXPECT_EQ(user.data, "C:\\Users\\ana\\AppData\\Local\\Tervan\\");
    EXPECT_EQ(windowsUserFolders("R:", "").data, "R:\\Tervan\\");
    EXPECT_TRUE(windowsUserFolders("", "L:").config.empty());

    const std::vector<std::string> roots = {"C:\\Program Files", "", "C:\\Program Files (x86)\\"};
    const std::pair<const char*, bool> folders[] = {
        {"C:\\Program Files\\Tervan\\", true},
        {"c:/PROGRAM FILES/Tervan/", true},
        {"C:\\Program Files (x86)\\Tervan\\", true},
        {"C:\\Program Files Old\\Tervan\\", false},  // a name that only begins alike
        {"D:\\Tools\\Tervan\\", false},
        {"", false},
    };
    for (const auto& [folder, inside] : folders) EXPECT_EQ(insideAnyOf(folder, roots), inside) << folder;
}

TEST(SessionFolders, AnInstalledProgramKeepsItsFilesInTheUsersFolders) {
    test::ScratchDir dir;
    const std::string program = dir.file("program") + "/", home = dir.file("home");
    std::filesystem::create_directories(program);
    test::writeFile(program + "Tervan.ini", "[Model]\r\nModel=kor\r\n\r\n[KorHeader]\r\nLine1=ours\r\n");
    test::writeFile(program + "dxf_header.txt", "0\n");

    UserFolders none = userFolders(nullptr, nullptr, nullptr);
    EXPECT_TRUE(none.config.empty());
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    UserFolders user = userFolders("", "relative/data", home.c_str());
    EXPECT_EQ(user.config, home + "/.config" + sep + "tervan" + sep);
    EXPECT_EQ(user.data, home + "/.local/share" + sep + "tervan" + sep);
    const std::string xdg = dir.file("xdg");
    EXPECT_EQ(userFolders(xdg.c_str(), nullptr, home.c_str()).config, xdg + sep + "tervan" + sep);

    Session session;
    setProgramFolder(session, program);
    useUserFolders(session, user);
    EXPECT_EQ(session.iniPath, user.config + "Tervan.ini");
    EXPECT_EQ(session.logFolder, user.data + "Log" + sep);
    EXPECT_EQ(session.dxfHeaderPath, program + "dxf_header.txt");
    // read from beside the program until the user has a file of their own
    EXPECT_EQ(settingsToRead(session), program + "Tervan.ini");
    session.settings.Model = "nxyz";
    ASSERT_TRUE(prepareSettingsFile(session));
    ASSERT_TRUE(saveSettingsAfterDialog(session.settings, session.iniPath));
    EXPECT_EQ(settingsToRead(session), session.iniPath);
    const std::string saved = test::readFile(session.iniPath);
    EXPECT_NE(saved.find("Model=nxyz"), std::string::npos);
    EXPECT_NE(saved.find("Line1=ours"), std::string::npos);
    EXPECT_EQ(test::readFile(program + "Tervan.ini").find("nxyz"), std::string::npos);
    // the user's DXF header comes first
    test::writeFile(user.config + "dxf_header.txt", "0\n");
    useUserFolders(session, user);
    EXPECT_EQ(session.dxfHeaderPath, user.config + "dxf_header.txt");

    // a program folder that can be written keeps the portable layout
    Session portable;
    placeProgramFiles(portable, program);
    EXPECT_EQ(portable.iniPath, program + "Tervan.ini");
    EXPECT_TRUE(portable.iniDefaults.empty());
}

}  // namespace
}  // namespace tervan
