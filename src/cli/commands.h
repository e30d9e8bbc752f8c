// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of moraku-db. Each takes the arguments after its name, writes its results to
// `out` and its complaints to `err`, and returns the process exit status (0 success).

#include <QStringList>
#include <QTextStream>

namespace moraku::cli {

int RunLoad(const QStringList& args, QTextStream& out, QTextStream& err);         // load CSV DB
int RunCheck(const QStringList& args, QTextStream& out, QTextStream& err);        // check --db
int RunSearch(const QStringList& args, QTextStream& out, QTextStream& err);       // search
int RunRender(const QStringList& args, QTextStream& out, QTextStream& err);       // render
int RunBoard(const QStringList& args, QTextStream& out, QTextStream& err);        // board
int RunImportSgf(const QStringList& args, QTextStream& out, QTextStream& err);    // import-sgf
int RunExportSgf(const QStringList& args, QTextStream& out, QTextStream& err);    // export-sgf
int RunVerify(const QStringList& args, QTextStream& out, QTextStream& err);       // verify
int RunImportGames(const QStringList& args, QTextStream& out, QTextStream& err);  // import-games
int RunGames(const QStringList& args, QTextStream& out, QTextStream& err);        // games
int RunNext(const QStringList& args, QTextStream& out, QTextStream& err);         // next

}  // namespace moraku::cli
