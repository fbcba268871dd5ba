// What a front end gives the window logic: the controls of the main window
// and its dialogs. The Qt program and the Windows program each implement it
// with their own widgets and hold no logic of their own.
//
// Texts are bytes: the message text, the status lines and the report as the
// core makes them (instrument text in MIK, paths as the file system has
// them).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "desk/forms.h"
#include "desk/report.h"
#include "desk/table.h"
#include "serial/sender.h"

namespace tervan::desk {

class Front {
public:
    virtual ~Front() = default;

    // The message area as text: the whole text, whose lines end in CR LF
    // (the levelling rows in CR CR LF).
    virtual void showMessage(const std::string& text) = 0;
    // The message area as a grid of table's rows, each cell asked for only
    // when it is drawn or copied. table stays valid until the next
    // showTable or showMessage; its rows may be asked for again at any time.
    // Selected rows are copied with copyRows.
    virtual void showTable(const Table& table) = 0;
    // Status line 1 (progress), 2 (the line being received) or 3 (what the
    // last command did).
    virtual void setStatus(int line, const std::string& text) = 0;
    // Status line 3 in the colour of its tone (a warning amber, a failure
    // red), and above the message area the report's notices and its files
    // line with a "Show files" button that calls Desk::showFiles.
    virtual void showReport(const Report& report) = 0;
    // The title bar, in UTF-8.
    virtual void setTitle(const std::string& title) = 0;
    // The settings that change every conversion, beside the status lines
    // (none: nothing shown).
    virtual void setIndicators(const std::vector<Notice>& indicators) = 0;
    // Shows a folder in the system's file manager, or a file in the program
    // the system opens it with; false when none shows it.
    virtual bool openFolder(const std::string& folder) = 0;
    // "&Start Serial" or "&Stop Serial".
    virtual void setSerialButton(const std::string& text) = 0;

    // The open-file dialog with inputFilters(), path its initial file name;
    // the first filter shows only names offeredAsInput. On "Open" path is
    // the chosen file. false when cancelled.
    virtual bool chooseInputFile(std::string& path) = 0;
    // The save-file dialog with receiveLogFilters(), for a received text
    // that no folder took; path its initial file name, on "Save" the
    // chosen file. false when cancelled.
    virtual bool chooseSaveFile(std::string& path) = 0;
    // The Settings dialog on form; false on "Cancel".
    virtual bool editSettings(SettingsForm& form) = 0;
    // A dialog of fields (Calculate H, V, SD; Calc BFFB line; COM
    // Properties) on form; false on "Cancel".
    virtual bool editForm(Form& form) = 0;
    // "Send serial data" until the user closes it: its buttons call the
    // sender and show its text.
    virtual void runSendDialog(Sender& sender) = 0;

    // Runs task from the window's loop once the current handler has
    // returned, so that the timer keeps ticking while task shows dialogs.
    virtual void post(std::function<void()> task) = 0;

    // The plan view (Desk::plan()): draw it anew, after a conversion. A
    // front end without a plan view leaves this and the next as they are.
    virtual void showPlan() {}
    // Show record (an index into the point store, kNoPoint for none) as
    // the selected one: marked in the plan view, and its row in the grid
    // of the store's rows.
    virtual void showSelection(std::size_t record) { (void)record; }
};

}  // namespace tervan::desk
