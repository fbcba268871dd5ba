#include "win/form_dialog.h"

#include "win/control_ids.h"

namespace tervan::win {

namespace {

void fill(HWND dialog, const desk::Form& form) {
    for (std::size_t i = 0; i < form.fields.size(); ++i) {
        std::vector<std::wstring> presets;
        for (const std::string& preset : form.fields[i].presets) presets.push_back(fromMik(preset));
        fillList(dialog, IDC_FIELD1 + static_cast<int>(i), presets, fromMik(form.fields[i].value));
    }
    EnableWindow(GetDlgItem(dialog, IDCANCEL), form.cancelEnabled);
}

void take(HWND dialog, desk::Form& form) {
    for (std::size_t i = 0; i < form.fields.size(); ++i)
        form.fields[i].value = toMik(itemText(dialog, IDC_FIELD1 + static_cast<int>(i)));
}

}  // namespace

bool editForm(HWND owner, desk::Form& form) {
    const int id = formTemplate(form.name);
    if (id == 0) return false;
    INT_PTR result = runDialog(owner, id, [&form](HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        switch (message) {
            case WM_INITDIALOG:
                fill(dialog, form);
                return true;
            // Closing cancels also when "Cancel" is shown disabled.
            case WM_CLOSE:
                EndDialog(dialog, IDCANCEL);
                return true;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK) {
                    take(dialog, form);
                    EndDialog(dialog, IDOK);
                    return true;
                }
                if (LOWORD(wParam) == IDCANCEL) {
                    EndDialog(dialog, IDCANCEL);
                    return true;
                }
                return false;
        }
        return false;
    });
    return result == IDOK;
}

}  // namespace tervan::win
