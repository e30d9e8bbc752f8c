// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing rows of the table gocs as SGF, losslessly: every column travels, in the standard
// properties where SGF has one and in documented private properties elsewhere.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "store/entry_checker.h"

namespace moraku {

// The SGF text of some rows and what could not go into it.
struct SgfExport {
  QByteArray text;      // UTF-8
  int written = 0;      // entries written
  QStringList leftOut;  // one line per entry left out: "<id> <title>: <why>"
};

// The caption of the section whose code character is `sectionChar` (置碁の部, 星 の 部, 小目の部),
// or "code X" for another character.
QString SectionCaption(QChar sectionChar);

// Writes `rows` as SGF FF[4]: one game tree per first character of the code ('0', '1', '2',
// then any other in the order of the characters), each
// "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Moraku]GN[<caption>] ...)". Within a tree the entries go in
// the order of their code, then of their id; entries that share their first moves share those
// nodes, and children keep the order in which the entries first reach them. Triple i of the
// stone string is a black move for odd i and a white one for even i; the tenuki "???" is a pass
// (B[] or W[]). An entry's end node (the node of its last move; a further entry with the same
// stones goes on a child node of its own without a move) carries:
//   N[title] C[comment] LB[..:A]... MKCODE[five] MKID[id] MKPRESET[preset] MKREF[ref]
//   MKRECORD[record] MKONE[one]
// with C, LB, MKREF and MKRECORD left out when empty, MKPRESET when "1" and MKONE when "0".
// Markers "a".."e" are the labels "A".."E" (the label order is the marker order), the black-stone
// marker "2" the label "●", the white-stone marker "1" the label "○". Text has "\" and "]"
// escaped. An entry is left out (and listed) when its stones are empty, not whole triples of
// points written as writers write them and tenuki, or not alternating from black; when its
// markers are not whole triples of such points and known codes; when its id is not an integer;
// or when its code is empty.
SgfExport RowsToSgf(const std::vector<GocsRow>& rows);

}  // namespace moraku
