// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/joseki_verifier.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextStream>

#include "cli/commands.h"
#include "gocs_fixture.h"

namespace moraku {
namespace {

GocsRow Line(const QString& id, const QString& stones, const QString& comment = {},
             const QString& preset = "1") {
  GocsRow e;
  e.id = id;
  e.one = QStringLiteral("0");
  e.preset = preset;
  e.title = QStringLiteral("T") + id;
  e.comment = comment;
  e.stones = stones;
  e.five = QStringLiteral("1A") + id;
  return e;
}

// The findings of one severity, each "<id> <title>: <what>".
QStringList Of(const std::vector<VerifyFinding>& findings, VerifyFinding::Severity severity) {
  QStringList lines;
  for (const VerifyFinding& f : findings)
    if (f.severity == severity) lines << f.line;
  return lines;
}

class JosekiVerifierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gnugo_ = FindGnuGo();
    if (gnugo_.isEmpty()) GTEST_SKIP() << "GNU Go is not installed (Debian package gnugo)";
    QString error;
    ASSERT_TRUE(engine_.Start(gnugo_, GnuGoArguments(), &error)) << error.toStdString();
  }

  VerifyResult Verify(const std::vector<GocsRow>& entries) {
    VerifyResult r = VerifyEntries(entries, engine_);
    EXPECT_EQ(r.engineLost, QString());
    EXPECT_EQ(r.entriesVerified, static_cast<int>(entries.size()));
    return r;
  }

  QString gnugo_;
  GtpEngine engine_;
};

// The 3-3 invasion's hane-extend line, White alive in the corner, Black thick: nothing to say.
const QString kSettled = "442331342431532521632621732241252231362";
// Three white stones on the second line under Black's wall (White passing in between): dead.
const QString kDeadThree = "442221332231342241352???252???322";
// The 3-3 invasion under a small knight's enclosure stopped before White's living move.
const QString kCriticalThree = "442361632331342241252231352";
// Black leaves G17 in atari and plays D14: White takes it at G16.
const QString kAtari = "442361352561452571372381262271642";
// White's approach stone F17 is left in atari but already lost: taking it is no gain now.
const QString kLostStoneInAtari = "442361382631462471372331352431";

TEST_F(JosekiVerifierTest, GroupsAtTheEndOfALine) {
  const VerifyResult r = Verify({Line("1", kSettled), Line("2", kDeadThree),
                                 Line("3", kCriticalThree), Line("4", kLostStoneInAtari)});
  const QStringList problems = Of(r.findings, VerifyFinding::Severity::Problem);
  ASSERT_EQ(problems.size(), 2) << problems.join("\n").toStdString();
  EXPECT_EQ(problems[0], "2 T2: white group of 3 stones (B18 C18 D18) is dead");
  EXPECT_TRUE(problems[1].startsWith("3 T3: white group of 3 stones")) << problems[1].toStdString();
  EXPECT_TRUE(problems[1].endsWith("is critical")) << problems[1].toStdString();
  // The lost single stone is only a detail: given up, and no atari problem either.
  const QStringList details = Of(r.findings, VerifyFinding::Severity::Detail);
  EXPECT_TRUE(details.contains("4 T4: white group of 1 stone (F17) is dead (given up)"))
      << details.join("\n").toStdString();
}

TEST_F(JosekiVerifierTest, StoneLeftInAtariThatCanBeTakenWithProfit) {
  const VerifyResult r = Verify({Line("1", kAtari)});
  EXPECT_EQ(Of(r.findings, VerifyFinding::Severity::Problem),
            QStringList{"1 T1: black 1 stone (G17) left in atari: white captures at G16"});
}

TEST_F(JosekiVerifierTest, UnfinishedFightWordExcusesGroupsAndAtari) {
  const VerifyResult r = Verify(
      {Line("1", kCriticalThree, "白は生きていない。途中図。"), Line("2", kAtari, "途中図")});
  EXPECT_EQ(r.ProblemCount(), 0);
  const QStringList details = Of(r.findings, VerifyFinding::Severity::Detail);
  EXPECT_EQ(details.filter("excused").size(), 2) << details.join("\n").toStdString();
}

TEST_F(JosekiVerifierTest, MovesTheEngineRefusesAndBrokenTriples) {
  const VerifyResult r = Verify({Line("1", "442441"), Line("2", "442X41"), Line("3", "442???443")});
  EXPECT_EQ(Of(r.findings, VerifyFinding::Severity::Problem),
            (QStringList{"1 T1: move 2 (white D16) cannot be played: illegal move",
                         "2 T2: stones: triple 2 \"X41\" is not a move",
                         "3 T3: move 3 (black D16) cannot be played: illegal move"}));
}

TEST(FindDuplicateStonesTest, SameStonesNeedTheSameTitleAndDifferentSections) {
  GocsRow handicap = Line("1", "442361382");
  handicap.five = "0A1000";
  GocsRow star = Line("2", "442631832");  // the diagonal mirror of the same line
  star.title = handicap.title;
  GocsRow renamed = Line("3", "442361382");
  GocsRow sameSection = Line("4", "442361382");
  sameSection.title = handicap.title;
  sameSection.five = "0A1001";
  GocsRow otherPreset = Line("5", "442361382", {}, "3");
  const std::vector<VerifyFinding> found =
      FindDuplicateStones({handicap, star, renamed, sameSection, otherPreset});
  EXPECT_EQ(Of(found, VerifyFinding::Severity::Notice), QStringList{"2 T1: same stones as 1 T1"});
  EXPECT_EQ(Of(found, VerifyFinding::Severity::Problem),
            (QStringList{"3 T3: same stones as 1 T1 (same stones need the same title)",
                         "4 T1: same stones as 1 T1 in the same section"}));
}

// The command: exit status, what it prints with and without --verbose, a missing engine.
class VerifyCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = dir_.filePath("goc.db");
    test::NullableRow settled = test::Row("settled", "1A0001");
    settled.stones = kSettled;
    test::NullableRow lost = test::Row("lost stone", "0A0002");
    lost.stones = kLostStoneInAtari;
    ASSERT_TRUE(test::WriteGocs(db_, {settled, lost}));
  }

  int Run(const QStringList& args) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    return cli::RunVerify(args, out, err);
  }

  QTemporaryDir dir_;
  QString db_;
  QString out_;
  QString err_;
};

TEST_F(VerifyCommandTest, ReportsAndSelectsSections) {
  if (FindGnuGo().isEmpty()) GTEST_SKIP() << "GNU Go is not installed (Debian package gnugo)";
  EXPECT_EQ(Run({"--engine", "gnugo", "--db", db_}), 0) << err_.toStdString();
  EXPECT_EQ(out_.toStdString(), "2 entries verified, no problems\n");
  EXPECT_EQ(Run({"--engine", "gnugo", "--db", db_, "--verbose", "--section", "1"}), 0);
  EXPECT_EQ(out_.toStdString(),
            "note: 2 lost stone: white group of 1 stone (F17) is dead (given up)\n"
            "note: 2 lost stone: white group of 1 stone (G16) is critical (given up)\n"
            "1 entry verified, no problems\n");
  const QString twice = dir_.filePath("twice.db");
  ASSERT_TRUE(test::WriteGocs(twice, {test::Row("a", "1A0001"), test::Row("b", "1A0002")}));
  EXPECT_EQ(Run({"--engine", "gnugo", "--db", twice, "--section", "2"}), 1);
  EXPECT_EQ(out_.toStdString(),
            "2 b: same stones as 1 a (same stones need the same title)\n"
            "2 entries verified, 1 problem\n");
}

TEST_F(VerifyCommandTest, MissingEngineAndBadArguments) {
  EXPECT_EQ(Run({"--engine", dir_.filePath("no-such-engine"), "--db", db_}), 3);
  EXPECT_TRUE(err_.contains("cannot start the engine")) << err_.toStdString();
  EXPECT_EQ(Run({"--engine", "/bin/false", "--db", db_}), 3);
  EXPECT_TRUE(err_.contains("the engine stopped after 0 of 2 entries")) << err_.toStdString();
  EXPECT_EQ(Run({"--db", db_}), 2);
  EXPECT_EQ(Run({"--engine", "gnugo", "--db", db_, "--section", "4"}), 2);
  EXPECT_EQ(Run({"--engine", "gnugo", "--db", dir_.filePath("missing.db")}), 1);
}

}  // namespace
}  // namespace moraku
