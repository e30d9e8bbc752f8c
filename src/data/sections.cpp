// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/sections.h"

#include <array>

#include "board/coords.h"

namespace moraku {

namespace {

// The list queries. Each section's filter and order are written once and shared by its SELECT *
// and its SELECT rowid. The handicap section lists the codes beginning with '0' in the order of
// the whole code. The star-point section is read with SQL's precedence, (one = '0' And code
// '1') Or (code '0'), so a handicap entry is listed whatever its `one`, and it is ordered by
// the code without its first character, which interleaves the two kinds. The 3-4 point section
// lists the codes beginning with '2' in the order of the whole code.
#define MORAKU_HANDICAP_TAIL " FROM gocs WHERE one = '0' And substr(five, 1, 1) = '0' Order By five"
#define MORAKU_STAR_POINT_TAIL                                                           \
  " FROM gocs WHERE one = '0' And substr(five, 1, 1) = '1' Or substr(five, 1, 1) = '0' " \
  "Order By substr(five, 2)"
#define MORAKU_THREE_FOUR_TAIL \
  " FROM gocs WHERE one = '0' And substr(five, 1, 1) = '2' Order By five"

constexpr std::array<Section, 3> kSections{{
    {kHandicapSection, u'0', "置碁の部", 4, 4, "SELECT *" MORAKU_HANDICAP_TAIL,
     "SELECT rowid" MORAKU_HANDICAP_TAIL, "一手目は星に打ってください。"},
    {kStarPointSection, u'1', "星 の 部", 4, 4, "SELECT *" MORAKU_STAR_POINT_TAIL,
     "SELECT rowid" MORAKU_STAR_POINT_TAIL, "一手目は星に打ってください。"},
    {kThreeFourSection, u'2', "小目の部", 3, 4, "SELECT *" MORAKU_THREE_FOUR_TAIL,
     "SELECT rowid" MORAKU_THREE_FOUR_TAIL, "一手目は小目に打ってください。"},
}};

#undef MORAKU_HANDICAP_TAIL
#undef MORAKU_STAR_POINT_TAIL
#undef MORAKU_THREE_FOUR_TAIL

}  // namespace

std::span<const Section> AllSections() {
  return kSections;
}

const Section* FindSection(int index) {
  for (const Section& s : kSections) {
    if (s.index == index) return &s;
  }
  return nullptr;
}

const Section* SectionOfCode(QChar code) {
  for (const Section& s : kSections) {
    if (s.code == code.unicode()) return &s;
  }
  return nullptr;
}

QString OpeningTriple(const Section& section) {
  const QChar triple[] = {CharFromCoord(section.openingRow), CharFromCoord(section.openingCol),
                          u'2'};
  return QString(triple, 3);
}

bool IsOpeningPoint(const Section& section, int row, int col) {
  return (row == section.openingRow && col == section.openingCol) ||
         (row == section.openingCol && col == section.openingRow);
}

}  // namespace moraku
