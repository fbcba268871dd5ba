// The plan view beside the message area: a switch per layer, "Fi&t", the
// drawing of desk's plan (points as crosses, stations as triangles, names
// and heights), and a line about the selected record (the first one while
// none is). The wheel zooms about the mouse, dragging pans, a click selects,
// a double click fits; with the focus, + and - zoom and 0 fits.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "desk/desk.h"

class QCheckBox;
class QLabel;
class QPainter;

namespace tervan::gui {

// The drawing itself.
class PlanCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PlanCanvas(desk::Desk& desk, QWidget* parent = nullptr);
    void setSelected(std::size_t record);

    QSize sizeHint() const override { return {420, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void plotCrosses(const std::vector<desk::Plan::Shown>& shown, qreal ratio);
    // Stations, labels, the selection, the north arrow and the scale bar.
    void drawOver(QPainter& painter, const std::vector<desk::Plan::Shown>& shown);

    desk::Desk& desk_;
    QImage frame_;     // drawn into, then shown whole
    QFont labelFont_;  // fixed-pitch, so that the heights' digits line up
    std::size_t selected_ = kNoPoint;
    QPoint pressedAt_, lastAt_;
    bool pressed_ = false, dragging_ = false;
};

class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(desk::Desk& desk, QWidget* parent = nullptr);

    // After a conversion: the layer names of the settings, and the drawing.
    void reload();
    // The selected record, drawn marked and described below the drawing.
    void setSelected(std::size_t record);

    PlanCanvas* canvas() const { return canvas_; }

private:
    desk::Desk& desk_;
    PlanCanvas* canvas_;
    QLabel* selection_;
    QCheckBox* layerSwitches_[3];
};

}  // namespace tervan::gui
