// The main window: the message area, three status lines, the buttons and
// the menu. It is a modal dialog: the program runs as long as it is open.
// Exit ends it keeping the point store; Close (the button, Escape, the
// close box) clears the store first.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

#include "core/program.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tervan::gui {

class SerialLink;

class MainWindow : public QDialog {
    Q_OBJECT
public:
    // Converts program.inputPath while the window is built, when there is one.
    explicit MainWindow(Program& program, QWidget* parent = nullptr);

    // Opens the window: File/Open first when StartWithFileOpen is set, then
    // the 124 ms timer, then the window's own loop until Exit or Close.
    int run();

    // File/Open: the open-file dialog starting at the current input path,
    // the Settings dialog, the conversion on "OK", the refresh and the save
    // after the dialog.
    void fileOpen();
    // "C&alcHVSD": the Calculate H, V, SD dialog, then an H, V, SD run.
    void calcHvsd();
    void about();
    // Ends the window keeping the point store.
    void exitProgram();
    // Copies the message text and the summary into the window and clears
    // status lines 1 and 2.
    void refresh();
    // Shows the message text in the message area, the status lines untouched.
    void showMessage();

    // Every tick of the 124 ms timer, also while a modal dialog is open:
    // the serial receiver's poll.
    std::function<void()> onTick;
    // The "&Start Serial" button: the serial receiver's button.
    std::function<void()> onStartSerial;

    QPushButton* serialButton() const { return serialButton_; }
    // line 1 (progress), 2 (line being received) or 3 (conversion summary)
    QLabel* statusLine(int line) const;
    QPlainTextEdit* messageArea() const { return message_; }
    const QTimer& timer() const { return timer_; }

    void reject() override;

#ifdef _WIN32
protected:
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void addAboutToSystemMenu();

    Program& program_;
    QPlainTextEdit* message_;
    QLabel* status_[3];
    QPushButton* serialButton_;
    QTimer timer_;
    SerialLink* serial_;
};

}  // namespace tervan::gui
