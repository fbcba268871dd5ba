// The Settings, Calculate H, V, SD and Calc BFFB line dialogs on their own:
// every control with its label, the presets, and the values handed back.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/bffb_dialog.h"
#include "app/hvsd_dialog.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/texts.h"
#include "core/models.h"
#include "gui_fixture.h"
#include "modal_driver.h"

using namespace tervan;
using namespace tervan::test;

namespace {

QString labelOf(QWidget* field) {
    for (QFormLayout* form : field->window()->findChildren<QFormLayout*>())
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(field))) return label->text();
    return {};
}

QStringList items(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}

bool inDialog(const SettingKey& key) { return key.controlId != 0 && std::string_view(key.section) == "Model"; }

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void settingsDialogHasEveryControlWithItsLabel();
    void settingsControlsRoundTripTheirSettings();
    void settingsModelListAndTypedModel();
    void hvsdDialogPresets();
    void bffbDialogDefaultsAndDisabledCancel();
    void bffbValuesReachTheCaller();
    void bffbEscapeAndCloseBoxCancel_data();
    void bffbEscapeAndCloseBoxCancel();
    void mikTextsSurviveTheControls();
};

void DialogsTest::settingsDialogHasEveryControlWithItsLabel() {
    gui::SettingsDialog dialog(Settings{}, "C:\\data\\job1.gsi");
    QCOMPARE(dialog.windowTitle(), QString("Setings"));
    int controls = 0;
    for (const SettingKey& key : settingKeys()) {
        if (!inDialog(key)) continue;
        ++controls;
        QWidget* w = dialog.findChild<QWidget*>(key.key);
        QVERIFY2(w, key.key);
        if (auto* box = qobject_cast<QCheckBox*>(w))
            QCOMPARE(box->text(), QString(key.label));
        else
            QCOMPARE(labelOf(w), QString(key.label));
    }
    QCOMPARE(controls, 25);
    QCOMPARE(dialog.findChildren<QCheckBox*>().size(), 17);
    auto* files = dialog.findChild<QLineEdit*>("FilesName");
    QVERIFY(!files->isEnabled());
    QCOMPARE(files->text(), QString("C:\\data\\job1.gsi"));
    QCOMPARE(labelOf(files), QString("FilesName:"));
}

void DialogsTest::settingsControlsRoundTripTheirSettings() {
    // The first key whose value differs, "" when none does.
    auto firstDifference = [](const Settings& a, const Settings& b) -> std::string {
        for (const SettingKey& k : settingKeys())
            if (isFlag(k) ? a.*k.flag != b.*k.flag : a.*k.text != b.*k.text) return k.key;
        return "";
    };
    Settings cleared;
    for (const SettingKey& key : settingKeys())
        if (isFlag(key)) cleared.*key.flag = 0;
    for (const Settings& before : {Settings{}, cleared}) {
        gui::SettingsDialog untouched(before, "");
        QCOMPARE(QString::fromStdString(firstDifference(untouched.values(), before)), QString());
    }
    for (const SettingKey& key : settingKeys()) {
        if (!inDialog(key)) continue;
        gui::SettingsDialog dialog(cleared, "");
        Settings expected = cleared;
        if (isFlag(key)) {
            dialog.findChild<QCheckBox*>(key.key)->setChecked(true);
            expected.*key.flag = 1;
        } else if (key.kind == KeyKind::Model) {
            dialog.findChild<QComboBox*>(key.key)->setEditText("nyxz");
            expected.*key.text = "nyxz";
        } else {
            dialog.findChild<QLineEdit*>(key.key)->setText("12.5");
            expected.*key.text = "12.5";
        }
        QVERIFY2(firstDifference(dialog.values(), expected).empty(), key.key);
    }
}

void DialogsTest::settingsModelListAndTypedModel() {
    Settings s;
    s.Model = "MyOwnModel";
    gui::SettingsDialog dialog(s, "");
    auto* box = dialog.findChild<QComboBox*>("Model");
    QVERIFY(box->isEditable());
    QStringList expected;
    for (const ModelEntry& m : models()) expected << m.name;
    QCOMPARE(expected.size(), 14);
    QCOMPARE(items(box), expected);
    QCOMPARE(box->currentText(), QString("MyOwnModel"));
    QCOMPARE(QString::fromStdString(dialog.values().Model), QString("MyOwnModel"));
    box->setCurrentIndex(9);
    QCOMPARE(QString::fromStdString(dialog.values().Model), QString("Dini USB"));
}

void DialogsTest::hvsdDialogPresets() {
    gui::HvsdDialog dialog("2", "50", "7.5");
    QCOMPARE(dialog.windowTitle(), QString("Calculate H, V, SD"));
    auto* dSD = dialog.findChild<QComboBox*>("dSD");
    auto* dH = dialog.findChild<QComboBox*>("dH");
    auto* dV = dialog.findChild<QComboBox*>("dV");
    QCOMPARE(labelOf(dSD), QString::fromUtf8("±dSD x 0.0001 m x "));
    QCOMPARE(labelOf(dH), QString::fromUtf8("±dH x 0.0001 RAD x "));
    QCOMPARE(labelOf(dV), QString::fromUtf8("±dV x 0.0001 RAD x "));
    QCOMPARE(dSD->count(), 0);
    QStringList speeds = {"110",   "300",   "1200",   "2400",   "4800",   "9600",  "19200",
                          "38400", "57600", "115200", "230400", "460800", "921600"};
    QCOMPARE(items(dH), speeds);
    QCOMPARE(items(dV), speeds);
    QCOMPARE(dV->currentText(), QString("7.5"));
    dH->setCurrentIndex(2);
    QCOMPARE(QString::fromStdString(dialog.dH()), QString("1200"));
    QCOMPARE(QString::fromStdString(dialog.dSD()), QString("2"));
}

void DialogsTest::bffbDialogDefaultsAndDisabledCancel() {
    gui::BffbDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("Calc BFFB line"));
    struct Field {
        const char* name;
        const char* label;
        const char* preset;
        const char* value;
    };
    for (const Field& f : {Field{"reading", "R ± 0.00001 m x ", "4", "2.0"}, Field{"distance", "HD ± 0.001 m x ", "4", "5.0"},
                           Field{"first", "Numeration 1", "4", "1"}, Field{"line", "Line No", "1", "1"}}) {
        auto* box = dialog.findChild<QComboBox*>(f.name);
        QVERIFY2(box && box->isEditable(), f.name);
        QCOMPARE(labelOf(box), QString::fromUtf8(f.label));
        QCOMPARE(items(box), QStringList{f.preset});
        QCOMPARE(box->currentText(), QString(f.value));
    }
    bool cancelShownDisabled = false;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == "&Cancel" || b->text() == "Cancel") cancelShownDisabled = !b->isEnabled();
    QVERIFY(cancelShownDisabled);
    dialog.show();
    screenshot(&dialog, "bffb.png");
}

void DialogsTest::bffbValuesReachTheCaller() {
    Program program;
    gui::MainWindow window(program);
    QVERIFY(program.askBffb);
    ModalDriver driver;
    driver.on<gui::BffbDialog>([](gui::BffbDialog* d) {
        d->findChild<QComboBox*>("reading")->setEditText("3.5");
        d->findChild<QComboBox*>("distance")->setCurrentIndex(0);
        d->findChild<QComboBox*>("first")->setEditText("100");
        d->findChild<QComboBox*>("line")->setEditText("12");
        d->accept();
    });
    BffbParams params;
    QVERIFY(program.askBffb(params));
    QVERIFY(driver.done());
    QCOMPARE(QString::fromStdString(params.reading), QString("3.5"));
    QCOMPARE(QString::fromStdString(params.distance), QString("4"));
    QCOMPARE(QString::fromStdString(params.first), QString("100"));
    QCOMPARE(QString::fromStdString(params.line), QString("12"));

    // A second call starts from the defaults again.
    QString reopened;
    driver.on<gui::BffbDialog>([&](gui::BffbDialog* d) {
        reopened = d->findChild<QComboBox*>("reading")->currentText();
        d->accept();
    });
    QVERIFY(program.askBffb(params));
    QCOMPARE(reopened, QString("2.0"));
}

void DialogsTest::bffbEscapeAndCloseBoxCancel_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close box") << false;
}

void DialogsTest::bffbEscapeAndCloseBoxCancel() {
    QFETCH(bool, escape);
    ModalDriver driver;
    driver.on<gui::BffbDialog>([escape](gui::BffbDialog* d) {
        d->findChild<QComboBox*>("reading")->setEditText("9");
        if (escape)
            QTest::keyClick(d, Qt::Key_Escape);
        else
            d->close();
    });
    BffbParams params;
    params.reading = "untouched";
    QVERIFY(!gui::askBffb(nullptr, params));
    QVERIFY(driver.done());
    QCOMPARE(QString::fromStdString(params.reading), QString("untouched"));
}

void DialogsTest::mikTextsSurviveTheControls() {
    Settings s;
    s.NamesLayer = "\x8D\xAE\xAC\xA5\xB0";  // a layer named in Cyrillic
    gui::SettingsDialog dialog(s, "");
    QCOMPARE(dialog.findChild<QLineEdit*>("NamesLayer")->text(), QString::fromUtf8("Номер"));
    QCOMPARE(QString::fromLatin1(dialog.values().NamesLayer), QString::fromLatin1(s.NamesLayer));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
