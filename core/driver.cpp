#include "core/driver.h"

#include "core/models.h"
#include "core/numbers.h"
#include "core/printf.h"
#include "levelling/hvsd.h"
#include "writers/output_set.h"

namespace tervan {

std::string outputBaseName(std::string_view path) {
    auto slash = path.find_last_of("\\/");
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    auto dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart) return std::string(path);
    return std::string(path.substr(0, dot));
}

namespace {

void summarisePoints(Program& program, const std::string& path) {
    const ReadStats& s = program.stats;
    if (s.openFailed) {
        program.summary = "cannot open " + path;
    } else if (program.store.points.empty() && s.linesRead > 0) {
        program.summary = strf("no point of model %s found in %s (%ld lines read)", program.settings.Model.c_str(),
                               path.c_str(), s.linesRead);
    } else {
        program.summary = strf("%ld lines read, %zu points, %ld lines ignored", s.linesRead,
                               program.store.points.size(), s.linesIgnored);
    }
}

void summariseLevelling(Program& program, const std::string& path) {
    const ReadStats& s = program.stats;
    if (s.openFailed)
        program.summary = "cannot open " + path;
    else
        program.summary =
            strf("%ld lines read, %ld rows written, %ld lines ignored", s.linesRead, s.rowsWritten, s.linesIgnored);
}

constexpr const char* kNothingToCompute = "H, V, SD: nothing to compute, no file has been converted";

// Recomputes the observations of the records of the last conversion and
// writes the outputs again. The coordinates are those of that conversion,
// offsets and scale included, so neither step runs again.
void runHvsd(Program& program, const std::string& path, const std::string& base) {
    program.hvsdRun = false;
    program.stats = {};
    if (isLevelModel(program.settings.Model)) {
        program.summary = "H, V, SD: nothing to compute for the levelling model " + program.settings.Model;
        return;
    }
    if (path.empty()) {
        program.message = kNothingToCompute;
        program.summary = kNothingToCompute;
        return;
    }
    double* sizes[] = {&program.errorSD, &program.errorH, &program.errorV};
    const std::string* texts[] = {&program.settings.dSD, &program.settings.dH, &program.settings.dV};
    for (int i = 0; i < 3; ++i)
        if (double v = toNumber(*texts[i]); v > 1e-7) *sizes[i] = v;
    // Drawn before the reseed, so it comes from the generator's previous
    // state.
    program.store.orientation = program.rng.draw() / 32767.0 * 400;
    seedFromClock(program);
    calculateHvsd(program);
    writeOutputs(program, path, base, ScaleStep::Skip);
    program.summary = strf("H, V, SD computed for %zu points", program.store.points.size());
}

}  // namespace

int convert(Program& program, const std::string& path) {
    std::string base = outputBaseName(path);
    program.outputFailed = false;
    if (program.hvsdRun) {
        runHvsd(program, path, base);
        return 0;
    }
    clearStore(program.store);
    program.stats = {};
    const ModelEntry* model = findModel(program.settings.Model);
    if (!model) {
        program.summary = "unknown model " + program.settings.Model;
        return 2;
    }
    if (model->level) {
        model->level(program, path, base);
        summariseLevelling(program, path);
        return 0;
    }
    ReaderContext ctx{program.store, program.stats, program.settings};
    if (model->read(path, ctx) == 1) program.stats.openFailed = true;
    applyOffsets(program);
    writeOutputs(program, path, base);
    summarisePoints(program, path);
    return 0;
}

}  // namespace tervan
