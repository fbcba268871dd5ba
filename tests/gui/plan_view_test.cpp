// The plan view in the main window, driven with the mouse on the offscreen
// platform: the traverse example with its known points, a click that
// selects (its row in the grid too, and back), dragging, the wheel, the
// layer switches, and what an empty plan says.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QtTest>

#include "app/main_window.h"
#include "app/plan_view.h"
#include "gui_fixture.h"
#include "modal_driver.h"

using namespace tervan;
using namespace tervan::test;
using gui::MainWindow;

namespace {

// The traverse example converted with its known points, as File/Open with
// "Compute XYZ" ticked would convert it.
Session traverseSession(GuiFixture& f) {
    const std::string examples = std::string(TERVAN_SOURCE_DIR) + "/examples/";
    writeFile(f.folder + "traverse.txt", readFile(examples + "traverse.txt"));
    writeFile(f.folder + "known.txt", readFile(examples + "traverse_known.txt"));
    Session session = f.start(false);
    session.inputPath = f.folder + "traverse.txt";
    session.settings.Model = "Pentax300Polar";
    session.settings.ComputeXYZ = 1;
    session.settings.KnownPoints = f.folder + "known.txt";
    return session;
}

QPoint pixel(const desk::ScreenPoint& s) { return QPoint(qRound(s.x), qRound(s.y)); }

void wheel(QWidget* w, QPoint at, int notches) {
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

}  // namespace

class PlanViewTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheComputedTraverseBesideTheTable();
    void clickSelectsDragPansWheelZooms();
    void layerSwitchesAndFit();
    void anEmptyPlanSaysWhy();
    void whatTheComputationMissedShowsAboveTheGrid();
};

void PlanViewTest::showsTheComputedTraverseBesideTheTable() {
    GuiFixture f;
    Session session = traverseSession(f);
    MainWindow window(session);
    window.resize(1180, 560);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* split = window.findChild<QSplitter*>("messageAndPlan");
    QVERIFY(split);
    QCOMPARE(split->widget(1), static_cast<QWidget*>(window.planView()));
    const desk::Plan& plan = window.desk().plan();
    QCOMPARE(plan.items().size(), std::size_t{44});
    int stations = 0;
    for (const auto& item : plan.items()) stations += item.station;
    QCOMPARE(stations, 4);  // T2 from T1 and from T3, T1 from T2, T3 from T2
    // every point fits into the drawing
    gui::PlanCanvas* canvas = window.planView()->canvas();
    QCOMPARE(plan.width(), canvas->width());
    for (const auto& item : plan.items()) {
        const desk::ScreenPoint s = plan.toScreen(item.at);
        QVERIFY(s.x >= desk::Plan::kMargin - 1e-6 && s.x <= canvas->width() - desk::Plan::kMargin + 1e-6);
        QVERIFY(s.y >= desk::Plan::kMargin - 1e-6 && s.y <= canvas->height() - desk::Plan::kMargin + 1e-6);
    }
    // the grid says which coordinates were computed
    QAbstractItemModel* rows = window.grid()->model();
    QCOMPARE(rows->headerData(12, Qt::Horizontal).toString(), QString("XYZ"));
    QCOMPARE(rows->index(5, 12).data().toString(), QString("computed"));
    screenshot(&window, "plan-view.png");
}

void PlanViewTest::clickSelectsDragPansWheelZooms() {
    GuiFixture f;
    Session session = traverseSession(f);
    MainWindow window(session);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    desk::Plan& plan = window.desk().plan();
    gui::PlanCanvas* canvas = window.planView()->canvas();
    auto* selection = window.planView()->findChild<QLabel*>("planSelection");

    // the house corner 1, read from the store
    std::size_t corner = kNoPoint;
    for (std::size_t i = 0; i < session.store.points.size(); ++i)
        if (session.store.points[i].N == "1") corner = i;
    const QPoint at = pixel(plan.toScreen(plan.item(corner)->at));
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, at + QPoint(2, -1));
    QCOMPARE(window.desk().selected(), corner);
    QVERIFY(selection->text().startsWith("1  from T1   X 4712040.00"));
    QVERIFY(selection->text().endsWith("computed"));
    // its row in the grid is selected, and a row chosen in the grid marks its point
    QCOMPARE(window.grid()->currentIndex().row(), static_cast<int>(corner));
    QCOMPARE(window.grid()->selectionModel()->selectedRows().size(), 1);
    QApplication::processEvents();  // the description's lines laid out
    screenshot(&window, "plan-view-selected.png");
    window.grid()->setCurrentIndex(window.grid()->model()->index(7, 3));
    QCOMPARE(window.desk().selected(), std::size_t{7});
    QVERIFY(selection->text().startsWith(QString::fromStdString(std::string(session.store.points[7].N)) + "  from T1"));
    window.grid()->setCurrentIndex(window.grid()->model()->index(static_cast<int>(corner), 3));

    // a drag moves the drawing with the mouse and selects nothing
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(canvas, QPoint(110, 104));
    QTest::mouseMove(canvas, QPoint(140, 130));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(140, 130));
    const desk::ScreenPoint moved = plan.toScreen(plan.item(corner)->at);
    QCOMPARE(pixel(moved), at + QPoint(40, 30));
    QCOMPARE(window.desk().selected(), corner);

    // a click beside every point clears the selection, in the grid too
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    QCOMPARE(window.desk().selected(), kNoPoint);
    // the line under the plan describes the first record then
    QVERIFY(selection->text().startsWith(QString::fromStdString(std::string(session.store.points[0].N)) + "  from "));
    QVERIFY(window.grid()->selectionModel()->selectedRows().isEmpty());

    // the wheel zooms about the mouse
    const double scale = plan.scale();
    const QPoint mouse = pixel(moved);
    const desk::PlanePoint under = plan.toPlane({double(mouse.x()), double(mouse.y())});
    wheel(canvas, mouse, 2);
    QCOMPARE(plan.scale(), scale * desk::Plan::kWheelStep * desk::Plan::kWheelStep);
    QCOMPARE(pixel(plan.toScreen(under)), mouse);
    screenshot(&window, "plan-view-zoomed.png");
    QTest::mouseDClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(plan.scale(), scale);
}

void PlanViewTest::layerSwitchesAndFit() {
    GuiFixture f("NamesLayer=NAMES\n");
    Session session = traverseSession(f);
    MainWindow window(session);
    desk::Plan& plan = window.desk().plan();
    auto* names = window.planView()->findChild<QCheckBox*>("layerNames");
    QCOMPARE(names->text(), QString("NAMES"));
    QCOMPARE(window.planView()->findChild<QCheckBox*>("layerHeights")->text(), QString("NIVA"));
    names->setChecked(false);
    QVERIFY(!plan.layerShown(desk::Layer::Names));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const desk::ScreenPoint fitted = plan.toScreen({plan.extent().minX, plan.extent().minY});
    const double scale = plan.scale();
    plan.pan(300, 0);
    plan.zoom({10, 10}, 3);
    window.planView()->findChild<QPushButton*>("planFit")->click();
    QCOMPARE(plan.scale(), scale);
    QCOMPARE(pixel(plan.toScreen({plan.extent().minX, plan.extent().minY})), pixel(fitted));
}

void PlanViewTest::anEmptyPlanSaysWhy() {
    GuiFixture f;
    Session session = traverseSession(f);
    session.settings.ComputeXYZ = 0;
    MainWindow window(session);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.desk().plan().items().empty());
    QVERIFY(window.desk().plan().emptyText().find("Compute XYZ") != std::string::npos);
    screenshot(window.planView(), "plan-view-empty.png");
}

// Without its known points no station of the traverse has coordinates:
// the warning stands above the grid and in the status line, in amber; a
// list that cannot be read is a failure.
void PlanViewTest::whatTheComputationMissedShowsAboveTheGrid() {
    GuiFixture f;
    Session session = traverseSession(f);
    session.settings.KnownPoints.clear();
    MainWindow window(session);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.notices()->isVisible());
    QVERIFY(window.notices()->text().contains("no coordinates for the stations T1, T2, T3"));
    QVERIFY(window.statusLine(3)->text().endsWith("XYZ computed for 0 records; no coordinates for the stations T1, "
                                                  "T2, T3"));
    QCOMPARE(window.desk().report().status.tone, desk::Tone::Warning);
    screenshot(&window, "compute-warning.png");

    Session missing = traverseSession(f);
    missing.settings.KnownPoints = f.folder + "gone.txt";
    MainWindow other(missing);
    QCOMPARE(other.desk().report().status.tone, desk::Tone::Failure);
    QVERIFY(other.statusLine(3)->text().contains("cannot read the known points " + QString::fromStdString(f.folder)));
}

QTEST_MAIN(PlanViewTest)
#include "plan_view_test.moc"
