#include "win/settings_dialog.h"

#include "core/files.h"
#include "win/control_ids.h"

namespace tervan::win {

namespace {

void fill(HWND dialog, const desk::SettingsForm& form) {
    SetDlgItemTextW(dialog, IDC_FILES_NAME, toUtf16(form.fileName).c_str());
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
        else
            s.*c.key->text = toMik(itemText(dialog, id));
    }
}

}  // namespace

bool editSettings(HWND owner, desk::SettingsForm& form) {
    INT_PTR result = runDialog(owner, IDD_SETTINGS, [&form](HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITDIALOG) {
            fill(dialog, form);
            return true;
        }
        if (message != WM_COMMAND) return false;
        const int id = LOWORD(wParam);
        if (id == IDOK) take(dialog, form);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, id);
            return true;
        }
        return false;
    });
    return result == IDOK;
}

}  // namespace tervan::win
