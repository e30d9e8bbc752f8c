#include "cli/commands.h"

namespace moraku::cli {
// Placeholder: replaced by the real command.
int RunRender(const QStringList&, QTextStream&, QTextStream& err) {
  err << "moraku-db: this command is not available yet\n";
  return 1;
}
}  // namespace moraku::cli
