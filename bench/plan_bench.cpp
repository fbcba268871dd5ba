// How quickly the plan view draws, pans and zooms 100,000 points (offscreen
// platform unless another is asked for), against two peers measured in the
// same run on the same points and the same canvas size: every cross drawn
// with QPainter each frame (no culling), and a QGraphicsView over a
// QGraphicsScene of one item per point (Qt's own scene graph with its BSP
// index). Also the time to load the plan and to hit a point.
// Usage: bench_plan FOLDER [POINTS]
#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/main_window.h"
#include "app/plan_view.h"
#include "bench/bench_data.h"
#include "core/rng.h"

using namespace tervan;

namespace {

constexpr int kWidth = 1000, kHeight = 700;
constexpr int kFrames = 60;

double millisecondsOf(const std::function<void()>& work, int times = 1) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < times; ++i) work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / times;
}

// The naive peer: every cross of every point drawn, every frame.
class AllCrosses : public QWidget {
public:
    AllCrosses(const desk::Plan& plan) : plan_(plan) { setAttribute(Qt::WA_OpaquePaintEvent); }
    double dx = 0, dy = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        QVector<QLineF> crosses;
        crosses.reserve(static_cast<qsizetype>(2 * plan_.items().size()));
        for (const auto& item : plan_.items()) {
            const desk::ScreenPoint s = plan_.toScreen(item.at);
            crosses.append(QLineF(s.x + dx - 3, s.y + dy, s.x + dx + 3, s.y + dy));
            crosses.append(QLineF(s.x + dx, s.y + dy - 3, s.x + dx, s.y + dy + 3));
        }
        painter.drawLines(crosses);
    }

private:
    const desk::Plan& plan_;
};

// One point of the scene: a cross of fixed pixel size.
class CrossItem : public QGraphicsItem {
public:
    CrossItem() { setFlag(ItemIgnoresTransformations); }
    QRectF boundingRect() const override { return {-3, -3, 6, 6}; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->drawLine(QLineF(-3, 0, 3, 0));
        painter->drawLine(QLineF(0, -3, 0, 3));
    }
};

struct Figures {
    double first, pan, zoom;
};

// The first frame as the view stands, then pan and zoom frames.
Figures measurePlan(desk::Plan& plan, QWidget* canvas, double zoomStep) {
    Figures f{};
    f.first = millisecondsOf([&] { canvas->repaint(); });
    f.pan = millisecondsOf(
        [&] {
            plan.pan(5, 3);
            canvas->repaint();
        },
        kFrames);
    f.zoom = millisecondsOf(
        [&] {
            plan.zoom({kWidth / 2.0, kHeight / 2.0}, zoomStep);
            canvas->repaint();
        },
        kFrames / 3);
    return f;
}

void print(const char* who, const Figures& f, const Figures& ours) {
    std::printf("  %-34s first frame %7.1f ms   pan %7.2f ms/frame (%6.1f fps, %5.1fx)", who, f.first, f.pan,
                1000 / f.pan, f.pan / ours.pan);
    std::printf("   zoom %7.2f ms/frame (%5.1fx)\n", f.zoom, f.zoom / ours.zoom);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string folder = argc > 1 ? argv[1] : ".";
    long points = argc > 2 ? std::atol(argv[2]) : 100000;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    std::string input = folder + "/leica_plan.txt";
    bench::generateScatteredLeica(input, points);
    Session session = bench::sessionWithoutOutputs("Leica1200");
    session.inputPath = input;

    gui::MainWindow window(session);
    desk::Plan& plan = window.desk().plan();
    gui::PlanCanvas* canvas = window.planView()->canvas();
    window.show();
    canvas->setFixedSize(kWidth, kHeight);
    QApplication::processEvents();

    const double load = millisecondsOf([&] { plan.load(); }, 5);
    plan.resize(kWidth, kHeight);
    std::size_t hits = 0;
    Rng rng;
    auto anywhere = [&rng] { return desk::ScreenPoint{rng.draw() % kWidth * 1.0, rng.draw() % kHeight * 1.0}; };
    const double hit = 1000 * millisecondsOf([&] { hits += plan.hit(anywhere()) != kNoPoint; }, 200);

    // Ours: the plan view's canvas, fitted and zoomed in.
    const std::size_t shownFitted = plan.visible().size();
    const Figures ours = measurePlan(plan, canvas, 1.05);
    plan.fit();
    plan.zoom({kWidth / 2.0, kHeight / 2.0}, 40);
    const std::size_t shownClose = plan.visible().size();
    const Figures close = measurePlan(plan, canvas, 1.01);
    plan.fit();

    // Peer 1: all crosses, every frame.
    AllCrosses naive(plan);
    naive.resize(kWidth, kHeight);
    naive.show();
    QApplication::processEvents();
    Figures all{};
    all.first = millisecondsOf([&] { naive.repaint(); });
    all.pan = millisecondsOf(
        [&] {
            naive.dx += 5;
            naive.repaint();
        },
        kFrames);
    all.zoom = all.pan;  // the same work: a new transform, every cross

    // Peer 2: a scene of one item per point, panned and zoomed by its view.
    QGraphicsScene scene;
    scene.setItemIndexMethod(QGraphicsScene::BspTreeIndex);
    const double built = millisecondsOf([&] {
        for (const auto& item : plan.items()) {
            auto* cross = new CrossItem;
            cross->setPos(item.at.Y, -item.at.X);  // east right, north up
            scene.addItem(cross);
        }
    });
    QGraphicsView view(&scene);
    view.resize(kWidth, kHeight);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    view.show();
    view.fitInView(scene.itemsBoundingRect(), Qt::KeepAspectRatio);
    QApplication::processEvents();
    Figures graphics{};
    graphics.first = millisecondsOf([&] { view.viewport()->repaint(); });
    QPointF centre = view.mapToScene(view.viewport()->rect().center());
    graphics.pan = millisecondsOf(
        [&] {
            centre += QPointF(-5 / view.transform().m11(), -3 / view.transform().m11());
            view.centerOn(centre);
            view.viewport()->repaint();
        },
        kFrames);
    graphics.zoom = millisecondsOf(
        [&] {
            view.scale(1.05, 1.05);
            view.viewport()->repaint();
        },
        kFrames / 3);

    std::printf("plan view of %zu points on a %dx%d canvas (%s platform):\n", plan.items().size(), canvas->width(),
                canvas->height(), qPrintable(QApplication::platformName()));
    std::printf("  load %.1f ms, hit test %.1f us (%zu of 200 hit)\n", load, hit, hits);
    std::printf("  fitted: %zu marks drawn of %zu points; zoomed in 40x: %zu marks with labels\n", shownFitted,
                plan.items().size(), shownClose);
    print("plan view, fitted", ours, ours);
    print("plan view, zoomed in 40x", close, ours);
    print("peer: QPainter, every cross", all, ours);
    print("peer: QGraphicsView + BSP scene", graphics, ours);
    std::printf("  (the scene took %.0f ms to build)\n", built);
    // Smooth: a pan frame well within a 60 Hz display's 16.7 ms.
    return ours.pan < 16.7 && close.pan < 16.7 ? 0 : 1;
}
