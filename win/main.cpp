// tervan.exe: the desktop program on Windows. tervan.exe [INPUT]
#include "win/main_window.h"

#include <commctrl.h>

#include <string>

#include "core/files.h"
#include "desk/command_line.h"

namespace {

// A program of the window subsystem has no standard output of its own: the
// answer goes to the console it was started from, else into a message box.
void tell(const std::string& text) {
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        FreeConsole();
        return;
    }
    MessageBoxW(nullptr, tervan::toUtf16(text).c_str(), L"Tervan", MB_OK);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string input = tervan::desk::inputPathOf(tervan::toUtf8(GetCommandLineW()));
    if (std::string text = tervan::desk::answerWithoutWindow(input); !text.empty()) {
        tell(text);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The open-file dialog is an object of the shell.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    tervan::Session session;
    // The wide command line: the narrow one has lost every letter outside
    // the ANSI code page.
    tervan::desk::startSession(session, tervan::programFolder(nullptr), input);
    tervan::win::MainWindow window(session);
    window.run();
    if (const std::string failure = window.desk().finish(); !failure.empty())
        MessageBoxW(nullptr, tervan::toUtf16(failure).c_str(), L"Tervan", MB_OK | MB_ICONWARNING);
    CoUninitialize();
    return 0;
}
