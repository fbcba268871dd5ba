// The serial link in the real main window, driven on the offscreen platform:
// the send dialog's buttons, a send transfer, two END lines in one read, and
// a whole transfer over a pseudo-terminal.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/form_dialog.h"
#include "app/main_window.h"
#include "app/send_dialog.h"
#include "app/settings_dialog.h"
#include "modal_driver.h"
#include "serial_test_util.h"
#include "test_util.h"

using namespace tervan;

namespace {

QPushButton* buttonNamed(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

Point point(Name name, double x, double y, double z) { return {.SN = "", .N = name, .X = x, .Y = y, .Z = z}; }

// A program folder, a session that converts received Leica files into the
// name-X-Y-Z list only, and a window whose port is scripted.
struct Rig {
    test::ScratchDir dir;
    Session session;
    test::FakePort::Log log;
    std::unique_ptr<gui::MainWindow> window;

    Rig() {
        setProgramFolder(session, dir.path().string() + "/");
        Settings& s = session.settings;
        s.Model = "Leica1200";
        s.StartWithFileOpen = s.SaveSettings = 0;
        for (const SettingKey& key : settingKeys())
            if (key.kind == KeyKind::Flag && std::string(key.key).find("File") != std::string::npos) s.*key.flag = 0;
        s.NxyzFile = 1;
    }
    // The window; with a scripted port unless pty is true.
    gui::MainWindow& open(bool pty = false) {
        ReceiverOptions options;
        if (!pty) {
            options.openPort = [this](const std::string&, std::string&) { return std::make_unique<test::FakePort>(log); };
            options.clock = test::march5th2009;
        }
        window = std::make_unique<gui::MainWindow>(session, options);
        return *window;
    }
};

}  // namespace

class SerialDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void sendDialogButtons();
    void sendDirectionShowsTheSendDialogAndEndsWithTheEndMark();
    void twoEndLinesInOneReadOpenOneFileOpen();
    void mainWindowReceivesAndConvertsOverAPty();
    void aPortThatDoesNotOpenSaysWhy();
};

void SerialDialogsTest::sendDialogButtons() {
    PointStore store;
    appendPoint(store, point("12", 4712345.678, 9512345.123, 123.456));
    appendPoint(store, point("Z", 0, 0, 0));
    appendPoint(store, point("B", 1, 2, 3));
    test::FakePort::Log log;
    test::FakePort port(log);
    Sender sender(store, port);
    gui::SendDialog dialog(sender);
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
}

void SerialDialogsTest::sendDirectionShowsTheSendDialogAndEndsWithTheEndMark() {
    Rig r;
    appendPoint(r.session.store, point("P1", 1, 2, 3));
    gui::MainWindow& window = r.open();
    QString sendText;
    test::ModalDriver driver;
    driver
        .on<gui::FormDialog>([](gui::FormDialog* d) {
            d->findChild<QComboBox*>("Direction")->setCurrentIndex(1);
            d->accept();
        })
        .on<gui::SendDialog>([&sendText](gui::SendDialog* d) {
            sendText = d->findChild<QLineEdit*>()->text();
            buttonNamed(d, "&All")->click();
            buttonNamed(d, "St&op")->click();
        });
    window.serialButton()->click();
    QVERIFY(driver.done());
    QCOMPARE(sendText, QString("P1,      1.000,      2.000,  3.000"));
    QCOMPARE(QString::fromStdString(r.log.written),
             QString::fromStdString(sendRecord(r.session.store.points[0]) + "END\r"));
    QVERIFY(r.log.closed);
    QCOMPARE(window.serialButton()->text(), QString("&Start Serial"));
}

// File/Open runs from the window's loop, after the tick that saw END; a
// second END that comes meanwhile is logged but opens no second sequence.
void SerialDialogsTest::twoEndLinesInOneReadOpenOneFileOpen() {
    Rig r;
    r.log.chunks = {"P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\nEND\r\nP2\r\nEND\r\n"};
    gui::MainWindow& window = r.open();
    int fileDialogs = 0;
    QString offered;
    test::ModalDriver driver;
    driver.on<gui::FormDialog>([](gui::FormDialog* d) { d->accept(); })
        .on<QFileDialog>([&](QFileDialog* d) {
            ++fileDialogs;
            offered = d->selectedFiles().value(0);
            static_cast<QDialog*>(d)->reject();
            // Time for a second File/Open to show up, were there one.
            QTimer::singleShot(800, &window, [&window] { window.exitProgram(); });
        });
    QTimer::singleShot(0, &window, [&window] { window.serialButton()->click(); });
    window.run();
    QVERIFY(driver.done());
    QVERIFY(!driver.timedOut());
    QCOMPARE(fileDialogs, 1);
    const std::string log = r.dir.file("Log") + "/20090305070409.srd";
    QCOMPARE(offered, QString::fromStdString(log));
    QCOMPARE(QString::fromStdString(test::readFile(log)),
             QString("P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\nEND\r\nP2\r\nEND\r\n"));
    QCOMPARE(QString::fromStdString(r.session.inputPath), QString::fromStdString(log));
}

// The whole road in the real window: "&Start Serial", COM Properties, a
// Leica file and END from the instrument's side of a pseudo-terminal, the
// log in the program folder's Log, File/Open on it, Settings "OK", the
// conversion.
void SerialDialogsTest::mainWindowReceivesAndConvertsOverAPty() {
    Rig r;
    test::Pty pty;
    r.session.settings.ComName = pty.name();
    gui::MainWindow& window = r.open(true);
    QString logPath;
    test::ModalDriver driver;
    driver
        .on<gui::FormDialog>([&pty](gui::FormDialog* d) {
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
    QVERIFY(logPath.startsWith(QString::fromStdString(r.session.programFolder + "Log/")));
    QVERIFY(logPath.endsWith(".srd"));
    QCOMPARE(QString::fromStdString(test::readFile(logPath.toStdString())),
             QString("P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\nEND\r\n"));
    QCOMPARE(QString::fromStdString(r.session.inputPath), logPath);
    std::string base = logPath.chopped(4).toStdString();
    QCOMPARE(QString::fromStdString(test::readFile(base + "_nxyz.txt")),
             QString("    P1    700.250    400.500     50.100\r\n"));
    QCOMPARE(window.serialButton()->text(), QString("&Start Serial"));
}

void SerialDialogsTest::aPortThatDoesNotOpenSaysWhy() {
    Rig r;
    r.session.settings.ComName = r.dir.file("ttyNONE");
    gui::MainWindow& window = r.open(true);
    test::ModalDriver driver;
    driver.on<gui::FormDialog>([](gui::FormDialog* d) { d->accept(); });
    window.show();
    window.serialButton()->click();
    QVERIFY(driver.done());
    const QString reason = "cannot open the port " + QString::fromStdString(r.dir.file("ttyNONE")) + ": there is no such port";
    QCOMPARE(window.findChild<QLabel*>("status3")->text(), reason);
    auto* notices = window.findChild<QLabel*>("notices");
    QVERIFY(notices->isVisible());
    QVERIFY2(notices->text().contains(reason.toHtmlEscaped()), qPrintable(notices->text()));
    QCOMPARE(window.serialButton()->text(), QString("&Start Serial"));
    test::screenshot(&window, "port-not-opened.png");
}

QTEST_MAIN(SerialDialogsTest)
#include "serial_dialogs_test.moc"
