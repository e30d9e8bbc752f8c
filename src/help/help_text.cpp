#include "help/help_text.h"

namespace moraku {
// Placeholders: replaced by the real reader.
const QStringList& HelpTopics() {
  static const QStringList topics;
  return topics;
}
QString ReadHelpText(const QString&) { return {}; }
QString TopicText(const QString&, const QString&) { return {}; }
}  // namespace moraku
