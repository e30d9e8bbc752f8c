// SPDX-License-Identifier: GPL-3.0-or-later
// The section table: the menu's sections in order, their list queries, captions and opening
// points. The first two sections' queries are those the collection has always been listed by.

#include "data/sections.h"

#include <gtest/gtest.h>

namespace moraku {
namespace {

TEST(Sections, MenuOrderNumbersCodesAndCaptions) {
  const std::span<const Section> all = AllSections();
  ASSERT_EQ(all.size(), 3u);
  const int numbers[] = {kHandicapSection, kStarPointSection, kThreeFourSection};
  const char16_t codes[] = {u'0', u'1', u'2'};
  const char* captions[] = {"置碁の部", "星 の 部", "小目の部"};
  for (std::size_t i = 0; i < all.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(all[i].index, numbers[i]);
    EXPECT_EQ(all[i].code, codes[i]);
    EXPECT_STREQ(all[i].caption, captions[i]);
    EXPECT_EQ(FindSection(numbers[i]), &all[i]);
    EXPECT_EQ(SectionOfCode(QChar(codes[i])), &all[i]);
  }
  EXPECT_EQ(FindSection(0), nullptr);
  EXPECT_EQ(FindSection(4), nullptr);
  EXPECT_EQ(SectionOfCode(u'3'), nullptr);
  EXPECT_EQ(SectionOfCode(u'S'), nullptr);
}

TEST(Sections, ListQueriesOfTheFirstTwoSectionsAreUnchanged) {
  // The star-point query keeps SQL's precedence of And over Or, which lists every handicap
  // entry interleaved by the code without its first character.
  EXPECT_STREQ(FindSection(kHandicapSection)->query,
               "SELECT * FROM gocs WHERE one = '0' And substr(five, 1, 1) = '0' Order By five");
  EXPECT_STREQ(FindSection(kStarPointSection)->query,
               "SELECT * FROM gocs WHERE one = '0' And substr(five, 1, 1) = '1' Or "
               "substr(five, 1, 1) = '0' Order By substr(five, 2)");
  EXPECT_STREQ(FindSection(kThreeFourSection)->query,
               "SELECT * FROM gocs WHERE one = '0' And substr(five, 1, 1) = '2' Order By five");
  // The rowid queries share each filter and order.
  for (const Section& s : AllSections()) {
    SCOPED_TRACE(s.index);
    EXPECT_EQ(std::string(s.rowidQuery), "SELECT rowid" + std::string(s.query).substr(8));
  }
}

TEST(Sections, OpeningPointsTakeEitherOrientation) {
  const Section& handicap = *FindSection(kHandicapSection);
  const Section& star = *FindSection(kStarPointSection);
  const Section& threeFour = *FindSection(kThreeFourSection);
  EXPECT_EQ(OpeningTriple(handicap), "442");
  EXPECT_EQ(OpeningTriple(star), "442");
  EXPECT_EQ(OpeningTriple(threeFour), "342");
  for (const Section* s : {&handicap, &star}) {
    EXPECT_TRUE(IsOpeningPoint(*s, 4, 4));
    EXPECT_FALSE(IsOpeningPoint(*s, 3, 4));
    EXPECT_FALSE(IsOpeningPoint(*s, 4, 3));
    EXPECT_STREQ(s->firstStoneMessage, "一手目は星に打ってください。");
  }
  EXPECT_TRUE(IsOpeningPoint(threeFour, 3, 4));
  EXPECT_TRUE(IsOpeningPoint(threeFour, 4, 3));
  for (auto [row, col] : {std::pair{4, 4}, {3, 3}, {3, 5}, {5, 3}, {16, 17}})
    EXPECT_FALSE(IsOpeningPoint(threeFour, row, col)) << row << "," << col;
  EXPECT_STREQ(threeFour.firstStoneMessage, "一手目は小目に打ってください。");
}

}  // namespace
}  // namespace moraku
