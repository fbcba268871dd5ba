#include "conversion/driver.h"

#include "conversion/compute_xyz.h"
#include "conversion/detect.h"
#include "conversion/line_closing.h"
#include "conversion/models.h"
#include "conversion/output_set.h"
#include "core/files.h"
#include "core/input.h"
#include "core/numbers.h"
#include "core/printf.h"
#include "levelling/bffb.h"

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

void summarisePoints(Result& result) {
    result.summary =
        strf("%ld lines read, %zu points, %ld lines ignored", result.linesRead, result.points, result.linesIgnored);
}

// An input from which the reader took nothing (a letter, an empty file, a
// file of another model) writes nothing: the outputs of the last good
// conversion stay, and so do the store, the input path and the text shown.
Result nothingFound(const std::string& path, const std::string& model, long linesRead) {
    Result result;
    result.outcome = Outcome::NothingFound;
    result.keepMessage = true;
    result.linesRead = linesRead;
    result.linesIgnored = linesRead;
    if (linesRead == 0)
        result.summary = path + " is empty; nothing written";
    else
        result.summary = strf("no %s of model %s found in %s (%ld lines read); nothing written",
                              isLevelModel(model) ? "levelling row" : "point", model.c_str(), path.c_str(), linesRead);
    result.message = result.summary;
    return result;
}

// An input that cannot be read writes nothing: the outputs of the last good
// conversion stay as they are, and so do the store, the input path and the
// text shown.
Result cannotRead(const std::string& path, const std::string& reason) {
    Result result;
    result.outcome = Outcome::CannotRead;
    result.keepMessage = true;
    result.summary = "cannot read " + path + ": " + reason;
    result.message = result.summary;
    return result;
}

// A value given for the run that cannot be used: nothing is read or written.
Result refused(const std::string& why) {
    Result result;
    result.outcome = Outcome::Refused;
    result.keepMessage = true;
    result.summary = why + "; nothing written";
    result.message = result.summary;
    return result;
}

// A levelling model writes its line file as it reads, so its input (a
// small file) is read whole before.
Result convertLevelling(Session& session, const ModelEntry& model, const std::string& path, Input& file,
                        Prompts& prompts) {
    std::string bytes;
    for (std::string_view chunk; !(chunk = file.peek()).empty(); file.skip(chunk.size())) bytes.append(chunk);
    if (file.failed()) return cannotRead(path, file.reason());
    if (bytes.empty()) return nothingFound(path, model.name, 0);
    Result result;
    BffbParams params;
    if (model.asksBffb) {
        if (!prompts.askBffb(params)) {
            result.outcome = Outcome::Cancelled;
            result.keepMessage = true;
            result.summary = "Calc BFFB line cancelled: nothing written";
            return result;
        }
        if (std::string why = bffbRefusal(bytes, params); !why.empty()) return refused(why);
        seedFromClock(session);
    }
    Input input(bytes);
    OutputFile lineFile;
    const std::string inputBefore = session.inputPath;
    session.inputPath = path;
    OutputReport report = openOutput(lineFile, outputBaseName(path) + model.lineSuffix, filesRead(session));
    LevelJob job{.input = input,
                 .lineFile = lineFile,
                 .result = result,
                 .inputPath = path,
                 .rng = session.rng,
                 .bffb = params};
    model.level(job);
    if (result.linesRead == result.linesIgnored) {
        session.inputPath = inputBefore;
        return nothingFound(path, model.name, result.linesRead);
    }
    clearStore(session.store);
    finishOutput(lineFile, std::move(report), result);
    // The rows are shown also when the line file was not written, but then
    // none of them counts as written.
    if (result.outputs.back().status != OutputStatus::Written) result.rowsWritten = 0;
    result.summary = strf("%ld lines read, %ld rows written, %ld lines ignored", result.linesRead, result.rowsWritten,
                          result.linesIgnored);
    if (!job.lines.empty()) closeLevelLines(session, job.lines, path, result);
    return result;
}

// The conversion of the file at path by model. A point model reads the file
// a block at a time into a store of its own, which becomes the session's
// once the last byte has been read; a read that fails part-way changes
// nothing and writes nothing.
Result convertWith(Session& session, const ModelEntry& model, const std::string& path, Input& input,
                   Prompts& prompts) {
    if (model.level) return convertLevelling(session, model, path, input, prompts);
    Result result;
    PointStore store;
    store.orientation = session.store.orientation;
    store.sendCursor = session.store.sendCursor;
    ReaderContext ctx{store, result};
    model.read(input, ctx);
    if (input.failed()) return cannotRead(path, input.reason());
    if (store.points.empty()) return nothingFound(path, model.name, result.linesRead);
    session.inputPath = path;
    session.store = std::move(store);
    const bool computeXyz = session.settings.ComputeXYZ;
    XyzReport xyz;
    if (computeXyz) xyz = computeCoordinates(session);
    if (xyz.knownRefused) return refused("in the known points " + xyz.knownPath + ", " + xyz.knownError);
    applyOffsets(session.store, session.settings);
    writeOutputs(session, outputBaseName(path), result);
    for (const std::string& line : result.conversions) appendReport(result.message, line);
    result.points = session.store.points.size();
    summarisePoints(result);
    if (computeXyz) reportCoordinates(xyz, result);
    return result;
}

// Model "auto": the model that fits the input best becomes Model. false,
// with the result saying why, when no model fits.
bool detectInto(Settings& settings, const std::string& path, std::string_view bytes, Result& result) {
    Detection detection = detectModel(bytes);
    const ModelEntry* best = detection.best();
    if (best) {
        settings.Model = best->name;
        result.detected = best->name;
        result.alsoFits = detection.alike();
        return true;
    }
    result.keepMessage = true;
    result.outcome = Outcome::NoReader;
    result.summary = detection.noFitText(path);
    return false;
}

// Nothing is read or written; the store is emptied all the same.
Result noReader(Session& session, const std::string& path, Result result) {
    session.inputPath = path;
    clearStore(session.store);
    return result;
}

}  // namespace

Result convert(Session& session, const std::string& path, Prompts& prompts) {
    if (std::string why = settingRefusal(session.settings); !why.empty()) return refused(why);
    const bool detect = session.settings.Model == kAutoModel;
    if (!detect && !findModel(session.settings.Model)) {
        Result result;
        result.outcome = Outcome::NoReader;
        result.keepMessage = true;
        result.summary = "unknown model " + session.settings.Model;
        return noReader(session, path, std::move(result));
    }
    // The input is opened once: detection looks at its first block, which
    // the reader then reads from the start.
    InputFile file;
    session.inputId = {};
    if (std::string reason; !file.open(path, reason)) return cannotRead(path, reason);
    session.inputId = fileId(file.get());
    Input input(file);
    Result detected;
    if (detect) {
        // One byte more than the sample: whether the file goes on after it.
        const std::string_view head = input.peek().substr(0, kDetectBytes + 1);
        if (input.failed()) return cannotRead(path, input.reason());
        if (!detectInto(session.settings, path, head, detected)) return noReader(session, path, detected);
    }
    Result result = convertWith(session, *findModel(session.settings.Model), path, input, prompts);
    result.detected = std::move(detected.detected);
    result.alsoFits = std::move(detected.alsoFits);
    return result;
}

Result recalculateHvsd(Session& session, const HvsdSizes& sizes) {
    Settings& s = session.settings;
    s.dSD = sizes.dSD;
    s.dH = sizes.dH;
    s.dV = sizes.dV;
    if (std::string why = settingRefusal(s); !why.empty()) return refused(why);
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
