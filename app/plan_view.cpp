#include "app/plan_view.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "app/fonts.h"
#include "app/texts.h"

namespace tervan::gui {
namespace {

const QColor kPointColour(20, 20, 20);
const QColor kStationColour(0, 90, 170);
const QColor kNameColour(0, 90, 170);
const QColor kHeightColour(150, 60, 0);
const QColor kSelectedColour(220, 0, 0);

// Pixels: the half arm of a cross, the half size of a station's triangle,
// how far the mouse moves before a press becomes a drag.
constexpr double kArm = 3;
constexpr double kTriangle = 5;
constexpr int kDragStart = 3;

desk::ScreenPoint onScreen(const QPointF& p) { return {p.x(), p.y()}; }

void drawNorth(QPainter& painter, double x, double top) {
    painter.setPen(QPen(kPointColour, 1));
    painter.setBrush(kPointColour);
    painter.drawLine(QPointF(x, top + 8), QPointF(x, top + 30));
    painter.drawPolygon(QPolygonF({QPointF(x, top), QPointF(x - 4, top + 10), QPointF(x + 4, top + 10)}));
    painter.drawText(QPointF(x + 7, top + 12), "X");
    painter.setBrush(Qt::NoBrush);
}

void drawScaleBar(QPainter& painter, const desk::Plan::ScaleBar& bar, double left, double bottom) {
    painter.setPen(QPen(kPointColour, 1));
    painter.drawLine(QPointF(left, bottom), QPointF(left + bar.pixels, bottom));
    painter.drawLine(QPointF(left, bottom - 4), QPointF(left, bottom));
    painter.drawLine(QPointF(left + bar.pixels, bottom - 4), QPointF(left + bar.pixels, bottom));
    painter.drawText(QPointF(left + 4, bottom - 5), QString::fromStdString(bar.label));
}

}  // namespace

PlanCanvas::PlanCanvas(desk::Desk& desk, QWidget* parent) : QWidget(parent), desk_(desk) {
    setObjectName("planCanvas");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
    setFocusPolicy(Qt::ClickFocus);
    labelFont_ = fixedPitchFont();
    labelFont_.setPointSizeF(std::max(6.0, labelFont_.pointSizeF() - 1));
}

void PlanCanvas::setSelected(std::size_t record) {
    selected_ = record;
    update();
}

void PlanCanvas::paintEvent(QPaintEvent*) {
    const desk::Plan& plan = desk_.plan();
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (frame_.size() != pixels) {
        frame_ = QImage(pixels, QImage::Format_RGB32);
        frame_.setDevicePixelRatio(ratio);
    }
    frame_.fill(Qt::white);
    const std::vector<desk::Plan::Shown> shown = plan.visible();
    if (plan.layerShown(desk::Layer::Points)) plotCrosses(shown, ratio);
    QPainter painter(&frame_);
    if (plan.items().empty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                         QString::fromStdString(plan.emptyText()));
    } else {
        drawOver(painter, shown);
    }
    painter.end();
    QPainter(this).drawImage(0, 0, frame_);
}

// Tens of thousands of crosses are quicker set pixel by pixel than drawn as
// lines.
void PlanCanvas::plotCrosses(const std::vector<desk::Plan::Shown>& shown, qreal ratio) {
    const int arm = static_cast<int>(std::lround(kArm * ratio));
    const int width = frame_.width(), height = frame_.height();
    const QRgb colour = kPointColour.rgb();
    for (const auto& s : shown) {
        if (s.item->station) continue;
        const int x = static_cast<int>(std::lround(s.at.x * ratio)), y = static_cast<int>(std::lround(s.at.y * ratio));
        if (y >= 0 && y < height) {
            auto* row = reinterpret_cast<QRgb*>(frame_.scanLine(y));
            for (int i = std::max(0, x - arm); i <= std::min(width - 1, x + arm); ++i) row[i] = colour;
        }
        if (x >= 0 && x < width)
            for (int j = std::max(0, y - arm); j <= std::min(height - 1, y + arm); ++j)
                reinterpret_cast<QRgb*>(frame_.scanLine(j))[x] = colour;
    }
}

void PlanCanvas::drawOver(QPainter& painter, const std::vector<desk::Plan::Shown>& shown) {
    const desk::Plan& plan = desk_.plan();
    if (plan.layerShown(desk::Layer::Points)) {
        painter.setPen(QPen(kStationColour, 1.5));
        painter.setRenderHint(QPainter::Antialiasing);
        for (const auto& s : shown) {
            if (!s.item->station) continue;
            painter.drawPolygon(QPolygonF({QPointF(s.at.x, s.at.y - kTriangle * 1.2),
                                           QPointF(s.at.x - kTriangle, s.at.y + kTriangle * 0.8),
                                           QPointF(s.at.x + kTriangle, s.at.y + kTriangle * 0.8)}));
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    painter.setFont(labelFont_);
    const double ascent = painter.fontMetrics().ascent();
    const bool names = plan.layerShown(desk::Layer::Names), heights = plan.layerShown(desk::Layer::Heights);
    for (const auto& s : shown) {
        if (!s.labelled) continue;
        if (names) {
            painter.setPen(kNameColour);
            painter.drawText(QPointF(s.at.x + kArm + 3, s.at.y - 3), fromMik(plan.nameLabel(*s.item)));
        }
        if (heights) {
            painter.setPen(kHeightColour);
            painter.drawText(QPointF(s.at.x + kArm + 3, s.at.y + ascent), fromMik(plan.heightLabel(*s.item)));
        }
    }
    if (const desk::PlanItem* item = plan.item(selected_)) {
        const desk::ScreenPoint at = plan.toScreen(item->at);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kSelectedColour, 2));
        painter.drawEllipse(QPointF(at.x, at.y), 8, 8);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    drawNorth(painter, width() - 24, 10);
    drawScaleBar(painter, plan.scaleBar(width() / 4.0), 12, height() - 10);
}

void PlanCanvas::resizeEvent(QResizeEvent*) { desk_.plan().resize(width(), height()); }

void PlanCanvas::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 0x80 && desk_.plan().key(static_cast<char>(text[0].unicode()))) {
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlanCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    desk_.plan().zoom(onScreen(event->position()), std::pow(desk::Plan::kWheelStep, notches));
    update();
    event->accept();
}

void PlanCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    dragging_ = false;
    pressedAt_ = lastAt_ = event->position().toPoint();
}

void PlanCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const QPoint at = event->position().toPoint();
    if (!dragging_ && (at - pressedAt_).manhattanLength() < kDragStart) return;
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
    desk_.plan().pan(at.x() - lastAt_.x(), at.y() - lastAt_.y());
    lastAt_ = at;
    update();
}

void PlanCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    unsetCursor();
    if (!dragging_) desk_.select(desk_.plan().hit(onScreen(event->position())));
    dragging_ = false;
}

void PlanCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    desk_.plan().fit();
    update();
}

PlanView::PlanView(desk::Desk& desk, QWidget* parent) : QWidget(parent), desk_(desk) {
    setObjectName("planView");
    canvas_ = new PlanCanvas(desk);
    selection_ = new QLabel;
    selection_->setObjectName("planSelection");
    selection_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for two lines whether or not a point is selected, so that
    // selecting one never resizes the drawing.
    selection_->setWordWrap(true);
    selection_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    selection_->setFixedHeight(2 * selection_->fontMetrics().lineSpacing() + 2);

    auto* bar = new QHBoxLayout;
    const char* names[] = {"layerPoints", "layerNames", "layerHeights"};
    for (desk::Layer layer : desk::kLayers) {
        const int i = static_cast<int>(layer);
        auto* box = new QCheckBox;
        box->setObjectName(names[i]);
        box->setChecked(desk.plan().layerShown(layer));
        connect(box, &QCheckBox::toggled, this, [this, layer](bool on) {
            desk_.plan().showLayer(layer, on);
            canvas_->update();
        });
        bar->addWidget(box);
        layerSwitches_[i] = box;
    }
    bar->addStretch();
    auto* fit = new QPushButton("Fi&t");
    fit->setObjectName("planFit");
    fit->setAutoDefault(false);
    connect(fit, &QPushButton::clicked, this, [this] {
        desk_.plan().fit();
        canvas_->update();
    });
    bar->addWidget(fit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(canvas_, 1);
    layout->addWidget(selection_);
    reload();
}

void PlanView::reload() {
    for (desk::Layer layer : desk::kLayers)
        layerSwitches_[static_cast<int>(layer)]->setText(fromMik(desk_.plan().layerName(layer)));
    canvas_->update();
}

void PlanView::setSelected(std::size_t record) {
    canvas_->setSelected(record);
    (void)record;
    selection_->setText(fromMik(desk_.describeSelection()));
}

}  // namespace tervan::gui
