#include <QFile>

#include "cli/commands.h"

namespace moraku::cli {
// Placeholder: replaced by the real command.
int RunLoad(const QStringList& args, QTextStream&, QTextStream& err) {
  if (args.size() != 2) return 2;
  QFile f(args[1]);
  if (!f.open(QIODevice::WriteOnly)) {
    err << "cannot write\n";
    return 1;
  }
  return 0;
}
}  // namespace moraku::cli
