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

std::optional<RecordParts> SplitRecordText(QStringView text) {
  if (text.size() < 2) return std::nullopt;
  const qsizetype bar = text.indexOf(u'|');
  if (bar < 0) return std::nullopt;
  const QStringView rest = text.mid(bar + 1);
  const qsizetype bar2 = rest.indexOf(u'|');
  if (bar2 < 0) return std::nullopt;
  const QStringView numbers = rest.left(bar2);
  const qsizetype slash = numbers.indexOf(u'/');
  if (slash < 0) return std::nullopt;
  RecordParts parts;
  parts.caption = text.left(bar).toString();
  parts.numberLimit = LeadingNumber(numbers.left(slash));
  parts.recordLength = LeadingNumber(numbers.mid(slash + 1));
  parts.rawMoves = rest.mid(bar2 + 1).toString();
  parts.moves = RemoveFirstSpaces(parts.rawMoves);
  return parts;
}

BoardPoint RecordMoveAt(QStringView moves, int m) {
  const qsizetype k = 2 * static_cast<qsizetype>(m) - 1;
  return {CoordFromChar(CharAt(moves, k)), CoordFromChar(CharAt(moves, k + 1))};
}

}  // namespace moraku
