// The main window of the Windows program: the dialog IDD_MAIN with the
// message area (a grid of the rows converted last, or text), above it the
// failures and warnings of the last command and the files it wrote, three
// status lines with the indicators beside them, the buttons and the menu,
// over desk's window logic. It is modal: the program runs as long as it is
// open. Exit ends it keeping the point store; Close (the button, Escape, the
// close box) clears the store first. A file dropped on it is opened as
// File/Open opens one.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "desk/desk.h"
#include "win/dialog.h"
#include "win/message_grid.h"
#include "win/plan_view.h"

namespace tervan::win {

class MainWindow final : public desk::Front {
public:
    explicit MainWindow(Session& session);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Builds the window (converting the command line's input, when there
    // is one) in the place it had last time, opens it (File/Open first when
    // StartWithFileOpen is set), starts the 124 ms timer and returns when
    // the window has ended.
    void run();

    desk::Desk& desk() { return desk_; }

    // desk::Front
    void showMessage(const std::string& text) override;
    void showTable(const desk::Table& table) override;
    void setStatus(int line, const std::string& text) override;
    void showReport(const desk::Report& report) override;
    void setTitle(const std::string& title) override;
    void setIndicators(const std::vector<desk::Notice>& indicators) override;
    bool openFolder(const std::string& folder) override;
    void setSerialButton(const std::string& text) override;
    bool chooseInputFile(std::string& path) override;
    bool chooseSaveFile(std::string& path) override;
    bool editSettings(desk::SettingsForm& form) override;
    bool editForm(desk::Form& form) override;
    void runSendDialog(Sender& sender) override;
    void post(std::function<void()> task) override;
    void showPlan() override;
    void showSelection(std::size_t record) override;

private:
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void init(HWND window);
    void command(int id);
    void end(int how);
    void about();
    void place();
    void fillRecentFiles(HMENU menu);
    void layout();
    void setFonts();
    void showControl(int id, bool show);
    bool shown(int id) const;
    void setText(int id, const std::wstring& text);

    HWND window_ = nullptr;
    HFONT messageFont_ = nullptr;
    HFONT boldFont_ = nullptr;
    MessageGrid grid_;
    PlanView plan_;
    bool showingSelection_ = false;  // the grid is being told, not telling
    std::wstring status_[3];
    desk::Tone statusTone_ = desk::Tone::Plain;
    desk::Tone noticesTone_ = desk::Tone::Plain;
    desk::Tone indicatorsTone_ = desk::Tone::Plain;
    int noticeLines_ = 0;
    bool maximize_ = false;  // the last run ended maximized
    SIZE minimum_{};         // the window's smallest size at the resolution it was built with
    UINT builtDpi_ = USER_DEFAULT_SCREEN_DPI;
    std::deque<std::function<void()>> posted_;
    desk::Desk desk_;
};

}  // namespace tervan::win
