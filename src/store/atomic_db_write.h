// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a database file all at once: the new content is written to a temporary file beside
// it and renamed over it, so a failure or a kill at any moment leaves the old file intact.

#include <QString>
#include <functional>

#include "data/sqlite_db.h"

namespace moraku {

// What the temporary database holds before the writer runs.
enum class AtomicStart {
  Empty,         // a new, empty database
  CopyOfTarget,  // a consistent copy of the target, which must exist
};

// Writes into the temporary database, inside the open transaction. Returns false, with a reason
// in `error`, to abandon the whole replacement.
using DatabaseWriter = std::function<bool(sql::Database& db, QString* error)>;

// Builds the new content of the database file `target` (when it is a symbolic link, of the file
// the link leads to, which is made when the link dangles): creates a temporary file in that
// folder, starts it as `start` says, runs `write` inside one transaction, commits, syncs the file
// to disk, gives it the permissions of the old file (or rw-r--r-- for a new one) and renames it
// over `target` (an atomic replace on POSIX file systems), then syncs the folder. While it works
// it holds the write lock of the file that is at `target` (it waits up to 10 seconds for another
// writer, and takes the lock again when that writer replaced the file meanwhile), so no other
// writer's change is lost. An old file in WAL mode is first turned back to a rollback journal,
// so that no leftover -wal file is read as part of the new one; when another program keeps it
// open in WAL mode the write is refused. On any failure
// returns false with `error` set (the writer's own text when the writer failed), removes the
// temporary file and leaves `target` exactly as it was. Never throws.
bool WriteDatabaseAtomically(const QString& target, AtomicStart start, const DatabaseWriter& write,
                             QString* error);

// Installs handlers for SIGINT, SIGTERM and SIGHUP that remove the temporary file of a write in
// progress and then end the process as the signal would. For programs that write databases.
void RemoveTemporaryDatabaseOnSignals();

}  // namespace moraku
