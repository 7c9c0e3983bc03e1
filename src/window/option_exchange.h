// The one exchange between the table options and the controls that hold
// them while the program runs, each found by its component name.
#pragma once

#include <windows.h>

#include <span>

#include "table/options.h"
#include "window/controls.h"

namespace rinban {

// Puts options into the controls. A check box that changes is clicked as the
// user would click it: its BN_CLICKED goes to form. A stored list index
// outside the items selects nothing.
void OptionsToControls(const TableOptions& options, HWND form, const ControlTable& controls,
                       std::span<Swatch* const> swatches);

// The seven values as the controls hold them now.
TableOptions OptionsFromControls(const ControlTable& controls, std::span<Swatch* const> swatches);

}  // namespace rinban
