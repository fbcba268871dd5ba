#include "gui_fixture.h"

#include "desk/desk.h"

namespace tervan::test {

std::string iniText(const std::string& extra) {
    // The first of two equal keys counts, so the extra lines go first.
    return "[Model]\n" + extra +
           "Model=Leica1200\n"
           "NxyzFile=Yes\nNyxzFile=Yes\nXyzFile=Yes\nTrasFile=Yes\n"
           "x1000=No\nStartWithFileOpen=No\nSaveSettings=No\n";
}

GuiFixture::GuiFixture(const std::string& extraIni) {
    writeFile(ini, iniText(extraIni));
    writeFile(input, readFile(std::string(TERVAN_SOURCE_DIR) + "/examples/leica1200.txt"));
}

Session GuiFixture::start(bool withInput) {
    Session session;
    desk::startSession(session, folder, withInput ? input : std::string());
    return session;
}

QAction* menuAction(QWidget* window, const QString& text) {
    for (QAction* action : window->findChildren<QAction*>())
        if (action->text() == text) return action;
    return nullptr;
}

}  // namespace tervan::test
