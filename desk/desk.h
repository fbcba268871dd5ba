// The main window's logic without a toolkit: start-up, File/Open with the
// Settings dialog (also for a dropped file and the recent files), the H, V,
// SD command, the serial link on the 124 ms timer, the ways the window ends,
// and what the message area, the status lines, the report above the table
// and the title bar show. A front end forwards its menu, buttons and timer
// here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conversion/detect.h"
#include "conversion/driver.h"
#include "conversion/session.h"
#include "desk/front.h"
#include "desk/plan.h"
#include "desk/serial_link.h"
#include "desk/window_state.h"

namespace tervan::desk {

// The one timer of the main window, started when the window opens.
inline constexpr int kTickMs = 124;

// The program's start: the files of a program in programFolder (which ends
// in the path separator; an installed program's go to the user's folders),
// inputPath from the command line (empty when none), the settings loaded.
void startSession(Session& session, const std::string& programFolder, const std::string& inputPath);

class Desk {
public:
    // options: the receiver's log folder, port opener and clock (tests).
    Desk(Session& session, Front& front, ReceiverOptions options = {});
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    // While the window is built: converts the input path of the command
    // line, when there is one, and fills the controls. A file that the
    // saved model does not fit, but another model does, is not converted
    // here: opened() shows it in the Settings dialog.
    void start();
    // When the window opens: the Settings dialog for the file of the
    // command line that the saved model does not fit (with the model that
    // fits preselected, as File/Open has it); else File/Open at once when
    // StartWithFileOpen is set. The front end then starts its timer.
    void opened();

    // File/Open: the open-file dialog starting at the current input path
    // (else at the file opened last), then openFile.
    void fileOpen();
    // "Convert again" (F5): the Settings dialog on the current input with
    // the current settings, so that an output or an offset can be changed,
    // and the conversion on "OK"; said when the file is no longer there.
    // Nothing before the first file.
    void convertAgain();
    bool canConvertAgain() const { return !session_.inputPath.empty(); }
    // The button beside the warning (convertAgainLabel(report())): the
    // current input converted at once with the model that fits it, which
    // becomes Model and is saved as "OK" saves it.
    void convertAgainAs();
    // File/Open with a file already chosen (dropped on the window, or one of
    // the recent files): the Settings dialog with the model that fits the
    // file, the conversion on "OK", the refresh and the save after the
    // dialog.
    void openFile(const std::string& path);
    // Files dragged onto the window: whether the window takes them (one
    // file, not a folder), and the drop itself, which opens that file with
    // openFile once the drop has ended. false when refused.
    static bool canDrop(const std::vector<std::string>& paths);
    bool drop(const std::vector<std::string>& paths);
    // The files opened last, newest first ("Recent files").
    const std::vector<std::string>& recentFiles() const { return recent_; }
    // One of them; a file that is no longer there is said so and dropped.
    void openRecent(std::size_t index);
    // "Show files": the folder of the files the last command wrote; where
    // no file manager shows it, its path is said in the report, to copy.
    void showFiles();
    // Find (Ctrl+F): a dialog asks for a point's name (the last one asked
    // for at first); the next row of the grid of points that names it (or,
    // failing that, contains it) is selected. Said in the report when no
    // row does.
    void find();
    // Help/"User guide" (F1): the guide beside the program (guide/index.html
    // of the program folder) in the system's browser; said when it is not
    // there or nothing shows it.
    void userGuide();
    // "C&alcHVSD": the Calculate H, V, SD dialog, then an H, V, SD run.
    void calcHvsd();
    // "&Start Serial" / "&Stop Serial".
    void serialButton() { serial_.buttonPressed(); }
    // Every tick of the timer, also while a modal dialog is open.
    void tick() { serial_.tick(); }
    // Close (the button, Escape, the close box) and Exit: a receive
    // transfer first keeps what has arrived in its log; Close then clears
    // the point store, Exit keeps it.
    void close();
    void exit();
    // The window's place kept from the last run, fitted to the work area
    // of the screen nearest its centre (of the screens' work areas given,
    // the main screen first), maximized as it was; before the first run,
    // firstPlacement on the main screen. None without screens.
    std::optional<Placement> placement(const std::vector<Placement>& screens) const;
    // The window's place as it ends, kept at exit.
    void keepPlacement(const Placement& placement) { placement_ = placement; }
    enum class Ending { Close, Exit };
    // The window ends, by Close or Exit, at placement (its normal place,
    // and whether maximized).
    void end(Ending how, const Placement& placement);
    // After the window has ended: the save at exit (only with SaveSettings);
    // why it failed, "" when it did not. The front shows a failure in a
    // message box, since the window that would say it has gone.
    std::string finish();

    // Fills the message area (a grid or text), the report, the title and
    // the indicators, clears status lines 1 and 2 and has the plan view
    // drawn anew.
    void refresh();

    // The plan view of the records of the last conversion; the front end
    // draws it and forwards resizing, the wheel and dragging to it.
    Plan& plan() { return plan_; }
    // A record chosen in the plan view or in the grid (its row), kNoPoint
    // for none: kept, and shown by the front end in both. A conversion
    // clears it.
    void select(std::size_t record);
    std::size_t selected() const { return selected_; }
    // The line under the plan: the selected record, or while none is, the
    // record in the first row of the grid.
    std::string describeSelection() const;
    // Whether the grid shows the store's rows, one per record, so that its
    // rows and the records select each other.
    bool gridShowsRecords() const { return view_ == View::Points; }
    // A click on a column's title: the grid sorted by it, ascending, and
    // descending at the next click; shown again with the selection kept.
    // A conversion shows its rows in their own order again.
    void sortBy(std::size_t column);
    // The grid shown (nullptr while the message area shows text): its sort
    // column and direction for the title's arrow.
    const SortedTable* grid() const;
    // The record of a row of the grid of points and the row of a record.
    std::size_t recordOfRow(std::size_t row) const { return sortedPoints_.tableRow(row); }
    std::size_t rowOfRecord(std::size_t record) const {
        return record == kNoPoint ? kNoPoint : sortedPoints_.rowOf(record);
    }

    // The About box's line on where the settings live (the profile of an
    // installed program).
    std::string settingsPlace() const { return "Settings: " + session_.iniPath; }

    // The exact message text ("Copy as text"). The observation table of a
    // conversion, which the grid shows from the store, is built here the
    // first time it is asked for.
    const std::string& message();
    const Report& report() const { return report_; }
    const Receiver& receiver() const { return serial_.receiver(); }

private:
    // The Calc BFFB line dialog, asked by a "Dini BF" conversion.
    struct DialogPrompts final : Prompts {
        explicit DialogPrompts(Front& f) : front(f) {}
        bool askBffb(BffbParams& params) override;
        Front& front;
    };

    enum class View { Text, Points, Levelling };

    // detection: the file's, when it was detected already.
    void convertFile(const std::string& path, const Detection* detection = nullptr);
    // Builds the observation table into message_ when it is still to be
    // built: before the store changes under a text that may stay.
    void buildPendingTable();
    // A new file is being chosen: the report of the last command goes.
    void startCommand();
    void show(Result result, const std::string& warning = {});
    void showMessageArea();
    void saveAfterDialog();
    // Saves through save (which returns false with the reason) unless the
    // settings file could not be read; a failure is shown. The failure's
    // text, "" when none.
    template <class Save>
    std::string saveSettingsFile(Save save);
    void fail(const std::string& text);
    // A failure shown before the notices of the report at hand.
    void addFailure(const std::string& text);

    Session& session_;
    Front& front_;
    DialogPrompts prompts_;
    std::string message_;  // the text of the message area
    View view_ = View::Text;
    std::size_t shownPoints_ = 0;         // the store's records when its table was shown
    bool tablePending_ = false;           // message_ is still to become the observation table
    std::vector<std::string> levelRows_;  // of the levelling line shown
    PointTable pointTable_;
    LevelTable levelTable_;
    SortedTable sortedPoints_, sortedLevels_;
    std::string titleModel_;  // the model the last conversion used
    std::string findText_;    // the name asked for last
    Report report_;
    std::vector<std::string> recent_;
    std::optional<Placement> placement_;
    SerialLink serial_;
    Plan plan_;
    std::size_t selected_ = kNoPoint;
    bool askAtStart_ = false;  // the command line's file waits for the Settings dialog
};

}  // namespace tervan::desk
