#include "win/plan_view.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/files.h"

namespace tervan::win {
namespace {

constexpr wchar_t kCanvasClass[] = L"TervanPlanCanvas";

// The colours of the Qt program's plan.
constexpr COLORREF kPointColour = RGB(20, 20, 20);
constexpr COLORREF kStationColour = RGB(0, 90, 170);
constexpr COLORREF kNameColour = RGB(0, 90, 170);
constexpr COLORREF kHeightColour = RGB(150, 60, 0);
constexpr COLORREF kSelectedColour = RGB(220, 0, 0);
constexpr COLORREF kEmptyColour = RGB(110, 110, 110);

// Pixels: the half arm of a cross, the half size of a station's triangle,
// how far the mouse moves before a press becomes a drag.
constexpr int kArm = 3;
constexpr double kTriangle = 5;
constexpr int kDragStart = 3;

// A pixel of the frame (blue in the low byte).
constexpr std::uint32_t pixelOf(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

desk::ScreenPoint onScreen(LPARAM lParam) { return {double(GET_X_LPARAM(lParam)), double(GET_Y_LPARAM(lParam))}; }

int rounded(double v) { return static_cast<int>(std::lround(v)); }

void line(HDC dc, double x1, double y1, double x2, double y2) {
    MoveToEx(dc, rounded(x1), rounded(y1), nullptr);
    LineTo(dc, rounded(x2), rounded(y2));
}

void text(HDC dc, double x, double y, const std::wstring& s) {
    TextOutW(dc, rounded(x), rounded(y), s.c_str(), static_cast<int>(s.size()));
}

}  // namespace

PlanView::~PlanView() {
    if (frameDc_) {
        SelectObject(frameDc_, oldBitmap_);
        DeleteDC(frameDc_);
    }
    if (frame_) DeleteObject(frame_);
    if (labelFont_) DeleteObject(labelFont_);
}

void PlanView::create(HWND window, desk::Plan& plan, std::function<void(std::size_t)> select, int firstId) {
    window_ = window;
    plan_ = &plan;
    select_ = std::move(select);
    firstId_ = firstId;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    if (!GetClassInfoExW(instance, kCanvasClass, &type)) {
        type.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        type.lpfnWndProc = canvasProc;
        type.hInstance = instance;
        type.hCursor = LoadCursorW(nullptr, IDC_CROSS);
        type.lpszClassName = kCanvasClass;
        RegisterClassExW(&type);
    }
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    auto child = [&](const wchar_t* kind, DWORD style, int id) {
        HWND c = CreateWindowExW(0, kind, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    for (desk::Layer layer : desk::kLayers) {
        const int i = static_cast<int>(layer);
        layers_[i] = child(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, firstId + i);
        Button_SetCheck(layers_[i], plan.layerShown(layer) ? BST_CHECKED : BST_UNCHECKED);
    }
    fit_ = child(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, firstId + 3);
    SetWindowTextW(fit_, L"Fi&t");
    canvas_ = CreateWindowExW(WS_EX_CLIENTEDGE, kCanvasClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + 4)), instance, this);
    selection_ = child(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, firstId + 5);
    // Fixed pitch, so that the heights' digits line up.
    const int height = -MulDiv(8, static_cast<int>(GetDpiForWindow(window)), 72);
    labelFont_ = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN, L"Consolas");
    reload();
}

void PlanView::move(const RECT& area, int row) {
    const int width = area.right - area.left;
    auto put = [](HWND c, int x, int y, int w, int h) {
        SetWindowPos(c, nullptr, x, y, std::max(w, 0), std::max(h, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));
    // The check boxes from the left, as far as "Fi&t" at the right lets them.
    const int fitWidth = textWidth(dc, L"Fit") + 2 * row, fitLeft = area.right - fitWidth;
    int x = area.left;
    for (HWND box : layers_) {
        const int w = std::min(textWidth(dc, controlText(box)) + row + row / 2, fitLeft - row / 2 - x);
        put(box, x, area.top, w, row);
        x += std::max(w, 0) + row / 2;
    }
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    put(fit_, fitLeft, area.top, fitWidth, row);
    // Two lines below the drawing, whether or not a point is selected, so
    // that selecting one never resizes it.
    const int below = 2 * row;
    put(canvas_, area.left, area.top + row + row / 4, width, area.bottom - area.top - row - row / 4 - below);
    put(selection_, area.left, area.bottom - below + row / 4, width, below - row / 4);
}

void PlanView::show(bool on) {
    for (HWND c : {layers_[0], layers_[1], layers_[2], fit_, canvas_, selection_}) ShowWindow(c, on ? SW_SHOW : SW_HIDE);
}

bool PlanView::command(int id) {
    if (id >= firstId_ && id < firstId_ + 3) {
        const int i = id - firstId_;
        plan_->showLayer(desk::kLayers[static_cast<std::size_t>(i)], Button_GetCheck(layers_[i]) == BST_CHECKED);
        redraw();
        return true;
    }
    if (id == firstId_ + 3) {
        plan_->fit();
        redraw();
        return true;
    }
    return false;
}

void PlanView::reload() {
    for (desk::Layer layer : desk::kLayers)
        SetWindowTextW(layers_[static_cast<int>(layer)], fromMik(plan_->layerName(layer)).c_str());
    redraw();
}

void PlanView::setSelected(std::size_t record) {
    selected_ = record;
    SetWindowTextW(selection_, fromMik(plan_->describe(record)).c_str());
    redraw();
}

void PlanView::redraw() {
    if (canvas_) InvalidateRect(canvas_, nullptr, FALSE);
}

LRESULT CALLBACK PlanView::canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PlanView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->canvas_ = window;
    }
    auto* self = reinterpret_cast<PlanView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->canvasMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlanView::canvasMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    desk::Plan& plan = *plan_;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            plan.resize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(canvas_, &paint);
            render();
            BitBlt(dc, 0, 0, frameWidth_, frameHeight_, frameDc_, 0, 0, SRCCOPY);
            EndPaint(canvas_, &paint);
            return 0;
        }
        case WM_MOUSEWHEEL: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // of the screen
            ScreenToClient(canvas_, &at);
            const double notches = GET_WHEEL_DELTA_WPARAM(wParam) / double(WHEEL_DELTA);
            plan.zoom({double(at.x), double(at.y)}, std::pow(desk::Plan::kWheelStep, notches));
            redraw();
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus(canvas_);
            SetCapture(canvas_);
            pressed_ = true;
            dragging_ = false;
            pressedAt_ = lastAt_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            return 0;
        case WM_MOUSEMOVE: {
            if (!pressed_) return 0;
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (!dragging_ && std::abs(at.x - pressedAt_.x) + std::abs(at.y - pressedAt_.y) < kDragStart) return 0;
            dragging_ = true;
            SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
            plan.pan(at.x - lastAt_.x, at.y - lastAt_.y);
            lastAt_ = at;
            redraw();
            return 0;
        }
        case WM_LBUTTONUP:
            if (!pressed_) return 0;
            pressed_ = false;
            ReleaseCapture();
            if (!dragging_) select_(plan.hit(onScreen(lParam)));
            dragging_ = false;
            return 0;
        case WM_CAPTURECHANGED:
            pressed_ = dragging_ = false;
            return 0;
        case WM_LBUTTONDBLCLK:
            plan.fit();
            redraw();
            return 0;
    }
    return DefWindowProcW(canvas_, message, wParam, lParam);
}

void PlanView::ensureFrame(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (frame_ && width == frameWidth_ && height == frameHeight_) return;
    if (!frameDc_) frameDc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(frameDc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    HGDIOBJ old = SelectObject(frameDc_, bitmap);
    if (frame_) DeleteObject(frame_);
    else oldBitmap_ = old;
    frame_ = bitmap;
    pixels_ = static_cast<std::uint32_t*>(bits);
    frameWidth_ = width;
    frameHeight_ = height;
}

void PlanView::render() {
    RECT client{};
    GetClientRect(canvas_, &client);
    ensureFrame(client.right, client.bottom);
    if (!frame_) return;
    GdiFlush();  // the frame's pixels are written directly below
    std::fill_n(pixels_, static_cast<std::size_t>(frameWidth_) * frameHeight_, 0xFFFFFFu);
    const desk::Plan& plan = *plan_;
    const std::vector<desk::Plan::Shown> shown = plan.visible();
    if (plan.layerShown(desk::Layer::Points)) plotCrosses(shown);
    if (plan.items().empty()) {
        SetBkMode(frameDc_, TRANSPARENT);
        SetTextColor(frameDc_, kEmptyColour);
        HGDIOBJ old = SelectObject(frameDc_, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));
        RECT box{16, 16, frameWidth_ - 16, frameHeight_ - 16};
        const std::wstring empty = toUtf16(plan.emptyText());
        RECT measured = box;
        DrawTextW(frameDc_, empty.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        OffsetRect(&box, 0, std::max(0L, (box.bottom - box.top - (measured.bottom - measured.top)) / 2));
        DrawTextW(frameDc_, empty.c_str(), -1, &box, DT_WORDBREAK | DT_CENTER);
        SelectObject(frameDc_, old);
    } else {
        drawOver(shown);
    }
}

// Tens of thousands of crosses are quicker set pixel by pixel than drawn as
// lines.
void PlanView::plotCrosses(const std::vector<desk::Plan::Shown>& shown) {
    const std::uint32_t colour = pixelOf(kPointColour);
    const int width = frameWidth_, height = frameHeight_;
    for (const auto& s : shown) {
        if (s.item->station) continue;
        const int x = rounded(s.at.x), y = rounded(s.at.y);
        if (y >= 0 && y < height) {
            std::uint32_t* row = pixels_ + static_cast<std::size_t>(y) * width;
            for (int i = std::max(0, x - kArm); i <= std::min(width - 1, x + kArm); ++i) row[i] = colour;
        }
        if (x >= 0 && x < width)
            for (int j = std::max(0, y - kArm); j <= std::min(height - 1, y + kArm); ++j)
                pixels_[static_cast<std::size_t>(j) * width + x] = colour;
    }
}

// Stations, labels, the selection, the north arrow and the scale bar.
void PlanView::drawOver(const std::vector<desk::Plan::Shown>& shown) {
    const desk::Plan& plan = *plan_;
    HDC dc = frameDc_;
    HPEN stationPen = CreatePen(PS_SOLID, 2, kStationColour);
    HPEN pointPen = CreatePen(PS_SOLID, 1, kPointColour);
    HPEN selectedPen = CreatePen(PS_SOLID, 2, kSelectedColour);
    HGDIOBJ oldPen = SelectObject(dc, stationPen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HGDIOBJ oldFont = SelectObject(dc, labelFont_);
    SetBkMode(dc, TRANSPARENT);
    if (plan.layerShown(desk::Layer::Points)) {
        for (const auto& s : shown) {
            if (!s.item->station) continue;
            const POINT corners[] = {{rounded(s.at.x), rounded(s.at.y - kTriangle * 1.2)},
                                     {rounded(s.at.x - kTriangle), rounded(s.at.y + kTriangle * 0.8)},
                                     {rounded(s.at.x + kTriangle), rounded(s.at.y + kTriangle * 0.8)}};
            Polygon(dc, corners, 3);
        }
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const bool names = plan.layerShown(desk::Layer::Names), heights = plan.layerShown(desk::Layer::Heights);
    for (const auto& s : shown) {
        if (!s.labelled) continue;
        if (names) {
            SetTextColor(dc, kNameColour);
            text(dc, s.at.x + kArm + 3, s.at.y - 3 - metrics.tmAscent, fromMik(plan.nameLabel(*s.item)));
        }
        if (heights) {
            SetTextColor(dc, kHeightColour);
            text(dc, s.at.x + kArm + 3, s.at.y, fromMik(plan.heightLabel(*s.item)));
        }
    }
    if (const desk::PlanItem* item = plan.item(selected_)) {
        const desk::ScreenPoint at = plan.toScreen(item->at);
        SelectObject(dc, selectedPen);
        Ellipse(dc, rounded(at.x - 8), rounded(at.y - 8), rounded(at.x + 9), rounded(at.y + 9));
    }
    // The north arrow and the scale bar.
    SelectObject(dc, pointPen);
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, kPointColour);
    SetTextColor(dc, kPointColour);
    const double north = frameWidth_ - 24, top = 10;
    line(dc, north, top + 8, north, top + 30);
    const POINT arrow[] = {{rounded(north), rounded(top)}, {rounded(north - 4), rounded(top + 10)},
                           {rounded(north + 4), rounded(top + 10)}};
    Polygon(dc, arrow, 3);
    text(dc, north + 7, top + 12 - metrics.tmAscent, L"X");
    const desk::Plan::ScaleBar bar = plan.scaleBar(frameWidth_ / 4.0);
    const double left = 12, bottom = frameHeight_ - 10;
    line(dc, left, bottom, left + bar.pixels, bottom);
    line(dc, left, bottom - 4, left, bottom + 1);
    line(dc, left + bar.pixels, bottom - 4, left + bar.pixels, bottom + 1);
    text(dc, left + 4, bottom - 5 - metrics.tmAscent, toUtf16(bar.label));
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(stationPen);
    DeleteObject(pointPen);
    DeleteObject(selectedPen);
}

}  // namespace tervan::win
