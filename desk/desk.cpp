#include "desk/desk.h"

namespace tervan::desk {

void startSession(Session& session, const std::string& programFolder, const std::string& inputPath) {
    setProgramFolder(session, programFolder);
    session.inputPath = inputPath;
    loadSettings(session.settings, session.iniPath);
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
      serial_(session, front, message_, [this] { fileOpen(); }, std::move(options)),
      plan_(session) {}

void Desk::start() {
    if (!session_.inputPath.empty()) show(convert(session_, session_.inputPath, prompts_));
    refresh();
}

void Desk::opened() {
    if (session_.settings.StartWithFileOpen) fileOpen();
}

void Desk::fileOpen() {
    std::string path = session_.inputPath;
    if (!front_.chooseInputFile(path)) return;
    SettingsForm form{.fileName = path, .values = session_.settings};
    // Cancel leaves every setting as it was, and writes nothing: clearing
    // the flags would silently switch off every output and the saving of
    // the settings.
    const bool accepted = front_.editSettings(form);
    if (accepted) {
        session_.settings = form.values;
        show(convert(session_, path, prompts_));
    }
    refresh();
    if (accepted) saveSettingsAfterDialog(session_.settings, session_.iniPath);
}

void Desk::calcHvsd() {
    Form form = hvsdForm(session_.settings);
    if (!front_.editForm(form)) return;
    show(recalculateHvsd(session_, hvsdSizes(form)));
    refresh();
}

void Desk::close() { clearStore(session_.store); }

void Desk::finish() { saveSettingsAtExit(session_.settings, session_.iniPath); }

void Desk::refresh() {
    front_.showMessage(message_);
    front_.setStatus(1, "");
    front_.setStatus(2, "");
    front_.setStatus(3, summary_);
    front_.showPlan();
}

void Desk::select(std::size_t record) {
    selected_ = record;
    front_.showSelection(record);
}

// Every conversion and H, V, SD run has changed the store (an unknown model
// empties it), so the plan is loaded anew.
void Desk::show(Result result) {
    if (!result.keepMessage) message_ = std::move(result.message);
    summary_ = std::move(result.summary);
    plan_.load();
    select(kNoPoint);
}

}  // namespace tervan::desk
