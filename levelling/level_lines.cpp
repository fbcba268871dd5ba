#include "levelling/level_lines.h"

#include "core/numbers.h"
#include "core/printf.h"
#include "core/text.h"
#include "levelling/level_rows.h"

namespace tervan {
namespace {

// DNA8 rows: the file form, then the message text form.
constexpr const char* kDnaStartFile = "\n%7d Start-Line         BF%6d";
constexpr const char* kDnaStartText = "\r\r\n%7d\tStart-Line\t\tBF\t%3d";
constexpr const char* kDnaHeightFile = "\n%7d%s%19d                                Z%10.5f";
constexpr const char* kDnaStartHeightText = "\r\r\n%7d\t%s\t\t\t%3d\t\t\t\tZ\t%10.5f";
constexpr const char* kDnaHeightText = "\r\r\n%7d\t%s\t\t%3d\t\t\t\t\tZ\t%10.5f";
constexpr const char* kDnaBackFile = "\n%7d%s%15d%4d Rb%12.5f HD%13.3f";
constexpr const char* kDnaBackText = "\r\r\n%7d\t%s\t\t%3d\t%3d Rb\t%10.5f HD\t%10.3f";
constexpr const char* kDnaForeFile = "\n%7d%s%15d%4d Rf%12.5f HD%13.3f";
constexpr const char* kDnaForeText = "\r\r\n%7d\t%s\t\t%3d\t%3d Rf\t%10.5f HD\t%10.3f";
constexpr const char* kDnaSumFile = "\n%7d%s%19d Sh%12.5f dz%13.5f Z   0.00000";
constexpr const char* kDnaSumText = "\r\r\n%7d\t%s\t\t\t%3d Sh\t%10.5f\tdz\t%10.5f\tZ\t   0.00000";
constexpr const char* kDnaDistFile = "\n%7d%s%9d%10d Db%12.3f Df%13.3f Z%10.5f";
constexpr const char* kDnaDistText = "\r\r\n%7d\t%s\t\t%3d\t%3d Db\t%10.3f\tDf\t%10.3f\tZ\t%10.5f";
constexpr const char* kDnaEndFile = "\n%7d End-Line%19d";
constexpr const char* kDnaEndText = "\r\r\n%7d\tEnd-Line\t\t\t%3d";

// Dini USB rows.
constexpr const char* kDiniHeaderFile = "\n%7d %s";
constexpr const char* kDiniHeaderText = "\r\r\n%7d\t%s";
constexpr const char* kDiniDataFile = "\n%7d %s%9d%s %s%s%s%s%s%s";
constexpr const char* kDiniSumFile = "\n%7d %s%9s%s %s%s%s%s%s%s";
constexpr const char* kDiniDataText = "\r\r\n%7d\t%s\t\t3 %s\t%s\t%s\t%s %s\t%s\t%s";

constexpr double kGsiUnit = 0.00001;  // GSI values are in 0.01 mm

void startMessage(LevelJob& job) {
    std::string& text = job.result.message;
    text.clear();
    text += '<';
    text += job.inputPath;
    text += ">\r\r\n";
}

// The word 1 value with its leading run of "+" and "0" blanked: +00001234
// becomes five blanks and 1234, so the name keeps its nine columns.
std::string recordName(std::string_view value) {
    std::string name(value);
    for (char& c : name) {
        if (c != '+' && c != '0') break;
        c = ' ';
    }
    return name;
}

// The fields of a DNA8 record. A GSI-8 line has its words at fixed
// columns, 16 characters each; a GSI-16 line starts with "*" and has words
// of 24 characters, whose values are read as their GSI-8 twins: a value
// whose first eight digits are zeros is the sign and its last eight digits,
// so both give the same rows (a longer value is taken whole).
struct Dna8Fields {
    std::string_view line;
    bool gsi16 = false;

    explicit Dna8Fields(std::string_view l) : line(l), gsi16(!l.empty() && l[0] == '*') {}

    // Characters first..last of word (counted from 1 within the word).
    std::string_view inWord(int word, std::size_t first, std::size_t last) const {
        const std::size_t base = gsi16 ? 1 + (word - 1) * 24 : (word - 1) * 16;
        return columns(line, base + first, base + last);
    }
    std::string_view index2(int word) const { return inWord(word, 1, 2); }
    std::string_view index3(int word) const { return inWord(word, 1, 3); }
    std::string value(int word) const {
        if (!gsi16) return std::string(inWord(word, 7, 15));
        const std::string_view v = inWord(word, 7, 23);
        if (v.size() == 17 && v.substr(1, 8) == "00000000") return std::string(v.substr(0, 1)) + std::string(v.substr(9));
        return std::string(v);
    }
};

std::string trimmed(std::string_view name) {
    const auto first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(name.substr(first, name.find_last_not_of(' ') - first + 1));
}

// The points of the lines, as the rows meet them: the start point, the fore
// point of every set-up (its height from the height row after it, else from
// the readings) and the intermediate sights with their own heights. A line
// without a start height takes the first height the level gives for the
// points before it.
struct LinePoints {
    std::vector<LevelLine>& lines;
    LevelLine current;
    double along = 0;      // distance of the last turning point from the start
    double backAt = 0;     // distance of the set-up's back point
    double backSight = 0;  // the set-up's back distance
    double backReading = 0;
    double turnHeight = 0;  // height of the last turning point
    double intermediateDistance = 0;
    bool heightGiven = false;  // the level gave a height in this line

    void startLine(int number) {
        finish();
        current = {.number = number};
        along = backAt = backSight = backReading = turnHeight = 0;
        heightGiven = false;
    }
    void startHeight(std::string_view name, double height) {
        const int number = current.number;
        current = {.number = number, .startHeightGiven = true};
        current.points.push_back({.name = trimmed(name), .height = height});
        along = backAt = backSight = backReading = 0;
        turnHeight = height;
        heightGiven = true;
    }
    void back(std::string_view name, double reading, double distance) {
        if (current.points.empty()) current.points.push_back({.name = trimmed(name), .height = turnHeight});
        backAt = along;
        backSight = distance;
        backReading = reading;
    }
    void fore(std::string_view name, double reading, double distance) {
        along += backSight + distance;
        current.length += backSight + distance;
        ++current.setUps;
        turnHeight += backReading - reading;
        backSight = backReading = 0;
        current.points.push_back(
            {.name = trimmed(name), .distance = along, .height = turnHeight, .correctedAt = along});
    }
    // The level's own height of the point just sighted.
    void height(std::string_view name, double value) {
        if (!current.points.empty() && current.points.size() > 1 && !current.points.back().intermediate &&
            current.points.back().name == trimmed(name)) {
            if (!heightGiven)
                for (LevelPoint& p : current.points) p.height += value - current.points.back().height;
            current.points.back().height = turnHeight = value;
            heightGiven = true;
        }
    }
    void intermediate(std::string_view name, double value) {
        if (current.points.empty()) return;
        current.points.push_back({.name = trimmed(name),
                                  .distance = backAt + intermediateDistance,
                                  .height = value,
                                  .correctedAt = backAt,
                                  .intermediate = true});
    }
    // A line is kept when it has a point besides its start; the readings
    // before the first line start only when they begin with a start height.
    void finish() {
        if (current.points.size() > 1 && (current.number > 0 || current.startHeightGiven))
            lines.push_back(std::move(current));
        current = {};
    }
};

struct Dna8Line {
    OutputFile& out;
    std::string& text;
    Result& counts;
    LinePoints points;
    int row = 1;
    int line = 0;
    std::string name = "         ";
    double startHeight = 0;
    double height = 0;
    double readingSum = 0;
    double backDistance = 0;
    double foreDistance = 0;
    int foreSights = 0;
    // The line before was an intermediate sight (word 3 index 333).
    bool intermediateBefore = false;

    void close() {
        double dz = startHeight - height;
        out.print(kDnaSumFile, row, name.c_str(), line, readingSum, dz);
        appendf(text, kDnaSumText, row, name.c_str(), line, readingSum, dz);
        addLevelRow(counts, {strf("%d", row), name, "", strf("%d", line), "Sh", strf("%.5f", readingSum), "dz",
                             strf("%.5f", dz), "Z", "0.00000"});
        ++row;
        out.print(kDnaDistFile, row, name.c_str(), foreSights, line, backDistance, foreDistance, height);
        appendf(text, kDnaDistText, row, name.c_str(), foreSights, line, backDistance, foreDistance, height);
        addLevelRow(counts, {strf("%d", row), name, strf("%d", foreSights), strf("%d", line), "Db",
                             strf("%.3f", backDistance), "Df", strf("%.3f", foreDistance), "Z", strf("%.5f", height)});
        ++row;
        out.print(kDnaEndFile, row, line);
        appendf(text, kDnaEndText, row, line);
        addLevelRow(counts, {strf("%d", row), "End-Line", "", strf("%d", line)});
        ++row;
        counts.rowsWritten += 3;
    }

    void heightRow(const std::string& rowName, double rowHeight) {
        addLevelRow(counts,
                    {strf("%d", row), rowName, "", strf("%d", line), "", "", "", "", "Z", strf("%.5f", rowHeight)});
    }

    void reading(const Dna8Fields& f, bool back) {
        name = recordName(f.value(1));
        int code = toInteger(f.value(4));
        double value = toNumber(f.value(3)) * kGsiUnit;
        double distance = toNumber(f.value(2)) * kGsiUnit;
        if (back) {
            readingSum += value;
            backDistance += distance;
            points.back(name, value, distance);
        } else {
            readingSum -= value;
            foreDistance += distance;
            ++foreSights;
            points.fore(name, value, distance);
        }
        out.print(back ? kDnaBackFile : kDnaForeFile, row, name.c_str(), code, line, value, distance);
        appendf(text, back ? kDnaBackText : kDnaForeText, row, name.c_str(), code, line, value, distance);
        addLevelRow(counts, {strf("%d", row), name, strf("%d", code), strf("%d", line), back ? "Rb" : "Rf",
                             strf("%.5f", value), "HD", strf("%.3f", distance)});
        ++row;
        ++counts.rowsWritten;
    }

    // One input line; false when it matched no case.
    bool take(std::string_view l) {
        const Dna8Fields f(l);
        const bool followsIntermediate = intermediateBefore;
        intermediateBefore = f.index3(3) == "333";
        if (intermediateBefore) points.intermediateDistance = toNumber(f.value(2)) * kGsiUnit;
        if (f.value(1) == "+?......1") {
            if (line > 0) close();
            ++line;
            points.startLine(line);
            out.print(kDnaStartFile, row, line);
            appendf(text, kDnaStartText, row, line);
            addLevelRow(counts, {strf("%d", row), "Start-Line", "", strf("%d", line), "BF"});
        } else if (f.index2(2) == "83" && followsIntermediate) {
            // The level's own height of an intermediate sight: shown like a
            // start height, but the line's sums, heights and name go on.
            std::string own = recordName(f.value(1));
            double sighted = toNumber(f.value(2)) * kGsiUnit;
            out.print(kDnaHeightFile, row, own.c_str(), line, sighted);
            appendf(text, kDnaStartHeightText, row, own.c_str(), line, sighted);
            heightRow(own, sighted);
            points.intermediate(own, sighted);
        } else if (f.index2(2) == "83") {
            name = recordName(f.value(1));
            startHeight = height = toNumber(f.value(2)) * kGsiUnit;
            readingSum = backDistance = foreDistance = 0;
            foreSights = 0;
            points.startHeight(name, height);
            out.print(kDnaHeightFile, row, name.c_str(), line, height);
            appendf(text, kDnaStartHeightText, row, name.c_str(), line, height);
            heightRow(name, height);
        } else if (f.index3(3) == "331" || f.index3(3) == "332") {
            reading(f, f.index3(3) == "331");
            return true;
        } else if (f.index2(4) == "83") {
            name = recordName(f.value(1));
            height = toNumber(f.value(4)) * kGsiUnit;
            points.height(name, height);
            out.print(kDnaHeightFile, row, name.c_str(), line, height);
            appendf(text, kDnaHeightText, row, name.c_str(), line, height);
            heightRow(name, height);
        } else {
            return false;
        }
        ++row;
        ++counts.rowsWritten;
        return true;
    }
};

}  // namespace

void reduceDna8(LevelJob& job) {
    startMessage(job);
    Dna8Line state{.out = job.lineFile, .text = job.result.message, .counts = job.result, .points = {job.lines}};
    forEachLine(job.input, job.result, [&](std::string_view line) { return state.take(line); });
    state.close();
    state.points.finish();
}

void reduceDiniUsb(LevelJob& job) {
    startMessage(job);
    OutputFile& out = job.lineFile;
    std::string& text = job.result.message;
    int row = 1;
    std::string lineNumber = "    ";
    LinePoints points{job.lines};
    forEachLine(job.input, job.result, [&](std::string_view line) {
        std::string name(columns(line, 22, 35));
        std::string tag1(columns(line, 50, 51));
        std::string value1(columns(line, 52, 67));
        std::string tag2(columns(line, 73, 75));
        std::string value2(columns(line, 76, 90));
        std::string tag3(columns(line, 96, 96));
        std::string value3(columns(line, 97, 112));
        std::string shortName(name.substr(0, 8));
        if (name == "Start-Line    " || name == "End-Line      ") {
            std::string header(line.size() >= 48 ? columns(line, 22, 48) : lastChars(line, 27));
            lineNumber = lastChars(header, 4);
            if (name == "Start-Line    ") points.startLine(toInteger(lineNumber));
            out.print(kDiniHeaderFile, row, header.c_str());
            appendf(text, kDiniHeaderText, row, header.c_str());
            addLevelRow(job.result, {strf("%d", row), header});
        } else if (tag1 == "Rb" || tag1 == "Rf" || tag1 == "Db" || (tag1 == "  " && tag3 == "Z")) {
            out.print(kDiniDataFile, row, name.c_str(), 3, lineNumber.c_str(), tag1.c_str(),
                      std::string(lastChars(value1, 13)).c_str(), tag2.c_str(),
                      std::string(lastChars(value2, 13)).c_str(), tag3.c_str(),
                      std::string(lastChars(value3, 10)).c_str());
            appendf(text, kDiniDataText, row, shortName.c_str(), lineNumber.c_str(), tag1.c_str(), value1.c_str(),
                    tag2.c_str(), value2.c_str(), tag3.c_str(), value3.c_str());
            addLevelRow(job.result, {strf("%d", row), name, "3", lineNumber, tag1, value1, tag2, value2, tag3, value3});
            if (tag1 == "Rb")
                points.back(name, toNumber(value1), toNumber(value2));
            else if (tag1 == "Rf")
                points.fore(name, toNumber(value1), toNumber(value2));
            else if (tag1 == "  " && points.current.points.empty())
                points.startHeight(name, toNumber(value3));
            else if (tag1 == "  ")
                points.height(name, toNumber(value3));
        } else if (tag1 == "Sh") {
            // Value 1 fills both value slots: the row shows it after Sh and
            // again after dz.
            std::string sum(lastChars(value1, 13));
            out.print(kDiniSumFile, row, name.c_str(), " ", lineNumber.c_str(), tag1.c_str(), sum.c_str(), "dz ",
                      sum.c_str(), "Z", "   0.00000");
            appendf(text, kDiniDataText, row, shortName.c_str(), lineNumber.c_str(), tag1.c_str(), value1.c_str(),
                    "dz", value1.c_str(), "Z", "         0.00000");
            addLevelRow(job.result,
                        {strf("%d", row), name, "", lineNumber, tag1, value1, "dz", value1, "Z", "0.00000"});
        } else {
            return false;
        }
        ++row;
        ++job.result.rowsWritten;
        return true;
    });
    points.finish();
}

}  // namespace tervan
