#include "levelling/level_lines.h"

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {
namespace {

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
// points before it. Each call comes right after the row it reads was added
// to rows, so that a point knows its row.
struct LinePoints {
    std::vector<LevelLine>& lines;
    const std::vector<std::string>& rows;
    LevelLine current;
    double along = 0;      // distance of the last turning point from the start
    double backAt = 0;     // distance of the set-up's back point
    double backSight = 0;  // the set-up's back distance
    double backReading = 0;
    double turnHeight = 0;  // height of the last turning point
    double intermediateDistance = 0;
    bool heightGiven = false;  // the level gave a height in this line

    std::size_t row() const { return rows.empty() ? 0 : rows.size() - 1; }

    void startLine(int number) {
        finish();
        current = {.number = number, .firstRow = row()};
        along = backAt = backSight = backReading = turnHeight = 0;
        heightGiven = false;
    }
    void startHeight(std::string_view name, double height) {
        const int number = current.number;
        // A start height without a Start-Line row begins the line itself.
        const std::size_t first = number > 0 ? current.firstRow : row();
        current = {.number = number, .startHeightGiven = true, .firstRow = first};
        current.points.push_back({.name = trimmed(name), .height = height, .row = row()});
        along = backAt = backSight = backReading = 0;
        turnHeight = height;
        heightGiven = true;
    }
    void back(std::string_view name, double reading, double distance) {
        if (current.points.empty())
            current.points.push_back({.name = trimmed(name), .height = turnHeight, .row = row()});
        backAt = along;
        backSight = distance;
        backReading = reading;
    }
    void fore(std::string_view name, double reading, double distance) {
        const double setUpAt = along + backSight;
        along += backSight + distance;
        current.length += backSight + distance;
        ++current.setUps;
        turnHeight += backReading - reading;
        backSight = backReading = 0;
        current.points.push_back({.name = trimmed(name),
                                  .distance = along,
                                  .height = turnHeight,
                                  .correctedAt = along,
                                  .row = row(),
                                  .fore = true,
                                  .reading = reading,
                                  .setUpAt = setUpAt});
    }
    // The level's own height of the point just sighted.
    void height(std::string_view name, double value) {
        if (!current.points.empty() && current.points.size() > 1 && !current.points.back().intermediate &&
            current.points.back().name == trimmed(name)) {
            if (!heightGiven)
                for (LevelPoint& p : current.points) p.height += value - current.points.back().height;
            current.points.back().height = turnHeight = value;
            current.points.back().row = row();
            heightGiven = true;
        }
    }
    void intermediate(std::string_view name, double value) {
        if (current.points.empty()) return;
        current.points.push_back({.name = trimmed(name),
                                  .distance = backAt + intermediateDistance,
                                  .height = value,
                                  .correctedAt = backAt,
                                  .intermediate = true,
                                  .row = row()});
    }
    // A line is kept when it has a point besides its start; the readings
    // before the first line start only when they begin with a start height.
    void finish() {
        if (current.points.size() > 1 && (current.number > 0 || current.startHeightGiven))
            lines.push_back(std::move(current));
        current = {};
    }
};

using Kind = LevelRowKind;

struct Dna8Line {
    LevelRows rows;
    LinePoints points;
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
        rows.put({.kind = Kind::Sum, .name = name, .values = {readingSum, startHeight - height}});
        rows.put({.kind = Kind::Distances,
                  .name = name,
                  .code = foreSights,
                  .values = {backDistance, foreDistance, height}});
        rows.put({.kind = Kind::End});
    }

    void reading(const Dna8Fields& f, bool back) {
        name = recordName(f.value(1));
        double value = toNumber(f.value(3)) * kGsiUnit;
        double distance = toNumber(f.value(2)) * kGsiUnit;
        if (back) {
            readingSum += value;
            backDistance += distance;
        } else {
            readingSum -= value;
            foreDistance += distance;
            ++foreSights;
        }
        rows.put({.kind = back ? Kind::Back : Kind::Fore,
                  .name = name,
                  .code = toInteger(f.value(4)),
                  .values = {value, distance}});
        if (back)
            points.back(name, value, distance);
        else
            points.fore(name, value, distance);
    }

    // One input line; false when it matched no case.
    bool take(std::string_view l) {
        const Dna8Fields f(l);
        const bool followsIntermediate = intermediateBefore;
        intermediateBefore = f.index3(3) == "333";
        if (intermediateBefore) points.intermediateDistance = toNumber(f.value(2)) * kGsiUnit;
        if (f.value(1) == "+?......1") {
            if (rows.line > 0) close();
            ++rows.line;
            rows.put({.kind = Kind::Start});
            points.startLine(rows.line);
        } else if (f.index2(2) == "83" && followsIntermediate) {
            // The level's own height of an intermediate sight: shown like a
            // start height, but the line's sums, heights and name go on.
            std::string own = recordName(f.value(1));
            double sighted = toNumber(f.value(2)) * kGsiUnit;
            rows.put({.kind = Kind::StartHeight, .name = own, .values = {sighted}});
            points.intermediate(own, sighted);
        } else if (f.index2(2) == "83") {
            name = recordName(f.value(1));
            startHeight = height = toNumber(f.value(2)) * kGsiUnit;
            readingSum = backDistance = foreDistance = 0;
            foreSights = 0;
            rows.put({.kind = Kind::StartHeight, .name = name, .values = {height}});
            points.startHeight(name, height);
        } else if (f.index3(3) == "331" || f.index3(3) == "332") {
            reading(f, f.index3(3) == "331");
        } else if (f.index2(4) == "83") {
            name = recordName(f.value(1));
            height = toNumber(f.value(4)) * kGsiUnit;
            rows.put({.kind = Kind::Height, .name = name, .values = {height}});
            points.height(name, height);
        } else {
            return false;
        }
        return true;
    }
};

}  // namespace

void reduceDna8(LevelJob& job) {
    startMessage(job);
    Dna8Line state{.rows = {.job = job, .layout = LevelLayout::Dna8}, .points = {job.lines, job.result.levelRows}};
    forEachLine(job.input, job.result, [&](std::string_view line) { return state.take(line); });
    state.close();
    state.points.finish();
}

void reduceDiniUsb(LevelJob& job) {
    startMessage(job);
    LevelRows rows{.job = job, .layout = LevelLayout::Dini, .lineText = "    "};
    LinePoints points{job.lines, job.result.levelRows};
    forEachLine(job.input, job.result, [&](std::string_view line) {
        std::string name(columns(line, 22, 35));
        std::string tag1(columns(line, 50, 51));
        std::string value1(columns(line, 52, 67));
        std::string tag2(columns(line, 73, 75));
        std::string value2(columns(line, 76, 90));
        std::string tag3(columns(line, 96, 96));
        std::string value3(columns(line, 97, 112));
        if (name == "Start-Line    " || name == "End-Line      ") {
            std::string header(line.size() >= 48 ? columns(line, 22, 48) : lastChars(line, 27));
            rows.lineText = lastChars(header, 4);
            rows.put({.kind = Kind::Header, .name = header});
            if (name == "Start-Line    ") points.startLine(toInteger(rows.lineText));
        } else if (tag1 == "Rb" || tag1 == "Rf" || tag1 == "Db" || (tag1 == "  " && tag3 == "Z")) {
            rows.put({.kind = Kind::Data,
                      .name = name,
                      .code = 3,
                      .tags = {tag1, tag2, tag3},
                      .texts = {value1, value2, value3}});
            if (tag1 == "Rb")
                points.back(name, toNumber(value1), toNumber(value2));
            else if (tag1 == "Rf")
                points.fore(name, toNumber(value1), toNumber(value2));
            else if (tag1 == "  " && points.current.points.empty())
                points.startHeight(name, toNumber(value3));
            else if (tag1 == "  ")
                points.height(name, toNumber(value3));
        } else if (tag1 == "Sh") {
            rows.put({.kind = Kind::Sum, .name = name, .tags = {tag1}, .texts = {value1}});
        } else {
            return false;
        }
        return true;
    });
    points.finish();
}

}  // namespace tervan
