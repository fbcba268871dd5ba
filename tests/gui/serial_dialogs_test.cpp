// The COM Properties and Send serial data dialogs, driven on the offscreen
// platform.
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/com_properties_dialog.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/send_dialog.h"
#include "app/serial_link.h"
#include "test_util.h"
#include "modal_driver.h"
#include "serial_test_util.h"

using namespace tervan;

namespace {

// Waits, within the running exec(), for a modal dialog and hands it to act.
void whenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(qApp);
    QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (modal) act(modal);
    });
    timer->start(10);
}

QStringList entries(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    return out;
}

QPushButton* buttonNamed(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

Point point(std::string name, double x, double y, double z) {
    return {.isStation = 0, .faceTwo = 0, .SN = "", .N = std::move(name), .X = x, .Y = y, .Z = z};
}

}  // namespace

class SerialDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void comPropertiesListsAndHints();
    void comPropertiesOkTakesNonEmptyTexts();
    void comPropertiesCancelChangesNothing();
    void sendDialogButtons();
    void sendTransferSendsTheEndMarkOnClose();
    void serialLinkReceivesUnderTheTimer();
    void serialLinkSendDirectionShowsTheSendDialog();
    void mainWindowReceivesAndConvertsOverAPty();
};

void SerialDialogsTest::comPropertiesListsAndHints() {
    Settings settings;
    settings.Baud = "2400";
    settings.ComName = "COM12";
    gui::ComPropertiesDialog dialog(settings);
    QCOMPARE(dialog.windowTitle(), QString("COM Properties"));
    struct Want {
        const char* name;
        QStringList entries;
        QString shown;
    } wants[] = {
        {"Baud",
         {"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400", "460800",
          "921600"},
         "2400"},
        {"DataBits", {"7", "8"}, "8"},
        {"Parity", {"Even", "None", "Odd"}, "None"},
        {"StopBits", {"1", "1.5", "2"}, "1"},
        {"FlowControl", {"Hardware", "None", "Xon / Xoff"}, "None"},
        {"ComName", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}, "COM12"},
        {"Direction", {"1 Station to PC(Recieve)", "2 PC to Station(Send)"}, "1 Station to PC(Recieve)"},
    };
    for (const Want& w : wants) {
        auto* list = dialog.findChild<QComboBox*>(w.name);
        QVERIFY2(list, w.name);
        QCOMPARE(entries(list), w.entries);
        QCOMPARE(list->currentText(), w.shown);
        QVERIFY(list->isEditable());
    }
    QStringList labels;
    for (QLabel* l : dialog.findChildren<QLabel*>()) labels << l->text();
    for (const char* text : {"Beets per second:", "Data bits:", "Parity:", "Stop bits:", "Flow control:", "COM name:",
                             "9600", "7", "Even", "1", "xon/xoff", "COM1"})
        QVERIFY2(labels.contains(text), text);
    QCOMPARE(dialog.direction(), Direction::Receive);
}

void SerialDialogsTest::comPropertiesOkTakesNonEmptyTexts() {
    Settings settings;
    settings.ComName = "COM3";
    Direction direction = Direction::Receive;
    whenModal([](QWidget* w) {
        w->findChild<QComboBox*>("ComName")->setCurrentText("");
        w->findChild<QComboBox*>("Baud")->setCurrentText("460800");
        w->findChild<QComboBox*>("Parity")->setCurrentIndex(2);
        w->findChild<QComboBox*>("FlowControl")->setCurrentText("Xon / Xoff");
        w->findChild<QComboBox*>("Direction")->setCurrentIndex(1);
        static_cast<QDialog*>(w)->accept();
    });
    QVERIFY(gui::askComProperties(nullptr, settings, direction));
    QCOMPARE(QString::fromStdString(settings.ComName), QString("COM3"));  // emptied: kept
    QCOMPARE(QString::fromStdString(settings.Baud), QString("460800"));
    QCOMPARE(QString::fromStdString(settings.Parity), QString("Odd"));
    QCOMPARE(QString::fromStdString(settings.FlowControl), QString("Xon / Xoff"));
    QCOMPARE(QString::fromStdString(settings.DataBits), QString("8"));
    QCOMPARE(direction, Direction::Send);

    // The direction is preset to receiving every time the dialog opens.
    whenModal([](QWidget* w) {
        QCOMPARE(w->findChild<QComboBox*>("Direction")->currentIndex(), 0);
        static_cast<QDialog*>(w)->accept();
    });
    QVERIFY(gui::askComProperties(nullptr, settings, direction));
    QCOMPARE(direction, Direction::Receive);
}

void SerialDialogsTest::comPropertiesCancelChangesNothing() {
    Settings settings;
    Direction direction = Direction::Send;
    whenModal([](QWidget* w) {
        w->findChild<QComboBox*>("Baud")->setCurrentText("110");
        static_cast<QDialog*>(w)->reject();
    });
    QVERIFY(!gui::askComProperties(nullptr, settings, direction));
    QCOMPARE(QString::fromStdString(settings.Baud), QString("9600"));
    QCOMPARE(direction, Direction::Send);
}

void SerialDialogsTest::sendDialogButtons() {
    PointStore store;
    appendPoint(store, point("12", 4712345.678, 9512345.123, 123.456));
    appendPoint(store, point("Z", 0, 0, 0));
    appendPoint(store, point("B", 1, 2, 3));
    test::FakePort::Log log;
    test::FakePort port(log);
    gui::SendDialog dialog(store, port);
    QCOMPARE(dialog.windowTitle(), QString("Send serial data"));
    auto* edit = dialog.findChild<QLineEdit*>();
    QCOMPARE(edit->text(), QString("12, 4712345.678, 9512345.123, 123.456"));
    QPushButton* all = buttonNamed(&dialog, "&All");
    QPushButton* send = buttonNamed(&dialog, "&Send");
    QPushButton* skip = buttonNamed(&dialog, "Ski&p");
    QPushButton* stop = buttonNamed(&dialog, "St&op");
    QVERIFY(all && send && skip && stop);

    QTest::mouseClick(send, Qt::LeftButton);
    QCOMPARE(QString::fromStdString(log.written), QString::fromStdString(sendRecord(store.points[0])));
    QCOMPARE(edit->text(), QString("X,Y,Z=0 - the point is not to send"));
    QTest::mouseClick(skip, Qt::LeftButton);
    QCOMPARE(edit->text(), QString("B,      1.000,      2.000,  3.000"));
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(log.written.size(), 160u);
    QCOMPARE(edit->text(), QString("no more points to send"));
    QVERIFY(!all->isEnabled() && !send->isEnabled() && !skip->isEnabled());
    QVERIFY(stop->isEnabled());

    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QString::fromStdString(log.written.substr(160)), QString("END\r"));
    dialog.close();
    QCOMPARE(log.written.size(), 164u);  // the end mark goes once
}

void SerialDialogsTest::sendTransferSendsTheEndMarkOnClose() {
    Program program;
    test::FakePort::Log log;
    auto opener = [&log](const std::string&) { return std::make_unique<test::FakePort>(log); };
    QString shown;
    whenModal([&shown](QWidget* w) {
        shown = w->findChild<QLineEdit*>()->text();
        buttonNamed(w, "St&op")->click();
    });
    QVERIFY(gui::runSendTransfer(nullptr, program, opener));
    QCOMPARE(shown, QString("no points to send"));
    QCOMPARE(QString::fromStdString(log.written), QString("END\r"));
    QVERIFY(log.closed);
    QCOMPARE(log.configured.size(), std::size_t(1));

    QVERIFY(!gui::runSendTransfer(nullptr, program, [](const std::string&) { return nullptr; }));
}

// A window with the button and the status lines, its link ticked by the
// real 124 ms timer.
struct LinkRig {
    test::ScratchDir dir;
    Program program;
    QWidget window;
    QPushButton* button = new QPushButton("&Start Serial", &window);
    QLabel* status1 = new QLabel(&window);
    QLabel* status2 = new QLabel(&window);
    QString message;
    std::vector<std::string> fileOpens;
    QStringList status2Seen;
    test::FakePort::Log log;
    gui::SerialLink link{program, &window,
                         {.button = button,
                          .status1 = status1,
                          .status2 = status2,
                          .showMessage = [this] { message = QString::fromStdString(program.message); },
                          .runFileOpen = [this](const std::string& path) { fileOpens.push_back(path); },
                          .decode = {}},
                         {.logFolder = dir.file("Log") + "/",
                          .openPort = [this](const std::string&) { return std::make_unique<test::FakePort>(log); },
                          .clock = test::march5th2009}};
    // The main window's timer and button, as the window wires them.
    QTimer timer;
    LinkRig() {
        QObject::connect(button, &QPushButton::clicked, [this] { link.receiver().buttonPressed(); });
        QObject::connect(&timer, &QTimer::timeout, [this] { link.receiver().tick(); });
        timer.setInterval(124);
    }
};

void SerialDialogsTest::serialLinkReceivesUnderTheTimer() {
    LinkRig r;
    r.log.chunks = {"123\r\n", "", "", "456\r\nEND\r\n"};
    r.timer.start();
    whenModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
    r.button->click();
    QCOMPARE(r.button->text(), QString("&Stop Serial"));
    QTRY_COMPARE_WITH_TIMEOUT(r.status2->text(), QString("123"), 2000);
    QCOMPARE(r.message, QString("123\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(r.fileOpens.size(), std::size_t(1), 3000);
    QCOMPARE(QString::fromStdString(r.fileOpens[0]), QString::fromStdString(r.dir.file("Log") + "/20090305070409.srd"));
    QTRY_COMPARE_WITH_TIMEOUT(r.button->text(), QString("&Start Serial"), 2000);
    QCOMPARE(r.status1->text(), QString("."));
    QCOMPARE(r.status2->text(), QString(""));
    QVERIFY(r.log.closed);
    QCOMPARE(QString::fromStdString(test::readFile(r.fileOpens[0])), QString("123\r\n456\r\nEND\r\n"));
}

void SerialDialogsTest::serialLinkSendDirectionShowsTheSendDialog() {
    LinkRig r;
    appendPoint(r.program.store, point("P1", 1, 2, 3));
    QString sendTitle;
    whenModal([&sendTitle](QWidget* w) {
        w->findChild<QComboBox*>("Direction")->setCurrentIndex(1);
        static_cast<QDialog*>(w)->accept();
        whenModal([&sendTitle](QWidget* send) {
            sendTitle = send->windowTitle();
            buttonNamed(send, "&All")->click();
            buttonNamed(send, "St&op")->click();
        });
    });
    r.button->click();
    QCOMPARE(sendTitle, QString("Send serial data"));
    QCOMPARE(QString::fromStdString(r.log.written),
             QString::fromStdString(sendRecord(r.program.store.points[0]) + "END\r"));
    QCOMPARE(r.button->text(), QString("&Start Serial"));
}

// The whole road in the real window: "&Start Serial", COM Properties, a
// Leica file and END from the instrument's side of a pseudo-terminal, the
// log in the program folder's Log, File/Open on it, Settings "OK", the
// conversion.
void SerialDialogsTest::mainWindowReceivesAndConvertsOverAPty() {
    test::ScratchDir dir;
    test::Pty pty;
    Program program;
    program.programFolder = dir.path().string() + "/";
    program.iniPath = program.programFolder + "Tervan.ini";
    Settings& s = program.settings;
    s.ComName = pty.name();
    s.Model = "Leica1200";
    s.StartWithFileOpen = s.SaveSettings = 0;
    for (int Settings::*flag : {&Settings::TwoDFile, &Settings::DpiFile, &Settings::KorFile, &Settings::LevelsFile,
                                &Settings::NamesFile, &Settings::PointsFile, &Settings::ScriptsFile,
                                &Settings::NyxzFile, &Settings::XyzFile, &Settings::TrasFile})
        s.*flag = 0;
    gui::MainWindow window(program);
    QString logPath;
    test::ModalDriver driver;
    driver
        .on<gui::ComPropertiesDialog>([&pty](gui::ComPropertiesDialog* d) {
            d->accept();
            QTimer::singleShot(300, [&pty] {
                pty.send("P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\n");
                pty.send("END\r\n");
            });
        })
        .on<QFileDialog>([&logPath](QFileDialog* d) {
            logPath = d->selectedFiles().value(0);
            static_cast<QDialog*>(d)->accept();
        })
        .on<gui::SettingsDialog>([&window](gui::SettingsDialog* d) {
            d->accept();
            QTimer::singleShot(0, &window, [&window] { window.exitProgram(); });
        });
    QTimer::singleShot(0, &window, [&window] { window.serialButton()->click(); });
    window.run();
    QVERIFY(driver.done());
    QVERIFY(!driver.timedOut());
    QVERIFY(logPath.startsWith(QString::fromStdString(program.programFolder + "Log/")));
    QVERIFY(logPath.endsWith(".srd"));
    QCOMPARE(QString::fromStdString(test::readFile(logPath.toStdString())),
             QString("P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\nEND\r\n"));
    QCOMPARE(QString::fromStdString(program.inputPath), logPath);
    std::string base = logPath.chopped(4).toStdString();
    QCOMPARE(QString::fromStdString(test::readFile(base + "_nxyz.txt")),
             QString("    P1    700.250    400.500     50.100\r\n"));
    QCOMPARE(window.serialButton()->text(), QString("&Start Serial"));
}

QTEST_MAIN(SerialDialogsTest)
#include "serial_dialogs_test.moc"
