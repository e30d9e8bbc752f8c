#include "sgf/sgf_import.h"

#include <gtest/gtest.h>

#include "sgf/sgf_parser.h"

namespace moraku {
namespace {

SgfPaths PathsOf(const QByteArray& text, int preset = 1) {
  const sgf::ParseResult parsed = sgf::Parse(text);
  EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
  return EntriesFromSgf(parsed.collection, preset);
}

QStringList StonesOf(const SgfPaths& paths) {
  QStringList out;
  for (const SgfEntry& e : paths.entries) out << e.stones;
  return out;
}

TEST(SgfSymmetry, EachStarPointHasOneChosenSymmetryAndOtherPointsNone) {
  using S = BoardSymmetry;
  EXPECT_EQ(SymmetryToUpperLeft({4, 4}), (S{false, false, false}));
  EXPECT_EQ(SymmetryToUpperLeft({4, 16}), (S{false, false, true}));
  EXPECT_EQ(SymmetryToUpperLeft({16, 4}), (S{false, true, false}));
  EXPECT_EQ(SymmetryToUpperLeft({16, 16}), (S{false, true, true}));
  for (const BoardPoint p : {BoardPoint{3, 4}, BoardPoint{4, 3}, BoardPoint{10, 10},
                             BoardPoint{4, 15}, BoardPoint{16, 17}, BoardPoint{0, 0}}) {
    EXPECT_FALSE(SymmetryToUpperLeft(p).has_value()) << p.row << "," << p.col;
  }
  // Every symmetry keeps the board: corners go to corners, the centre stays.
  for (int bits = 0; bits < 8; ++bits) {
    const S s{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
    EXPECT_EQ(Transformed(s, {10, 10}), (BoardPoint{10, 10}));
    const BoardPoint corner = Transformed(s, {1, 19});
    EXPECT_TRUE((corner.row == 1 || corner.row == 19) && (corner.col == 1 || corner.col == 19));
  }
  EXPECT_EQ(Transformed(S{true, false, false}, {3, 6}), (BoardPoint{6, 3}));
}

TEST(SgfPaths, EachCornerIsTurnedToTheUpperLeftKeepingRowsAsRows) {
  // The same joseki in the four corners: the 4-4 stone, a small knight's approach from the
  // side (row 3, column 6 once turned) and a one-space answer on the other side (row 6,
  // column 3). Had rows and columns been swapped, the last two would trade places.
  const SgfPaths paths = PathsOf(
      "(;GM[1]FF[4]SZ[19]"
      "(;B[dd];W[fc];B[cf])"   // upper left
      "(;B[pd];W[nc];B[qf])"   // upper right: the columns mirrored
      "(;B[dp];W[fq];B[cn])"   // lower left: the rows mirrored
      "(;B[pp];W[nq];B[qn]))"  // lower right: a half turn
  );
  ASSERT_TRUE(paths.ok());
  EXPECT_EQ(StonesOf(paths), QStringList(4, "442361632"));
}

TEST(SgfPaths, PathsNotStartingWithBlackOnAFourFourPointAreSkippedAndCounted) {
  const SgfPaths paths = PathsOf(
      "(;GM[1]"
      "(;B[dc];W[fc])"   // 3-4 point
      "(;B[jj])"         // centre
      "(;B[];W[dd])"     // a pass first
      "(;W[dd];B[fc])"   // White first
      "(;B[dd];W[fc]))"  // the only good one
      "(;GM[1]SZ[13];B[dd];W[fc])"
      "(;GM[1]C[no moves at all])");
  ASSERT_TRUE(paths.ok());
  EXPECT_EQ(StonesOf(paths), QStringList{"442361"});
  EXPECT_EQ(paths.notOnStarPoint, 4);
  EXPECT_EQ(paths.whiteFirst, 1);
  EXPECT_EQ(paths.otherBoardSize, 1);
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
  // Black twice puts a tenuki of White between them, so the second black stone is move 3.
  EXPECT_EQ(paths.entries[2].stones.mid(6, 3), QStringLiteral("362"));
}

TEST(SgfPaths, PresetCountsTitlesCommentsReferencesAndOrder) {
  const SgfPaths paths = PathsOf(
      "(;GM[1]GN[Dictionary]SO[Book]C[root comment]"
      ";B[dd]N[star point]"
      "(;W[fc]C[approach]"
      "  (;B[cf]N[one-space]C[solid])"
      "  (;B[ec]MP[3]MR[own reference]))"
      "(;W[cc]N[  ]C[invasion]))",
      1);
  ASSERT_TRUE(paths.ok());
  ASSERT_EQ(paths.entries.size(), 3u);
  const SgfEntry& a = paths.entries[0];
  EXPECT_EQ(a.stones, QStringLiteral("442361632"));
  EXPECT_EQ(a.title, QStringLiteral("one-space"));
  EXPECT_EQ(a.comment, QStringLiteral("root comment\napproach\nsolid"));
  EXPECT_EQ(a.ref, QStringLiteral("Dictionary"));
  EXPECT_EQ(a.presetCount, 1);
  const SgfEntry& b = paths.entries[1];
  EXPECT_EQ(b.stones, QStringLiteral("442361352"));
  EXPECT_EQ(b.title, QStringLiteral("star point"));  // the last non-empty N on the path
  EXPECT_EQ(b.comment, QStringLiteral("root comment\napproach"));
  EXPECT_EQ(b.presetCount, 3);  // MP beats the default
  EXPECT_EQ(b.ref, QStringLiteral("own reference"));
  const SgfEntry& c = paths.entries[2];
  EXPECT_EQ(c.stones, QStringLiteral("442331"));
  EXPECT_EQ(c.title, QStringLiteral("star point"));  // a blank N is no title
  EXPECT_EQ(c.comment, QStringLiteral("root comment\ninvasion"));

  // SO is the reference when there is no GN; a preset count beyond the path takes all of it.
  const SgfPaths other = PathsOf("(;SO[Book];B[dd];W[fc])", 5);
  ASSERT_EQ(other.entries.size(), 1u);
  EXPECT_EQ(other.entries[0].ref, QStringLiteral("Book"));
  EXPECT_EQ(other.entries[0].presetCount, 2);
  EXPECT_EQ(other.entries[0].title, QString());
}

TEST(SgfPaths, LabelsOnTheLastNodeBecomeMarkersTurnedWithThePath) {
  // Upper-right corner: columns are mirrored (column c becomes 20 - c).
  const SgfPaths paths = PathsOf(
      "(;LB[aa:A]"  // not on the last node: ignored
      ";B[pd];W[nc]LB[qf:A][oc:b][pc:●][nd:○][ss:Z][oo:AB][kk]TR[aa])");
  ASSERT_EQ(paths.entries.size(), 1u);
  // qf = row 6, col 17 -> (6, 3); oc = row 3, col 15 -> (3, 5); pc = (3, 16) -> (3, 4);
  // nd = (4, 14) -> (4, 6).
  EXPECT_EQ(paths.entries[0].marks, QStringLiteral("63a35b342461"));

  // Old-style L labels are lettered in order.
  const SgfPaths old = PathsOf("(;FF[3];B[dd];W[fc]L[cf][ec])");
  ASSERT_EQ(old.entries.size(), 1u);
  EXPECT_EQ(old.entries[0].marks, QStringLiteral("63a35b"));
}

TEST(SgfPaths, AMoveOffTheBoardIsAnErrorWithItsPosition) {
  const sgf::ParseResult parsed = sgf::Parse("(;B[dd]\n;W[zz])");
  ASSERT_TRUE(parsed.ok());
  const SgfPaths paths = EntriesFromSgf(parsed.collection, 1);
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
