// The plan view beside the message area: a check box per layer, "Fi&t", the
// drawing of desk's plan and a line about the selected record. The drawing
// is made in a bitmap of its own (the crosses set pixel by pixel, the rest
// with GDI) and shown whole, so that it never flickers. The wheel zooms
// about the mouse, dragging pans, a click selects, a double click fits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "desk/plan.h"
#include "win/dialog.h"

namespace tervan::win {

class PlanView {
public:
    PlanView() = default;
    PlanView(const PlanView&) = delete;
    PlanView& operator=(const PlanView&) = delete;
    ~PlanView();

    // Its controls, children of window: the layers' check boxes, "Fi&t",
    // the canvas and the selection line, identifiers from firstId on.
    // select gets the record a click chose (kNoPoint for none).
    void create(HWND window, desk::Plan& plan, std::function<void(std::size_t)> select, int firstId);
    // Puts them into area; row is the height of one line of controls.
    void move(const RECT& area, int row);
    void show(bool on);
    // WM_COMMAND of one of its controls: true when it was one.
    bool command(int id);
    // After a conversion: the layers' names and the drawing.
    void reload();
    // The selected record, marked and described.
    void setSelected(std::size_t record);

    HWND canvas() const { return canvas_; }
    // Draws the frame as the window would, into the bitmap only (the
    // benchmark).
    void render();

private:
    static LRESULT CALLBACK canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT canvasMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ensureFrame(int width, int height);
    void plotCrosses(const std::vector<desk::Plan::Shown>& shown);
    void drawOver(const std::vector<desk::Plan::Shown>& shown);
    void redraw();

    desk::Plan* plan_ = nullptr;
    std::function<void(std::size_t)> select_;
    HWND window_ = nullptr, canvas_ = nullptr, selection_ = nullptr, fit_ = nullptr;
    HWND layers_[3] = {};
    int firstId_ = 0;
    HDC frameDc_ = nullptr;
    HBITMAP frame_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* pixels_ = nullptr;  // the frame's, top row first
    int frameWidth_ = 0, frameHeight_ = 0;
    HFONT labelFont_ = nullptr;
    std::size_t selected_ = kNoPoint;
    POINT pressedAt_{}, lastAt_{};
    bool pressed_ = false, dragging_ = false;
};

}  // namespace tervan::win
