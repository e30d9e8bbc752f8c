// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search over a section's records as plain functions: the exact scan, the prefix scan,
// ChooseHit, locating the hit again by its key, and the fallback that drops stones from the end.
// Nothing here touches a window; the window's procedures copy the outcome into its state.

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

#include "data/entry_table.h"

namespace moraku {

// HitKeys: slots 0 to 10; slot 0 is never written by a scan, an empty slot holds no key.
using HitKeyArray = std::array<QString, 11>;

// The most keys a prefix scan stores (slots 1 to 10).
inline constexpr int kMaxHitKeys = 10;

// The fallback keeps dropping stones while at least this many characters (five stones) remain.
inline constexpr int kFallbackMinimumLength = 15;

// The section's records compared once with a search text and its mirror text: for each record
// the length of its stone string and how many leading characters it shares with each text. Every
// scan of one search reads only this table (and the keys), so a search walks the stored stone
// strings once however many stones the fallback drops.
class SearchIndex {
 public:
  // Keeps a reference to `records`, which must outlive the index.
  SearchIndex(const std::vector<SearchRecord>& records, const QString& text, const QString& mirror);

  const std::vector<SearchRecord>& Records() const { return records_; }
  qsizetype TextLength() const { return text_length_; }
  qsizetype MirrorLength() const { return mirror_length_; }

  // True when the stone string of record k equals the whole text (the whole mirror text).
  bool EqualsText(size_t k) const;
  bool EqualsMirror(size_t k) const;

  // True when the first `length` characters of record k equal the first `length` characters of
  // the text, `length` at most TextLength(). A stone string shorter than `length` never does.
  bool BeginsWithText(size_t k, qsizetype length) const;

  // True when the first `length` characters of record k equal the first `mirrorLength`
  // characters of the mirror text: a stone string shorter than `length` is compared whole.
  // Assumes mirrorLength <= MirrorLength().
  bool BeginsWithMirror(size_t k, qsizetype length, qsizetype mirrorLength) const;

 private:
  struct Compared {
    qint32 size;        // length of the stone string
    qint32 withText;    // leading characters shared with the text
    qint32 withMirror;  // leading characters shared with the mirror text
  };

  const std::vector<SearchRecord>& records_;
  qsizetype text_length_;
  qsizetype mirror_length_;
  std::vector<Compared> compared_;
};

// Exact scan: the index of the first record whose stone string equals the whole text, or else
// the whole mirror text; -1 when no record does. A record without stones matches nothing.
int ExactScan(const SearchIndex& index);

// Prefix scan with the first `length` characters of the text and the first `mirrorLength` of
// the mirror text: stores in keys[1..10], in record order, the keys of the records that begin
// with the text; the first record that begins with the mirror text instead is stored too and
// ends the scan; an eleventh match ends the scan unstored. Slots it does not reach keep their
// contents. Returns h, the matches counted (0 to 11).
int PrefixScan(const SearchIndex& index, qsizetype length, qsizetype mirrorLength,
               HitKeyArray& keys);

// Reorders keys exactly as its two loops say: for i = 1 to h - 1, for j = i - 1 to 10, swap
// slots i and j when the key in slot i is shorter than the key in slot j. Slot 1 then names the
// hit. Assumes h <= 11.
void ChooseHit(HitKeyArray& keys, int h);

// The 1-based place of the first record whose key equals `key`, or 0 when none does.
int LocateHit(const std::vector<SearchRecord>& records, const QString& key);

// What one whole search leaves behind.
struct SearchOutcome {
  HitKeyArray hitKeys;    // slot 0 empty; slots 1..10 as the last scan left them
  int droppedStones = 0;  // DroppedStones
  bool found = false;     // FallbackFound: a scan found at least one entry
  int located = 0;        // 1-based place of the hit (CurrentEntry = located + 1); 0 none
  bool fallbackRan = false;
  QString fallbackText;    // FallbackText: empty unless the fallback ran
  QString fallbackMirror;  // FallbackMirror: meaningful only when the fallback ran
};

// The whole search for a non-empty search text and its mirror text: the exact scan, then the
// prefix scan, ChooseHit and the location of the hit, then, when nothing was found, the fallback
// that drops the last stone and scans again while at least five stones remain. The drop that
// leaves fewer than five stones is counted but not scanned.
SearchOutcome SearchRecords(const std::vector<SearchRecord>& records, const QString& searchText,
                            const QString& mirrorText);

// The message shown when the search found nothing after dropping `droppedStones` stones.
QString SearchFailureMessage(int droppedStones);

// The message shown with the hit, after dropping `droppedStones` stones.
QString SearchSuccessMessage(int droppedStones);

// The message for an empty search text.
QString EmptySearchMessage();

// The message for a search text too short to search.
QString ShortSearchMessage();

// The shortest text searched: one stone. A longer text that is not made of whole stones (the
// hidden text also receives an entry's record text) is searched as it is and ends in the usual
// failure or fallback messages.
inline constexpr int kMinimumSearchLength = 3;

// True when the search text holds less than one whole stone.
bool IsTooShortToSearch(const QString& searchText);

}  // namespace moraku
