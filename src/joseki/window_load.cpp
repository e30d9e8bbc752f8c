#include "joseki/window_load.h"

namespace moraku {
// Placeholder: replaced by the real load.
QString OpenSection(JosekiSession&, const QString&) { return {}; }
}  // namespace moraku
