#include "writers/output_set.h"

#include <array>
#include <filesystem>

#include "core/numbers.h"
#include "levelling/observation_table.h"
#include "writers/coordinates.h"
#include "writers/dxf.h"
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
    // 2DFile switches the drawing on; 3DFile only chooses its name (and heights).
    OutputEntry{&Settings::TwoDFile, "_2d.dxf", writeDxf, &Settings::ThreeDFile, "_3d.dxf"},
};

void writeOne(Program& program, const std::string& inputPath, const std::string& path, Writer write) {
    if (isInputFile(path, inputPath)) {
        appendReport(program.message, notWrittenInput(path));
        return;
    }
    std::string report;
    if (!write(path, program, report)) {
        appendReport(program.message, report);
        program.outputFailed = true;
    }
}

}  // namespace

std::span<const OutputEntry> outputs() { return kOutputs; }

const char* outputSuffix(const OutputEntry& entry, const Settings& settings) {
    return entry.variant && settings.*entry.variant ? entry.variantSuffix : entry.suffix;
}

std::string cannotWrite(const std::string& path, const std::string& reason) {
    return "cannot write " + path + ": " + reason;
}

bool isInputFile(const std::string& path, const std::string& inputPath) {
    if (path == inputPath) return true;
    std::error_code ec;
    return std::filesystem::equivalent(path, inputPath, ec);
}

std::string notWrittenInput(const std::string& path) { return path + " not written: it is the input file"; }

void applyOffsets(Program& program) {
    double x0 = toNumber(program.settings.X0);
    double y0 = toNumber(program.settings.Y0);
    double z0 = toNumber(program.settings.Z0);
    for (Point& p : program.store.points) {
        if (isZeroPoint(p)) continue;
        p.X += x0;
        p.Y += y0;
        p.Z += z0;
    }
}

void writeOutputs(Program& program, const std::string& inputPath, const std::string& baseName, ScaleStep scale) {
    if (scale == ScaleStep::Apply && program.settings.x1000) {
        for (Point& p : program.store.points) {
            p.X *= 1000;
            p.Y *= 1000;
            p.Z *= 1000;
        }
    }
    buildObservationTable(program);
    for (const auto& out : kOutputs)
        if (program.settings.*out.flag)
            writeOne(program, inputPath, baseName + outputSuffix(out, program.settings), out.write);
}

}  // namespace tervan
