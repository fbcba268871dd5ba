// The main window's logic without a toolkit: start-up, File/Open with the
// Settings dialog, the H, V, SD command, the serial link on the 124 ms
// timer, the ways the window ends, and what the message area and the status
// lines show. A front end forwards its menu, buttons and timer here.
#pragma once

#include <string>

#include "conversion/driver.h"
#include "conversion/session.h"
#include "desk/front.h"
#include "desk/plan.h"
#include "desk/serial_link.h"

namespace tervan::desk {

// The one timer of the main window, started when the window opens.
inline constexpr int kTickMs = 124;

// The program's start: the settings file and the DXF header in
// programFolder (which ends in the path separator), inputPath from the
// command line (empty when none), the settings loaded.
void startSession(Session& session, const std::string& programFolder, const std::string& inputPath);

class Desk {
public:
    // options: the receiver's log folder, port opener and clock (tests).
    Desk(Session& session, Front& front, ReceiverOptions options = {});
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    // While the window is built: converts the input path of the command
    // line, when there is one, and fills the controls.
    void start();
    // When the window opens: File/Open at once when StartWithFileOpen is
    // set. The front end then starts its timer.
    void opened();

    // File/Open: the open-file dialog starting at the current input path,
    // the Settings dialog, the conversion on "OK", the refresh and the save
    // after the dialog.
    void fileOpen();
    // "C&alcHVSD": the Calculate H, V, SD dialog, then an H, V, SD run.
    void calcHvsd();
    // "&Start Serial" / "&Stop Serial".
    void serialButton() { serial_.buttonPressed(); }
    // Every tick of the timer, also while a modal dialog is open.
    void tick() { serial_.tick(); }
    // Close (the button, Escape, the close box) clears the point store
    // before the window ends; Exit keeps it.
    void close();
    // After the window has ended: the save at exit (only with SaveSettings).
    void finish();

    // Copies the message text and the summary into the controls, clears
    // status lines 1 and 2 and has the plan view drawn anew.
    void refresh();

    // The plan view of the records of the last conversion; the front end
    // draws it and forwards resizing, the wheel and dragging to it.
    Plan& plan() { return plan_; }
    // A record chosen in the plan view (or in the table), kNoPoint for none:
    // kept, and shown by the front end. A conversion clears it.
    void select(std::size_t record);
    std::size_t selected() const { return selected_; }

    const std::string& message() const { return message_; }
    const std::string& summary() const { return summary_; }
    const Receiver& receiver() const { return serial_.receiver(); }

private:
    // The Calc BFFB line dialog, asked by a "Dini BF" conversion.
    struct DialogPrompts final : Prompts {
        explicit DialogPrompts(Front& f) : front(f) {}
        bool askBffb(BffbParams& params) override;
        Front& front;
    };

    void show(Result result);

    Session& session_;
    Front& front_;
    DialogPrompts prompts_;
    std::string message_;  // the text of the message area
    std::string summary_;  // status line 3
    SerialLink serial_;
    Plan plan_;
    std::size_t selected_ = kNoPoint;
};

}  // namespace tervan::desk
