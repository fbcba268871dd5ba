#include "win/send_dialog.h"

#include "win/resource.h"

namespace tervan::win {

namespace {

constexpr int kSendButtons[] = {IDC_SEND_ALL, IDC_SEND_ONE, IDC_SEND_SKIP};

void enableSending(HWND dialog, bool enabled) {
    for (int id : kSendButtons) EnableWindow(GetDlgItem(dialog, id), enabled);
}

void refresh(HWND dialog, const Sender& sender) {
    SetDlgItemTextW(dialog, IDC_SEND_TEXT, fromMik(sender.text()).c_str());
    enableSending(dialog, sender.buttonsEnabled());
    // A disabled button keeps no focus: the keyboard goes on at "St&op".
    HWND focus = GetFocus();
    if (!focus || !IsWindowEnabled(focus))
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDCANCEL)), TRUE);
}

}  // namespace

void runSendDialog(HWND owner, Sender& sender) {
    runDialog(owner, IDD_SEND, [&sender](HWND dialog, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITDIALOG) {
            refresh(dialog, sender);
            return true;
        }
        if (message != WM_COMMAND) return false;
        switch (LOWORD(wParam)) {
            case IDC_SEND_ALL:
            case IDC_SEND_ONE:
            case IDC_SEND_SKIP: {
                // A record cannot be started twice while the port takes the
                // last one.
                enableSending(dialog, false);
                const int id = LOWORD(wParam);
                if (id == IDC_SEND_ALL)
                    sender.all();
                else if (id == IDC_SEND_ONE)
                    sender.send();
                else
                    sender.skip();
                refresh(dialog, sender);
                return true;
            }
            case IDCANCEL:
                EndDialog(dialog, IDCANCEL);
                return true;
        }
        return false;
    });
}

}  // namespace tervan::win
