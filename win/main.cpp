// tervan.exe: the desktop program on Windows. tervan.exe [INPUT]
#include "win/main_window.h"

#include <commctrl.h>

#include "core/files.h"
#include "desk/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // The open-file dialog is an object of the shell.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    tervan::Session session;
    // The wide command line: the narrow one has lost every letter outside
    // the ANSI code page.
    tervan::desk::startSession(session, tervan::programFolder(nullptr),
                               tervan::desk::inputPathOf(tervan::toUtf8(GetCommandLineW())));
    tervan::win::MainWindow window(session);
    window.run();
    window.desk().finish();
    CoUninitialize();
    return 0;
}
