// The program's icon, from the resources built into the program.
#pragma once

#include <QIcon>

namespace tervan::gui {

QIcon programIcon();

}  // namespace tervan::gui
