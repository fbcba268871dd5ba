// The main window driven on the offscreen platform: start-up, File/Open with
// the Settings dialog, the H, V, SD command, About, the hooks of the serial
// link, and the ways the window ends.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QtTest>

#include "app/about_dialog.h"
#include "app/fonts.h"
#include "app/form_dialog.h"
#include "app/main_window.h"
#include "app/message_area.h"
#include "app/settings_dialog.h"
#include "app/startup.h"
#include "app/texts.h"
#include "gui_fixture.h"
#include "modal_driver.h"

using namespace tervan;
using namespace tervan::test;
using gui::MainWindow;

namespace {

QString text(const std::string& bytes) { return QString::fromStdString(bytes); }

// Types the file's full path into the open-file dialog's name field, as a
// user would (selectFile() leaves a focused name field alone).
void chooseFile(QFileDialog* dialog, const std::string& path) {
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(name);
    name->setText(gui::fromPath(path));
    static_cast<QDialog*>(dialog)->accept();
}

QString cell(MainWindow& window, int row, int column) {
    return window.grid()->model()->index(row, column).data().toString();
}

QPushButton* button(QWidget* window, const QString& label) {
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text() == label) return b;
    return nullptr;
}

std::string settingsDump(const Settings& s) {
    std::string out;
    for (const SettingKey& key : settingKeys())
        out += std::string(key.key) + "=" + (isFlag(key) ? std::to_string(s.*key.flag) : s.*key.text) + "\n";
    return out;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsEmptyWithoutInput();
    void startsWithTheTableOfItsInput();
    void startWithFileOpenOpensTheDialogOverTheShownWindow();
    void fileOpenOkConvertsShowsAndSaves();
    void fileOpenCancelInSettingsChangesNothing();
    void fileOpenCancelInTheFileDialogChangesNothing();
    void messageAreaShowsLinesAndCyrillic();
    void fixedFontRule();
    void hvsdOkRunsWithTheTypedSizes();
    void hvsdCancelChangesNothing();
    void aboutBox();
    void serialButtonOpensComProperties();
    void endingTheWindow_data();
    void endingTheWindow();
    void saveAtExit_data();
    void saveAtExit();
};

void MainWindowTest::startsEmptyWithoutInput() {
    GuiFixture f;
    Session session = f.start(false);
    QCOMPARE(text(session.iniPath), text(f.ini));
    QCOMPARE(text(session.dxfHeaderPath), text(f.folder + "dxf_header.txt"));
    QCOMPARE(text(session.settings.Model), QString("Leica1200"));
    MainWindow window(session);
    QCOMPARE(window.windowTitle(), QString("Tervan"));
    QVERIFY(window.messageText()->toPlainText().isEmpty());
    QVERIFY(!window.messageArea()->showsGrid());
    QVERIFY(window.statusLine(3)->text().isEmpty());
    QVERIFY(session.store.points.empty());
    QVERIFY(!fileExists(f.folder + "job1_nxyz.txt"));
    for (const char* label : {"&Start Serial", "C&alcHVSD", "&Close"}) QVERIFY2(button(&window, label), label);
    for (const char* item : {"&File", "&Open", "E&xit", "&Help", "&About..."}) QVERIFY2(menuAction(&window, item), item);
}

void MainWindowTest::startsWithTheTableOfItsInput() {
    GuiFixture f;
    Session session = f.start(true);
    MainWindow window(session);
    QCOMPARE(session.store.points.size(), std::size_t{7});
    QVERIFY(window.messageArea()->showsGrid());
    QCOMPARE(window.grid()->model()->rowCount(), 7);
    QCOMPARE(cell(window, 1, 3), QString("P101"));
    QCOMPARE(window.windowTitle(), QString::fromUtf8("job1.txt — Leica1200 — Tervan"));
    QCOMPARE(window.statusLine(3)->text(), QString("7 lines read, 7 points, 0 lines ignored"));
    QVERIFY(fileExists(f.folder + "job1_nxyz.txt"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    screenshot(&window, "main-window.png");
}

void MainWindowTest::startWithFileOpenOpensTheDialogOverTheShownWindow() {
    GuiFixture f("StartWithFileOpen=Yes\n");
    Session session = f.start(false);
    bool windowShownFirst = false;
    bool tickerRunning = false;
    ModalDriver driver;
    driver
        .on<QFileDialog>([&](QFileDialog* d) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<MainWindow*>(w)) windowShownFirst = w->isVisible();
            // before the first file: the user's documents (or home), not the program's folder
            const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
            QCOMPARE(d->directory().absolutePath(), documents.exists() ? documents.absolutePath() : QDir::homePath());
            d->reject();
        })
        .on<MainWindow>([&](MainWindow* w) {
            QVERIFY(w->messageText()->toPlainText().isEmpty());
            tickerRunning = w->timer().isActive() && w->timer().interval() == 124;
            w->exitProgram();
        });
    gui::runProgram(session);
    QVERIFY(!driver.timedOut());
    QVERIFY(driver.done());
    QVERIFY(windowShownFirst);
    QVERIFY(tickerRunning);
}

void MainWindowTest::fileOpenOkConvertsShowsAndSaves() {
    GuiFixture f("SaveSettings=Yes\nModel=Zeiss3303\n");
    Session session = f.start(false);
    QCOMPARE(text(session.settings.Model), QString("Zeiss3303"));
    MainWindow window(session);
    QString shownName;
    ModalDriver driver;
    driver
        .on<QFileDialog>([&](QFileDialog* d) {
            QCOMPARE(d->nameFilters().size(), 2);
            chooseFile(d, f.input);
        })
        .on<gui::SettingsDialog>([&](gui::SettingsDialog* d) {
            shownName = d->findChild<QLineEdit*>("FilesName")->text();
            d->findChild<QComboBox*>("Model")->setEditText("Leica1200");
            d->findChild<QCheckBox*>("TrasFile")->setChecked(false);
            d->resize(d->sizeHint());
            screenshot(d, "settings.png");
            d->accept();
        });
    window.fileOpen();
    QVERIFY(!driver.timedOut());
    QVERIFY(driver.done());
    QCOMPARE(shownName, QDir::toNativeSeparators(gui::fromPath(f.input)));
    QCOMPARE(text(session.inputPath), text(f.input));
    QCOMPARE(session.store.points.size(), std::size_t{7});
    QCOMPARE(cell(window, 2, 3), QString("P102"));
    QCOMPARE(window.statusLine(3)->text(), QString("7 lines read, 7 points, 0 lines ignored"));
    QVERIFY(fileExists(f.folder + "job1_nxyz.txt"));
    QVERIFY(!fileExists(f.folder + "job1_tras.dat"));
    Settings saved;
    loadSettings(saved, f.ini);
    QCOMPARE(text(saved.Model), QString("Leica1200"));
    QCOMPARE(saved.TrasFile, 0);
    QCOMPARE(saved.NxyzFile, 1);
}

void MainWindowTest::fileOpenCancelInSettingsChangesNothing() {
    GuiFixture f("SaveSettings=Yes\n");
    Session session = f.start(true);
    MainWindow window(session);
    std::filesystem::remove(f.folder + "job1_nxyz.txt");
    const std::string tableBefore = window.desk().message();
    std::string settingsBefore = settingsDump(session.settings);
    std::string iniBefore = readFile(f.ini);
    ModalDriver driver;
    driver
        .on<QFileDialog>([&](QFileDialog* d) {
            chooseFile(d, f.input);
        })
        .on<gui::SettingsDialog>([&](gui::SettingsDialog* d) {
            for (QCheckBox* box : d->findChildren<QCheckBox*>()) box->setChecked(false);
            d->findChild<QComboBox*>("Model")->setEditText("kor");
            d->reject();
        });
    window.fileOpen();
    QVERIFY(!driver.timedOut());
    QVERIFY(driver.done());
    QCOMPARE(text(settingsDump(session.settings)), text(settingsBefore));
    QCOMPARE(text(readFile(f.ini)), text(iniBefore));
    QCOMPARE(text(session.inputPath), text(f.input));
    QCOMPARE(text(window.desk().message()), text(tableBefore));
    QCOMPARE(window.grid()->model()->rowCount(), 7);
    QVERIFY(!fileExists(f.folder + "job1_nxyz.txt"));
}

void MainWindowTest::fileOpenCancelInTheFileDialogChangesNothing() {
    GuiFixture f;
    Session session = f.start(true);
    MainWindow window(session);
    QString initial;
    ModalDriver driver;
    driver.on<QFileDialog>([&](QFileDialog* d) {
        initial = d->selectedFiles().value(0);
        d->reject();
    });
    window.fileOpen();
    QVERIFY(driver.done());
    QCOMPARE(initial, gui::fromPath(f.input));
    QCOMPARE(session.store.points.size(), std::size_t{7});
}

void MainWindowTest::messageAreaShowsLinesAndCyrillic() {
    GuiFixture f;
    Session session = f.start(false);
    MainWindow window(session);
    window.showMessage("<x>\r\n \x8E \x81 \x85 \x8A \x92 :\r\r\nA\tB\r\n\r\nC\rD\nE");
    QCOMPARE(window.messageText()->toPlainText(), QString::fromUtf8("<x>\n О Б Е К Т :\nA\tB\n\nC\nD\nE"));
    // status line 2 shows instrument text (MIK), line 3 a summary naming a file
    window.setStatus(2, "\x8D\xAE\xAC\xA5\xB0");
    QCOMPARE(window.statusLine(2)->text(), QString::fromUtf8("Номер"));
    window.setStatus(3, "3 lines read");
    QCOMPARE(window.statusLine(3)->text(), QString("3 lines read"));
    window.statusLine(1)->setText("progress");
    window.desk().refresh();
    QVERIFY(window.statusLine(1)->text().isEmpty());
    QVERIFY(window.statusLine(2)->text().isEmpty());
    QVERIFY(window.statusLine(3)->text().isEmpty());
    QPlainTextEdit* area = window.messageText();
    QVERIFY(area->isReadOnly());
    QVERIFY(QFontInfo(area->font()).fixedPitch());
    QCOMPARE(area->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// The rule, whatever fonts this machine has: a system "monospace" that is not
// fixed-pitch (as Noto Sans Mono is) gives way to a known monospaced family.
void MainWindowTest::fixedFontRule() {
    struct Case {
        const char* system;
        bool fixed;
        QStringList installed;
        const char* chosen;
    };
    const Case cases[] = {
        {"DejaVu Sans Mono", true, {"DejaVu Sans Mono", "Noto Sans Mono"}, "DejaVu Sans Mono"},
        {"Noto Sans Mono", false, {"Noto Sans Mono", "DejaVu Sans", "DejaVu Sans Mono"}, "DejaVu Sans Mono"},
        {"Noto Sans Mono", false, {"Noto Sans Mono", "liberation mono", "Courier New"}, "Liberation Mono"},
        {"Sans", false, {"Sans", "Serif"}, ""},
    };
    for (const Case& c : cases)
        QCOMPARE(gui::chooseFixedFamily(c.system, c.fixed, c.installed), QString(c.chosen));
    QVERIFY(QFontInfo(gui::fixedPitchFont()).fixedPitch());
}

void MainWindowTest::hvsdOkRunsWithTheTypedSizes() {
    GuiFixture f("x1000=Yes\nTrasFile=No\n");
    Session session = f.start(true);
    MainWindow window(session);
    std::filesystem::remove(f.folder + "job1_nxyz.txt");
    QStringList opened;
    ModalDriver driver;
    driver.on<gui::FormDialog>([&](gui::FormDialog* d) {
        QCOMPARE(d->objectName(), QString("hvsdDialog"));
        for (const char* name : {"dSD", "dH", "dV"}) opened << d->findChild<QComboBox*>(name)->currentText();
        d->findChild<QComboBox*>("dSD")->setEditText("3");
        d->findChild<QComboBox*>("dH")->setEditText("60");
        screenshot(d, "hvsd.png");
        d->accept();
    });
    button(&window, "C&alcHVSD")->click();
    QVERIFY(driver.done());
    QCOMPARE(opened, QStringList({"2", "50", "50"}));
    QCOMPARE(text(session.settings.dSD), QString("3"));
    QCOMPARE(text(session.settings.dH), QString("60"));
    QCOMPARE(text(session.settings.dV), QString("50"));
    // The run neither rescales nor changes the x1000 setting.
    QCOMPARE(session.settings.x1000, 1);
    QVERIFY(fileExists(f.folder + "job1_nxyz.txt"));
    QVERIFY(window.messageArea()->showsGrid());
    QCOMPARE(window.grid()->model()->rowCount(), 7);
    QCOMPARE(window.statusLine(3)->text(), QString("H, V, SD: no record has a station with coordinates; nothing computed"));
}

void MainWindowTest::hvsdCancelChangesNothing() {
    GuiFixture f("x1000=Yes\n");
    Session session = f.start(true);
    MainWindow window(session);
    std::filesystem::remove(f.folder + "job1_nxyz.txt");
    std::string before = settingsDump(session.settings);
    ModalDriver driver;
    driver.on<gui::FormDialog>([&](gui::FormDialog* d) {
        d->findChild<QComboBox*>("dSD")->setEditText("9");
        d->reject();
    });
    button(&window, "C&alcHVSD")->click();
    QVERIFY(driver.done());
    QCOMPARE(text(settingsDump(session.settings)), text(before));
    QVERIFY(!fileExists(f.folder + "job1_nxyz.txt"));
}

void MainWindowTest::aboutBox() {
    GuiFixture f;
    Session session = f.start(false);
    MainWindow window(session);
    QStringList lines;
    QString title;
    bool hasIcon = false;
    ModalDriver driver;
    driver.on<gui::AboutDialog>([&](gui::AboutDialog* d) {
        title = d->windowTitle();
        for (QLabel* label : d->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) hasIcon = true;
            if (!label->text().isEmpty()) lines << label->text();
        }
        screenshot(d, "about.png");
        d->accept();
    });
    menuAction(&window, "&About...")->trigger();
    QVERIFY(driver.done());
    QCOMPARE(title, QString("About Tervan"));
    QVERIFY(hasIcon);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.first(), QString("Tervan Version 2.23"));
    QCOMPARE(lines.last(), QString::fromStdString("Settings: " + session.iniPath));
}

void MainWindowTest::serialButtonOpensComProperties() {
    GuiFixture f;
    Session session = f.start(false);
    MainWindow window(session);
    QString opened;
    ModalDriver driver;
    driver.on<gui::FormDialog>([&](gui::FormDialog* d) {
        opened = d->windowTitle();
        d->reject();
    });
    QCOMPARE(window.serialButton()->text(), QString("&Start Serial"));
    window.serialButton()->click();
    QVERIFY(driver.done());
    QCOMPARE(opened, QString("COM Properties"));
    QCOMPARE(window.serialButton()->text(), QString("&Start Serial"));
}

void MainWindowTest::endingTheWindow_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("storeKept");
    QTest::newRow("Exit") << "exit" << true;
    QTest::newRow("Close button") << "button" << false;
    QTest::newRow("Escape") << "escape" << false;
    QTest::newRow("close box") << "closebox" << false;
}

void MainWindowTest::endingTheWindow() {
    QFETCH(QString, way);
    QFETCH(bool, storeKept);
    GuiFixture f;
    Session session = f.start(true);
    ModalDriver driver;
    driver.on<MainWindow>([&](MainWindow* w) {
        if (way == "exit") menuAction(w, "E&xit")->trigger();
        if (way == "button") button(w, "&Close")->click();
        if (way == "escape") QTest::keyClick(w, Qt::Key_Escape);
        if (way == "closebox") w->close();
    });
    gui::runProgram(session);
    QVERIFY(!driver.timedOut());
    QCOMPARE(session.store.points.size(), storeKept ? std::size_t{7} : std::size_t{0});
}

void MainWindowTest::saveAtExit_data() {
    QTest::addColumn<bool>("save");
    QTest::newRow("SaveSettings set") << true;
    QTest::newRow("SaveSettings clear") << false;
}

void MainWindowTest::saveAtExit() {
    QFETCH(bool, save);
    GuiFixture f(save ? "SaveSettings=Yes\n" : "");
    std::string before = readFile(f.ini);
    Session session = f.start(false);
    session.settings.LetterSize = "0.75";
    ModalDriver driver;
    driver.on<MainWindow>([](MainWindow* w) { w->exitProgram(); });
    gui::runProgram(session);
    QVERIFY(driver.done());
    Settings saved;
    loadSettings(saved, f.ini);
    if (save)
        QCOMPARE(text(saved.LetterSize), QString("0.75"));
    else
        QCOMPARE(text(readFile(f.ini)), text(before));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
