#include "app/main_window.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/about_dialog.h"
#include "app/bffb_dialog.h"
#include "app/hvsd_dialog.h"
#include "app/icon.h"
#include "app/serial_link.h"
#include "app/settings_dialog.h"
#include "app/texts.h"
#include "core/driver.h"
#include "core/settings.h"
#include "levelling/hvsd.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tervan::gui {

namespace {

constexpr int kTickMs = 124;
// The system menu's "&About Tervan..."; the window system uses the low four
// bits of a command value itself.
[[maybe_unused]] constexpr unsigned kAboutCommand = 16;

}  // namespace

MainWindow::MainWindow(Program& program, QWidget* parent) : QDialog(parent), program_(program) {
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
    message_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
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
    connect(serialButton_, &QPushButton::clicked, this, [this] {
        if (onStartSerial) onStartSerial();
    });
    connect(hvsdButton, &QPushButton::clicked, this, &MainWindow::calcHvsd);
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

    program_.askBffb = [this](BffbParams& params) { return askBffb(this, params); };

    // The serial link: the button starts and stops a transfer, the window's
    // one timer polls the port. File/Open on a received log is posted, so
    // that the timer keeps ticking (and the transfer can end) while its
    // dialogs are open.
    serial_ = new SerialLink(program_, this,
                             {.button = serialButton_,
                              .status1 = status_[0],
                              .status2 = status_[1],
                              .showMessage = [this] { showMessage(); },
                              .runFileOpen =
                                  [this](const std::string&) {
                                      QMetaObject::invokeMethod(this, [this] { fileOpen(); }, Qt::QueuedConnection);
                                  },
                              .decode = [](const std::string& text) { return fromMik(text); }});
    onStartSerial = [this] { serial_->receiver().buttonPressed(); };
    onTick = [this] { serial_->receiver().tick(); };
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onTick) onTick();
    });

    if (!program_.inputPath.empty()) convert(program_, program_.inputPath);
    refresh();
}

int MainWindow::run() {
    if (program_.settings.StartWithFileOpen) fileOpen();
    addAboutToSystemMenu();
    timer_.start(kTickMs);
    return exec();
}

void MainWindow::fileOpen() {
    QFileDialog chooser(this, "Open");
    chooser.setObjectName("openFileDialog");
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setNameFilters({"Tervan (*.gsi *.srd *.dat *.kor *.txt)", "*.* (*)"});
    QString initial = fromPath(program_.inputPath);
    if (!initial.isEmpty()) chooser.selectFile(initial);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    QString path = chooser.selectedFiles().constFirst();

    SettingsDialog settings(program_.settings, QDir::toNativeSeparators(path), this);
    // Cancel leaves every setting as it was, and writes nothing: clearing
    // the flags would silently switch off every output and the saving of
    // the settings.
    bool accepted = settings.exec() == QDialog::Accepted;
    if (accepted) {
        program_.settings = settings.values();
        program_.inputPath = toPath(path);
        convert(program_, program_.inputPath);
    }
    refresh();
    if (accepted) saveSettingsAfterDialog(program_.settings, program_.iniPath);
}

void MainWindow::calcHvsd() {
    HvsdDialog dialog(program_.settings.dSD, program_.settings.dH, program_.settings.dV, this);
    if (dialog.exec() != QDialog::Accepted) return;
    runHvsdCommand(program_, dialog.dSD(), dialog.dH(), dialog.dV());
    refresh();
}

void MainWindow::about() {
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::exitProgram() { done(QDialog::Accepted); }

void MainWindow::reject() {
    clearStore(program_.store);
    QDialog::reject();
}

void MainWindow::refresh() {
    showMessage();
    status_[0]->clear();
    status_[1]->clear();
    status_[2]->setText(QString::fromLocal8Bit(program_.summary.data(), static_cast<qsizetype>(program_.summary.size())));
}

void MainWindow::showMessage() { message_->setPlainText(messageForDisplay(program_.message)); }

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
