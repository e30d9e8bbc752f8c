#pragma once
// The search over a section's records as plain functions: the exact scan, the prefix scan,
// ChooseHit, locating the hit again by its key, and the fallback that drops stones from the end.
// Nothing here touches a window; the window's procedures copy the outcome into its state.

#include <QString>
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

// True when the first `length` characters of `stones` equal `text`; a stone string shorter than
// `length` is compared whole. An empty stone string (a record without stones) matches nothing.
bool LeftEquals(const QString& stones, qsizetype length, const QString& text);

// Exact scan: the index of the first record whose stone string equals `searchText`, or else
// equals `mirrorText`; -1 when no record does.
int ExactScan(const std::vector<SearchRecord>& records, const QString& searchText,
              const QString& mirrorText);

// Prefix scan with L = length of `searchText`: stores in keys[1..10], in record order, the keys
// of the records whose first L characters equal `searchText`; the first record whose first L
// characters equal `mirrorText` instead is stored too and ends the scan; an eleventh match ends
// the scan unstored. Slots it does not reach keep their contents. Returns h, the matches
// counted (0 to 11).
int PrefixScan(const std::vector<SearchRecord>& records, const QString& searchText,
               const QString& mirrorText, HitKeyArray& keys);

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

// The message for a search text that is not made of whole stones (three characters each).
QString ShortSearchMessage();

// True when the search text is long enough to search: whole stones only.
bool IsWholeStoneText(const QString& searchText);

}  // namespace moraku
