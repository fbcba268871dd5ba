// Modal dialogs from the templates of tervan.rc, their messages handed to a
// function object, and the texts of their controls.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tervan::win {

// Gets every message of the dialog from WM_INITDIALOG on and answers as a
// dialog procedure does: FALSE (false) for the dialog's own handling, TRUE
// (true) when handled, a brush for WM_CTLCOLORSTATIC.
using DialogHandler = std::function<INT_PTR(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)>;

// Shows the dialog of the template id over owner until EndDialog; returns
// the value given to EndDialog. The focus goes to the first control that
// takes it, unless the handler of WM_INITDIALOG sets it.
INT_PTR runDialog(HWND owner, int id, const DialogHandler& handler);

// MIK bytes as the letters they stand for, and back ('?' for a letter MIK
// lacks).
std::wstring fromMik(std::string_view bytes);
std::string toMik(std::wstring_view text);

// Text for other programs to paste, in place of the clipboard's.
void copyToClipboard(HWND owner, const std::u16string& text);

// The width of text in the font selected into dc, in pixels.
int textWidth(HDC dc, const std::wstring& text);

std::wstring controlText(HWND control);
std::wstring itemText(HWND dialog, int id);

// An editable drop-down list: its entries, and value as its text; the
// entry that is value, letter for letter, is the one selected, so that
// the arrow keys go on from it.
void fillList(HWND dialog, int id, const std::vector<std::wstring>& entries, const std::wstring& value);

}  // namespace tervan::win
