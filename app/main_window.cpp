#include "app/main_window.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/about_dialog.h"
#include "app/fonts.h"
#include "app/form_dialog.h"
#include "app/icon.h"
#include "app/send_dialog.h"
#include "app/settings_dialog.h"
#include "app/texts.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tervan::gui {

namespace {

// The system menu's "&About Tervan..."; the window system uses the low four
// bits of a command value itself.
[[maybe_unused]] constexpr unsigned kAboutCommand = 16;

}  // namespace

MainWindow::MainWindow(Session& session, ReceiverOptions options, QWidget* parent)
    : QDialog(parent), desk_(session, *this, std::move(options)) {
    setWindowTitle("Tervan");
    setObjectName("mainWindow");
    setWindowIcon(programIcon());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);

    message_ = new QPlainTextEdit;
    message_->setObjectName("message");
    message_->setReadOnly(true);
    message_->setLineWrapMode(QPlainTextEdit::NoWrap);
    message_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    message_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    message_->setFont(fixedPitchFont());
    message_->setTabStopDistance(8 * message_->fontMetrics().horizontalAdvance(' '));

    for (int i = 0; i < 3; ++i) {
        status_[i] = new QLabel;
        status_[i]->setObjectName(QString("status%1").arg(i + 1));
        status_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    serialButton_ = new QPushButton("&Start Serial");
    auto* hvsdButton = new QPushButton("C&alcHVSD");
    auto* closeButton = new QPushButton("&Close");
    serialButton_->setAutoDefault(false);
    hvsdButton->setAutoDefault(false);
    closeButton->setAutoDefault(false);
    connect(serialButton_, &QPushButton::clicked, this, [this] { desk_.serialButton(); });
    connect(hvsdButton, &QPushButton::clicked, this, [this] { desk_.calcHvsd(); });
    connect(closeButton, &QPushButton::clicked, this, &MainWindow::reject);

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu("&File");
    file->addAction("&Open", this, &MainWindow::fileOpen);
    file->addSeparator();
    file->addAction("E&xit", this, &MainWindow::exitProgram);
    QMenu* help = menuBar->addMenu("&Help");
    help->addAction("&About...", this, &MainWindow::about);

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(message_, 0, 0, 1, 3);
    layout->addWidget(status_[0], 1, 0);
    layout->addWidget(status_[1], 2, 0);
    layout->addWidget(status_[2], 3, 0);
    layout->addWidget(serialButton_, 1, 1, 2, 1);
    layout->addWidget(hvsdButton, 3, 1);
    layout->addWidget(closeButton, 3, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 1);
    resize(860, 420);

    // The timer ticks also while a modal dialog is open.
    connect(&timer_, &QTimer::timeout, this, [this] { desk_.tick(); });
    desk_.start();
}

int MainWindow::run() {
    desk_.opened();
    addAboutToSystemMenu();
    timer_.start(desk::kTickMs);
    return exec();
}

void MainWindow::about() {
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::exitProgram() { done(QDialog::Accepted); }

void MainWindow::reject() {
    desk_.close();
    QDialog::reject();
}

void MainWindow::showMessage(const std::string& text) { message_->setPlainText(messageForDisplay(text)); }

void MainWindow::setStatus(int line, const std::string& text) {
    // Line 1 is the progress bar, line 2 instrument text, line 3 may name
    // a file.
    QString shown = line == 1   ? QString::fromLatin1(text)
                    : line == 2 ? fromMik(text)
                                : QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    QLabel* label = statusLine(line);
    if (label->text() != shown) label->setText(shown);
}

void MainWindow::setSerialButton(const std::string& text) { serialButton_->setText(QString::fromLatin1(text)); }

bool MainWindow::chooseInputFile(std::string& path) {
    QFileDialog chooser(this, "Open");
    chooser.setObjectName("openFileDialog");
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setNameFilters({"Tervan (*.gsi *.srd *.dat *.kor *.txt)", "*.* (*)"});
    QString initial = fromPath(path);
    if (!initial.isEmpty()) chooser.selectFile(initial);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return false;
    path = toPath(chooser.selectedFiles().constFirst());
    return true;
}

bool MainWindow::editSettings(desk::SettingsForm& form) {
    SettingsDialog dialog(form, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    form = dialog.values();
    return true;
}

bool MainWindow::editForm(desk::Form& form) { return gui::editForm(this, form); }

void MainWindow::runSendDialog(Sender& sender) {
    SendDialog dialog(sender, this);
    dialog.exec();
}

void MainWindow::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

QLabel* MainWindow::statusLine(int line) const { return status_[line - 1]; }

#ifdef _WIN32
void MainWindow::addAboutToSystemMenu() {
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (!menu) return;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About Tervan...");
}

bool MainWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        about();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#else
// Other window systems give no access to the window menu; the Help menu
// carries the About box there.
void MainWindow::addAboutToSystemMenu() {}
#endif

}  // namespace tervan::gui
