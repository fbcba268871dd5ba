#include "conversion/detect.h"

#include <algorithm>

#include "core/files.h"
#include "core/input.h"
#include "core/printf.h"

namespace tervan {
namespace {

constexpr std::size_t kNearest = 3;  // candidates named when no model fits

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos; }

// The lines of sample, as the line loop hands them over, that have the
// model's layout; their count goes to lines.
std::string linesOfLayout(std::string_view sample, const ModelEntry& model, long& lines) {
    std::string kept;
    Input input(sample);
    Result counts;
    forEachLine(input, counts, [&](std::string_view line) {
        if (model.isLine(line)) {
            kept += line;
            kept += '\n';
        }
        return true;
    });
    lines = counts.linesRead;
    return kept;
}

ModelFit score(const ModelEntry& model, std::string_view sample) {
    ModelFit fit{.model = &model};
    std::string ofLayout;
    if (model.isLine) {
        ofLayout = linesOfLayout(sample, model, fit.lines);
        sample = ofLayout;
    }
    Result counts;
    Input input(sample);
    if (model.read) {
        PointStore store;
        ReaderContext ctx{store, counts};
        model.read(input, ctx);
        fit.records = static_cast<long>(store.points.size());
    } else {
        // The line file goes nowhere: an output file that was never
        // created takes nothing.
        OutputFile nowhere;
        Rng rng;
        LevelJob job{.input = input, .lineFile = nowhere, .result = counts, .inputPath = {}, .rng = rng, .bffb = {}};
        model.level(job);
        fit.records = counts.linesRead - counts.linesIgnored;
    }
    // A word stream counts the blocks it drops, not the words.
    long taken = counts.linesRead - counts.linesIgnored;
    if (model.blockMark) {
        fit.lines = static_cast<long>(std::count(sample.begin(), sample.end(), model.blockMark));
        taken = fit.lines - counts.linesIgnored;
    } else if (!model.isLine) {
        fit.lines = counts.linesRead;
    }
    fit.recognised = fit.records > 0 ? std::clamp(taken, 0L, fit.lines) : 0;
    return fit;
}

// a before b: fitting first, then the larger share of lines recognised.
bool better(const ModelFit& a, const ModelFit& b) {
    if (a.fits() != b.fits()) return a.fits();
    return a.recognised * std::max(b.lines, 1L) > b.recognised * std::max(a.lines, 1L);
}

bool asWell(const ModelFit& a, const ModelFit& b) { return !better(a, b) && !better(b, a); }

}  // namespace

std::string detectionSample(std::string_view bytes) {
    if (bytes.size() > kDetectBytes) {
        bytes = bytes.substr(0, kDetectBytes);
        // A line cut at the limit would be judged by its first half.
        if (auto end = bytes.rfind('\n'); end != std::string_view::npos) bytes = bytes.substr(0, end + 1);
    }
    std::string sample;
    std::size_t lines = 0, start = 0;
    while (start < bytes.size() && lines < kDetectLines) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string_view line = bytes.substr(start, end - start);
        if (!isBlankLine(line)) sample += line;
        ++lines;
        start = end;
    }
    return sample;
}

Detection detectModel(std::string_view bytes) {
    const std::string sample = detectionSample(bytes);
    Detection d;
    for (const ModelEntry& m : models()) d.ranking.push_back(score(m, sample));
    std::stable_sort(d.ranking.begin(), d.ranking.end(), better);
    return d;
}

Detection detectFile(const std::string& path) {
    Detection d;
    std::string bytes;
    // One byte more than the sample: whether the file goes on after it.
    if (!readFileStart(path, kDetectBytes + 1, bytes, d.error)) return d;
    return detectModel(bytes);
}

const ModelEntry* Detection::best() const {
    return !ranking.empty() && ranking.front().fits() ? ranking.front().model : nullptr;
}

std::vector<std::string> Detection::alike() const {
    std::vector<std::string> names;
    if (!best()) return names;
    for (std::size_t i = 1; i < ranking.size() && asWell(ranking[i], ranking.front()); ++i)
        names.emplace_back(ranking[i].model->name);
    return names;
}

bool Detection::fits(std::string_view model) const {
    for (const ModelFit& f : ranking)
        if (model == f.model->name) return f.fits();
    return false;
}

const ModelEntry* Detection::betterThan(std::string_view model) const {
    const ModelEntry* top = best();
    if (!top || model == top->name) return nullptr;
    for (const ModelFit& f : ranking)
        if (model == f.model->name) return better(ranking.front(), f) ? top : nullptr;
    return nullptr;
}

std::string Detection::noFitText(std::string_view fileName) const {
    std::string text = "no model fits " + std::string(fileName);
    std::string nearest;
    for (std::size_t i = 0; i < ranking.size() && i < kNearest && ranking[i].recognised > 0; ++i) {
        nearest += i == 0 ? "; nearest: " : ", ";
        appendf(nearest, i == 0 ? "%s (%d%% of the lines)" : "%s (%d%%)", ranking[i].model->name,
                ranking[i].percent());
    }
    return text + (nearest.empty() ? ": no model recognises any of its lines" : nearest);
}

}  // namespace tervan
