#include "win/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "core/files.h"
#include "desk/display.h"
#include "win/form_dialog.h"
#include "win/open_file_dialog.h"
#include "win/resource.h"
#include "win/send_dialog.h"
#include "win/settings_dialog.h"
#include "win/tones.h"

namespace tervan::win {

namespace {

constexpr UINT_PTR kTimer = 1;
// Runs the oldest task that post() queued.
constexpr UINT kRunPosted = WM_APP + 1;
// Gives the message area its own font again after a change of resolution,
// once the dialog has scaled the fonts of its controls.
constexpr UINT kRefont = WM_APP + 2;

// The keyboard shortcuts of the menu (Ctrl+O): a dialog's own loop knows
// none, so a hook on it hands the main window's keys to its accelerators.
HWND acceleratedWindow = nullptr;
HACCEL accelerators = nullptr;

LRESULT CALLBACK acceleratorHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && acceleratedWindow &&
        (msg->hwnd == acceleratedWindow || IsChild(acceleratedWindow, msg->hwnd)) &&
        TranslateAcceleratorW(acceleratedWindow, accelerators, msg))
        return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The message area keeps its selection when the focus comes to it: the
// dialog would select the whole text, and scroll to its end.
LRESULT CALLBACK keepSelection(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result & ~DLGC_HASSETSEL : result;
}

// Status line 1 is the progress bar; bytes as Latin-1, like the button's
// texts.
std::wstring fromLatin1(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring joined(const std::vector<desk::Notice>& notices, const wchar_t* between) {
    std::wstring text;
    for (const desk::Notice& n : notices) text += (text.empty() ? L"" : between) + toUtf16(n.text);
    return text;
}

desk::Placement placementOf(const RECT& r) {
    return {.x = r.left, .y = r.top, .width = r.right - r.left, .height = r.bottom - r.top, .maximized = false};
}

BOOL CALLBACK addScreen(HMONITOR monitor, HDC, LPRECT, LPARAM screens) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        auto& list = *reinterpret_cast<std::vector<desk::Placement>*>(screens);
        const desk::Placement screen = placementOf(info.rcWork);
        // The main screen first.
        if (info.dwFlags & MONITORINFOF_PRIMARY)
            list.insert(list.begin(), screen);
        else
            list.push_back(screen);
    }
    return TRUE;
}

}  // namespace

MainWindow::MainWindow(Session& session) : desk_(session, *this) {}

MainWindow::~MainWindow() {
    if (messageFont_) DeleteObject(messageFont_);
    if (boldFont_) DeleteObject(boldFont_);
}

void MainWindow::run() {
    HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, acceleratorHook, nullptr, GetCurrentThreadId());
    runDialog(nullptr, IDD_MAIN, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) init(window);
        return handle(message, wParam, lParam);
    });
    UnhookWindowsHookEx(hook);
    acceleratedWindow = nullptr;
    window_ = nullptr;
}

void MainWindow::init(HWND window) {
    window_ = window;
    acceleratedWindow = window_;
    accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    SendDlgItemMessageW(window_, IDC_MESSAGE, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(GetDlgItem(window_, IDC_MESSAGE), keepSelection, 0, 0);
    grid_.attach(GetDlgItem(window_, IDC_GRID));
    setFonts();
    plan_.create(window_, desk_.plan(), [this](std::size_t record) { desk_.select(record); }, IDC_PLAN_FIRST);
    DragAcceptFiles(window_, TRUE);

    builtDpi_ = GetDpiForWindow(window_);
    RECT frame{};
    GetWindowRect(window_, &frame);
    minimum_ = {frame.right - frame.left, frame.bottom - frame.top};
    place();

    desk_.start();
    // The open-file dialog of StartWithFileOpen comes over the window, once
    // it is shown.
    post([this] { desk_.opened(); });

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
    layout();
    // The keyboard starts in the message area (the grid or the text).
    SetFocus(GetDlgItem(window_, shown(IDC_GRID) ? IDC_GRID : IDC_MESSAGE));
    if (maximize_) ShowWindow(window_, SW_SHOWMAXIMIZED);
}

// The place of the last run, on the screen it was on (or the main one).
void MainWindow::place() {
    std::vector<desk::Placement> screens;
    EnumDisplayMonitors(nullptr, nullptr, addScreen, reinterpret_cast<LPARAM>(&screens));
    std::optional<desk::Placement> placed = desk_.placement(screens);
    if (!placed) return;
    SetWindowPos(window_, nullptr, placed->x, placed->y, placed->width, placed->height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    maximize_ = placed->maximized;
}

INT_PTR MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            command(LOWORD(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            // The system uses the low four bits of a command value itself.
            if ((wParam & 0xFFF0) != IDM_ABOUT_TERVAN) return FALSE;
            about();
            return TRUE;
        case WM_TIMER:
            if (wParam == kTimer) desk_.tick();
            return TRUE;
        case kRunPosted:
            if (!posted_.empty()) {
                std::function<void()> task = std::move(posted_.front());
                posted_.pop_front();
                task();
            }
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom == grid_.handle() && header.code == LVN_COLUMNCLICK) {
                desk_.sortBy(static_cast<std::size_t>(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
                return TRUE;
            }
            // A row chosen in the grid selects its record (and its point in the plan).
            std::size_t row = 0;
            if (!showingSelection_ && desk_.gridShowsRecords() && grid_.rowChosen(header, row))
                desk_.select(desk_.recordOfRow(row));
            LRESULT result = 0;
            if (!grid_.notify(*reinterpret_cast<const NMHDR*>(lParam), result)) return FALSE;
            SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) != grid_.handle()) return FALSE;
            grid_.contextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            const desk::Tone tone = id == IDC_STATUS3   ? statusTone_
                                    : id == IDC_NOTICES ? noticesTone_
                                    : id == IDC_INDICATORS ? indicatorsTone_
                                                           : desk::Tone::Plain;
            return reinterpret_cast<INT_PTR>(toneColours(reinterpret_cast<HDC>(wParam), tone));
        }
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wParam) == GetSubMenu(GetMenu(window_), 0))
                fillRecentFiles(reinterpret_cast<HMENU>(wParam));
            return FALSE;
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::string> paths;
            for (UINT i = 0, n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0); i < n; ++i) {
                std::wstring file(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
                file.resize(DragQueryFileW(drop, i, file.data(), static_cast<UINT>(file.size())));
                paths.push_back(toUtf8(file));
            }
            DragFinish(drop);
            desk_.drop(paths);
            return TRUE;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layout();
            return FALSE;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const int dpi = static_cast<int>(GetDpiForWindow(window_)), built = static_cast<int>(builtDpi_);
            info->ptMinTrackSize = {MulDiv(minimum_.cx, dpi, built), MulDiv(minimum_.cy, dpi, built)};
            return TRUE;
        }
        case WM_DPICHANGED:
            PostMessageW(window_, kRefont, 0, 0);
            return FALSE;
        case kRefont:
            setFonts();
            layout();
            return TRUE;
        case WM_DESTROY:
            KillTimer(window_, kTimer);
            return FALSE;
    }
    return FALSE;
}

void MainWindow::command(int id) {
    if (plan_.command(id)) return;
    if (id >= ID_RECENT_FIRST && id < ID_RECENT_FIRST + static_cast<int>(desk::kRecentFiles)) {
        desk_.openRecent(static_cast<std::size_t>(id - ID_RECENT_FIRST));
        return;
    }
    switch (id) {
        case ID_FILE_OPEN:
            desk_.fileOpen();
            break;
        case ID_FILE_CONVERT_AGAIN:
            desk_.convertAgain();
            break;
        case ID_FIND:
            desk_.find();
            break;
        case IDC_CONVERT_AGAIN:
            desk_.convertAgainAs();
            break;
        case ID_FILE_EXIT:
            end(ID_FILE_EXIT);
            break;
        case ID_HELP_GUIDE:
            desk_.userGuide();
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
        case IDC_SHOW_FILES:
            desk_.showFiles();
            break;
        case IDC_COPY_TEXT:
            copyToClipboard(window_, desk::messageForDisplay(desk_.message(), u"\r\n"));
            break;
        // "&Close", the Escape key and the close box.
        case IDC_CLOSE:
            end(IDC_CLOSE);
            break;
    }
}

// Exit keeps the point store, Close clears it; both keep the window's place.
void MainWindow::end(int how) {
    WINDOWPLACEMENT now{};
    now.length = sizeof now;
    GetWindowPlacement(window_, &now);
    // The normal place is in the coordinates of the screen's work area.
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &screen);
    OffsetRect(&now.rcNormalPosition, screen.rcWork.left - screen.rcMonitor.left,
               screen.rcWork.top - screen.rcMonitor.top);
    desk::Placement kept = placementOf(now.rcNormalPosition);
    kept.maximized = IsZoomed(window_);
    desk_.end(how == ID_FILE_EXIT ? desk::Desk::Ending::Exit : desk::Desk::Ending::Close, kept);
    EndDialog(window_, how);
}

void MainWindow::about() {
    const std::wstring settings = toUtf16(desk_.settingsPlace());
    runDialog(window_, IDD_ABOUT, [&settings](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) SetDlgItemTextW(dialog, IDC_ABOUT_SETTINGS, settings.c_str());
        if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
        EndDialog(dialog, IDOK);
        return TRUE;
    });
}

// Filled as the File menu opens; disabled while there is none.
void MainWindow::fillRecentFiles(HMENU file) {
    HMENU recent = GetSubMenu(file, 1);
    while (GetMenuItemCount(recent) > 0) DeleteMenu(recent, 0, MF_BYPOSITION);
    const std::vector<std::string>& files = desk_.recentFiles();
    for (std::size_t i = 0; i < files.size() && i < desk::kRecentFiles; ++i)
        AppendMenuW(recent, MF_STRING, ID_RECENT_FIRST + i, toUtf16(desk::recentFileLabel(files, i)).c_str());
    EnableMenuItem(file, 1, MF_BYPOSITION | (files.empty() ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(file, ID_FILE_CONVERT_AGAIN, MF_BYCOMMAND | (desk_.canConvertAgain() ? MF_ENABLED : MF_GRAYED));
}

// Every control's place from the client area's size, in dialog units of
// the window's font (so also after a change of resolution): the report and
// the files line at the top, the message area filling the middle, the
// status lines and the buttons at the bottom.
void MainWindow::layout() {
    RECT units{0, 0, 4, 8};
    MapDialogRect(window_, &units);
    auto x = [&units](int dlu) { return MulDiv(dlu, units.right, 4); };
    auto y = [&units](int dlu) { return MulDiv(dlu, units.bottom, 8); };
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right, height = client.bottom;
    auto put = [this](int id, int left, int top, int w, int h) {
        SetWindowPos(GetDlgItem(window_, id), nullptr, left, top, std::max(w, 0), std::max(h, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    HDC dc = GetDC(window_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));

    // The failures and warnings, as many lines as they take (four at most),
    // with "Convert again as ..." right of them.
    int top = y(5);
    if (shown(IDC_NOTICES)) {
        const std::wstring notices = controlText(GetDlgItem(window_, IDC_NOTICES));
        int noticesWidth = width - 2 * x(7);
        if (shown(IDC_CONVERT_AGAIN)) {
            const int w = textWidth(dc, controlText(GetDlgItem(window_, IDC_CONVERT_AGAIN))) + x(12);
            put(IDC_CONVERT_AGAIN, width - x(7) - w, top, w, y(13));
            noticesWidth -= w + x(6);
        }
        SelectObject(dc, boldFont_);
        RECT box{0, 0, noticesWidth, 0};
        DrawTextW(dc, notices.c_str(), static_cast<int>(notices.size()), &box, DT_CALCRECT | DT_WORDBREAK);
        const int h = std::max(std::min(static_cast<int>(box.bottom), 4 * y(9)) + 2,
                               shown(IDC_CONVERT_AGAIN) ? y(13) : 0);
        put(IDC_NOTICES, x(7), top, noticesWidth, h);
        top += h + y(2);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));
    }
    const int copyLeft = width - x(7) - x(60);
    const int filesWidth = std::min(textWidth(dc, controlText(GetDlgItem(window_, IDC_FILES))) + x(2),
                                    copyLeft - x(7) - x(58));
    put(IDC_FILES, x(7), top + y(3), filesWidth, y(9));
    put(IDC_SHOW_FILES, x(7) + filesWidth + x(4), top, x(50), y(13));
    put(IDC_COPY_TEXT, copyLeft, top, x(60), y(13));
    // The message area on the left three fifths, the plan on the rest.
    const int areaTop = top + y(16), areaBottom = height - y(38);
    const int areaWidth = width - 2 * x(7), messageWidth = (areaWidth - x(4)) * 3 / 5;
    put(IDC_MESSAGE, x(7), areaTop, messageWidth, areaBottom - areaTop);
    put(IDC_GRID, x(7), areaTop, messageWidth, areaBottom - areaTop);
    plan_.move({x(7) + messageWidth + x(4), areaTop, width - x(7), areaBottom}, y(12));

    const int buttons = width - x(7) - x(56) - x(6) - x(56);
    put(IDC_SERIAL, buttons, height - y(35), x(56), y(14));
    put(IDC_HVSD, buttons, height - y(18), x(56), y(14));
    put(IDC_CLOSE, width - x(7) - x(56), height - y(18), x(56), y(14));
    int statusRight = buttons - x(6);
    if (shown(IDC_INDICATORS)) {
        SelectObject(dc, boldFont_);
        const int w = std::min(textWidth(dc, controlText(GetDlgItem(window_, IDC_INDICATORS))) + x(4), x(200));
        put(IDC_INDICATORS, statusRight - w, height - y(24), w, y(9));
        statusRight -= w + x(4);
    }
    for (int line = 0; line < 3; ++line)
        put(IDC_STATUS1 - line, x(7), height - y(34) + line * y(10), statusRight - x(7), y(9));
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    // The background is erased where the controls were: all of them anew.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The message area's fixed-pitch font (the observation table lines up by
// tabs), and a bold one for the report, at the window's resolution.
void MainWindow::setFonts() {
    const int height = -MulDiv(9, static_cast<int>(GetDpiForWindow(window_)), 72);
    HFONT fixed = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, FIXED_PITCH | FF_MODERN, L"Consolas");
    LOGFONTW dialogFont{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)), sizeof dialogFont, &dialogFont);
    dialogFont.lfWeight = FW_BOLD;
    HFONT bold = CreateFontIndirectW(&dialogFont);
    for (int id : {IDC_MESSAGE, IDC_GRID})
        SendDlgItemMessageW(window_, id, WM_SETFONT, reinterpret_cast<WPARAM>(fixed), TRUE);
    for (int id : {IDC_NOTICES, IDC_INDICATORS})
        SendDlgItemMessageW(window_, id, WM_SETFONT, reinterpret_cast<WPARAM>(bold), TRUE);
    if (statusTone_ != desk::Tone::Plain)
        SendDlgItemMessageW(window_, IDC_STATUS3, WM_SETFONT, reinterpret_cast<WPARAM>(bold), TRUE);
    if (messageFont_) DeleteObject(messageFont_);
    if (boldFont_) DeleteObject(boldFont_);
    messageFont_ = fixed;
    boldFont_ = bold;
}

void MainWindow::showControl(int id, bool show) { ShowWindow(GetDlgItem(window_, id), show ? SW_SHOW : SW_HIDE); }

// Whether a control is to be seen, also while the window itself is not yet.
bool MainWindow::shown(int id) const { return GetWindowLongW(GetDlgItem(window_, id), GWL_STYLE) & WS_VISIBLE; }

void MainWindow::setText(int id, const std::wstring& text) {
    if (controlText(GetDlgItem(window_, id)) != text) SetDlgItemTextW(window_, id, text.c_str());
}

void MainWindow::showMessage(const std::string& text) {
    grid_.clear();
    std::u16string shown = desk::messageForDisplay(text, u"\r\n");
    SetDlgItemTextW(window_, IDC_MESSAGE, reinterpret_cast<const wchar_t*>(shown.c_str()));
    showControl(IDC_GRID, false);
    showControl(IDC_MESSAGE, true);
}

void MainWindow::showTable(const desk::Table& table) {
    grid_.show(table);
    if (const desk::SortedTable* sorted = desk_.grid()) grid_.showSortArrow(sorted->sortColumn(), sorted->ascending());
    showControl(IDC_MESSAGE, false);
    showControl(IDC_GRID, true);
}

void MainWindow::setStatus(int line, const std::string& text) {
    // Line 1 is the progress bar, line 2 instrument text, line 3 may name
    // a file.
    const std::u16string display = desk::statusForDisplay(line, text);
    std::wstring shown(display.begin(), display.end());
    std::wstring& current = status_[line - 1];
    if (line == 3 && statusTone_ != desk::Tone::Plain) {
        statusTone_ = desk::Tone::Plain;
        SendDlgItemMessageW(window_, IDC_STATUS3, WM_SETFONT, SendMessageW(window_, WM_GETFONT, 0, 0), TRUE);
    }
    if (shown == current) return;
    current = std::move(shown);
    const int ids[] = {IDC_STATUS1, IDC_STATUS2, IDC_STATUS3};
    SetDlgItemTextW(window_, ids[line - 1], current.c_str());
}

void MainWindow::showReport(const desk::Report& report) {
    setStatus(3, report.status.text);
    statusTone_ = report.status.tone;
    const WPARAM font = statusTone_ == desk::Tone::Plain ? SendMessageW(window_, WM_GETFONT, 0, 0)
                                                         : reinterpret_cast<WPARAM>(boldFont_);
    SendDlgItemMessageW(window_, IDC_STATUS3, WM_SETFONT, font, TRUE);
    noticesTone_ = desk::worstTone(report.notices);
    setText(IDC_NOTICES, joined(report.notices, L"\r\n"));
    showControl(IDC_NOTICES, !report.notices.empty());
    setText(IDC_FILES, toUtf16(report.files));
    setText(IDC_CONVERT_AGAIN, toUtf16(desk::convertAgainLabel(report)));
    showControl(IDC_CONVERT_AGAIN, !report.convertAgainAs.empty());
    showControl(IDC_SHOW_FILES, !report.folder.empty());
    layout();
}

void MainWindow::setTitle(const std::string& title) { SetWindowTextW(window_, toUtf16(title).c_str()); }

void MainWindow::setIndicators(const std::vector<desk::Notice>& indicators) {
    indicatorsTone_ = desk::worstTone(indicators);
    setText(IDC_INDICATORS, joined(indicators, L"  "));
    showControl(IDC_INDICATORS, !indicators.empty());
    layout();
}

bool MainWindow::openFolder(const std::string& folder) {
    const auto done = ShellExecuteW(window_, L"open", toUtf16(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(done) > 32;
}

void MainWindow::setSerialButton(const std::string& text) {
    SetDlgItemTextW(window_, IDC_SERIAL, fromLatin1(text).c_str());
}

bool MainWindow::chooseInputFile(std::string& path) { return win::chooseInputFile(window_, path); }

bool MainWindow::chooseSaveFile(std::string& path) { return win::chooseSaveFile(window_, path); }

bool MainWindow::editSettings(desk::SettingsForm& form) { return win::editSettings(window_, form); }

bool MainWindow::editForm(desk::Form& form) { return win::editForm(window_, form); }

void MainWindow::runSendDialog(Sender& sender) { win::runSendDialog(window_, sender); }

void MainWindow::showPlan() { plan_.reload(); }

void MainWindow::showSelection(std::size_t record) {
    plan_.setSelected(record);
    showingSelection_ = true;
    // The record's row selected and scrolled to, in the grid of points.
    grid_.selectRow(record != kNoPoint && desk_.gridShowsRecords() ? desk_.rowOfRecord(record) : kNoPoint);
    showingSelection_ = false;
}

void MainWindow::post(std::function<void()> task) {
    posted_.push_back(std::move(task));
    PostMessageW(window_, kRunPosted, 0, 0);
}

}  // namespace tervan::win
