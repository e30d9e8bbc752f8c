#include "app/instructions_window.h"

namespace moraku {
// Placeholder: replaced by the real window.
InstructionsWindow::InstructionsWindow(const QString&, QWidget* parent) : QWidget(parent) {}
}  // namespace moraku
