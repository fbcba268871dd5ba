#include "win/dialog.h"

#include <cstring>

#include "core/mik.h"

namespace tervan::win {

namespace {

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* handler = reinterpret_cast<const DialogHandler*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // Messages before WM_INITDIALOG (WM_SETFONT among them) find no handler.
    if (!handler) return FALSE;
    INT_PTR result = (*handler)(dialog, message, wParam, lParam);
    // WM_INITDIALOG: the first control that takes the focus gets it, unless
    // the handler has put it somewhere.
    if (message == WM_INITDIALOG) return !IsChild(dialog, GetFocus());
    return result;
}

}  // namespace

INT_PTR runDialog(HWND owner, int id, const DialogHandler& handler) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner, dialogProc,
                           reinterpret_cast<LPARAM>(&handler));
}

std::wstring fromMik(std::string_view bytes) {
    std::u16string text = decodeMik(bytes);
    return std::wstring(text.begin(), text.end());
}

std::string toMik(std::wstring_view text) {
    return encodeMik(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

void copyToClipboard(HWND owner, const std::u16string& text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

int textWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
}

std::wstring controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring itemText(HWND dialog, int id) { return controlText(GetDlgItem(dialog, id)); }

void fillList(HWND dialog, int id, const std::vector<std::wstring>& entries, const std::wstring& value) {
    HWND list = GetDlgItem(dialog, id);
    for (const std::wstring& entry : entries)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SetWindowTextW(list, value.c_str());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == value) SendMessageW(list, CB_SETCURSEL, i, 0);
}

}  // namespace tervan::win
