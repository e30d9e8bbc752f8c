// SPDX-License-Identifier: GPL-3.0-or-later
#include "joseki/record_text.h"

#include <algorithm>

#include "board/coords.h"

namespace moraku {

int LeadingNumber(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min<long long>(value * 10 + (text[i].unicode() - u'0'), kMaxRecordNumber);
  }
  return static_cast<int>(negative ? -value : value);
}

RecordTextCut CutRecordText(QStringView text) {
  using Fault = RecordTextCut::Fault;
  RecordTextCut cut;
  const qsizetype bar = text.indexOf(u'|');
  if (bar < 0) {
    cut.fault = Fault::NoCaptionBar;
    return cut;
  }
  const QStringView rest = text.mid(bar + 1);
  const qsizetype bar2 = rest.indexOf(u'|');
  if (bar2 < 0) {
    cut.fault = Fault::NoNumbersBar;
    return cut;
  }
  const QStringView numbers = rest.left(bar2);
  const qsizetype slash = numbers.indexOf(u'/');
  if (slash < 0) {
    cut.fault = Fault::NoSlash;
    return cut;
  }
  cut.caption = text.left(bar);
  cut.first = numbers.left(slash);
  cut.last = numbers.mid(slash + 1);
  cut.moves = rest.mid(bar2 + 1);
  return cut;
}

std::optional<RecordParts> SplitRecordText(QStringView text) {
  if (text.size() < 2) return std::nullopt;
  const RecordTextCut cut = CutRecordText(text);
  if (cut.fault != RecordTextCut::Fault::None) return std::nullopt;
  RecordParts parts;
  parts.caption = cut.caption.toString();
  parts.numberLimit = LeadingNumber(cut.first);
  parts.recordLength = LeadingNumber(cut.last);
  parts.rawMoves = cut.moves.toString();
  parts.moves = RemoveFirstSpaces(parts.rawMoves);
  return parts;
}

BoardPoint RecordMoveAt(QStringView moves, int m) {
  const qsizetype k = 2 * static_cast<qsizetype>(m) - 1;
  return {CoordFromChar(CharAt(moves, k)), CoordFromChar(CharAt(moves, k + 1))};
}

}  // namespace moraku
