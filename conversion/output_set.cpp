#include "conversion/output_set.h"

#include <array>
#include <vector>

#include "conversion/observation_table.h"
#include "core/files.h"
#include "core/input.h"
#include "core/numbers.h"
#include "core/parallel.h"
#include "writers/coordinates.h"
#include "writers/dxf.h"
#include "writers/exchange.h"
#include "writers/kor_dpi.h"
#include "writers/scripts.h"

namespace tervan {
namespace {

const std::array kOutputs = {
    OutputEntry{&Settings::DpiFile, ".dpi", writeDpi},
    OutputEntry{&Settings::KorFile, ".kor", writeKor},
    OutputEntry{&Settings::ScriptsFile, ".scr", writeScriptsInOne},
    OutputEntry{&Settings::PointsFile, "_point.scr", writePointsScript},
    OutputEntry{&Settings::NamesFile, "_names.scr", writeNamesScript},
    OutputEntry{&Settings::LevelsFile, "_z.scr", writeLevelsScript},
    OutputEntry{&Settings::NyxzFile, "_nyxz.txt", writeNyxz},
    OutputEntry{&Settings::NxyzFile, "_nxyz.txt", writeNxyz},
    OutputEntry{&Settings::XyzFile, "_xyz.txt", writeXyz},
    OutputEntry{&Settings::TrasFile, "_tras.dat", writeTras},
    OutputEntry{&Settings::CsvFile, ".csv", writeCsv},
    OutputEntry{&Settings::LandXmlFile, ".xml", writeLandXml},
    // 2DFile switches the drawing on; 3DFile only chooses its name (and heights).
    OutputEntry{&Settings::TwoDFile, "_2d.dxf", nullptr, &Settings::ThreeDFile, "_3d.dxf", writeDxf},
};

bool isInputFile(const std::string& path, const std::string& inputPath) {
    return path == inputPath || sameFile(path, inputPath);
}

// The lines of the DXF header file; false with the reason when it cannot be
// read.
bool readDxfHeader(const std::string& path, std::vector<std::string>& lines, std::string& reason) {
    std::string bytes;
    if (!isFile(path) && !isFolder(path)) {
        reason = "the DXF header file " + path + " is missing";
        return false;
    }
    if (!readWholeFile(path, bytes, reason)) {
        reason = "the DXF header file " + path + " cannot be read: " + reason;
        return false;
    }
    lines = dxfHeaderLines(bytes);
    return true;
}

// The list of known points is an input too (of ComputeXYZ), and may well
// be named like an output: job.kor beside job.txt.
bool isKnownPoints(const std::string& path, const Session& session) {
    return !session.settings.KnownPoints.empty() && isInputFile(path, session.settings.KnownPoints);
}

// Writes one output and closes it; the report says what became of it.
OutputReport writeOne(const Session& session, const OutputEntry& entry, const std::string& path) {
    OutputFile file;
    OutputReport report;
    std::vector<std::string> header;
    if (isKnownPoints(path, session)) {
        report = {path, OutputStatus::IsInput, "it is the list of known points"};
    } else if (entry.drawing && !isInputFile(path, session.inputPath) &&
               !readDxfHeader(session.dxfHeaderPath, header, report.reason)) {
        // A drawing without its header is no drawing: leave none, not even
        // the one a previous conversion wrote under this name.
        removeFile(path);
        report.path = path;
        report.status = OutputStatus::Failed;
    } else {
        report = openOutput(file, path, session.inputPath);
    }
    if (report.status == OutputStatus::Written) {
        const std::span<const Point> points = session.store.points;
        if (entry.drawing)
            entry.drawing(file, points, session.settings, header);
        else
            entry.write(file, points, session.settings);
    }
    return closeOutput(file, std::move(report));
}

}  // namespace

std::span<const OutputEntry> outputs() { return kOutputs; }

std::vector<std::string> dxfHeaderLines(std::string_view bytes) {
    std::vector<std::string> lines;
    Input input(bytes);
    LineReader reader(input);
    std::string line;
    while (!reader.eof()) {
        if (reader.read(line) == -1 && line.empty()) break;
        lines.push_back(line);
    }
    return lines;
}

const char* outputSuffix(const OutputEntry& entry, const Settings& settings) {
    return entry.variant && settings.*entry.variant ? entry.variantSuffix : entry.suffix;
}

void applyOffsets(PointStore& store, const Settings& settings) {
    double x0 = toNumber(settings.X0);
    double y0 = toNumber(settings.Y0);
    double z0 = toNumber(settings.Z0);
    for (Point& p : store.points) {
        if (isZeroPoint(p)) continue;
        p.X += x0;
        p.Y += y0;
        p.Z += z0;
    }
}

void writeOutputs(Session& session, const std::string& baseName, Result& result, ScaleStep scale) {
    if (scale == ScaleStep::Apply && session.settings.x1000) {
        for (Point& p : session.store.points) {
            p.X *= 1000;
            p.Y *= 1000;
            p.Z *= 1000;
        }
    }
    // Each output is written from the store, which no one changes meanwhile,
    // into a file of its own; the observation table is one more task. The
    // reports are recorded in the fixed order of the outputs all the same.
    struct Job {
        const OutputEntry* entry;
        std::string path;
        OutputReport report;
    };
    std::vector<Job> jobs;
    for (const auto& out : kOutputs)
        if (session.settings.*out.flag) jobs.push_back({&out, baseName + outputSuffix(out, session.settings), {}});
    std::string table;
    const std::size_t tableTask = session.observationText ? 1 : 0;
    // The drawing (the last output, and the largest) is taken first.
    runEach(jobs.size() + tableTask, session.writerThreads, [&](std::size_t task) {
        if (task == jobs.size()) {
            buildObservationTable(table, session.inputPath, session.store.points);
        } else {
            Job& job = jobs[jobs.size() - 1 - task];
            job.report = writeOne(session, *job.entry, job.path);
        }
    });
    result.message = std::move(table);
    result.observationTable = true;
    for (Job& job : jobs) recordOutput(std::move(job.report), result);
}

OutputReport openOutput(OutputFile& file, const std::string& path, const std::string& inputPath) {
    if (isInputFile(path, inputPath)) return {path, OutputStatus::IsInput, "it is the input file"};
    if (!file.create(path)) return {path, OutputStatus::Failed, file.errorText()};
    return {path, OutputStatus::Written, ""};
}

std::string reportLine(const OutputReport& report) {
    if (report.status == OutputStatus::IsInput) return report.path + " not written: " + report.reason;
    return "cannot write " + report.path + ": " + report.reason;
}

OutputReport closeOutput(OutputFile& file, OutputReport report) {
    if (report.status == OutputStatus::Written && !file.close()) {
        report.status = OutputStatus::Failed;
        report.reason = file.errorText();
    }
    return report;
}

void recordOutput(OutputReport report, Result& result) {
    if (report.status != OutputStatus::Written) appendReport(result.message, reportLine(report));
    result.outputs.push_back(std::move(report));
}

void finishOutput(OutputFile& file, OutputReport report, Result& result) {
    recordOutput(closeOutput(file, std::move(report)), result);
}

}  // namespace tervan
