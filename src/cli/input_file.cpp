#include "cli/input_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace moraku::cli {

bool ReadInputFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* error) {
  bytes->clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
  }
  // Read in pieces: a device reports no size, and one byte more than the bound tells a file at
  // the bound from a larger one.
  constexpr qint64 kPiece = qint64{1} << 16;
  while (bytes->size() <= maxBytes) {
    const QByteArray piece = file.read(std::min(kPiece, maxBytes + 1 - bytes->size()));
    if (piece.isEmpty()) break;
    bytes->append(piece);
  }
  if (file.error() != QFileDevice::NoError) {
    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    bytes->clear();
    return false;
  }
  if (bytes->size() > maxBytes) {
    *error = QStringLiteral("%1: larger than %2 MiB, the most an input may hold")
                 .arg(path)
                 .arg(maxBytes >> 20);
    bytes->clear();
    return false;
  }
  return true;
}

QStringList SgfFilesOf(const QStringList& paths) {
  QStringList files;
  for (const QString& path : paths) {
    if (!QFileInfo(path).isDir()) {
      files << path;
      continue;
    }
    QStringList found;
    QDirIterator it(path, {QStringLiteral("*.sgf"), QStringLiteral("*.SGF")}, QDir::Files,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) found << it.next();
    found.sort();
    files << found;
  }
  return files;
}

}  // namespace moraku::cli
