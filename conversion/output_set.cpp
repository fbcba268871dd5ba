#include "conversion/output_set.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
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

// The lines of the DXF header file; false with the reason when it cannot be
// read.
bool readDxfHeader(const std::string& path, std::vector<std::string>& lines, std::string& reason) {
    std::string bytes;
    if (!readWholeFile(path, bytes, reason)) {
        if (reason == std::strerror(ENOENT)) {
            reason = "the DXF header file " + path + " is missing";
            return false;
        }
        reason = "the DXF header file " + path + " cannot be read: " + reason;
        return false;
    }
    lines = dxfHeaderLines(bytes);
    return true;
}

// One output of a run: written to its temporary file by its task, put in
// its place with the others once every one of them is whole.
struct Job {
    const OutputEntry* entry;
    std::string path;
    OutputReport report;
    OutputFile file;
    bool opened = false;
    // A drawing without its header is no drawing: the one a previous
    // conversion wrote under this name goes too.
    bool removeOld = false;
};

void writeOne(const Session& session, const std::vector<ReadFile>& read, Job& job) {
    std::vector<std::string> header;
    // One look at what is in the output's place: one of the files read, a
    // folder, or a file to replace.
    const FileId id = fileId(job.path);
    if (const char* what = readByRun(id, read)) {
        job.report = {job.path, OutputStatus::IsInput, what};
        return;
    }
    if (id.folder) {
        job.report = {job.path, OutputStatus::Failed, std::strerror(EISDIR)};
        return;
    }
    if (job.entry->drawing && !readDxfHeader(session.dxfHeaderPath, header, job.report.reason)) {
        job.report.path = job.path;
        job.report.status = OutputStatus::Failed;
        job.removeOld = true;
        return;
    }
    job.report = openOutput(job.file, job.path, {});
    if (job.report.status != OutputStatus::Written) return;
    job.opened = true;
    const PointList& points = session.store.points;
    if (job.entry->drawing)
        job.entry->drawing(job.file, points, session.settings, header);
    else
        job.entry->write(job.file, points, session.settings);
    job.report = closeOutput(job.file, std::move(job.report));
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
    PointList& points = store.points;
    auto same = [](double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); };
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto [x, y, z] = points.coordinates(i);
        if (x == 0.0 && y == 0.0 && z == 0.0) continue;  // isZeroPoint
        const double X = x + x0, Y = y + y0, Z = z + z0;
        // No offset leaves the record as it is, but for a -0 that becomes 0.
        if (same(X, x) && same(Y, y) && same(Z, z)) continue;
        Point p = points[i];
        p.X = X;
        p.Y = Y;
        p.Z = Z;
        points.update(i, p);
    }
}

std::vector<ReadFile> filesRead(const Session& session) {
    std::vector<ReadFile> read;
    auto add = [&read](const std::string& path, const char* what) {
        if (path.empty()) return;
        if (FileId id = fileId(path); id.valid) read.push_back({id, what});
    };
    if (session.inputId.valid) read.push_back({session.inputId, "it is the input file"});
    add(session.inputPath, "it is the input file");
    add(session.settings.KnownPoints, "it is the list of known points");
    add(session.iniPath, "it is the settings file");
    add(session.iniDefaults, "it is the settings file");
    add(session.dxfHeaderPath, "it is the DXF header file");
    return read;
}

const char* readByRun(const FileId& id, const std::vector<ReadFile>& read) {
    for (const ReadFile& file : read)
        if (file.id == id) return file.what;
    return nullptr;
}

const char* readByRun(const std::string& path, const std::vector<ReadFile>& read) {
    return read.empty() ? nullptr : readByRun(fileId(path), read);
}

void writeOutputs(Session& session, const std::string& baseName, Result& result, ScaleStep scale) {
    if (scale == ScaleStep::Apply && session.settings.x1000) {
        PointList& points = session.store.points;
        for (std::size_t i = 0; i < points.size(); ++i) {
            Point p = points[i];
            p.X *= 1000;
            p.Y *= 1000;
            p.Z *= 1000;
            points.update(i, p);
        }
    }
    // Each output is written from the store, which no one changes meanwhile,
    // into a file of its own; the observation table is one more task. The
    // reports are recorded in the fixed order of the outputs all the same.
    std::deque<Job> jobs;
    for (const auto& out : kOutputs) {
        if (!(session.settings.*out.flag)) continue;
        Job& job = jobs.emplace_back();
        job.entry = &out;
        job.path = baseName + outputSuffix(out, session.settings);
    }
    const std::vector<ReadFile> read = filesRead(session);
    std::string table;
    const std::size_t tableTask = session.observationText ? 1 : 0;
    // The drawing (the last output, and the largest) is taken first.
    runEach(jobs.size() + tableTask, session.writerThreads, [&](std::size_t task) {
        if (task == jobs.size())
            buildObservationTable(table, session.inputPath, session.store.points);
        else
            writeOne(session, read, jobs[jobs.size() - 1 - task]);
    });
    result.message = std::move(table);
    result.observationTable = true;
    // An output refused before it was begun (a folder in its place, one of
    // the files the run reads) does not hold the others back; one that could
    // not be written whole does: then every output stays as it was.
    bool whole = true;
    for (const Job& job : jobs) whole = whole && !(job.opened && job.report.status == OutputStatus::Failed);
    for (Job& job : jobs) {
        if (job.report.status == OutputStatus::Written) {
            if (!whole) {
                job.file.discard();
                job.report = {job.path, OutputStatus::Kept, "another output could not be written"};
            } else if (!job.file.commit()) {
                job.report = {job.path, OutputStatus::Failed, job.file.errorText()};
            }
        } else if (job.removeOld && whole) {
            removeFile(job.path);
        }
        recordOutput(std::move(job.report), result);
    }
    if (!whole) appendReport(result.message, kNothingReplaced);
}

OutputReport openOutput(OutputFile& file, const std::string& path, const std::vector<ReadFile>& read) {
    if (const char* what = readByRun(path, read)) return {path, OutputStatus::IsInput, what};
    if (!file.stage(path)) return {path, OutputStatus::Failed, file.errorText()};
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
    if (report.status == OutputStatus::Failed || report.status == OutputStatus::IsInput)
        appendReport(result.message, reportLine(report));
    result.outputs.push_back(std::move(report));
}

void finishOutputs(std::span<StagedOutput> outputs, Result& result) {
    bool whole = true;
    for (StagedOutput& out : outputs) {
        if (out.report.status != OutputStatus::Written) continue;
        out.report = closeOutput(*out.file, std::move(out.report));
        whole = whole && out.report.status == OutputStatus::Written;
    }
    for (StagedOutput& out : outputs) {
        if (out.report.status == OutputStatus::Written) {
            if (!whole) {
                out.file->discard();
                out.report.status = OutputStatus::Kept;
                out.report.reason = "another output could not be written";
            } else if (!out.file->commit()) {
                out.report.status = OutputStatus::Failed;
                out.report.reason = out.file->errorText();
            }
        }
        recordOutput(std::move(out.report), result);
    }
    if (!whole) appendReport(result.message, kNothingReplaced);
}

}  // namespace tervan
