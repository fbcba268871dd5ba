#include "win/main_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include "core/files.h"
#include "desk/display.h"
#include "win/form_dialog.h"
#include "win/resource.h"
#include "win/send_dialog.h"
#include "win/settings_dialog.h"

namespace tervan::win {

namespace {

constexpr UINT_PTR kTimer = 1;
// Runs the oldest task that post() queued.
constexpr UINT kRunPosted = WM_APP + 1;
// Gives the message area its own font again after a change of resolution,
// once the dialog has scaled the fonts of its controls.
constexpr UINT kRefont = WM_APP + 2;

constexpr wchar_t kOpenFilter[] =
    L"Tervan (*.gsi);(*.srd);(*.dat);(*.txt);(*.kor)\0*.gsi;*.srd;*.dat;*.kor;*.txt\0*.*\0*.*\0";

// The message area keeps its selection when the focus comes to it: the
// dialog would select the whole text, and scroll to its end.
LRESULT CALLBACK keepSelection(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result & ~DLGC_HASSETSEL : result;
}

// Status line 1 is the progress bar; bytes as Latin-1, like the button's
// texts.
std::wstring fromLatin1(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

MainWindow::MainWindow(Session& session) : desk_(session, *this) {}

MainWindow::~MainWindow() {
    if (messageFont_) DeleteObject(messageFont_);
}

void MainWindow::run() {
    runDialog(nullptr, IDD_MAIN, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) init(window);
        return handle(message, wParam, lParam);
    });
    window_ = nullptr;
}

void MainWindow::init(HWND window) {
    window_ = window;
    SendDlgItemMessageW(window_, IDC_MESSAGE, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(GetDlgItem(window_, IDC_MESSAGE), keepSelection, 0, 0);
    setMessageFont();

    builtDpi_ = GetDpiForWindow(window_);
    RECT client{}, frame{};
    GetClientRect(window_, &client);
    GetWindowRect(window_, &frame);
    builtClient_ = {client.right, client.bottom};
    minimum_ = {frame.right - frame.left, frame.bottom - frame.top};
    struct Rule {
        int id;
        bool moveX, moveY, growX, growY;
    };
    const Rule rules[] = {
        {IDC_MESSAGE, false, false, true, true}, {IDC_STATUS1, false, true, true, false},
        {IDC_STATUS2, false, true, true, false}, {IDC_STATUS3, false, true, true, false},
        {IDC_SERIAL, true, true, false, false},  {IDC_HVSD, true, true, false, false},
        {IDC_CLOSE, true, true, false, false},
    };
    for (const Rule& r : rules) {
        RECT rect{};
        GetWindowRect(GetDlgItem(window_, r.id), &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        anchors_.push_back({r.id, rect, r.moveX, r.moveY, r.growX, r.growY});
    }

    desk_.start();
    desk_.opened();

    HMENU system = GetSystemMenu(window_, FALSE);
    AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(system, MF_STRING, IDM_ABOUT_TERVAN, L"&About Tervan...");

    HINSTANCE instance = GetModuleHandleW(nullptr);
    const UINT dpi = GetDpiForWindow(window_);
    for (auto [which, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int pixels = GetSystemMetricsForDpi(size, dpi);
        HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(IDI_TERVAN), IMAGE_ICON, pixels, pixels, LR_SHARED);
        SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }

    // Ticks come also while a modal dialog is open: its loop dispatches
    // them here.
    SetTimer(window_, kTimer, desk::kTickMs, nullptr);
}

bool MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return true;
        case WM_COMMAND:
            command(LOWORD(wParam));
            return true;
        case WM_SYSCOMMAND:
            // The system uses the low four bits of a command value itself.
            if ((wParam & 0xFFF0) != IDM_ABOUT_TERVAN) return false;
            about();
            return true;
        case WM_TIMER:
            if (wParam == kTimer) desk_.tick();
            return true;
        case kRunPosted:
            if (!posted_.empty()) {
                std::function<void()> task = std::move(posted_.front());
                posted_.pop_front();
                task();
            }
            return true;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layout();
            return false;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const UINT dpi = GetDpiForWindow(window_);
            info->ptMinTrackSize = {MulDiv(minimum_.cx, static_cast<int>(dpi), static_cast<int>(builtDpi_)),
                                    MulDiv(minimum_.cy, static_cast<int>(dpi), static_cast<int>(builtDpi_))};
            return true;
        }
        case WM_DPICHANGED:
            PostMessageW(window_, kRefont, 0, 0);
            return false;
        case kRefont:
            setMessageFont();
            layout();
            return true;
        case WM_DESTROY:
            KillTimer(window_, kTimer);
            return false;
    }
    return false;
}

void MainWindow::command(int id) {
    switch (id) {
        case ID_FILE_OPEN:
            desk_.fileOpen();
            break;
        case ID_FILE_EXIT:
            EndDialog(window_, ID_FILE_EXIT);
            break;
        case ID_HELP_ABOUT:
            about();
            break;
        case IDC_SERIAL:
            desk_.serialButton();
            break;
        case IDC_HVSD:
            desk_.calcHvsd();
            break;
        // "&Close", the Escape key and the close box.
        case IDC_CLOSE:
            desk_.close();
            EndDialog(window_, IDC_CLOSE);
            break;
    }
}

void MainWindow::about() {
    runDialog(window_, IDD_ABOUT, [](HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return false;
        EndDialog(dialog, IDOK);
        return true;
    });
}

void MainWindow::layout() {
    if (anchors_.empty()) return;
    const int dpi = static_cast<int>(GetDpiForWindow(window_));
    const int built = static_cast<int>(builtDpi_);
    auto scaled = [&](LONG v) { return MulDiv(v, dpi, built); };
    RECT client{};
    GetClientRect(window_, &client);
    const int dx = client.right - scaled(builtClient_.cx);
    const int dy = client.bottom - scaled(builtClient_.cy);
    for (const Anchor& a : anchors_) {
        RECT r{scaled(a.rect.left), scaled(a.rect.top), scaled(a.rect.right), scaled(a.rect.bottom)};
        if (a.moveX) OffsetRect(&r, dx, 0);
        if (a.moveY) OffsetRect(&r, 0, dy);
        if (a.growX) r.right += dx;
        if (a.growY) r.bottom += dy;
        SetWindowPos(GetDlgItem(window_, a.id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The background is erased where the controls were: all of them anew.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::setMessageFont() {
    // The observation table lines up by tabs: a fixed-pitch font.
    const int height = -MulDiv(9, static_cast<int>(GetDpiForWindow(window_)), 72);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN, L"Consolas");
    SendDlgItemMessageW(window_, IDC_MESSAGE, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (messageFont_) DeleteObject(messageFont_);
    messageFont_ = font;
}

void MainWindow::showMessage(const std::string& text) {
    std::u16string shown = desk::messageForDisplay(text, u"\r\n");
    SetDlgItemTextW(window_, IDC_MESSAGE, reinterpret_cast<const wchar_t*>(shown.c_str()));
}

void MainWindow::setStatus(int line, const std::string& text) {
    // Line 1 is the progress bar, line 2 instrument text, line 3 may name
    // a file.
    std::wstring shown = line == 1 ? fromLatin1(text) : line == 2 ? fromMik(text) : toUtf16(text);
    std::wstring& current = status_[line - 1];
    if (shown == current) return;
    current = std::move(shown);
    const int ids[] = {IDC_STATUS1, IDC_STATUS2, IDC_STATUS3};
    SetDlgItemTextW(window_, ids[line - 1], current.c_str());
}

void MainWindow::setSerialButton(const std::string& text) {
    SetDlgItemTextW(window_, IDC_SERIAL, fromLatin1(text).c_str());
}

bool MainWindow::chooseInputFile(std::string& path) {
    std::wstring file = toUtf16(path);
    file.resize(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = kOpenFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags =
        OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return false;
    path = toUtf8(file.c_str());
    return true;
}

bool MainWindow::editSettings(desk::SettingsForm& form) { return win::editSettings(window_, form); }

bool MainWindow::editForm(desk::Form& form) { return win::editForm(window_, form); }

void MainWindow::runSendDialog(Sender& sender) { win::runSendDialog(window_, sender); }

void MainWindow::post(std::function<void()> task) {
    posted_.push_back(std::move(task));
    PostMessageW(window_, kRunPosted, 0, 0);
}

}  // namespace tervan::win
