#include "data/section_loader.h"

namespace moraku {
// Placeholder: replaced by the real loader.
SectionLoad LoadSection(const QString&, int) { return {}; }
}  // namespace moraku
