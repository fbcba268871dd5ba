// The Settings dialog and the dialogs of fields (Calculate H, V, SD; Calc
// BFFB line; COM Properties) on their own: every control of its form with
// its label, the presets, and the values handed back. What the forms hold is
// desk's and is tested there; here the widgets must show it faithfully.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest>

#include "app/form_dialog.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/texts.h"
#include "gui_fixture.h"
#include "modal_driver.h"

using namespace tervan;
using namespace tervan::test;

namespace {

// The label a field is shown with: its buddy label, or its form row's.
QString labelOf(QWidget* field) {
    for (QLabel* label : field->window()->findChildren<QLabel*>())
        if (label->buddy() == field) return label->text();
    for (QFormLayout* form : field->window()->findChildren<QFormLayout*>())
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(field))) return label->text();
    return {};
}

QStringList items(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}

QStringList strings(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list) out << QString::fromStdString(s);
    return out;
}

desk::SettingsForm formOf(const Settings& settings, const std::string& fileName = "") {
    return {.fileName = fileName, .values = settings};
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void settingsDialogHasEveryControlWithItsLabel();
    void settingsControlsRoundTripTheirSettings();
    void settingsModelListAndTypedModel();
    void formDialogsShowTheirForms_data();
    void formDialogsShowTheirForms();
    void bffbValuesReachTheConversion();
    void bffbEscapeAndCloseBoxCancel_data();
    void bffbEscapeAndCloseBoxCancel();
    void mikTextsSurviveTheControls();
    void knownPointsButtonChoosesTheList();
    void enterAcceptsTheTextShown_data();
    void enterAcceptsTheTextShown();
};

void DialogsTest::settingsDialogHasEveryControlWithItsLabel() {
    gui::SettingsDialog dialog(formOf(Settings{}, "/data/job1.gsi"));
    QCOMPARE(dialog.windowTitle(), QString("Setings"));
    int controls = 0;
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        ++controls;
        QWidget* w = dialog.findChild<QWidget*>(c.key->key);
        QVERIFY2(w, c.key->key);
        const QString label = QString::fromStdString(c.accessLabel);
        if (auto* box = qobject_cast<QCheckBox*>(w))
            QCOMPARE(box->text(), label);
        else if (c.kind == desk::ControlKind::File)
            QCOMPARE(dialog.findChild<QPushButton*>(QString(c.key->key) + "Button")->text(), label);
        else
            QCOMPARE(labelOf(w), label);
    }
    QCOMPARE(controls, 32);
    QCOMPARE(dialog.findChildren<QCheckBox*>().size(), 22);
    auto* files = dialog.findChild<QLineEdit*>("FilesName");
    QVERIFY(!files->isEnabled());
    QCOMPARE(files->text(), QDir::toNativeSeparators("/data/job1.gsi"));
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
        gui::SettingsDialog untouched(formOf(before));
        QCOMPARE(QString::fromStdString(firstDifference(untouched.values().values, before)), QString());
    }
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        const SettingKey& key = *c.key;
        gui::SettingsDialog dialog(formOf(cleared));
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
        QVERIFY2(firstDifference(dialog.values().values, expected).empty(), key.key);
    }
}

void DialogsTest::settingsModelListAndTypedModel() {
    Settings s;
    s.Model = "MyOwnModel";
    gui::SettingsDialog dialog(formOf(s));
    auto* box = dialog.findChild<QComboBox*>("Model");
    QVERIFY(box->isEditable());
    QCOMPARE(items(box), strings(desk::modelNames()));
    QCOMPARE(box->currentText(), QString("MyOwnModel"));
    QCOMPARE(QString::fromStdString(dialog.values().values.Model), QString("MyOwnModel"));
    box->setCurrentIndex(9);
    QCOMPARE(QString::fromStdString(dialog.values().values.Model), QString("Dini USB"));
}

void DialogsTest::formDialogsShowTheirForms_data() {
    QTest::addColumn<QString>("which");
    QTest::newRow("Calculate H, V, SD") << "hvsd";
    QTest::newRow("Calc BFFB line") << "bffb";
    QTest::newRow("COM Properties") << "com";
}

void DialogsTest::formDialogsShowTheirForms() {
    QFETCH(QString, which);
    Settings settings;
    settings.dV = "7.5";
    settings.ComName = "COM12";
    desk::Form form = which == "hvsd"   ? desk::hvsdForm(settings)
                      : which == "bffb" ? desk::bffbForm()
                                        : desk::comPropertiesForm(settings);
    gui::FormDialog dialog(form);
    QCOMPARE(dialog.windowTitle(), QString::fromStdString(form.caption));
    QStringList labels;
    for (QLabel* l : dialog.findChildren<QLabel*>()) labels << l->text();
    for (const desk::FormField& f : form.fields) {
        auto* box = dialog.findChild<QComboBox*>(QString::fromStdString(f.key));
        QVERIFY2(box && box->isEditable(), f.key.c_str());
        QCOMPARE(labelOf(box), QString::fromStdString(f.label));
        QCOMPARE(items(box), strings(f.presets));
        QCOMPARE(box->currentText(), QString::fromStdString(f.value));
        if (!f.hint.empty()) QVERIFY2(labels.contains(QString::fromStdString(f.hint)), f.hint.c_str());
    }
    bool cancelEnabled = false;
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == "&Cancel" || b->text() == "Cancel") cancelEnabled = b->isEnabled();
    QCOMPARE(cancelEnabled, form.cancelEnabled);

    // What is typed comes back in the form, and nothing else changes.
    QComboBox* first = dialog.findChild<QComboBox*>(QString::fromStdString(form.fields[0].key));
    first->setEditText("typed");
    desk::Form back = dialog.values();
    QCOMPARE(QString::fromStdString(back.fields[0].value), QString("typed"));
    for (std::size_t i = 1; i < form.fields.size(); ++i)
        QCOMPARE(QString::fromStdString(back.fields[i].value), QString::fromStdString(form.fields[i].value));
    dialog.show();
    screenshot(&dialog, (which + ".png").toUtf8().constData());
}

// File/Open, Settings "OK" with Dini BF, and the values typed into the
// Calc BFFB line dialog in the middle of the conversion reach its line file.
void DialogsTest::bffbValuesReachTheConversion() {
    GuiFixture f("Model=Dini BF\n");
    Session session = f.start(false);
    const std::string line = f.folder + "line.dat";
    writeFile(line, readFile(dataPath("levelling/bffb-seeded/input.dat")));
    gui::MainWindow window(session);
    ModalDriver driver;
    driver.on<QFileDialog>([&](QFileDialog* d) {
        d->findChild<QLineEdit*>("fileNameEdit")->setText(gui::fromPath(line));
        static_cast<QDialog*>(d)->accept();
    });
    driver.on<gui::SettingsDialog>([](gui::SettingsDialog* d) { d->accept(); });
    driver.on<gui::FormDialog>([](gui::FormDialog* d) {
        QCOMPARE(d->objectName(), QString("bffbDialog"));
        d->findChild<QComboBox*>("first")->setEditText("100");
        d->findChild<QComboBox*>("line")->setEditText("12");
        d->accept();
    });
    window.fileOpen();
    QVERIFY(driver.done());
    QVERIFY(!driver.timedOut());
    QCOMPARE(QString::fromStdString(readFile(f.folder + "line_.dat").substr(0, 37)),
             QString("    100 Start-Line       BFFB    12\r\n"));
}

void DialogsTest::bffbEscapeAndCloseBoxCancel_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("close box") << false;
}

void DialogsTest::bffbEscapeAndCloseBoxCancel() {
    QFETCH(bool, escape);
    ModalDriver driver;
    driver.on<gui::FormDialog>([escape](gui::FormDialog* d) {
        d->findChild<QComboBox*>("reading")->setEditText("9");
        if (escape)
            QTest::keyClick(d, Qt::Key_Escape);
        else
            d->close();
    });
    desk::Form form = desk::bffbForm();
    QVERIFY(!gui::editForm(nullptr, form));
    QVERIFY(driver.done());
    QCOMPARE(QString::fromStdString(form.value("reading")), QString("2.0"));
}

void DialogsTest::mikTextsSurviveTheControls() {
    Settings s;
    s.NamesLayer = "\x8D\xAE\xAC\xA5\xB0";  // a layer named in Cyrillic
    gui::SettingsDialog dialog(formOf(s));
    QCOMPARE(dialog.findChild<QLineEdit*>("NamesLayer")->text(), QString::fromUtf8("Номер"));
    QCOMPARE(QString::fromLatin1(dialog.values().values.NamesLayer), QString::fromLatin1(s.NamesLayer));
    s.dSD = "\x8D\xAE";
    gui::FormDialog hvsd(desk::hvsdForm(s));
    QCOMPARE(hvsd.findChild<QComboBox*>("dSD")->currentText(), QString::fromUtf8("Но"));
    QCOMPARE(QString::fromLatin1(hvsd.values().value("dSD")), QString::fromLatin1(s.dSD));
}

// "Known points…" opens the open-file dialog on the path in the edit; the
// chosen file goes into the edit, a cancelled dialog leaves it.
void DialogsTest::knownPointsButtonChoosesTheList() {
    GuiFixture f;
    const std::string first = f.folder + "base points.kor", second = f.folder + "other_nyxz.txt";
    writeFile(first, "");
    writeFile(second, "");
    Settings s;
    s.ComputeXYZ = 1;
    s.KnownPoints = first;
    gui::SettingsDialog dialog(formOf(s, f.input));
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>("KnownPoints");
    QCOMPARE(edit->text(), QDir::toNativeSeparators(gui::fromPath(first)));
    QVERIFY(dialog.findChild<QCheckBox*>("ComputeXYZ")->isChecked());
    screenshot(&dialog, "settings-known-points.png");

    QString offered;
    ModalDriver driver;
    driver.on<QFileDialog>([&](QFileDialog* d) {
        offered = d->nameFilters().join("|");
        // Once the folder is read, the list shows the current list
        // selected; the other one is clicked.
        auto* list = d->findChild<QListView*>("listView");
        QTRY_COMPARE(list->selectionModel()->selectedRows().size(), 1);
        auto* files = qobject_cast<QFileSystemModel*>(list->model());
        list->selectionModel()->select(files->index(gui::fromPath(second)),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        static_cast<QDialog*>(d)->accept();
    });
    driver.on<QFileDialog>([](QFileDialog* d) { static_cast<QDialog*>(d)->reject(); });
    auto* button = dialog.findChild<QPushButton*>("KnownPointsButton");
    button->click();
    QCOMPARE(offered, QString("Known points (*.txt *.kor)|All files (*)"));
    QCOMPARE(QString::fromStdString(dialog.values().values.KnownPoints), QString::fromStdString(second));
    button->click();
    QVERIFY(driver.done());
    QVERIFY(!driver.timedOut());
    QCOMPARE(QString::fromStdString(dialog.values().values.KnownPoints), QString::fromStdString(second));
}

void DialogsTest::enterAcceptsTheTextShown_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");  // the field that Tab leaves for it
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");  // "" when Enter comes at once
    QTest::newRow("COM12") << "com" << "ComName" << "FlowControl" << "COM12" << "";
    QTest::newRow("a device path") << "com" << "ComName" << "FlowControl" << "/dev/ttyUSB0" << "";
    QTest::newRow("a preset in other letters") << "com" << "ComName" << "FlowControl" << "com3" << "";
    QTest::newRow("a preset") << "com" << "ComName" << "FlowControl" << "COM3" << "";
    QTest::newRow("typed beginning like a preset") << "com" << "ComName" << "FlowControl" << "COM1" << "COM";
    QTest::newRow("first row number") << "bffb" << "first" << "distance" << "1" << "";
}

void DialogsTest::enterAcceptsTheTextShown() {
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    Settings s;
    s.ComName = shown.toStdString();
    desk::Form form = dialog == "com" ? desk::comPropertiesForm(s) : desk::bffbForm();
    for (desk::FormField& f : form.fields)
        if (f.key == field.toStdString()) f.value = shown.toStdString();
    ModalDriver driver;
    int enters = 0;
    driver.on<gui::FormDialog>([&](gui::FormDialog* d) {
        // Tab into the field, which selects its text, as a user gets there.
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
        d->findChild<QComboBox*>(before)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), d->findChild<QComboBox*>(field));
        QTest::keyClicks(QApplication::focusWidget(), typed);
        // one Enter must do
        for (; enters < 2 && d->isVisible(); ++enters) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QVERIFY(gui::editForm(nullptr, form));
    QVERIFY(driver.done());
    QCOMPARE(enters, 1);
    QCOMPARE(QString::fromStdString(form.value(field.toStdString())), typed.isEmpty() ? shown : typed);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
