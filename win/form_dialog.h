// The dialogs of fields (Calculate H, V, SD; Calc BFFB line; COM
// Properties): one editable drop-down list per field of the form.
#pragma once

#include "desk/forms.h"
#include "win/dialog.h"

namespace tervan::win {

// false on "Cancel", the Escape key or the close box; on "OK" form holds
// the texts as typed.
bool editForm(HWND owner, desk::Form& form);

}  // namespace tervan::win
