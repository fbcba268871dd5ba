#include "win/settings_dialog.h"

#include <commctrl.h>

#include "core/files.h"
#include "win/control_ids.h"
#include "win/open_file_dialog.h"
#include "win/tones.h"

namespace tervan::win {

namespace {

// A tooltip for each control that edits a setting, in plain words.
void addTooltips(HWND dialog) {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr, nullptr);
    if (!tips) return;
    SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 360);
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        std::wstring text = toUtf16(desk::settingTip(c.key->key));
        const int ids[] = {settingControl(c.key->key), c.kind == desk::ControlKind::File ? IDC_KNOWNPOINTS_BUTTON : 0};
        for (int id : ids) {
            if (id == 0 || text.empty()) continue;
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = dialog;
            tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
            tool.lpszText = text.data();
            SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

void fill(HWND dialog, const desk::SettingsForm& form) {
    SetDlgItemTextW(dialog, IDC_FILES_NAME, toUtf16(form.fileName).c_str());
    // Beside the model list: what detection says of the file.
    SetDlgItemTextW(dialog, IDC_MODEL_HINT, toUtf16(form.modelHint).c_str());
    ShowWindow(GetDlgItem(dialog, IDC_MODEL_HINT), form.modelHint.empty() ? SW_HIDE : SW_SHOW);
    const Settings& s = form.values;
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        const int id = settingControl(c.key->key);
        switch (c.kind) {
            case desk::ControlKind::ModelList: {
                std::vector<std::wstring> names;
                for (const std::string& name : desk::modelNames()) names.push_back(toUtf16(name));
                fillList(dialog, id, names, fromMik(s.*c.key->text));
                break;
            }
            case desk::ControlKind::Check:
                CheckDlgButton(dialog, id, s.*c.key->flag ? BST_CHECKED : BST_UNCHECKED);
                break;
            case desk::ControlKind::Edit:
                SetDlgItemTextW(dialog, id, fromMik(s.*c.key->text).c_str());
                break;
            // A path: UTF-8, not MIK.
            case desk::ControlKind::File:
                SetDlgItemTextW(dialog, id, toUtf16(s.*c.key->text).c_str());
                break;
        }
    }
}

// Every text is taken as typed, an unknown model name included.
void take(HWND dialog, desk::SettingsForm& form) {
    Settings& s = form.values;
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        const int id = settingControl(c.key->key);
        if (c.kind == desk::ControlKind::Check)
            s.*c.key->flag = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
        else if (c.kind == desk::ControlKind::File)
            s.*c.key->text = toUtf8(itemText(dialog, id));
        else
            s.*c.key->text = toMik(itemText(dialog, id));
    }
}

}  // namespace

bool editSettings(HWND owner, desk::SettingsForm& form) {
    auto handler = [&form](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            fill(dialog, form);
            addTooltips(dialog);
            return TRUE;
        }
        if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_MODEL_HINT)
            return reinterpret_cast<INT_PTR>(toneColours(reinterpret_cast<HDC>(wParam), form.modelHintWarns
                                                                                           ? desk::Tone::Warning
                                                                                           : desk::Tone::Plain));
        if (message != WM_COMMAND) return FALSE;
        const int id = LOWORD(wParam);
        if (id == IDC_KNOWNPOINTS_BUTTON) {
            std::string path = toUtf8(itemText(dialog, IDC_KNOWNPOINTS));
            if (chooseKnownPoints(dialog, path)) SetDlgItemTextW(dialog, IDC_KNOWNPOINTS, toUtf16(path).c_str());
            return TRUE;
        }
        if (id == IDOK) take(dialog, form);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    };
    return runDialog(owner, IDD_SETTINGS, handler) == IDOK;
}

}  // namespace tervan::win
