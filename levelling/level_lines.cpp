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

struct Dna8Line {
    OutputFile& out;
    std::string& text;
    Result& counts;
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

    void reading(std::string_view l, bool back) {
        name = recordName(columns(l, 7, 15));
        int code = toInteger(columns(l, 55, 63));
        double value = toNumber(columns(l, 39, 47)) * kGsiUnit;
        double distance = toNumber(columns(l, 23, 31)) * kGsiUnit;
        if (back) {
            readingSum += value;
            backDistance += distance;
        } else {
            readingSum -= value;
            foreDistance += distance;
            ++foreSights;
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
        const bool followsIntermediate = intermediateBefore;
        intermediateBefore = columns(l, 33, 35) == "333";
        if (columns(l, 7, 15) == "+?......1") {
            if (line > 0) close();
            ++line;
            out.print(kDnaStartFile, row, line);
            appendf(text, kDnaStartText, row, line);
            addLevelRow(counts, {strf("%d", row), "Start-Line", "", strf("%d", line), "BF"});
        } else if (columns(l, 17, 18) == "83" && followsIntermediate) {
            // The level's own height of an intermediate sight: shown like a
            // start height, but the line's sums, heights and name go on.
            std::string own = recordName(columns(l, 7, 15));
            double sighted = toNumber(columns(l, 23, 31)) * kGsiUnit;
            out.print(kDnaHeightFile, row, own.c_str(), line, sighted);
            appendf(text, kDnaStartHeightText, row, own.c_str(), line, sighted);
            heightRow(own, sighted);
        } else if (columns(l, 17, 18) == "83") {
            name = recordName(columns(l, 7, 15));
            startHeight = height = toNumber(columns(l, 23, 31)) * kGsiUnit;
            readingSum = backDistance = foreDistance = 0;
            foreSights = 0;
            out.print(kDnaHeightFile, row, name.c_str(), line, height);
            appendf(text, kDnaStartHeightText, row, name.c_str(), line, height);
            heightRow(name, height);
        } else if (columns(l, 33, 35) == "331" || columns(l, 33, 35) == "332") {
            reading(l, columns(l, 35, 35) == "1");
            return true;
        } else if (columns(l, 49, 50) == "83") {
            name = recordName(columns(l, 7, 15));
            height = toNumber(columns(l, 55, 63)) * kGsiUnit;
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
    Dna8Line state{.out = job.lineFile, .text = job.result.message, .counts = job.result};
    forEachLine(job.input, job.result, [&](std::string_view line) { return state.take(line); });
    state.close();
}

void reduceDiniUsb(LevelJob& job) {
    startMessage(job);
    OutputFile& out = job.lineFile;
    std::string& text = job.result.message;
    int row = 1;
    std::string lineNumber = "    ";
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
}

}  // namespace tervan
