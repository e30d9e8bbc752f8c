// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing lost: moraku-db load and import-sgf killed at any moment leave the old database
// exactly as it was (or, once the replacement is done, the whole new one), readable, and a
// later load works whatever temporary files the killed run left behind.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include "data/section_loader.h"
#include "hardening/hardening_support.h"

namespace moraku::test {
namespace {

using namespace hardening;

constexpr const char* kHeader = "id,one,marks,preset,title,ref,comment,stones,record,five\n";

QByteArray CsvRows(int first, int count) {
  QByteArray csv(kHeader);
  for (int id = first; id < first + count; ++id) {
    csv += QStringLiteral("%1,0,44a,1,entry %1,ref,\"a comment, with a comma\",442361%2,,1%3\n")
               .arg(id)
               .arg(QString::number(id % 9 + 1).repeated(3))
               .arg(id, 7, 10, QChar(u'0'))
               .toUtf8();
  }
  return csv;
}

// An SGF file of one tree with `count` variations after the first move.
QByteArray SgfVariations(int count) {
  QByteArray sgf("(;FF[4]GM[1]SZ[19];B[dd]");
  const char letters[] = "abcdefghijklmnopqrs";
  for (int i = 0; i < count; ++i) {
    sgf += "(;W[";
    sgf += letters[i % 19];
    sgf += letters[(i / 19) % 19];
    sgf += "];B[";
    sgf += letters[(i / 7) % 19];
    sgf += letters[(i / 3) % 19];
    sgf += "]C[variation]N[v])";
  }
  sgf += ")";
  return sgf;
}

// Entries of the database at `path` in section 2, or -1 when it cannot be read.
int SectionEntries(const QString& path) {
  const SectionLoad load = LoadSection(path, kStarPointSection);
  return load.error.isEmpty() ? load.table.Count() : -1;
}

class AtomicReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(WriteBytes(Path("small.csv"), CsvRows(1, 5)));
    ASSERT_TRUE(WriteBytes(Path("large.csv"), CsvRows(1000, 60000)));
    ASSERT_TRUE(WriteBytes(Path("large.sgf"), SgfVariations(20000)));
  }
  QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

  // A fresh old database of the five small entries.
  void WriteOldDatabase() {
    QFile::remove(Path("goc.db"));
    const ToolRun run = RunTool({QStringLiteral("load"), Path("small.csv"), Path("goc.db")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(SectionEntries(Path("goc.db")), 5);
  }

  // Runs moraku-db to the end and returns how long it took (ms).
  qint64 TimeWholeRun(const QStringList& args) {
    QElapsedTimer timer;
    timer.start();
    const ToolRun run = RunTool(args, 300000);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return timer.elapsed();
  }

  // Starts moraku-db with `args` and kills it with SIGKILL after `delayMs`.
  static void KillAfter(const QStringList& args, qint64 delayMs) {
    QProcess tool;
    tool.start(DbTool(), args);
    ASSERT_TRUE(tool.waitForStarted());
    tool.waitForFinished(static_cast<int>(delayMs));
    if (tool.state() != QProcess::NotRunning) {
      tool.kill();
      tool.waitForFinished();
    }
  }

  // Kills a run of `args` at several points of its course; after each, goc.db holds either the
  // old entries byte for byte or all the entries of a whole run, and a later load still works.
  void KillAtSeveralPoints(const QStringList& args, int minimumNewCount) {
    const qint64 whole = TimeWholeRun(args);
    const int newCount = SectionEntries(Path("goc.db"));
    ASSERT_GE(newCount, minimumNewCount);
    for (int tenth : {0, 1, 2, 3, 5, 7, 9}) {
      SCOPED_TRACE(tenth);
      WriteOldDatabase();
      const FileSnapshot old = FileSnapshot::Of(Path("goc.db"));
      KillAfter(args, whole * tenth / 10);
      const int entries = SectionEntries(Path("goc.db"));
      if (entries == newCount) continue;  // the replacement was already done
      EXPECT_EQ(entries, 5);
      EXPECT_EQ(FileSnapshot::Of(Path("goc.db")).bytes, old.bytes);
    }
    // Whatever the killed runs left beside it, the database can be replaced again.
    const ToolRun reload = RunTool({QStringLiteral("load"), Path("small.csv"), Path("goc.db")});
    EXPECT_EQ(reload.exitCode, 0) << reload.err.toStdString();
    EXPECT_EQ(SectionEntries(Path("goc.db")), 5);
  }

  QTemporaryDir dir_;
};

TEST_F(AtomicReplaceTest, KilledLoadLeavesTheOldDatabase) {
  WriteOldDatabase();
  KillAtSeveralPoints({QStringLiteral("load"), Path("large.csv"), Path("goc.db")}, 60000);
}

TEST_F(AtomicReplaceTest, KilledImportLeavesTheOldDatabase) {
  WriteOldDatabase();
  KillAtSeveralPoints({QStringLiteral("import-sgf"), Path("large.sgf"), QStringLiteral("--db"),
                       Path("goc.db"), QStringLiteral("--section"), QStringLiteral("2")},
                      5 + 1000);
}

}  // namespace
}  // namespace moraku::test
