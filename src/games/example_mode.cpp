// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/example_mode.h"

#include <sqlite3.h>

#include <utility>

#include "joseki/entry_display.h"
#include "joseki/playback.h"
#include "joseki/record_text.h"

namespace moraku::games {

ExampleMode::ExampleMode(QString databasePath, std::chrono::milliseconds budget)
    : path_(std::move(databasePath)), budget_(budget) {}

ExampleMode::~ExampleMode() = default;

bool ExampleMode::Open() {
  if (opened_) {
    if (hasGames_) db_->RenewBudget(budget_);
    return hasGames_;
  }
  opened_ = true;
  db_ = std::make_unique<sql::Database>();
  hasGames_ = db_->OpenUntrusted(path_, budget_) == SQLITE_OK && HasGameTables(*db_);
  return hasGames_;
}

bool ExampleMode::LookUpEntry(const JosekiSession& session) {
  const JosekiState& s = session.state;
  index_ = 0;
  hasEntryGames_ = false;
  fetched_ = false;
  hits_.clear();
  next_.clear();
  entry_ = s.CurrentEntry;
  if (entry_ < 1 || entry_ > s.Entries.Count() || !Open()) return false;
  const Entry& entry = s.Entries.entries[static_cast<std::size_t>(entry_)];
  pattern_ = PatternOfEntry(entry.preset + entry.moves, entry.presetCount);
  hasEntryGames_ = !FindCorners(*db_, pattern_.key, 1).empty();
  return hasEntryGames_;
}

void ExampleMode::Show(JosekiSession& session, int k) {
  JosekiState& s = session.state;
  if (!hasEntryGames_ || s.CurrentEntry != entry_ || !Open()) return;
  if (!fetched_) {
    hits_ = FindEntryGames(*db_, pattern_);
    fetched_ = true;
  }
  if (hits_.empty()) return;
  const int n = Count();
  k = ((k - 1) % n + n) % n + 1;
  // A game that cannot be read (removed meanwhile, damaged) is passed over.
  GameMatch match;
  for (int tries = 1;
       !DescribeMatch(*db_, hits_[static_cast<std::size_t>(k) - 1], pattern_, &match); ++tries) {
    if (tries == n) return;
    k = k % n + 1;
  }
  const QString text = MatchRecordText(match, k, n);
  const std::optional<RecordParts> parts = SplitRecordText(text);
  if (!parts) return;
  if (!Active()) {
    entryRecord_ = s.RecordText;
    const Entry& entry = s.Entries.entries[static_cast<std::size_t>(entry_)];
    next_ = FindNextMoves(*db_, entry.preset + entry.moves, s.Entries, entryKeys_);
    // The joseki board again, with the next moves in place of the entry's own marks.
    const QString ownMarks = std::exchange(s.Marks, NextMoveMarks(next_));
    ShowEntry(session);
    s.Marks = ownMarks;
  }
  index_ = k;
  s.RecordText = text;
  s.NumberLimit = parts->numberLimit;
  s.RecordLength = parts->recordLength;
  s.RawRecordMoves = parts->rawMoves;
  s.RecordMoves = parts->moves;
  session.ui.SetRecordCaption(parts->caption);
  session.ui.SetRecordEndMarkVisible(false);  // from stepping past the end of the last game
  session.ui.SetRecordButtonsEnabled(true);
  ShowRecordToLastNumberedMove(session);
}

std::vector<NextMove> ExampleMode::NextMovesAfter(QStringView stones, const EntryTable& table) {
  if (stones.isEmpty() || !Open()) return {};
  return FindNextMoves(*db_, stones, table, entryKeys_);
}

void ExampleMode::Drop(JosekiSession& session) {
  if (!Active()) return;
  index_ = 0;
  session.state.RecordText = entryRecord_;
  // The caption the entry's record had; an entry without one keeps the blank caption that
  // choosing it gave.
  const std::optional<RecordParts> own = SplitRecordText(entryRecord_);
  session.ui.SetRecordCaption(own ? own->caption : QStringLiteral(" "));
}

void ExampleMode::Leave(JosekiSession& session) {
  if (!Active()) return;
  Drop(session);
  session.ui.SetRecordEndMarkVisible(false);
  ShowEntry(session);
}

}  // namespace moraku::games
