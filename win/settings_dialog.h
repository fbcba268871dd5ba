// The Settings dialog ("Setings"): the model list, a check box per flag, an
// edit field per text and the disabled "FilesName:".
#pragma once

#include "desk/forms.h"
#include "win/dialog.h"

namespace tervan::win {

// false on "Cancel"; on "OK" form holds every value as typed.
bool editSettings(HWND owner, desk::SettingsForm& form);

}  // namespace tervan::win
