#include "desk/desk.h"

#include "conversion/detect.h"
#include "conversion/models.h"
#include "conversion/observation_table.h"
#include "core/files.h"

namespace tervan::desk {

void startSession(Session& session, const std::string& programFolder, const std::string& inputPath) {
    placeProgramFiles(session, programFolder);
    session.inputPath = inputPath;
    const std::string path = settingsToRead(session);
    std::string reason;
    // A settings file that is not there yet means the defaults; one that is
    // there but cannot be read is named, and nothing is saved over it.
    session.settingsError.clear();
    if (!loadSettings(session.settings, path, &reason) && fileId(path).valid)
        session.settingsError = "cannot read settings " + path + ": " + reason + "; the settings are not saved";
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
      sortedPoints_(pointTable_),
      sortedLevels_(levelTable_),
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
    if (!session_.inputPath.empty()) {
        // A file opened with the program ("Open with", dropped on it) under
        // the wrong model would become outputs of garbage, written over
        // good ones of the same names ("auto" takes the model that fits).
        const std::string& model = session_.settings.Model;
        const Detection detection = detectFile(session_.inputPath);
        askAtStart_ = model != kAutoModel && detection.error.empty() && detection.best() && !detection.fits(model);
        if (!askAtStart_) convertFile(session_.inputPath, &detection);
    }
    refresh();
    if (!session_.settingsError.empty()) addFailure(session_.settingsError);
}

void Desk::opened() {
    if (askAtStart_) {
        askAtStart_ = false;
        openFile(session_.inputPath);
    } else if (session_.settings.StartWithFileOpen) {
        fileOpen();
    }
}

void Desk::fileOpen() {
    startCommand();
    std::string path = !session_.inputPath.empty() || recent_.empty() ? session_.inputPath : recent_.front();
    if (!front_.chooseInputFile(path)) return;
    openFile(path);
}

void Desk::convertAgain() {
    if (!canConvertAgain()) return;
    startCommand();
    if (!isFile(session_.inputPath)) {
        fail("cannot open " + session_.inputPath + ": it is no longer there");
        return;
    }
    openFile(session_.inputPath);
}

void Desk::convertAgainAs() {
    const std::string model = report_.convertAgainAs;
    if (model.empty() || !canConvertAgain()) return;
    startCommand();
    session_.settings.Model = model;
    convertFile(session_.inputPath);
    refresh();
    saveAfterDialog();
}

// What a find says goes to status line 3 alone: the report of the
// conversion stays.
void Desk::find() {
    auto say = [this](std::string text) {
        report_.status = {Tone::Warning, std::move(text)};
        front_.showReport(report_);
    };
    if (view_ != View::Points) {
        say("the grid shows no points to find");
        return;
    }
    Form form = findForm(findText_);
    if (!front_.editForm(form)) return;
    findText_ = form.value("Name");
    const std::size_t after = selected_ == kNoPoint ? SortedTable::kNone : rowOfRecord(selected_);
    const std::size_t row = findRow(sortedPoints_, 3, findText_, after);
    if (row == SortedTable::kNone) {
        say("no point is named " + findText_);
        return;
    }
    select(recordOfRow(row));
}

void Desk::sortBy(std::size_t column) {
    SortedTable* table = view_ == View::Points ? &sortedPoints_ : view_ == View::Levelling ? &sortedLevels_ : nullptr;
    if (!table || column >= table->columns().size()) return;
    table->sortBy(column, table->sortColumn() != column || !table->ascending());
    showMessageArea();
    // The selection stays; with none, the line under the plan follows row 1.
    front_.showSelection(selected_);
}

const SortedTable* Desk::grid() const {
    return view_ == View::Points ? &sortedPoints_ : view_ == View::Levelling ? &sortedLevels_ : nullptr;
}

void Desk::openFile(const std::string& path) {
    startCommand();
    SettingsForm form{.fileName = path, .values = session_.settings, .modelHint = {}};
    // Detected once: for the model offered, and for the warning after.
    const Detection detection = detectFile(path);
    preselectModel(form, detection);
    // Cancel leaves every setting as it was, and writes nothing: clearing
    // the flags would silently switch off every output and the saving of
    // the settings.
    const bool accepted = front_.editSettings(form);
    if (accepted) {
        session_.settings = form.values;
        convertFile(path, &detection);
    }
    refresh();
    if (accepted) saveAfterDialog();
}

bool Desk::canDrop(const std::vector<std::string>& paths) { return paths.size() == 1 && isFile(paths.front()); }

bool Desk::drop(const std::vector<std::string>& paths) {
    if (!canDrop(paths)) return false;
    // The Settings dialog must not open inside the drop, which holds the
    // program the file came from.
    front_.post([this, path = paths.front()] { openFile(path); });
    return true;
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
    if (report_.folder.empty() || front_.openFolder(report_.folder)) return;
    // Without a file manager the report unfolds into the folder's path and
    // the names written there, to be copied.
    std::string text = "the files are in " + report_.folder + ":";
    for (const std::string& name : report_.written) text += " " + name;
    for (const Notice& n : report_.notices)
        if (n.text == text) return;
    report_.notices.push_back({Tone::Plain, text});
    front_.showReport(report_);
}

void Desk::userGuide() {
    const char separator = session_.programFolder.empty() ? '/' : session_.programFolder.back();
    const std::string guide = session_.programFolder + "guide" + separator + "index.html";
    if (!isFile(guide))
        fail("the user guide is not there: " + guide);
    else if (!front_.openFolder(guide))
        fail("no browser shows the user guide " + guide);
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

void Desk::end(Ending how, const Placement& placement) {
    keepPlacement(placement);
    if (how == Ending::Exit)
        exit();
    else
        close();
}

std::optional<Placement> Desk::placement(const std::vector<Placement>& screens) const {
    if (screens.empty()) return std::nullopt;
    if (!placement_) return firstPlacement(screens.front());
    // The screen nearest the window's centre (0 away when on it); of equal
    // ones the first, the main screen.
    const long long x = placement_->x + placement_->width / 2, y = placement_->y + placement_->height / 2;
    auto away = [x, y](const Placement& s) {
        const long long dx = x < s.x ? s.x - x : x >= s.x + s.width ? x - (s.x + s.width - 1) : 0;
        const long long dy = y < s.y ? s.y - y : y >= s.y + s.height ? y - (s.y + s.height - 1) : 0;
        return dx * dx + dy * dy;
    };
    const Placement* nearest = &screens.front();
    for (const Placement& s : screens)
        if (away(s) < away(*nearest)) nearest = &s;
    return fitOnScreen(*placement_, *nearest);
}

std::string Desk::finish() {
    if (!session_.settings.SaveSettings) return {};
    return saveSettingsFile([this](std::string& reason) {
        return saveSettingsAtExit(session_.settings, session_.iniPath, &reason) &&
               saveRecentFiles(session_.iniPath, recent_, &reason) &&
               (!placement_ || savePlacement(session_.iniPath, *placement_, &reason));
    });
}

template <class Save>
std::string Desk::saveSettingsFile(Save save) {
    if (!session_.settingsError.empty()) {
        addFailure(session_.settingsError);
        return session_.settingsError;
    }
    std::string reason;
    if (!prepareSettingsFile(session_)) reason = "cannot make it";
    if (reason.empty() && save(reason)) return {};
    std::string text = "cannot save settings " + session_.iniPath + ": " + reason;
    addFailure(text);
    return text;
}

void Desk::addFailure(const std::string& text) {
    report_.notices.insert(report_.notices.begin(), {Tone::Failure, text});
    report_.status = {Tone::Failure, text};
    front_.showReport(report_);
}

void Desk::refresh() {
    showMessageArea();
    front_.setStatus(1, "");
    front_.setStatus(2, "");
    front_.showReport(report_);
    front_.setTitle(windowTitle(session_.inputPath, titleModel_));
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

std::string Desk::describeSelection() const {
    if (selected_ != kNoPoint) return plan_.describe(selected_);
    return plan_.describe(view_ == View::Points ? recordOfRow(0) : 0);
}

void Desk::convertFile(const std::string& path, const Detection* detection) {
    // A point model that fails keeps the store and the input path as they
    // were, so the table can still be built from them; a levelling model,
    // detection, an unknown model or known points refused after the read
    // may change the store first and keep the text all the same.
    const ModelEntry* model = findModel(session_.settings.Model);
    if (!model || model->level || session_.settings.ComputeXYZ) buildPendingTable();
    Result result = convert(session_, path, prompts_);
    std::string warning, better;
    titleModel_.clear();
    if (result.outcome == Outcome::Done || result.outcome == Outcome::NothingToDo) titleModel_ = session_.settings.Model;
    if (result.outcome == Outcome::Done || result.outcome == Outcome::NothingFound) {
        std::optional<Detection> detected;
        if (!detection) detection = &detected.emplace(detectFile(path));
        warning = conversionWarning(result, session_.settings, *detection);
        better = betterModel(result, session_.settings, *detection);
    }
    if (result.outcome == Outcome::Done) addRecentFile(recent_, path);
    show(std::move(result), warning);
    report_.convertAgainAs = better;
}

// Every conversion and H, V, SD run has changed the store (an unknown model
// empties it), so the plan is loaded anew.
void Desk::show(Result result, const std::string& warning) {
    report_ = reportOf(result, session_.inputPath, warning);
    pointTable_.refresh();
    plan_.load();
    select(kNoPoint);
    if (!result.keepMessage) {
        message_ = std::move(result.message);
        tablePending_ = result.observationTable;
        levelRows_ = std::move(result.levelRows);
        view_ = result.observationTable ? View::Points : !levelRows_.empty() ? View::Levelling : View::Text;
        shownPoints_ = session_.store.points.size();
        sortedPoints_.unsort();
        sortedLevels_.unsort();
    } else if (view_ == View::Points && session_.store.points.size() != shownPoints_) {
        // The text stays, but the store no longer holds its rows.
        view_ = View::Text;
    }
}

void Desk::showMessageArea() {
    switch (view_) {
        case View::Points:
            front_.showTable(sortedPoints_);
            break;
        case View::Levelling:
            front_.showTable(sortedLevels_);
            break;
        case View::Text:
            front_.showMessage(message_);
            break;
    }
}

// Every setting is kept at once, not only at exit: a crash must not lose
// the letter size or the known points chosen.
void Desk::saveAfterDialog() {
    if (!session_.settings.SaveSettings) return;
    saveSettingsFile([this](std::string& reason) {
        return saveSettingsAtExit(session_.settings, session_.iniPath, &reason) &&
               saveSettingsAfterDialog(session_.settings, session_.iniPath, &reason) &&
               saveRecentFiles(session_.iniPath, recent_, &reason);
    });
}

void Desk::startCommand() {
    if (report_.status.text.empty() && report_.notices.empty() && report_.files.empty()) return;
    report_ = {};
    front_.showReport(report_);
}

void Desk::fail(const std::string& text) {
    report_ = failureReport(text);
    front_.showReport(report_);
}

}  // namespace tervan::desk
