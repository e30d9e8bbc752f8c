#pragma once
// Writing the entries of one section as a single SGF game tree.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "data/entry_table.h"

namespace moraku {

// The SGF text of a section and what could not go into it.
struct SgfExport {
  QByteArray text;      // UTF-8
  int written = 0;      // entries written
  QStringList leftOut;  // one line per entry left out: "<key> <title>: <why>"
};

// Writes the entries of `table`, in its order, as one SGF FF[4] game tree
// "(;FF[4]CA[UTF-8]GM[1]SZ[19]AP[Moraku:1.0]GN[gameName] ...)" whose root's child is the
// black stone on the 4-4 point. Entries that share their first moves share those nodes;
// children keep the order in which the entries first reach them. Triple i of the stone string
// is a black move for odd i and a white one for even i; the tenuki "???" is a pass (B[] or
// W[]). An entry's own properties are N (title), C (comment), LB (markers: the letters "a".."e"
// as the labels "A".."E", the black-stone marker "2" as "●" and any other code, the
// white-stone marker, as "○"), and the private MP (its number of preset stones) and MR (its
// reference). They go on the node of the entry's last move when no other entry and no further
// move continue there, and otherwise on a child node of their own without a move, one per
// entry, so that reading the tree back gives one path, and one entry, for each of them. Text
// has "\" and "]" escaped. Entries whose stone string is empty or not made of whole triples of
// points 1..19 and tenuki are left out and listed. Marker triples that are not points are not
// written.
SgfExport SectionToSgf(const EntryTable& table, const QString& gameName);

}  // namespace moraku
