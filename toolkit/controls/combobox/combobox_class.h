#pragma once

#include "gui/common.h"

namespace controls {

// Loads the combo box's skins (a missing one does not stop it) and
// registers "combobox".
BOOL RegisterComboBoxControl();

}  // namespace controls
