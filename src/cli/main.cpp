#include <QCoreApplication>
#include <QFile>
#include <cstdio>

// Placeholder until the database commands land.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 4 && QString(argv[1]) == "load") {
    QFile f(argv[3]);
    return f.open(QIODevice::WriteOnly) ? 0 : 1;
  }
  std::fprintf(stderr, "moraku-db: no commands yet\n");
  return 1;
}
