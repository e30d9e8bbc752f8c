#include "search/search_scan.h"

#include <QStringView>
#include <utility>

namespace moraku {

namespace {

// Full-width digits one to five, as the messages write the number of dropped stones.
QString FullWidthCount(int droppedStones) {
  static constexpr char16_t kDigits[] = u"０１２３４５";
  const int n = droppedStones < 5 ? droppedStones : 5;
  return QString(QChar(kDigits[n]));
}

// Removes the last stone of a text; a text shorter than one stone keeps its value.
void DropLastStone(QString& text) {
  if (text.size() >= 3) text.chop(3);
}

// Clears slots 1 to 10 of the hit keys (slot 0 is never written).
void ClearHitKeys(HitKeyArray& keys) {
  for (int i = 1; i <= kMaxHitKeys; ++i) keys[i].clear();
}

// After a scan: ChooseHit when there is more than one key, then find the hit's record again.
void ChooseAndLocate(const std::vector<SearchRecord>& records, int h, SearchOutcome& outcome) {
  if (outcome.hitKeys[1].isEmpty()) return;
  if (!outcome.hitKeys[2].isEmpty()) ChooseHit(outcome.hitKeys, h);
  const int place = LocateHit(records, outcome.hitKeys[1]);
  if (place > 0) outcome.located = place;
}

}  // namespace

bool LeftEquals(const QString& stones, qsizetype length, const QString& text) {
  if (stones.isEmpty()) return false;
  QStringView left(stones);
  if (length >= 0 && left.size() > length) left = left.first(length);
  return left == QStringView(text);
}

int ExactScan(const std::vector<SearchRecord>& records, const QString& searchText,
              const QString& mirrorText) {
  for (size_t k = 0; k < records.size(); ++k) {
    const QString& stones = records[k].stones;
    if (stones.isEmpty()) continue;
    if (stones == searchText || stones == mirrorText) return static_cast<int>(k);
  }
  return -1;
}

int PrefixScan(const std::vector<SearchRecord>& records, const QString& searchText,
               const QString& mirrorText, HitKeyArray& keys) {
  const qsizetype length = searchText.size();
  int h = 0;
  for (const SearchRecord& record : records) {
    const bool asEntered = LeftEquals(record.stones, length, searchText);
    if (!asEntered && !LeftEquals(record.stones, length, mirrorText)) continue;
    ++h;
    if (h > kMaxHitKeys) break;
    keys[h] = record.key;
    if (!asEntered) break;  // the first match of the mirror text ends the scan
  }
  return h;
}

void ChooseHit(HitKeyArray& keys, int h) {
  for (int i = 1; i <= h - 1; ++i) {
    for (int j = i - 1; j <= kMaxHitKeys; ++j) {
      if (keys[i].size() < keys[j].size()) std::swap(keys[i], keys[j]);
    }
  }
}

int LocateHit(const std::vector<SearchRecord>& records, const QString& key) {
  for (size_t k = 0; k < records.size(); ++k) {
    if (records[k].key == key) return static_cast<int>(k) + 1;
  }
  return 0;
}

SearchOutcome SearchRecords(const std::vector<SearchRecord>& records, const QString& searchText,
                            const QString& mirrorText) {
  SearchOutcome outcome;
  bool found = false;

  const int exact = ExactScan(records, searchText, mirrorText);
  int h = 0;
  if (exact >= 0) {
    found = true;
    outcome.hitKeys[1] = records[static_cast<size_t>(exact)].key;
  } else {
    h = PrefixScan(records, searchText, mirrorText, outcome.hitKeys);
    found = h > 0;
  }
  ChooseAndLocate(records, h, outcome);
  if (found) {
    outcome.found = true;
    return outcome;
  }

  // Fallback: drop the last stone and scan again while five or more stones remain.
  outcome.fallbackRan = true;
  outcome.fallbackText = searchText;
  outcome.fallbackMirror = mirrorText;
  for (;;) {
    if (outcome.fallbackText.size() < kFallbackMinimumLength) break;
    ++outcome.droppedStones;
    DropLastStone(outcome.fallbackText);
    DropLastStone(outcome.fallbackMirror);
    if (outcome.fallbackText.size() < kFallbackMinimumLength) {
      outcome.found = false;
      break;
    }
    ClearHitKeys(outcome.hitKeys);
    h = PrefixScan(records, outcome.fallbackText, outcome.fallbackMirror, outcome.hitKeys);
    outcome.found = h > 0;
    ChooseAndLocate(records, h, outcome);
    if (outcome.found) break;
  }
  return outcome;
}

QString SearchFailureMessage(int droppedStones) {
  if (droppedStones <= 0) return QStringLiteral("該当するものはありません。");
  if (droppedStones >= 5) {
    return QStringLiteral("検索石を５つ以上減らして検索しま\r\nしたが該当するものはありません。");
  }
  return QStringLiteral("検索石を") + FullWidthCount(droppedStones) +
         QStringLiteral("つ減らして検索しましたが\r\n該当するものはありません。");
}

QString SearchSuccessMessage(int droppedStones) {
  if (droppedStones <= 0) return QStringLiteral("該当あり、検索しました。");
  if (droppedStones >= 5) return QStringLiteral("検索石を５つ以上減らして該当ありました。");
  return QStringLiteral("検索石を") + FullWidthCount(droppedStones) +
         QStringLiteral("つ減らして該当ありました。");
}

QString EmptySearchMessage() {
  return QStringLiteral("検索入力がないので検索できません。");
}

QString ShortSearchMessage() {
  return QStringLiteral("手順が少な過ぎます。加えてください。");
}

bool IsWholeStoneText(const QString& searchText) {
  return searchText.size() % 3 == 0;
}

}  // namespace moraku
