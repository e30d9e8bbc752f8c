#pragma once
// Reading one input file of a command whole, up to a bound, so that a device or a runaway file
// (/dev/zero, /dev/urandom, a file still growing) ends with a message instead of filling memory.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace moraku::cli {

// The largest input file a command reads: 64 MiB, far beyond any joseki collection.
inline constexpr qint64 kMaxInputBytes = qint64{64} << 20;

// Reads the file at `path` into `bytes`. Returns false with `error` ("PATH: why") when it cannot
// be opened or read, or when it holds more than `maxBytes` bytes (then nothing beyond the bound
// is read).
bool ReadInputFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* error);

// The files named by `paths`: a file as given, a folder's *.sgf files (its subfolders' too) in
// sorted order.
QStringList SgfFilesOf(const QStringList& paths);

}  // namespace moraku::cli
