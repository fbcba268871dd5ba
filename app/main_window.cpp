#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QUrl>
#include <algorithm>

#include "app/about_dialog.h"
#include "app/form_dialog.h"
#include "app/icon.h"
#include "app/message_area.h"
#include "app/open_file_dialog.h"
#include "app/plan_view.h"
#include "app/send_dialog.h"
#include "app/settings_dialog.h"
#include "app/texts.h"
#include "app/tones.h"
#include "desk/display.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tervan::gui {

namespace {

// The system menu's "&About Tervan..."; the window system uses the low four
// bits of a command value itself.
[[maybe_unused]] constexpr unsigned kAboutCommand = 16;

// The local files a drag carries; none when it carries anything else.
std::vector<std::string> droppedFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) return {};
        paths.push_back(toPath(url.toLocalFile()));
    }
    return paths;
}

desk::Placement placementOf(const QRect& r) {
    return {.x = r.x(), .y = r.y(), .width = r.width(), .height = r.height(), .maximized = false};
}

}  // namespace

MainWindow::MainWindow(Session& session, ReceiverOptions options, QWidget* parent)
    : QDialog(parent), desk_(session, *this, std::move(options)) {
    setWindowTitle("Tervan");
    setObjectName("mainWindow");
    setWindowIcon(programIcon());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setAcceptDrops(true);

    area_ = new MessageArea;
    notices_ = new QLabel;
    notices_->setObjectName("notices");
    notices_->setWordWrap(true);
    notices_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notices_->hide();
    convertAgain_ = new QPushButton;
    convertAgain_->setObjectName("convertAgain");
    convertAgain_->setAutoDefault(false);
    convertAgain_->hide();
    connect(convertAgain_, &QPushButton::clicked, this, [this] { desk_.convertAgainAs(); });
    auto* noticesRow = new QHBoxLayout;
    noticesRow->addWidget(notices_, 1);
    noticesRow->addWidget(convertAgain_, 0, Qt::AlignTop);
    files_ = new QLabel;
    files_->setObjectName("files");
    showFiles_ = new QPushButton("Show files");
    showFiles_->setObjectName("showFiles");
    showFiles_->setAutoDefault(false);
    showFiles_->hide();
    auto* copyText = new QPushButton("Copy as text");
    copyText->setObjectName("copyAsText");
    copyText->setAutoDefault(false);
    connect(showFiles_, &QPushButton::clicked, this, [this] { desk_.showFiles(); });
    connect(copyText, &QPushButton::clicked, this, &MainWindow::copyAsText);
    auto* filesRow = new QHBoxLayout;
    filesRow->addWidget(files_);
    filesRow->addWidget(showFiles_);
    filesRow->addStretch(1);
    filesRow->addWidget(copyText);

    plan_ = new PlanView(desk_);
    auto* split = new QSplitter;
    split->setObjectName("messageAndPlan");
    split->setChildrenCollapsible(false);
    split->addWidget(area_);
    split->addWidget(plan_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({480, 320});

    for (int i = 0; i < 3; ++i) {
        status_[i] = new QLabel;
        status_[i]->setObjectName(QString("status%1").arg(i + 1));
        status_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A long line (a report, a received line) must not widen the window
        // beyond the screen.
        status_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    indicators_ = new QLabel;
    indicators_->setObjectName("indicators");
    indicators_->setToolTip("Settings that change every conversion: offsets, x1000, Z.000");
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
    QAction* open = file->addAction("&Open", this, &MainWindow::fileOpen);
    open->setShortcut(QKeySequence::Open);
    recent_ = file->addMenu("&Recent files");
    recent_->setObjectName("recentFiles");
    QAction* again = file->addAction("&Convert again", this, [this] { desk_.convertAgain(); });
    again->setObjectName("convertAgainAction");
    again->setShortcut(Qt::Key_F5);
    QAction* find = file->addAction("&Find a point...", this, [this] { desk_.find(); });
    find->setObjectName("findAction");
    find->setShortcut(QKeySequence::Find);
    // Filled as the File menu opens: an empty, disabled submenu would never open.
    connect(file, &QMenu::aboutToShow, this, &MainWindow::fillRecentFiles);
    connect(file, &QMenu::aboutToShow, this, [this, again] { again->setEnabled(desk_.canConvertAgain()); });
    file->addSeparator();
    file->addAction("E&xit", this, &MainWindow::exitProgram);
    QMenu* help = menuBar->addMenu("&Help");
    QAction* guide = help->addAction("User &guide", this, [this] { desk_.userGuide(); });
    guide->setShortcut(QKeySequence::HelpContents);
    help->addAction("&About...", this, &MainWindow::about);
    fillRecentFiles();

    auto* layout = new QGridLayout(this);
    layout->setMenuBar(menuBar);
    layout->addLayout(noticesRow, 0, 0, 1, 4);
    layout->addLayout(filesRow, 1, 0, 1, 4);
    layout->addWidget(split, 2, 0, 1, 4);
    layout->addWidget(status_[0], 3, 0);
    layout->addWidget(status_[1], 4, 0);
    layout->addWidget(status_[2], 5, 0);
    layout->addWidget(indicators_, 3, 1, 3, 1, Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(serialButton_, 3, 2, 2, 1);
    layout->addWidget(hvsdButton, 5, 2);
    layout->addWidget(closeButton, 5, 3);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(2, 1);
    place();

    // A row chosen in the grid selects its record (and its point in the plan).
    connect(grid()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!showingSelection_ && current.isValid() && desk_.gridShowsRecords())
                    desk_.select(desk_.recordOfRow(static_cast<std::size_t>(current.row())));
            });
    QHeaderView* titles = grid()->horizontalHeader();
    titles->setSectionsClickable(true);
    connect(titles, &QHeaderView::sectionClicked, this,
            [this](int column) { desk_.sortBy(static_cast<std::size_t>(column)); });

    // The timer ticks also while a modal dialog is open.
    connect(&timer_, &QTimer::timeout, this, [this] { desk_.tick(); });
    desk_.start();
}

MainWindow::~MainWindow() { area_->showText({}); }

int MainWindow::run() {
    addAboutToSystemMenu();
    timer_.start(desk::kTickMs);
    // The open-file dialog of StartWithFileOpen comes over the window, once
    // it is shown.
    post([this] { desk_.opened(); });
    return exec();
}

void MainWindow::about() {
    AboutDialog dialog(QString::fromStdString(desk_.settingsPlace()), this);
    dialog.exec();
}

// Exit ends the window as accepted; Close, Escape and the close box as
// rejected.
void MainWindow::exitProgram() { done(QDialog::Accepted); }

void MainWindow::done(int result) {
    desk::Placement now = placementOf(isMaximized() ? normalGeometry() : geometry());
    now.maximized = isMaximized();
    desk_.end(result == QDialog::Accepted ? desk::Desk::Ending::Exit : desk::Desk::Ending::Close, now);
    QDialog::done(result);
}

// The place of the last run, on the screen it was on (or the main one).
void MainWindow::place() {
    std::vector<desk::Placement> screens;
    if (QScreen* main = QGuiApplication::primaryScreen()) screens.push_back(placementOf(main->availableGeometry()));
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) screens.push_back(placementOf(screen->availableGeometry()));
    auto placed = desk_.placement(screens);
    if (!placed) return;
    // The smallest size the layout allows wins over a place kept from a
    // larger font.
    placed->width = std::max(placed->width, minimumSizeHint().width());
    setGeometry(placed->x, placed->y, placed->width, placed->height);
    if (placed->maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::showMessage(const std::string& text) { area_->showText(text); }

void MainWindow::showTable(const desk::Table& table) {
    area_->showTable(table);
    QHeaderView* titles = grid()->horizontalHeader();
    const desk::SortedTable* sorted = desk_.grid();
    const bool isSorted = sorted && sorted->sortColumn() != desk::SortedTable::kNone;
    titles->setSortIndicatorShown(isSorted);
    if (isSorted)
        titles->setSortIndicator(static_cast<int>(sorted->sortColumn()),
                                 sorted->ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MainWindow::setStatus(int line, const std::string& text) {
    // Line 1 is the progress bar, line 2 instrument text, line 3 may name
    // a file.
    QString shown = QString::fromStdU16String(desk::statusForDisplay(line, text));
    QLabel* label = statusLine(line);
    if (label->text() != shown) label->setText(shown);
    if (line == 3) label->setStyleSheet({});
}

void MainWindow::showReport(const desk::Report& report) {
    setStatus(3, report.status.text);
    status_[2]->setStyleSheet(toneStyle(report.status.tone));
    status_[2]->setToolTip(fromReportText(report.status.text));
    notices_->setText(noticesHtml(report.notices));
    notices_->setStyleSheet(toneStyle(desk::worstTone(report.notices)));
    notices_->setVisible(!report.notices.empty());
    files_->setText(fromReportText(report.files));
    convertAgain_->setText(QString::fromUtf8(desk::convertAgainLabel(report)));
    convertAgain_->setVisible(!report.convertAgainAs.empty());
    showFiles_->setVisible(!report.folder.empty());
}

void MainWindow::setTitle(const std::string& title) { setWindowTitle(QString::fromUtf8(title)); }

void MainWindow::setIndicators(const std::vector<desk::Notice>& indicators) {
    indicators_->setText(indicatorsHtml(indicators));
}

bool MainWindow::openFolder(const std::string& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fromPath(folder)));
}

void MainWindow::setSerialButton(const std::string& text) { serialButton_->setText(QString::fromLatin1(text)); }

bool MainWindow::chooseInputFile(std::string& path) { return gui::chooseInputFile(this, path); }

bool MainWindow::chooseSaveFile(std::string& path) { return gui::chooseSaveFile(this, path); }

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

void MainWindow::showPlan() { plan_->reload(); }

void MainWindow::showSelection(std::size_t record) {
    plan_->setSelected(record);
    QTableView* rows = grid();
    const bool isRow = record != kNoPoint && desk_.gridShowsRecords();
    const int row = isRow ? static_cast<int>(desk_.rowOfRecord(record)) : -1;
    if (isRow && rows->currentIndex().row() == row && rows->selectionModel()->isRowSelected(row))
        return;  // chosen in the grid itself
    showingSelection_ = true;
    if (isRow) {
        rows->selectRow(row);
        rows->scrollTo(rows->model()->index(row, 0));
    } else {
        rows->clearSelection();
    }
    showingSelection_ = false;
}

QLabel* MainWindow::statusLine(int line) const { return status_[line - 1]; }

QPlainTextEdit* MainWindow::messageText() const { return area_->text(); }

QTableView* MainWindow::grid() const { return area_->grid(); }

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (desk::Desk::canDrop(droppedFiles(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (desk_.drop(droppedFiles(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::fillRecentFiles() {
    recent_->clear();
    const std::vector<std::string>& files = desk_.recentFiles();
    for (std::size_t i = 0; i < files.size(); ++i)
        recent_->addAction(fromPath(desk::recentFileLabel(files, i)), this, [this, i] { desk_.openRecent(i); });
    recent_->setEnabled(!files.empty());
}

void MainWindow::copyAsText() { QApplication::clipboard()->setText(messageForDisplay(desk_.message())); }

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
