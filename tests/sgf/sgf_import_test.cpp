// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgf/sgf_import.h"

#include <gtest/gtest.h>

#include "sgf/line_orientation.h"
#include "sgf/sgf_parser.h"

namespace moraku {
namespace {

SgfPaths PathsOf(const QByteArray& text, int preset = 1, QChar section = u'1') {
  const sgf::ParseResult parsed = sgf::Parse(text);
  EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
  return EntriesFromSgf(parsed.collection, SgfImportOptions{section, preset});
}

QStringList StonesOf(const SgfPaths& paths) {
  QStringList out;
  for (const SgfEntry& e : paths.entries) out << e.stones;
  return out;
}

// The SGF point of (row, col).
QByteArray SgfPoint(BoardPoint p) {
  return QByteArray(1, static_cast<char>('a' + p.col - 1)) + static_cast<char>('a' + p.row - 1);
}

// The line as a game tree, every move turned by `s`; a point {0, 0} is a pass.
QByteArray TreeOf(const std::vector<BoardPoint>& line, BoardSymmetry s) {
  QByteArray text = "(;GM[1]";
  for (std::size_t i = 0; i < line.size(); ++i) {
    text += i % 2 == 0 ? ";B[" : ";W[";
    if (line[i].row > 0) text += SgfPoint(Transformed(s, line[i]));
    text += "]";
  }
  return text + ")";
}

TEST(LineOrientation, EveryMirrorImageOfALineIsStoredTheSameWay) {
  struct Case {
    QChar section;
    std::vector<BoardPoint> line;  // in the stored orientation
    int preset;
    const char* stones;
  };
  const Case cases[] = {
      // White's approach decides: the small knight's approach along the top.
      {u'1', {{4, 4}, {3, 6}, {6, 3}}, 1, "442361632"},
      // The 3-3 invasion is on the diagonal: Black's block on top decides.
      {u'1', {{4, 4}, {3, 3}, {3, 4}, {4, 3}}, 1, "442331342431"},
      // A preset extension does not decide when a joseki move does.
      {u'1', {{4, 4}, {0, 0}, {7, 4}, {3, 3}, {3, 4}, {4, 3}}, 3, "442???742331342431"},
      // Every joseki move on the diagonal: the preset stone decides.
      {u'1', {{4, 4}, {0, 0}, {4, 7}, {3, 3}}, 3, "442???472331"},
      // The 3-4 point: a single symmetry takes the stone to row 3, column 4.
      {u'2', {{3, 4}, {5, 3}, {3, 6}}, 1, "342531362"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stones);
    for (const BoardSymmetry& s : AllSymmetries()) {
      const SgfPaths paths = PathsOf(TreeOf(c.line, s), c.preset, c.section);
      ASSERT_EQ(paths.entries.size(), 1u);
      EXPECT_EQ(paths.entries[0].stones, QString::fromLatin1(c.stones));
    }
    EXPECT_EQ(StoredStones(QString::fromLatin1(c.stones), c.preset, OpeningOfSection(c.section)),
              QString::fromLatin1(c.stones));
  }
  // Stone strings of stored rows turn the same way, colour codes and tenuki kept.
  EXPECT_EQ(StoredStones("442???742331", 1, OpeningPoint::StarPoint), "442???472331");
  EXPECT_EQ(StoredStones("442163", 1, OpeningPoint::StarPoint), "442163");  // not whole moves
}

TEST(SgfPaths, PathsThatCannotBeALineAreSkippedUnderTheirReason) {
  const SgfPaths paths = PathsOf(
      "(;GM[1]"
      "(;B[dc];W[fc])"         // a 3-4 point in the star-point section
      "(;B[jj])"               // centre
      "(;B[];W[dd])"           // a pass first
      "(;W[dd];B[fc])"         // White first
      "(;B[dd];AW[cc];W[fc])"  // setup stones inside the tree
      "(;B[dd];W[fc]))"        // the only good one
      "(;GM[1]SZ[13];B[dd];W[fc])"
      "(;GM[1]C[no moves at all])"
      "(;GM[1]AB[dd][pp]PL[B];B[dp])");  // setup with Black to move: not a handicap
  ASSERT_TRUE(paths.ok());
  EXPECT_EQ(StonesOf(paths), QStringList{"442361"});
  EXPECT_EQ(paths.notOnOpeningPoint, 4);
  EXPECT_EQ(paths.whiteFirst, 1);
  EXPECT_EQ(paths.otherBoardSize, 1);
  EXPECT_EQ(paths.setupStones, 2);
  // A foreign line needs a section.
  const SgfPaths none = PathsOf("(;B[dd];W[fc])", 1, QChar());
  EXPECT_TRUE(none.entries.empty());
  EXPECT_EQ(none.noSection, 1);
}

TEST(SgfPaths, PassesAndSameColourPairsBecomeTenuki) {
  const SgfPaths paths = PathsOf(
      "(;FF[3]"
      "(;B[dd];W[tt];B[fc])"   // FF[3] pass
      "(;B[dd];W[];B[fc])"     // FF[4] pass
      "(;B[dd];B[fc];W[cf])"   // Black twice: White played elsewhere in between
      "(;B[dd];W[fc];W[cf])"   // White twice
      "(;B[dd];W[fc];B[]))");  // a pass at the end stays
  ASSERT_TRUE(paths.ok());
  EXPECT_EQ(StonesOf(paths),
            (QStringList{"442???362", "442???362", "442???362631", "442361???631", "442361???"}));
}

TEST(SgfPaths, AForeignLineTakesTheTextOfItsOwnStretchOnly) {
  const SgfPaths paths = PathsOf(
      "(;GM[1]GN[Dictionary]SO[Book]C[a long preface]N[root name]"
      ";B[dd]N[star point]C[shared]"
      "(;W[fc]C[approach]"
      "  (;B[cf]N[one-space]C[solid])"
      "  (;B[ec]MP[3]MR[own reference]))"
      "(;W[cc]N[  ]C[invasion];B[dc]C[block]))",
      1);
  ASSERT_TRUE(paths.ok());
  ASSERT_EQ(paths.entries.size(), 3u);
  const SgfEntry& a = paths.entries[0];
  EXPECT_EQ(a.stones, QStringLiteral("442361632"));
  EXPECT_EQ(a.title, QStringLiteral("one-space"));
  EXPECT_EQ(a.comment, QStringLiteral("solid"));  // not the preface, not the shared approach
  EXPECT_EQ(a.ref, QStringLiteral("Dictionary"));
  EXPECT_EQ(a.presetCount, 1);
  const SgfEntry& b = paths.entries[1];
  EXPECT_EQ(b.title, QString());  // "star point" belongs to a shared stretch
  EXPECT_EQ(b.comment, QString());
  EXPECT_EQ(b.presetCount, 3);  // MP beats the default
  EXPECT_EQ(b.preset, QStringLiteral("3"));
  EXPECT_EQ(b.ref, QStringLiteral("own reference"));
  const SgfEntry& c = paths.entries[2];
  EXPECT_EQ(c.stones, QStringLiteral("442331342"));
  EXPECT_EQ(c.title, QString());  // a blank N is no title
  EXPECT_EQ(c.comment, QStringLiteral("invasion\nblock"));

  // SO is the reference when there is no GN; a preset count beyond the path takes all of it.
  const SgfPaths other = PathsOf("(;SO[Book];B[dd];W[fc])", 5);
  ASSERT_EQ(other.entries.size(), 1u);
  EXPECT_EQ(other.entries[0].ref, QStringLiteral("Book"));
  EXPECT_EQ(other.entries[0].presetCount, 2);
}

TEST(SgfPaths, LabelsOnTheEndNodeBecomeMarkersAndEveryOtherMarkIsCounted) {
  // Upper-right corner: columns are mirrored (column c becomes 20 - c).
  const SgfPaths paths = PathsOf(
      "(;LB[aa:A]"  // not on the end node
      ";B[pd];W[nc]LB[qf:A][oc:b][pc:●][nd:○][ss:Z][oo:AB][kk]TR[aa]CR[bb][cc])");
  ASSERT_EQ(paths.entries.size(), 1u);
  // qf = row 6, col 17 -> (6, 3); oc = row 3, col 15 -> (3, 5); pc = (3, 16) -> (3, 4);
  // nd = (4, 14) -> (4, 6).
  EXPECT_EQ(paths.entries[0].marks, QStringLiteral("63a35b342461"));
  EXPECT_EQ(paths.marksDropped, 7);

  // Old-style L labels are lettered in order.
  const SgfPaths old = PathsOf("(;FF[3];B[dd];W[fc]L[cf][ec])");
  ASSERT_EQ(old.entries.size(), 1u);
  EXPECT_EQ(old.entries[0].marks, QStringLiteral("63a35b"));
}

TEST(SgfPaths, OwnFilesEndEntriesAtMkcodeNodesWithEveryColumn) {
  const SgfPaths paths = PathsOf(
      "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Moraku]GN[family]C[file notes]"
      ";B[dd]"
      "(;W[fc]N[approach]C[basic]LB[cf:A][df:B]MKCODE[1A0000]MKID[4001]MKREF[基本図]"
      "  ;B[cf];W[];B[cc]N[later]MKCODE[1A0010]MKID[4002]MKPRESET[1]"
      "   MKRECORD[cap|1/2|4436]MKONE[1])"
      "(;W[];B[dg];W[cc]N[handicap-like]MKCODE[0B0000]MKPRESET[3]MP[5]MR[old ref]))",
      9, u'2');
  ASSERT_TRUE(paths.ok()) << paths.error.toStdString();
  ASSERT_EQ(paths.entries.size(), 3u);
  const SgfEntry& a = paths.entries[0];
  EXPECT_EQ(a.stones, QStringLiteral("442361"));
  EXPECT_EQ(a.code, QStringLiteral("1A0000"));
  EXPECT_EQ(a.section, QChar(u'1'));  // from the code, not from the options
  EXPECT_EQ(a.id, 4001);
  EXPECT_EQ(a.title, QStringLiteral("approach"));
  EXPECT_EQ(a.comment, QStringLiteral("basic"));
  EXPECT_EQ(a.ref, QStringLiteral("基本図"));
  EXPECT_EQ(a.marks, QStringLiteral("63a64b"));
  EXPECT_EQ(a.preset, QStringLiteral("1"));  // the default of our files, not the option
  EXPECT_EQ(a.one, QStringLiteral("0"));
  const SgfEntry& b = paths.entries[1];
  EXPECT_EQ(b.stones, QStringLiteral("442361632???332"));
  EXPECT_EQ(b.comment, QString());  // only the end node's comment
  EXPECT_EQ(b.marks, QString());
  EXPECT_EQ(b.record, QStringLiteral("cap|1/2|4436"));
  EXPECT_EQ(b.one, QStringLiteral("1"));
  EXPECT_EQ(b.ref, QString());
  const SgfEntry& c = paths.entries[2];
  EXPECT_EQ(c.stones, QStringLiteral("442???472331"));  // the preset stone decides, turned
  EXPECT_EQ(c.preset, QStringLiteral("3"));             // MKPRESET before the old MP
  EXPECT_EQ(c.presetCount, 3);
  EXPECT_EQ(c.ref, QStringLiteral("old ref"));
  EXPECT_FALSE(c.id.has_value());
}

TEST(SgfPaths, ARootHandicapSetupWithWhiteToMoveBecomesPresetStones) {
  // Four stones, White approaching the lower-right corner from below: turned so that corner
  // is the upper-left one and White comes along the top.
  const SgfPaths paths = PathsOf(
      "(;GM[1]HA[4]AB[dd][pd][dp][pp]"
      "(;W[nq];B[qn])"
      "(;W[jj]))",  // not in a corner: no line of a handicap stone
      1, u'1');
  ASSERT_TRUE(paths.ok()) << paths.error.toStdString();
  ASSERT_EQ(paths.entries.size(), 1u);
  EXPECT_EQ(paths.entries[0].section, QChar(u'0'));
  EXPECT_EQ(paths.entries[0].stones, QStringLiteral("442???4G2???G42???GG2361632"));
  EXPECT_EQ(paths.entries[0].presetCount, 7);
  EXPECT_EQ(paths.setupStones, 1);

  // Three stones, in the shipped order.
  const SgfPaths three = PathsOf("(;AB[dd][dp][pp]PL[W];W[fc])");
  ASSERT_EQ(three.entries.size(), 1u);
  EXPECT_EQ(three.entries[0].stones, QStringLiteral("442???GG2???G42361"));

  // HA disagreeing with the stones is a fault of the file.
  const sgf::ParseResult parsed = sgf::Parse("(;HA[3]AB[dd][pp];W[fc])");
  EXPECT_FALSE(EntriesFromSgf(parsed.collection, SgfImportOptions{u'1', 1}).ok());
}

TEST(SgfPaths, AMoveOffTheBoardIsAnErrorWithItsPosition) {
  const sgf::ParseResult parsed = sgf::Parse("(;B[dd]\n;W[zz])");
  ASSERT_TRUE(parsed.ok());
  const SgfPaths paths = EntriesFromSgf(parsed.collection, SgfImportOptions{u'1', 1});
  EXPECT_FALSE(paths.ok());
  EXPECT_EQ(paths.line, 2);
  EXPECT_EQ(paths.column, 4);
  EXPECT_TRUE(paths.error.contains("zz"));
  EXPECT_TRUE(paths.entries.empty());
}

TEST(SgfPaths, AHundredThousandMoveLineIsOneEntry) {
  constexpr int kMoves = 100000;
  QByteArray text = "(;GM[1];B[dd]";
  for (int i = 1; i < kMoves; ++i) text += i % 2 ? ";W[]" : ";B[]";
  text += ")";
  const SgfPaths paths = PathsOf(text);
  ASSERT_EQ(paths.entries.size(), 1u);
  EXPECT_EQ(paths.entries[0].stones.size(), 3 * kMoves);
  EXPECT_TRUE(paths.entries[0].stones.endsWith("??????"));
}

}  // namespace
}  // namespace moraku
