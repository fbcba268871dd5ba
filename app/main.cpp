// tervan: the desktop program. tervan [INPUT]
#include "app/startup.h"

int main(int argc, char** argv) { return tervan::gui::guiMain(argc, argv); }
