#include "core/driver.h"

#include "core/models.h"
#include "core/printf.h"
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

}  // namespace

int convert(Program& program, const std::string& path) {
    std::string base = outputBaseName(path);
    program.outputFailed = false;
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
