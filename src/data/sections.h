// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sections of the joseki collection, one row each: the menu's number for it, the code
// character that starts its entries' codes, the menu caption, Black's opening point, the list
// query and the search's message for a first stone off the opening point.

#include <QChar>
#include <QString>
#include <span>

namespace moraku {

// Section numbers chosen in the menu (and given to moraku-db as --section N).
inline constexpr int kHandicapSection = 1;
inline constexpr int kStarPointSection = 2;
inline constexpr int kThreeFourSection = 3;

struct Section {
  int index;                      // the menu's number for the section: 1, 2, 3
  char16_t code;                  // first character of the codes of the section's own entries
  const char* caption;            // the menu button's caption (UTF-8)
  int openingRow;                 // Black's first stone in the upper-left corner as stored;
  int openingCol;                 //   a search may also start on its diagonal mirror
  const char* query;              // SELECT * over gocs: the section's filter and order
  const char* rowidQuery;         // the same filter and order selecting only the rowid
  const char* firstStoneMessage;  // the search's answer to a first stone elsewhere (UTF-8)
};

// Every section in menu order.
std::span<const Section> AllSections();

// The section with menu number `index`, or nullptr for any other number.
const Section* FindSection(int index);

// The section whose own entries' codes begin with `code`, or nullptr.
const Section* SectionOfCode(QChar code);

// The stone triple every entry of the section starts with: Black's stone on the opening point
// ("442" for the 4-4 point, "342" for the 3-4 point).
QString OpeningTriple(const Section& section);

// Whether (row, col) of the upper-left corner is the section's opening point or its diagonal
// mirror (for the 4-4 point the two are the same point).
bool IsOpeningPoint(const Section& section, int row, int col);

}  // namespace moraku
