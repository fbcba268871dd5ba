// The main window of the Windows program: the dialog IDD_MAIN with its
// message area, three status lines, buttons and menu, over desk's window
// logic. It is modal: the program runs as long as it is open. Exit ends it
// keeping the point store; Close (the button, Escape, the close box) clears
// the store first.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "desk/desk.h"
#include "win/dialog.h"

namespace tervan::win {

class MainWindow final : public desk::Front {
public:
    explicit MainWindow(Session& session);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Builds the window (converting the command line's input, when there
    // is one), opens it (File/Open first when StartWithFileOpen is set),
    // starts the 124 ms timer and returns when the window has ended.
    void run();

    desk::Desk& desk() { return desk_; }

    // desk::Front
    void showMessage(const std::string& text) override;
    void setStatus(int line, const std::string& text) override;
    void setSerialButton(const std::string& text) override;
    bool chooseInputFile(std::string& path) override;
    bool editSettings(desk::SettingsForm& form) override;
    bool editForm(desk::Form& form) override;
    void runSendDialog(Sender& sender) override;
    void post(std::function<void()> task) override;

private:
    // Where a control stays when the window is resized: it follows the
    // right or bottom edge, or grows with it.
    struct Anchor {
        int id;
        RECT rect;  // at the size and resolution the window was built with
        bool moveX, moveY, growX, growY;
    };

    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    void init(HWND window);
    void command(int id);
    void about();
    void layout();
    void setMessageFont();

    HWND window_ = nullptr;
    HFONT messageFont_ = nullptr;
    std::vector<Anchor> anchors_;
    // The client area and the resolution the anchors were taken at, and the
    // window's size then, its smallest.
    SIZE builtClient_{};
    UINT builtDpi_ = USER_DEFAULT_SCREEN_DPI;
    SIZE minimum_{};
    std::wstring status_[3];
    std::deque<std::function<void()>> posted_;
    desk::Desk desk_;
};

}  // namespace tervan::win
