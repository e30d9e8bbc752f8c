// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_scan.h"

#include <QStringView>
#include <algorithm>
#include <utility>

namespace moraku {

namespace {

// Full-width digits one to five, as the messages write the number of dropped stones.
QString FullWidthCount(int droppedStones) {
  static constexpr char16_t kDigits[] = u"０１２３４５";
  const int n = droppedStones < 5 ? droppedStones : 5;
  return QString(QChar(kDigits[n]));
}

// Leading characters that a and b share.
qint32 SharedPrefix(QStringView a, QStringView b) {
  const qsizetype n = std::min(a.size(), b.size());
  qsizetype i = 0;
  while (i < n && a[i] == b[i]) ++i;
  return static_cast<qint32>(i);
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

SearchIndex::SearchIndex(const std::vector<SearchRecord>& records, const QString& text,
                         const QString& mirror)
    : records_(records), text_length_(text.size()), mirror_length_(mirror.size()) {
  // The stone strings lie apart on the heap: ask for a few records ahead while comparing one,
  // so that a large section is not walked at the speed of memory latency.
  constexpr size_t kAhead = 8;
  compared_.reserve(records.size());
  for (size_t k = 0; k < records.size(); ++k) {
    if (k + kAhead < records.size()) __builtin_prefetch(records[k + kAhead].stones.constData());
    const QString& stones = records[k].stones;
    compared_.push_back({static_cast<qint32>(stones.size()), SharedPrefix(stones, text),
                         SharedPrefix(stones, mirror)});
  }
}

bool SearchIndex::EqualsText(size_t k) const {
  const Compared& c = compared_[k];
  return c.size > 0 && c.size == text_length_ && c.withText == c.size;
}

bool SearchIndex::EqualsMirror(size_t k) const {
  const Compared& c = compared_[k];
  return c.size > 0 && c.size == mirror_length_ && c.withMirror == c.size;
}

bool SearchIndex::BeginsWithText(size_t k, qsizetype length) const {
  const Compared& c = compared_[k];
  // Both sides are `length` long only when the stone string reaches that far.
  return c.size > 0 && c.withText >= length;
}

bool SearchIndex::BeginsWithMirror(size_t k, qsizetype length, qsizetype mirrorLength) const {
  const Compared& c = compared_[k];
  if (c.size == 0 || c.withMirror < mirrorLength) return false;
  // The left part of the stone string is min(size, length) long; it must be as long as the
  // mirror text taken.
  return std::min<qsizetype>(c.size, length) == mirrorLength;
}

int ExactScan(const SearchIndex& index) {
  const size_t count = index.Records().size();
  for (size_t k = 0; k < count; ++k) {
    if (index.EqualsText(k) || index.EqualsMirror(k)) return static_cast<int>(k);
  }
  return -1;
}

int PrefixScan(const SearchIndex& index, qsizetype length, qsizetype mirrorLength,
               HitKeyArray& keys) {
  const std::vector<SearchRecord>& records = index.Records();
  int h = 0;
  for (size_t k = 0; k < records.size(); ++k) {
    const bool asEntered = index.BeginsWithText(k, length);
    if (!asEntered && !index.BeginsWithMirror(k, length, mirrorLength)) continue;
    ++h;
    if (h > kMaxHitKeys) break;
    keys[h] = records[k].key;
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
  const SearchIndex index(records, searchText, mirrorText);
  bool found = false;

  const int exact = ExactScan(index);
  int h = 0;
  if (exact >= 0) {
    found = true;
    outcome.hitKeys[1] = records[static_cast<size_t>(exact)].key;
  } else {
    h = PrefixScan(index, searchText.size(), mirrorText.size(), outcome.hitKeys);
    found = h > 0;
  }
  ChooseAndLocate(records, h, outcome);
  if (found) {
    outcome.found = true;
    return outcome;
  }

  // Fallback: drop the last stone and scan again while five or more stones remain. Both texts
  // lose their last three characters; a mirror text shorter than that keeps its value.
  outcome.fallbackRan = true;
  qsizetype textLength = searchText.size();
  qsizetype mirrorLength = mirrorText.size();
  for (;;) {
    if (textLength < kFallbackMinimumLength) break;
    ++outcome.droppedStones;
    textLength -= 3;
    if (mirrorLength >= 3) mirrorLength -= 3;
    if (textLength < kFallbackMinimumLength) {
      outcome.found = false;
      break;
    }
    ClearHitKeys(outcome.hitKeys);
    h = PrefixScan(index, textLength, mirrorLength, outcome.hitKeys);
    outcome.found = h > 0;
    ChooseAndLocate(records, h, outcome);
    if (outcome.found) break;
  }
  outcome.fallbackText = searchText.left(textLength);
  outcome.fallbackMirror = mirrorText.left(mirrorLength);
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

bool IsTooShortToSearch(const QString& searchText) {
  return searchText.size() < kMinimumSearchLength;
}

}  // namespace moraku
