#include "app/icon.h"

// The resources live in a static library, so nothing would pull them in:
// they are registered by hand before the first use.
static void registerResources() { Q_INIT_RESOURCE(tervan); }

namespace tervan::gui {

QIcon programIcon() {
    static const bool registered = (registerResources(), true);
    (void)registered;
    return QIcon(":/tervan.png");
}

}  // namespace tervan::gui
