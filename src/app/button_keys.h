// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard use of the command buttons shared by every window: Return (or Enter) presses the
// button that has the focus, as a click on it would.

class QWidget;

namespace moraku {

// Makes Return and Enter press each command button among `window`'s children while it has the
// focus. A disabled button does nothing. Call after the buttons exist.
void PressFocusedButtonOnReturn(QWidget* window);

}  // namespace moraku
