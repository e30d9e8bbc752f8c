#include "games/example_mode.h"

#include <sqlite3.h>

#include <utility>

#include "joseki/entry_display.h"
#include "joseki/playback.h"
#include "joseki/record_text.h"

namespace moraku::games {

namespace {
constexpr int kBusyTimeoutMs = 1000;
}

ExampleMode::ExampleMode(QString databasePath) : path_(std::move(databasePath)) {}

ExampleMode::~ExampleMode() = default;

bool ExampleMode::Open() {
  if (opened_) return hasGames_;
  opened_ = true;
  db_ = std::make_unique<sql::Database>();
  if (db_->Open(path_, SQLITE_OPEN_READONLY) != SQLITE_OK) return false;
  db_->Exec("PRAGMA trusted_schema = OFF");
  db_->SetBusyTimeout(kBusyTimeoutMs);
  hasGames_ = HasGameTables(*db_);
  return hasGames_;
}

int ExampleMode::LookUpEntry(const JosekiSession& session) {
  const JosekiState& s = session.state;
  index_ = 0;
  shownRecord_.clear();
  hits_.clear();
  entry_ = s.CurrentEntry;
  if (entry_ < 1 || entry_ > s.Entries.Count() || !Open()) return 0;
  const Entry& entry = s.Entries.entries[static_cast<std::size_t>(entry_)];
  pattern_ = PatternOfEntry(entry.preset + entry.moves, entry.presetCount);
  hits_ = FindEntryGames(*db_, pattern_);
  return Count();
}

void ExampleMode::Show(JosekiSession& session, int k) {
  JosekiState& s = session.state;
  if (hits_.empty() || s.CurrentEntry != entry_) return;
  const int n = Count();
  k = ((k - 1) % n + n) % n + 1;
  GameMatch match;
  if (!DescribeMatch(*db_, hits_[static_cast<std::size_t>(k) - 1], pattern_, &match)) return;
  const QString text = MatchRecordText(match, k, n);
  const std::optional<RecordParts> parts = SplitRecordText(text);
  if (!parts) return;
  if (!Active()) entryRecord_ = s.RecordText;
  index_ = k;
  shownRecord_ = text;
  s.RecordText = text;
  s.NumberLimit = parts->numberLimit;
  s.RecordLength = parts->recordLength;
  s.RawRecordMoves = parts->rawMoves;
  s.RecordMoves = parts->moves;
  session.ui.SetRecordCaption(parts->caption);
  session.ui.SetRecordButtonsEnabled(true);
  ShowRecordToLastNumberedMove(session);
}

void ExampleMode::Leave(JosekiSession& session) {
  if (!Active()) return;
  index_ = 0;
  shownRecord_.clear();
  session.state.RecordText = entryRecord_;
  session.ui.SetRecordCaption(QStringLiteral(" "));
  ParseRecord(session);
}

}  // namespace moraku::games
