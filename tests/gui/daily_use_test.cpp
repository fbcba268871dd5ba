// The window as a surveyor uses it every day: the grid and its copies, a
// file dropped on the window, Ctrl+O and the recent files, the open-file
// dialog's choices, the model the Settings dialog preselects, failures and
// warnings in colour, the place of the window, and a window that fits a
// small screen. Screenshots of the grid, a failure and the detection hint
// go to the build folder's screenshots (and from there to docs/).
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QtTest>

#include "app/main_window.h"
#include "app/message_area.h"
#include "app/settings_dialog.h"
#include "app/startup.h"
#include "app/texts.h"
#include "core/ini.h"
#include "gui_fixture.h"
#include "modal_driver.h"

using namespace tervan;
using namespace tervan::test;
using gui::MainWindow;

namespace {

QString text(const std::string& bytes) { return QString::fromStdString(bytes); }

// Sends a drag of files onto the window and drops it; whether the window
// took the drag.
bool dropFiles(MainWindow& window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

// The names the open-file dialog lists in its folder.
QStringList listed(QFileDialog* dialog) {
    QStringList names;
    QAbstractProxyModel* proxy = dialog->proxyModel();
    auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
    const QModelIndex root = proxy->mapFromSource(files->index(dialog->directory().absolutePath()));
    for (int i = 0; i < proxy->rowCount(root); ++i) names << proxy->index(i, 0, root).data().toString();
    return names;
}

void copyExample(const GuiFixture& f, const char* name) {
    writeFile(f.folder + name, readFile(std::string(TERVAN_SOURCE_DIR) + "/examples/" + name));
}

// Catches the folders "Show files" opens.
class FolderCatcher : public QObject {
    Q_OBJECT
public:
    FolderCatcher() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~FolderCatcher() override { QDesktopServices::unsetUrlHandler("file"); }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toLocalFile(); }
};

}  // namespace

class DailyUseTest : public QObject {
    Q_OBJECT
private slots:
    void gridRowsCopyAndCopyAsText();
    void levellingRowsInAGridOfTheirOwn();
    void aDroppedFileIsOpened();
    void ctrlOAndRecentFiles();
    void openFileDialogLeavesOurOutputsOut();
    void settingsDialogNamesTheModelThatFits();
    void aWarningNamesTheModelThatFits();
    void failuresShowInColourAboveTheTable();
    void thePlaceOfTheWindowIsKept();
    void fitsA1280x800ScreenAt150Percent();
};

void DailyUseTest::gridRowsCopyAndCopyAsText() {
    GuiFixture f("Y0=5\nx1000=Yes\nZ.000=Yes\n");
    Session session = f.start(true);
    MainWindow window(session);
    QTableView* grid = window.grid();
    QVERIFY(window.messageArea()->showsGrid());
    QVERIFY(QFontInfo(grid->font()).fixedPitch());
    QCOMPARE(grid->model()->headerData(8, Qt::Horizontal).toString(), QString("X [m]"));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), QString("*"));
    QCOMPARE(grid->model()->index(1, 8).data().toString(), QString("4036270.000"));
    QCOMPARE(grid->model()->index(1, 9).data().toString(), QString("5041512.000"));  // Y + 5, times 1000
    QCOMPARE(grid->model()->index(1, 8).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
             Qt::AlignRight);
    // the offsets and x1000 beside the status lines
    QVERIFY(window.indicators()->text().contains("Y0 = 5"));
    QVERIFY(window.indicators()->text().contains("x1000"));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    grid->setFocus();
    grid->selectRow(2);
    grid->selectionModel()->select(grid->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QStringList rows = QApplication::clipboard()->text().split('\n');
    QCOMPARE(rows.size(), 4);
    QVERIFY(rows[0].startsWith("\tSN\tIH [m]\tN\t"));
    QVERIFY(rows[1].startsWith("\t#0\t1.550\tP101\t1.500\t45.1234\t98.7654\t52.341\t4036270.000\t"));
    QVERIFY(rows[2].contains("\tP102\t"));
    QCOMPARE(rows[3], QString());

    QTest::mouseClick(window.findChild<QPushButton*>("copyAsText"), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), gui::messageForDisplay(window.desk().message()));
    QVERIFY(QApplication::clipboard()->text().startsWith("<" + text(f.input) + ">\nSN,\tIH,"));

    screenshot(&window, "grid.png");
}

void DailyUseTest::levellingRowsInAGridOfTheirOwn() {
    GuiFixture f("Model=DNA8\n");
    copyExample(f, "level.gsi");
    Session session;
    desk::startSession(session, f.folder, f.folder + "level.gsi");
    MainWindow window(session);
    QAbstractItemModel* model = window.grid()->model();
    QVERIFY(window.messageArea()->showsGrid());
    QCOMPARE(model->columnCount(), 10);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Point"));
    QCOMPARE(model->index(0, 1).data().toString(), QString("Start-Line"));
    QCOMPARE(model->index(2, 4).data().toString(), QString("Rb"));
    QCOMPARE(model->index(2, 5).data().toString(), QString("1.52346"));
    QCOMPARE(window.filesLine()->text(), QString("1 file written next to level.gsi"));
}

void DailyUseTest::aDroppedFileIsOpened() {
    GuiFixture f;
    copyExample(f, "zeiss3303.txt");
    Session session = f.start(false);
    MainWindow window(session);
    QString shownName;
    ModalDriver driver;
    driver.on<gui::SettingsDialog>([&](gui::SettingsDialog* d) {
        shownName = d->findChild<QLineEdit*>("FilesName")->text();
        d->accept();
    });
    const QString dropped = gui::fromPath(f.folder + "zeiss3303.txt");
    QVERIFY(!dropFiles(window, {QUrl("https://example.com/a.txt")}));
    QVERIFY(!dropFiles(window, {QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(dropped)}));
    QVERIFY(dropFiles(window, {QUrl::fromLocalFile(dropped)}));
    QTRY_VERIFY(driver.done());
    QCOMPARE(shownName, QDir::toNativeSeparators(dropped));
    QCOMPARE(text(session.inputPath), text(f.folder + "zeiss3303.txt"));
    QCOMPARE(window.windowTitle(), QString::fromUtf8("zeiss3303.txt — Zeiss3303 — Tervan"));
}

void DailyUseTest::ctrlOAndRecentFiles() {
    GuiFixture f("SaveSettings=Yes\n");
    Session session = f.start(false);
    MainWindow window(session);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ModalDriver driver;
    driver
        .on<QFileDialog>([&](QFileDialog* d) {
            QVERIFY(d->selectedNameFilter().startsWith("Instrument files"));
            d->findChild<QLineEdit*>("fileNameEdit")->setText(gui::fromPath(f.input));
            static_cast<QDialog*>(d)->accept();
        })
        .on<gui::SettingsDialog>([](gui::SettingsDialog* d) { d->accept(); });
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(driver.done());
    QCOMPARE(IniDocument::load(f.ini).get("Recent", "File1"), f.input);

    auto* recent = window.findChild<QMenu*>("recentFiles");
    emit qobject_cast<QMenu*>(recent->parent())->aboutToShow();
    QCOMPARE(recent->actions().size(), 1);
    QCOMPARE(recent->actions().first()->text(), "&1 " + gui::fromPath(f.input));
    std::filesystem::remove(f.folder + "job1_nxyz.txt");
    QString shownName;
    driver.on<gui::SettingsDialog>([&](gui::SettingsDialog* d) {
        shownName = d->findChild<QLineEdit*>("FilesName")->text();
        d->accept();
    });
    recent->actions().first()->trigger();
    QTRY_VERIFY(driver.done());
    QCOMPARE(shownName, QDir::toNativeSeparators(gui::fromPath(f.input)));
    QVERIFY(fileExists(f.folder + "job1_nxyz.txt"));
}

void DailyUseTest::openFileDialogLeavesOurOutputsOut() {
    GuiFixture f("KorFile=Yes\n");
    Session session = f.start(true);  // writes job1.kor, job1_nxyz.txt and the other lists
    writeFile(f.folder + "LEVEL.GSI", readFile(std::string(TERVAN_SOURCE_DIR) + "/examples/level.gsi"));
    MainWindow window(session);
    QStringList instrumentFiles, allFiles;
    QStringList filters;
    ModalDriver driver;
    driver.on<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        // The folder is read in batches: wait until both instrument files are in.
        QTRY_VERIFY(listed(d).contains("job1.txt") && listed(d).contains("LEVEL.GSI"));
        screenshot(d, "open-file.png");
        instrumentFiles = listed(d);
        // "All files", as a user picks it
        auto* types = d->findChild<QComboBox*>("fileTypeCombo");
        types->setCurrentIndex(1);
        emit types->activated(1);
        QTRY_VERIFY(listed(d).contains("Tervan.ini"));
        allFiles = listed(d);
        d->reject();
    });
    window.fileOpen();
    QVERIFY(driver.done());
    QCOMPARE(filters, QStringList({"Instrument files (*.gsi *.srd *.dat *.kor *.txt *.raw *.sdr *.rw5 *.m5 *.r5 *.job "
                                   "*.are *.gts7 *.csv)",
                                   "All files (*)"}));
    instrumentFiles.sort();
    QCOMPARE(instrumentFiles, QStringList({"LEVEL.GSI", "job1.txt"}));
    QVERIFY(allFiles.contains("job1_tras.dat"));
    QVERIFY(allFiles.contains("job1.kor"));
    QVERIFY(allFiles.contains("job1_nxyz.txt"));
}

void DailyUseTest::settingsDialogNamesTheModelThatFits() {
    GuiFixture f;
    copyExample(f, "kolida440.txt");
    Session session = f.start(false);
    MainWindow window(session);
    QString model, hint;
    ModalDriver driver;
    driver
        .on<QFileDialog>([&](QFileDialog* d) {
            d->findChild<QLineEdit*>("fileNameEdit")->setText(gui::fromPath(f.folder + "kolida440.txt"));
            static_cast<QDialog*>(d)->accept();
        })
        .on<gui::SettingsDialog>([&](gui::SettingsDialog* d) {
            model = d->findChild<QComboBox*>("Model")->currentText();
            QLabel* label = d->findChild<QLabel*>("modelHint");
            hint = label->isVisibleTo(d) ? label->text() : QString();
            d->resize(d->sizeHint());
            screenshot(d, "detection-hint.png");
            d->reject();
        });
    window.fileOpen();
    QVERIFY(driver.done());
    QCOMPARE(model, QString("Kolida440"));
    QCOMPARE(hint, QString("Kolida440 fits"));
    QCOMPARE(text(session.settings.Model), QString("Leica1200"));
}

void DailyUseTest::aWarningNamesTheModelThatFits() {
    GuiFixture f;
    copyExample(f, "zeiss3303.txt");
    Session session = f.start(false);  // Model=Leica1200
    MainWindow window(session);
    ModalDriver driver;
    driver.on<gui::SettingsDialog>([](gui::SettingsDialog* d) {
        d->findChild<QComboBox*>("Model")->setEditText("Leica1200");  // the user keeps the wrong model
        d->accept();
    });
    window.desk().openFile(f.folder + "zeiss3303.txt");
    QTRY_VERIFY(driver.done());
    QLabel* status = window.statusLine(3);
    QVERIFY(status->text().endsWith("; it looks like Zeiss3303, not Leica1200"));
    QVERIFY(status->styleSheet().contains("color"));
    QVERIFY(window.notices()->isVisibleTo(&window));
    QVERIFY(window.notices()->text().contains("it looks like Zeiss3303"));
    // beside it, the button that converts again with the model that fits
    QPushButton* again = window.convertAgainButton();
    QVERIFY(again->isVisibleTo(&window));
    QCOMPARE(again->text(), QString("Convert again as Zeiss3303"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    screenshot(&window, "convert-again.png");
    QTest::mouseClick(again, Qt::LeftButton);
    QCOMPARE(text(session.settings.Model), QString("Zeiss3303"));
    QVERIFY(!again->isVisibleTo(&window));
    QVERIFY(!status->styleSheet().contains("color"));
    QVERIFY(window.windowTitle().contains("Zeiss3303"));

    // the grid sorted by a column (a click on its title), with a record
    // without coordinates: empty cells, sorted last
    QHeaderView* titles = window.grid()->horizontalHeader();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(8) + titles->sectionSize(8) / 2, titles->height() / 2));
    QCOMPARE(titles->sortIndicatorSection(), 8);
    QCOMPARE(titles->sortIndicatorOrder(), Qt::AscendingOrder);
    QAbstractItemModel* rows = window.grid()->model();
    QCOMPARE(rows->index(rows->rowCount() - 1, 8).data().toString(), QString());
    window.resize(1180, 560);
    window.grid()->scrollTo(rows->index(0, 12));
    QTest::qWait(50);
    screenshot(&window, "sorted-grid.png");
}

void DailyUseTest::failuresShowInColourAboveTheTable() {
    GuiFixture f;
    std::filesystem::create_directory(f.folder + "job1_tras.dat");
    std::filesystem::remove(f.folder + "dxf_header.txt");
    writeFile(f.ini, iniText("2DFile=Yes\n"));
    Session session = f.start(true);
    MainWindow window(session);
    QLabel* status = window.statusLine(3);
    QVERIFY(status->text().startsWith("7 lines read, 7 points, 0 lines ignored; cannot write "));
    QVERIFY(status->styleSheet().contains("color"));
    QVERIFY(window.notices()->isVisibleTo(&window));
    QVERIFY(window.notices()->text().contains("job1_tras.dat"));
    QVERIFY(window.notices()->text().contains("dxf_header.txt is missing"));
    QCOMPARE(window.filesLine()->text(), QString("3 files written next to job1.txt"));
    FolderCatcher catcher;
    QTest::mouseClick(window.findChild<QPushButton*>("showFiles"), Qt::LeftButton);
    QCOMPARE(catcher.opened, QStringList({QDir::cleanPath(gui::fromPath(f.dir.path().string()))}));
    window.resize(820, 440);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    screenshot(&window, "failure.png");
}

void DailyUseTest::thePlaceOfTheWindowIsKept() {
    GuiFixture f("SaveSettings=Yes\n");
    writeFile(f.ini, readFile(f.ini) + "[Window]\nLeft=40\nTop=30\nWidth=700\nHeight=400\nMaximized=No\n");
    Session session = f.start(false);
    ModalDriver driver;
    QRect opened;
    driver.on<MainWindow>([&](MainWindow* w) {
        opened = w->geometry();
        w->resize(720, 410);
        w->exitProgram();
    });
    gui::runProgram(session);
    QVERIFY(driver.done());
    QCOMPARE(opened.size(), QSize(700, 400));
    IniDocument ini = IniDocument::load(f.ini);
    QCOMPARE(text(ini.get("Window", "Width")), QString("720"));
    QCOMPARE(text(ini.get("Window", "Height")), QString("410"));
}

// 1280 x 800 at 150 % is 853 x 533 points; a task bar of 48 pixels and a
// title bar of 30 points leave 853 x 471: the window can be made that small.
// It opens the first time on a share of the screen it is on.
void DailyUseTest::fitsA1280x800ScreenAt150Percent() {
    const QSize room(1280 * 2 / 3, (800 - 48) * 2 / 3 - 30);
    GuiFixture f;
    Session session = f.start(true);
    MainWindow window(session);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(window.width() <= screen.width() * 9 / 10 + 1 && window.height() <= screen.height() * 9 / 10 + 1,
             qPrintable(QString("%1 x %2").arg(window.width()).arg(window.height())));
    const QSize least = window.minimumSizeHint();
    QVERIFY2(least.width() <= room.width() && least.height() <= room.height(),
             qPrintable(QString("%1 x %2").arg(least.width()).arg(least.height())));
    gui::SettingsDialog settings(desk::SettingsForm{.fileName = f.input, .values = session.settings,
                                                    .modelHint = "looks like Kolida440"});
    const QSize dialog = settings.sizeHint();
    QVERIFY2(dialog.width() <= room.width() && dialog.height() <= room.height(),
             qPrintable(QString("%1 x %2").arg(dialog.width()).arg(dialog.height())));
}

QTEST_MAIN(DailyUseTest)
#include "daily_use_test.moc"
