#include "conversion/driver.h"

#include "conversion/compute_xyz.h"
#include "conversion/detect.h"
#include "conversion/models.h"
#include "conversion/output_set.h"
#include "core/input.h"
#include "core/numbers.h"
#include "core/printf.h"

namespace tervan {

std::string outputBaseName(std::string_view path) {
    auto slash = path.find_last_of("\\/");
    std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    auto dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart) return std::string(path);
    return std::string(path.substr(0, dot));
}

namespace {

constexpr const char* kNothingToCompute = "H, V, SD: nothing to compute, no file has been converted";

void summarisePoints(Result& result, const Settings& settings, const std::string& path) {
    if (result.outcome == Outcome::CannotRead) {
        result.summary = "cannot open " + path;
    } else if (result.points == 0 && result.linesRead > 0) {
        result.summary = strf("no point of model %s found in %s (%ld lines read)", settings.Model.c_str(),
                              path.c_str(), result.linesRead);
    } else {
        result.summary =
            strf("%ld lines read, %zu points, %ld lines ignored", result.linesRead, result.points, result.linesIgnored);
    }
}

Result convertLevelling(Session& session, const ModelEntry& model, const std::string& path, Prompts& prompts) {
    Result result;
    BffbParams params;
    if (model.asksBffb) {
        if (!prompts.askBffb(params)) {
            result.outcome = Outcome::Cancelled;
            result.keepMessage = true;
            result.summary = "Calc BFFB line cancelled: nothing written";
            return result;
        }
        seedFromClock(session);
    }
    Input input;
    if (!input.open(path)) {
        result.outcome = Outcome::CannotRead;
        result.keepMessage = true;
        result.summary = "cannot open " + path;
        return result;
    }
    OutputFile lineFile;
    OutputReport report = openOutput(lineFile, outputBaseName(path) + model.lineSuffix, path);
    LevelJob job{.input = input,
                 .lineFile = lineFile,
                 .result = result,
                 .inputPath = path,
                 .rng = session.rng,
                 .bffb = params};
    model.level(job);
    finishOutput(lineFile, std::move(report), result);
    result.summary = strf("%ld lines read, %ld rows written, %ld lines ignored", result.linesRead, result.rowsWritten,
                          result.linesIgnored);
    return result;
}

// The conversion by Model.
Result convertWith(Session& session, const std::string& path, Prompts& prompts) {
    const ModelEntry* model = findModel(session.settings.Model);
    if (!model) {
        Result result;
        result.outcome = Outcome::NoReader;
        result.keepMessage = true;
        result.summary = "unknown model " + session.settings.Model;
        return result;
    }
    if (model->level) return convertLevelling(session, *model, path, prompts);

    Result result;
    Input input;
    if (input.open(path)) {
        ReaderContext ctx{session.store, result};
        model->read(input, ctx);
    } else {
        result.outcome = Outcome::CannotRead;
    }
    const bool computeXyz = session.settings.ComputeXYZ && result.outcome != Outcome::CannotRead;
    XyzReport xyz;
    if (computeXyz) xyz = computeCoordinates(session);
    applyOffsets(session.store, session.settings);
    writeOutputs(session, outputBaseName(path), result);
    result.points = session.store.points.size();
    summarisePoints(result, session.settings, path);
    if (computeXyz) reportCoordinates(xyz, result);
    return result;
}

// Model "auto": the model that fits the input best becomes Model. false,
// with the result saying why, when the input cannot be read or no model fits.
bool detectInto(Settings& settings, const std::string& path, Result& result) {
    Detection detection = detectFile(path);
    const ModelEntry* best = detection.best();
    if (best) {
        settings.Model = best->name;
        result.detected = best->name;
        result.alsoFits = detection.alike();
        return true;
    }
    result.keepMessage = true;
    if (!detection.error.empty()) {
        result.outcome = Outcome::CannotRead;
        result.summary = "cannot open " + path;
    } else {
        result.outcome = Outcome::NoReader;
        result.summary = detection.noFitText(path);
    }
    return false;
}

}  // namespace

Result convert(Session& session, const std::string& path, Prompts& prompts) {
    session.inputPath = path;
    clearStore(session.store);
    Result detected;
    if (session.settings.Model == kAutoModel && !detectInto(session.settings, path, detected)) return detected;
    Result result = convertWith(session, path, prompts);
    result.detected = std::move(detected.detected);
    result.alsoFits = std::move(detected.alsoFits);
    return result;
}

Result recalculateHvsd(Session& session, const HvsdSizes& sizes) {
    Settings& s = session.settings;
    s.dSD = sizes.dSD;
    s.dH = sizes.dH;
    s.dV = sizes.dV;
    Result result;
    if (isLevelModel(s.Model)) {
        result.outcome = Outcome::NothingToDo;
        result.keepMessage = true;
        result.summary = "H, V, SD: nothing to compute for the levelling model " + s.Model;
        return result;
    }
    if (session.inputPath.empty()) {
        result.outcome = Outcome::NothingToDo;
        result.message = kNothingToCompute;
        result.summary = kNothingToCompute;
        return result;
    }
    double* errors[] = {&session.errors.SD, &session.errors.H, &session.errors.V};
    const std::string* texts[] = {&s.dSD, &s.dH, &s.dV};
    for (int i = 0; i < 3; ++i)
        if (double v = toNumber(*texts[i]); v > 1e-7) *errors[i] = v;
    // Drawn before the reseed, so it comes from the generator's previous
    // state.
    session.store.orientation = session.rng.draw() / 32767.0 * 400;
    seedFromClock(session);
    result.computed = calculateHvsd(session.store, session.rng, session.errors);
    writeOutputs(session, outputBaseName(session.inputPath), result, ScaleStep::Skip);
    result.points = session.store.points.size();
    if (result.computed == 0)
        result.summary = "H, V, SD: no record has a station with coordinates; nothing computed";
    else if (result.computed < result.points)
        result.summary = strf("H, V, SD computed for %zu of %zu points; the others have no station with coordinates",
                              result.computed, result.points);
    else
        result.summary = strf("H, V, SD computed for %zu points", result.computed);
    return result;
}

}  // namespace tervan
