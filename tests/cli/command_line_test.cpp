// moraku-db's shared command line: --help everywhere, one reading of every option, exit 2 for a
// wrong usage, and every write checked: nothing is reported as done that was not written, and
// no command overwrites its own input or reads without bound.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "hardening/hardening_support.h"

namespace moraku::test {
namespace {

using namespace hardening;

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QFile::copy(ShippedDatabase(), Path("goc.db")));
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

TEST_F(CommandLineTest, EveryCommandPrintsItsHelpOnStandardOutput) {
  for (const char* command : {"load", "check", "search", "render", "board", "import-sgf",
                              "export-sgf", "verify", "import-games", "games", "next"}) {
    const QString name = QString::fromLatin1(command);
    const ToolRun run = RunTool({name, QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("usage: moraku-db ") + name)) << command;
    EXPECT_TRUE(run.out.contains(QStringLiteral("--help"))) << command;
    EXPECT_TRUE(run.err.isEmpty()) << command << ": " << run.err.toStdString();
  }
  const ToolRun all = RunTool({QStringLiteral("--help")});
  EXPECT_EQ(all.exitCode, 0);
  EXPECT_TRUE(all.out.contains(QStringLiteral("moraku-db import-sgf")));
  EXPECT_TRUE(all.err.isEmpty());
  EXPECT_EQ(RunTool({}).exitCode, 2);
}

TEST_F(CommandLineTest, EveryCommandReadsTheSectionAndItsOptionsAlike) {
  const QString db = Path("goc.db");
  // "02" is section 2 for every command that takes a section.
  const ToolRun search =
      RunTool({QStringLiteral("search"), QStringLiteral("--db"), db, QStringLiteral("--section"),
               QStringLiteral("02"), QStringLiteral("4,4"), QStringLiteral("3,6")});
  EXPECT_EQ(search.exitCode, 0) << search.err.toStdString();
  const ToolRun next = RunTool({QStringLiteral("next"), QStringLiteral("--db"), db,
                                QStringLiteral("--section=02"), QStringLiteral("4,4")});
  EXPECT_EQ(next.exitCode, 0) << next.err.toStdString();
  EXPECT_EQ(RunTool({QStringLiteral("export-sgf"), QStringLiteral("--db=") + db,
                     QStringLiteral("--section=02"), QStringLiteral("--out"), Path("s.sgf")})
                .exitCode,
            0);
  const QStringList wrong[] = {
      {"search", "--db", db, "--section", "4", "4,4"},
      {"search", "--db", db, "--section", "2", "4,44"},
      {"render", "--db", db, "--section", "+2", "--entry", "1", "--out", Path("x.png")},
      {"render", "--db", db, "--section", "2", "--entry", "0", "--out", Path("x.png")},
      {"export-sgf", "--db", db, "--section", "2x", "--out", Path("x.sgf")},
      {"import-sgf", Path("x.sgf"), "--db", db, "--section", "2", "--preset", "20"},
      {"import-sgf", "--db", db, "--section", "2"},
      {"board", "--record", "a|1/1|44", "--to", "-1"},
      {"check", "--db", db, "--unknown"},
      {"check"},
      {"load", Path("a.csv")},
      {"import-games", "--db", db},
      {"games", "--db", db, "--entry", "1"},
      {"games", "--db", db, "--entry", "x", "--section", "2"},
      {"games", "--db", db, "--remove"},
      {"games", "--db", db, "--count", "3"},
      {"next", "--db", db, "--section", "2", "4,44"},
      {"next", "--db", db, "--section", "5", "4,4"},
  };
  for (const QStringList& args : wrong) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("usage: moraku-db ")))
        << args.join(u' ').toStdString();
  }
}

// A file-size limit makes every write to a regular file fail past it, as a full disk does.
TEST_F(CommandLineTest, AFailedWriteIsAFailure) {
  const QString db = Path("goc.db");
  const QString captured = Path("stdout.txt");
  const ToolLimits tiny{8, captured};
  const QStringList printing[] = {
      {"check", "--db", db},
      {"search", "--db", db, "--section", "2", "4,4", "3,6"},
      {"board", "--record", "a|1/2|4436", "--to", "2"},
      {"export-sgf", "--db", db, "--section", "2", "--out", Path("s.sgf")},
  };
  for (const QStringList& args : printing) {
    const ToolRun run = RunTool(args, 60000, tiny);
    EXPECT_EQ(run.exitCode, 1) << args.join(u' ').toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write standard output")) ||
                run.err.contains(QStringLiteral("too large")))
        << run.err.toStdString();
  }
  const QString png = Path("board.png");
  const ToolRun render = RunTool(
      {"render", "--db", db, "--section", "2", "--entry", "1", "--out", png}, 60000, {1000, {}});
  EXPECT_EQ(render.exitCode, 1);
  EXPECT_TRUE(render.err.contains(QStringLiteral("cannot write"))) << render.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(png));

  const ToolRun exported = RunTool(
      {"export-sgf", "--db", db, "--section", "2", "--out", Path("big.sgf")}, 60000, {1000, {}});
  EXPECT_EQ(exported.exitCode, 1);
  EXPECT_TRUE(exported.err.contains(QStringLiteral("too large"))) << exported.err.toStdString();
  EXPECT_FALSE(exported.err.contains(QStringLiteral("Unknown error")));
  EXPECT_EQ(FolderListing(dir_.path()), (QStringList{"goc.db", "stdout.txt"}));
}

TEST_F(CommandLineTest, NoCommandWritesOverItsInput) {
  const QString db = Path("goc.db");
  const FileSnapshot before = FileSnapshot::Of(db);
  ASSERT_TRUE(WriteBytes(Path("a.csv"),
                         "id,one,marks,preset,title,ref,comment,stones,record,"
                         "five\n1,0,,1,t,,,442361,,1A\n"));
  const FileSnapshot csv = FileSnapshot::Of(Path("a.csv"));
  ASSERT_TRUE(QFile::link(db, Path("link.db")));
  const QStringList overwriting[] = {
      {"load", Path("a.csv"), Path("a.csv")},
      {"export-sgf", "--db", db, "--section", "2", "--out", db},
      {"export-sgf", "--db", db, "--section", "2", "--out", Path("link.db")},
      {"render", "--db", db, "--section", "2", "--entry", "1", "--out", db},
      {"import-sgf", db, "--db", Path("link.db"), "--section", "2"},
  };
  for (const QStringList& args : overwriting) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exitCode, 1) << args.join(u' ').toStdString();
  }
  EXPECT_EQ(FileSnapshot::Of(db), before);
  EXPECT_EQ(FileSnapshot::Of(Path("a.csv")), csv);
}

TEST_F(CommandLineTest, InputsAreReadOnlyUpToTheirBounds) {
  // Endless devices end with a message.
  for (const QStringList& args :
       {QStringList{"import-sgf", "/dev/zero", "--db", Path("new.db"), "--section", "2"},
        QStringList{"load", "/dev/zero", Path("new.db")}}) {
    const ToolRun run = RunTool(args, 120000);
    ASSERT_TRUE(run.finished) << args.join(u' ').toStdString();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("larger than 64 MiB"))) << run.err.toStdString();
  }
  // A game file is one of a batch: it is counted as skipped and the batch goes on.
  const ToolRun games = RunTool({"import-games", "/dev/zero", "--db", Path("games.db")}, 120000);
  ASSERT_TRUE(games.finished);
  EXPECT_EQ(games.exitCode, 0) << games.err.toStdString();
  EXPECT_TRUE(games.err.contains(QStringLiteral("larger than 64 MiB"))) << games.err.toStdString();
  EXPECT_TRUE(games.out.contains(QStringLiteral("0 imported, 0 duplicate, 1 skipped")))
      << games.out.toStdString();
  // A "comb": a side variation at every move makes one entry per move.
  QByteArray comb("(;FF[4]SZ[19]");
  const char* moves[] = {"B[dd]", "W[cf]", "B[ci]", "W[fc]", "B[ic]", "W[qd]", "B[qq]", "W[dq]"};
  for (int i = 0; i < 8; ++i) comb += QByteArray(";") + moves[i] + "(;C[side])(";
  comb += ";C[end])";
  for (int i = 0; i < 8; ++i) comb += ")";
  comb += ")";
  ASSERT_TRUE(WriteBytes(Path("comb.sgf"), comb));
  const ToolRun refused = RunTool({"import-sgf", Path("comb.sgf"), "--db", Path("new.db"),
                                   "--section", "2", "--max-entries", "8"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.err.contains(QStringLiteral("--max-entries"))) << refused.err.toStdString();
  EXPECT_FALSE(QFileInfo::exists(Path("new.db")));
  const ToolRun taken = RunTool({"import-sgf", Path("comb.sgf"), "--db", Path("new.db"),
                                 "--section", "2", "--max-entries", "9"});
  EXPECT_EQ(taken.exitCode, 0) << taken.err.toStdString();
  EXPECT_TRUE(taken.out.contains(QStringLiteral("\nnew.db: 9 added"))) << taken.out.toStdString();
  // One path, but longer than the bound allows for one entry.
  ASSERT_TRUE(WriteBytes(Path("long.sgf"),
                         "(;FF[4]SZ[19];B[dd]" + QByteArray(";C[x]").repeated(150) + ")"));
  const ToolRun tooLong = RunTool({"import-sgf", Path("long.sgf"), "--db", Path("new.db"),
                                   "--section", "2", "--max-entries", "1"});
  EXPECT_EQ(tooLong.exitCode, 1);
  EXPECT_TRUE(tooLong.err.contains(QStringLiteral("152 nodes"))) << tooLong.err.toStdString();
}

}  // namespace
}  // namespace moraku::test
