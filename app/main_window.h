// The main window: the message area with the plan view beside it, three
// status lines, the buttons and the menu, over desk's window logic. It is a
// modal dialog: the program runs as long as it is open. Exit ends it keeping
// the point store; Close (the button, Escape, the close box) clears the
// store first.
#pragma once

#include <QDialog>
#include <QTimer>

#include "desk/desk.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tervan::gui {

class PlanView;

class MainWindow : public QDialog, public desk::Front {
    Q_OBJECT
public:
    // Converts session.inputPath while the window is built, when there is
    // one. options: the serial receiver's log folder, port and clock.
    explicit MainWindow(Session& session, ReceiverOptions options = {}, QWidget* parent = nullptr);

    // Opens the window: File/Open first when StartWithFileOpen is set, then
    // the 124 ms timer, then the window's own loop until Exit or Close.
    int run();

    void fileOpen() { desk_.fileOpen(); }
    void about();
    // Ends the window keeping the point store.
    void exitProgram();
    void reject() override;

    desk::Desk& desk() { return desk_; }
    QPushButton* serialButton() const { return serialButton_; }
    // line 1 (progress), 2 (line being received) or 3 (what the last command did)
    QLabel* statusLine(int line) const;
    QPlainTextEdit* messageArea() const { return message_; }
    PlanView* planView() const { return plan_; }
    const QTimer& timer() const { return timer_; }

    // desk::Front
    void showMessage(const std::string& text) override;
    void setStatus(int line, const std::string& text) override;
    void setSerialButton(const std::string& text) override;
    bool chooseInputFile(std::string& path) override;
    bool editSettings(desk::SettingsForm& form) override;
    bool editForm(desk::Form& form) override;
    void runSendDialog(Sender& sender) override;
    void post(std::function<void()> task) override;
    void showPlan() override;
    void showSelection(std::size_t record) override;

#ifdef _WIN32
protected:
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void addAboutToSystemMenu();

    QPlainTextEdit* message_;
    PlanView* plan_;
    QLabel* status_[3];
    QPushButton* serialButton_;
    QTimer timer_;
    desk::Desk desk_;
};

}  // namespace tervan::gui
