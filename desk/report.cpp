#include "desk/report.h"

#include <algorithm>

#include "conversion/models.h"
#include "conversion/output_set.h"
#include "core/files.h"
#include "core/numbers.h"
#include "core/printf.h"

namespace tervan::desk {
namespace {

constexpr const char* kDash = " \xE2\x80\x94 ";  // an em dash between blanks, in UTF-8

std::string fileName(const std::string& path) {
    auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

Report reportOf(const Result& result, const std::string& inputPath, const std::string& warning) {
    Report report;
    auto add = [&report](Tone tone, std::string text) { report.notices.push_back({tone, std::move(text)}); };
    if (result.outcome == Outcome::CannotRead || result.outcome == Outcome::NoReader ||
        result.outcome == Outcome::Refused)
        add(Tone::Failure, result.summary);
    // Nothing found: the hint at the model that fits belongs to the failure.
    if (result.outcome == Outcome::NothingFound)
        add(Tone::Failure, warning.empty() ? result.summary : result.summary + "; " + warning);
    if (result.outcome == Outcome::NothingToDo) add(Tone::Warning, result.summary);
    std::size_t written = 0;
    bool kept = false;
    for (const OutputReport& out : result.outputs) {
        if (out.status == OutputStatus::Kept) {
            kept = true;
            continue;
        }
        // A refused output is a failure too: the user asked for a file and has none.
        if (out.status != OutputStatus::Written) {
            add(Tone::Failure, reportLine(out));
            continue;
        }
        if (written++ == 0) {
            report.folder = utf8Path(fsPath(out.path).parent_path());
            if (report.folder.empty()) report.folder.assign(1, '.');
        }
        report.written.push_back(fileName(out.path));
    }
    if (kept) add(Tone::Failure, kNothingReplaced);
    if (!result.knownPointsError.empty()) add(Tone::Failure, result.knownPointsError);
    for (const std::string& text : result.warnings) add(Tone::Warning, text);
    for (const LineClosure& c : result.closures)
        add(c.closing == Closing::Within ? Tone::Good : c.closing == Closing::Over ? Tone::Failure : Tone::Plain,
            c.summary);
    if (!warning.empty() && result.outcome != Outcome::NothingFound)
        add(Tone::Warning, result.summary + "; " + warning);
    std::stable_partition(report.notices.begin(), report.notices.end(),
                          [](const Notice& n) { return n.tone == Tone::Failure; });
    if (!result.detected.empty()) {
        std::string text = "model " + result.detected + " (detected)";
        for (const std::string& other : result.alsoFits) text += "; " + other + " fits as well";
        add(Tone::Plain, text);
    }
    if (written > 0)
        report.files = strf("%zu %s written next to %s", written, written == 1 ? "file" : "files",
                            fileName(inputPath).c_str());

    report.status = {Tone::Plain, result.summary};
    if (!report.notices.empty() && report.notices.front().tone != Tone::Plain) {
        const Notice& first = report.notices.front();
        const bool hasSummary = first.text.compare(0, result.summary.size(), result.summary) == 0;
        report.status = {first.tone, hasSummary ? first.text : result.summary + "; " + first.text};
    }
    return report;
}

ToneColours toneColours(Tone tone) {
    switch (tone) {
        case Tone::Warning:
            return {0x7a4d00, 0xfff1c7};
        case Tone::Failure:
            return {0xa4001d, 0xfde3e6};
        case Tone::Good:
            return {0x1d6b1d, 0xe0f5e0};
        case Tone::Plain:
            break;
    }
    return {};
}

Tone worstTone(const std::vector<Notice>& notices) {
    Tone worst = Tone::Plain;
    for (const Notice& n : notices) worst = std::max(worst, n.tone);
    return worst;
}

Report failureReport(const std::string& text) {
    Report report;
    report.status = {Tone::Failure, text};
    report.notices.push_back(report.status);
    return report;
}

std::string conversionWarning(const Result& result, const Settings& settings, const Detection& detection) {
    const ModelEntry* model = findModel(settings.Model);
    if (!model || (result.outcome != Outcome::Done && result.outcome != Outcome::NothingFound)) return {};
    const ModelEntry* best = detection.best();
    // A word stream counts dropped blocks, not lines.
    const bool foundLittle = result.outcome == Outcome::NothingFound ||
                             (model->blockMark == 0 && 2 * result.linesIgnored > result.linesRead);
    if (!foundLittle && (detection.fits(model->name) || !best)) return {};
    if (!best) return std::string("no model fits it");
    if (best == model) return std::string("no other model fits it better");
    return std::string("it looks like ") + best->name + ", not " + model->name;
}

std::string betterModel(const Result& result, const Settings& settings, const Detection& detection) {
    const std::string warning = conversionWarning(result, settings, detection);
    if (warning.rfind("it looks like ", 0) != 0) return {};
    return detection.best()->name;
}

std::string convertAgainLabel(const Report& report) {
    return report.convertAgainAs.empty() ? std::string() : "Convert again as " + report.convertAgainAs;
}

std::string windowTitle(const std::string& inputPath, const std::string& model) {
    if (inputPath.empty()) return "Tervan";
    std::string title = fileName(inputPath) + kDash;
    if (findModel(model)) title += model + kDash;
    return title + "Tervan";
}

std::vector<Notice> indicators(const Settings& settings) {
    std::vector<Notice> on;
    const std::pair<const char*, const std::string*> offsets[] = {
        {"X0", &settings.X0}, {"Y0", &settings.Y0}, {"Z0", &settings.Z0}};
    for (const auto& [name, text] : offsets)
        if (toNumber(*text) != 0) on.push_back({Tone::Warning, std::string(name) + " = " + *text});
    if (settings.x1000) on.push_back({Tone::Warning, "x1000"});
    if (settings.Z000) on.push_back({Tone::Plain, "Z.000"});
    return on;
}

}  // namespace tervan::desk
