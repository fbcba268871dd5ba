#include "desk/desk.h"

#include "conversion/detect.h"
#include "conversion/models.h"
#include "conversion/observation_table.h"
#include "core/files.h"

namespace tervan::desk {

void startSession(Session& session, const std::string& programFolder, const std::string& inputPath) {
    placeProgramFiles(session, programFolder);
    session.inputPath = inputPath;
    loadSettings(session.settings, settingsToRead(session));
}

bool Desk::DialogPrompts::askBffb(BffbParams& params) {
    Form form = bffbForm();
    if (!front.editForm(form)) return false;
    params = bffbParams(form);
    return true;
}

Desk::Desk(Session& session, Front& front, ReceiverOptions options)
    : session_(session),
      front_(front),
      prompts_(front),
      pointTable_(session.store),
      levelTable_(levelRows_),
      recent_(loadRecentFiles(settingsToRead(session))),
      placement_(loadPlacement(settingsToRead(session))),
      serial_(session, front, message_,
              {.fileOpen = [this] { fileOpen(); },
               .showReceived =
                   [this] {
                       view_ = View::Text;
                       tablePending_ = false;
                       front_.showMessage(message_);
                   },
               .fail = [this](const std::string& text) { fail(text); }},
              std::move(options)),
      plan_(session) {
    // The grid shows the records from the store; the text of the table
    // waits until it is copied.
    session_.observationText = false;
}

void Desk::start() {
    if (!session_.inputPath.empty()) convertFile(session_.inputPath);
    refresh();
}

void Desk::opened() {
    if (session_.settings.StartWithFileOpen) fileOpen();
}

void Desk::fileOpen() {
    std::string path = session_.inputPath;
    if (!front_.chooseInputFile(path)) return;
    openFile(path);
}

void Desk::openFile(const std::string& path) {
    SettingsForm form{.fileName = path, .values = session_.settings, .modelHint = {}};
    preselectModel(form, detectFile(path));
    // Cancel leaves every setting as it was, and writes nothing: clearing
    // the flags would silently switch off every output and the saving of
    // the settings.
    const bool accepted = front_.editSettings(form);
    if (accepted) {
        session_.settings = form.values;
        convertFile(path);
    }
    refresh();
    if (accepted) saveAfterDialog();
}

void Desk::openRecent(std::size_t index) {
    if (index >= recent_.size()) return;
    const std::string path = recent_[index];
    if (!isFile(path)) {
        recent_.erase(recent_.begin() + static_cast<std::ptrdiff_t>(index));
        fail("cannot open " + path + ": it is no longer there");
        return;
    }
    openFile(path);
}

void Desk::showFiles() {
    if (!report_.folder.empty()) front_.openFolder(report_.folder);
}

void Desk::calcHvsd() {
    Form form = hvsdForm(session_.settings);
    if (!front_.editForm(form)) return;
    show(recalculateHvsd(session_, hvsdSizes(form)));
    refresh();
}

void Desk::close() {
    serial_.endTransfer();
    buildPendingTable();
    clearStore(session_.store);
    // The plan must not keep records the store no longer has.
    plan_.load();
    selected_ = kNoPoint;
}

void Desk::exit() { serial_.endTransfer(); }

std::optional<Placement> Desk::placement(const std::vector<Placement>& screens) const {
    if (!placement_ || screens.empty()) return std::nullopt;
    const int x = placement_->x + placement_->width / 2, y = placement_->y + placement_->height / 2;
    for (const Placement& s : screens)
        if (x >= s.x && x < s.x + s.width && y >= s.y && y < s.y + s.height) return fitOnScreen(*placement_, s);
    return fitOnScreen(*placement_, screens.front());
}

void Desk::finish() {
    if (!session_.settings.SaveSettings) return;
    prepareSettingsFile(session_);
    saveSettingsAtExit(session_.settings, session_.iniPath);
    saveRecentFiles(session_.iniPath, recent_);
    if (placement_) savePlacement(session_.iniPath, *placement_);
}

void Desk::refresh() {
    showMessageArea();
    front_.setStatus(1, "");
    front_.setStatus(2, "");
    front_.showReport(report_);
    front_.setTitle(windowTitle(session_.inputPath, session_.settings.Model));
    front_.setIndicators(indicators(session_.settings));
    front_.showPlan();
}

void Desk::select(std::size_t record) {
    selected_ = record;
    front_.showSelection(record);
}

const std::string& Desk::message() {
    buildPendingTable();
    return message_;
}

void Desk::buildPendingTable() {
    if (!tablePending_) return;
    tablePending_ = false;
    if (view_ == View::Points) buildObservationTable(message_, session_.inputPath, session_.store.points);
}

void Desk::convertFile(const std::string& path) {
    // A point model that fails keeps the store and the input path as they
    // were, so the table can still be built from them; a levelling model,
    // detection or an unknown model may empty the store first and keep the
    // text all the same.
    const ModelEntry* model = findModel(session_.settings.Model);
    if (!model || model->level) buildPendingTable();
    Result result = convert(session_, path, prompts_);
    std::string warning;
    if (result.outcome == Outcome::Done) {
        warning = conversionWarning(result, session_.settings, detectFile(path));
        addRecentFile(recent_, path);
    }
    show(std::move(result), warning);
}

// Every conversion and H, V, SD run has changed the store (an unknown model
// empties it), so the plan is loaded anew.
void Desk::show(Result result, const std::string& warning) {
    report_ = reportOf(result, session_.inputPath, warning);
    plan_.load();
    select(kNoPoint);
    if (!result.keepMessage) {
        message_ = std::move(result.message);
        tablePending_ = result.observationTable;
        levelRows_ = std::move(result.levelRows);
        view_ = result.observationTable ? View::Points : !levelRows_.empty() ? View::Levelling : View::Text;
        shownPoints_ = session_.store.points.size();
    } else if (view_ == View::Points && session_.store.points.size() != shownPoints_) {
        // The text stays, but the store no longer holds its rows.
        view_ = View::Text;
    }
}

void Desk::showMessageArea() {
    switch (view_) {
        case View::Points:
            front_.showTable(pointTable_);
            break;
        case View::Levelling:
            front_.showTable(levelTable_);
            break;
        case View::Text:
            front_.showMessage(message_);
            break;
    }
}

void Desk::saveAfterDialog() {
    if (!session_.settings.SaveSettings) return;
    prepareSettingsFile(session_);
    saveSettingsAfterDialog(session_.settings, session_.iniPath);
    saveRecentFiles(session_.iniPath, recent_);
}

void Desk::fail(const std::string& text) {
    report_ = failureReport(text);
    front_.showReport(report_);
}

}  // namespace tervan::desk
