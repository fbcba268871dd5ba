// The main window: the message area (a grid of the rows converted last, or
// text) with the plan view beside it, above them the failures and warnings
// of the last command and the files it wrote, three status lines with the
// indicators beside them, the buttons and the menu, over desk's window
// logic. It is a modal dialog: the program runs as long as it is open. Exit
// ends it keeping the point store; Close (the button, Escape, the close
// box) clears the store first. A file dropped on it is opened as File/Open
// opens one.
#pragma once

#include <QDialog>
#include <QTimer>

#include "desk/desk.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace tervan::gui {

class MessageArea;
class PlanView;

class MainWindow : public QDialog, public desk::Front {
    Q_OBJECT
public:
    // Converts session.inputPath while the window is built, when there is
    // one, and takes the place the window had last time. options: the
    // serial receiver's log folder, port and clock.
    explicit MainWindow(Session& session, ReceiverOptions options = {}, QWidget* parent = nullptr);
    // The grid lets go of desk's tables before they go.
    ~MainWindow() override;

    // Opens the window: File/Open first when StartWithFileOpen is set, then
    // the 124 ms timer, then the window's own loop until Exit or Close.
    int run();

    void fileOpen() { desk_.fileOpen(); }
    void about();
    // Ends the window keeping the point store.
    void exitProgram();
    void done(int result) override;

    desk::Desk& desk() { return desk_; }
    QPushButton* serialButton() const { return serialButton_; }
    // line 1 (progress), 2 (line being received) or 3 (what the last command did)
    QLabel* statusLine(int line) const;
    MessageArea* messageArea() const { return area_; }
    QPlainTextEdit* messageText() const;
    QTableView* grid() const;
    QLabel* notices() const { return notices_; }
    QPushButton* convertAgainButton() const { return convertAgain_; }
    QLabel* filesLine() const { return files_; }
    QLabel* indicators() const { return indicators_; }
    PlanView* planView() const { return plan_; }
    const QTimer& timer() const { return timer_; }

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

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
#ifdef _WIN32
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void addAboutToSystemMenu();
    void fillRecentFiles();
    void copyAsText();
    void place();

    MessageArea* area_;
    QLabel* notices_;
    QPushButton* convertAgain_;
    QLabel* files_;
    QPushButton* showFiles_;
    PlanView* plan_;
    bool showingSelection_ = false;  // the grid is being told the selection, not choosing it
    QLabel* status_[3];
    QLabel* indicators_;
    QPushButton* serialButton_;
    QMenu* recent_;
    QTimer timer_;
    desk::Desk desk_;
};

}  // namespace tervan::gui
