// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/entry_checker.h"

#include <sqlite3.h>

#include <QSet>
#include <algorithm>
#include <optional>

#include "board/capture_grid.h"
#include "board/coords.h"
#include "data/sections.h"
#include "data/sqlite_db.h"
#include "joseki/record_text.h"

namespace moraku {

namespace {

QString Quoted(QStringView text) {
  return u'"' + text.toString() + u'"';
}

// The sections' code characters as a list for messages: '0', '1', '2'.
QString SectionCodes() {
  QStringList codes;
  for (const Section& s : AllSections()) codes << u'\'' + QChar(s.code) + u'\'';
  return codes.join(QStringLiteral(", "));
}

// A decimal number of at most nine digits and nothing else.
std::optional<int> PlainNumber(QStringView text) {
  if (text.isEmpty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
  }
  return value;
}

void CheckStones(const GocsRow& e, QStringList& problems) {
  const QString& s = e.stones;
  if (s.isEmpty()) {
    problems << QStringLiteral("stones: empty");
    return;
  }
  if (s.size() % 3 != 0) {
    problems << QStringLiteral("stones: %1 characters are not whole triples").arg(s.size());
  }
  // Every entry of a section starts on its opening point; an entry with a code of no section
  // has no opening point to check (its code is reported).
  const Section* section = e.five.isEmpty() ? nullptr : SectionOfCode(e.five[0]);
  if (section != nullptr && !s.startsWith(OpeningTriple(*section))) {
    problems << QStringLiteral("stones: the first triple is not the black %1-%2 stone %3")
                    .arg(section->openingRow)
                    .arg(section->openingCol)
                    .arg(Quoted(OpeningTriple(*section)));
  }
  CaptureGrid grid;
  const qsizetype triples = s.size() / 3;
  for (qsizetype k = 0; k < triples; ++k) {
    const QStringView t = QStringView(s).mid(3 * k, 3);
    const QString where = QStringLiteral("stones: triple %1 %2").arg(k + 1).arg(Quoted(t));
    if (t == u"???") continue;
    if (t[0] == u'?' || t[1] == u'?') {
      problems << where + QStringLiteral(": a tenuki is written \"???\"");
      continue;
    }
    const int row = WrittenCoordFromChar(t[0]);
    const int col = WrittenCoordFromChar(t[1]);
    if (row == 0 || col == 0) {
      problems << where + QStringLiteral(": not a point");
      continue;
    }
    const bool black = k % 2 == 0;
    if (t[2] != (black ? u'2' : u'1')) {
      problems << where + (black ? QStringLiteral(": colour code should be \"2\" (black)")
                                 : QStringLiteral(": colour code should be \"1\" (white)"));
    }
    if (grid.At(row, col) != 0) {
      problems << where + QStringLiteral(": plays on an occupied point");
      continue;
    }
    const StoneColor colour = black ? StoneColor::Black : StoneColor::White;
    grid.Place({row, col}, colour);
    grid.Capture({row, col}, colour, {});
  }
}

void CheckPreset(const GocsRow& e, QStringList& problems) {
  if (e.preset.size() != 1) {
    problems << QStringLiteral("preset: %1 is not one coordinate character").arg(Quoted(e.preset));
    return;
  }
  const int n = WrittenCoordFromChar(e.preset[0]);
  if (n == 0) {
    problems
        << QStringLiteral("preset: %1 is not a coordinate character 1..19").arg(Quoted(e.preset));
    return;
  }
  if (3 * n > e.stones.size()) {
    problems << QStringLiteral("preset: %1 preset stones but the stone string holds %2 triples")
                    .arg(n)
                    .arg(e.stones.size() / 3);
  }
  if (n % 2 == 0) {
    problems << QStringLiteral(
                    "preset: %1 preset stones end with White, so the joseki would start with "
                    "Black")
                    .arg(n);
  }
}

void CheckMarks(const GocsRow& e, QStringList& problems) {
  const QString& m = e.marks;
  if (m.size() % 3 != 0) {
    problems << QStringLiteral("marks: %1 characters are not whole triples").arg(m.size());
  }
  for (qsizetype k = 0; k < m.size() / 3; ++k) {
    const QStringView t = QStringView(m).mid(3 * k, 3);
    const QString where = QStringLiteral("marks: triple %1 %2").arg(k + 1).arg(Quoted(t));
    if (WrittenCoordFromChar(t[0]) == 0 || WrittenCoordFromChar(t[1]) == 0) {
      problems << where + QStringLiteral(": not a point");
    }
    if (!QStringView(u"abcde12").contains(t[2])) {
      problems << where + QStringLiteral(": unknown marker code");
    }
  }
}

void CheckRecord(const GocsRow& e, QStringList& problems) {
  const QStringView text(e.record);
  if (text.size() < 2) return;  // no record
  const RecordTextCut cut = CutRecordText(text);
  switch (cut.fault) {
    case RecordTextCut::Fault::None:
      break;
    case RecordTextCut::Fault::NoCaptionBar:
      problems << QStringLiteral("record: no \"|\" after the caption");
      return;
    case RecordTextCut::Fault::NoNumbersBar:
      problems << QStringLiteral("record: no \"|\" after the numbers");
      return;
    case RecordTextCut::Fault::NoSlash:
      problems << QStringLiteral("record: no \"/\" between the two numbers");
      return;
  }
  const std::optional<int> first = PlainNumber(cut.first);
  const std::optional<int> last = PlainNumber(cut.last);
  if (!first) {
    problems << QStringLiteral("record: first number %1 is not a number").arg(Quoted(cut.first));
  }
  if (!last) {
    problems << QStringLiteral("record: last number %1 is not a number").arg(Quoted(cut.last));
  }
  const QString moves = RemoveFirstSpaces(cut.moves.toString());
  if (moves.size() % 2 != 0) {
    problems << QStringLiteral("record: the moves have an odd number of characters");
  }
  const int count = static_cast<int>(moves.size() / 2);
  if (first && last) {
    if (*first < 1) problems << QStringLiteral("record: first number %1 is below 1").arg(*first);
    if (*first > *last) {
      problems
          << QStringLiteral("record: first number %1 is after the last %2").arg(*first).arg(*last);
    }
    if (*last > count) {
      problems
          << QStringLiteral("record: last number %1 is beyond its %2 moves").arg(*last).arg(count);
    }
  }
  CaptureGrid grid;
  for (int m = 1; m <= count; ++m) {
    const QStringView pair = QStringView(moves).mid(2 * (m - 1), 2);
    const QString where = QStringLiteral("record: move %1 %2").arg(m).arg(Quoted(pair));
    const int row = WrittenCoordFromChar(pair[0]);
    const int col = WrittenCoordFromChar(pair[1]);
    if (row == 0 || col == 0) {
      problems << where + QStringLiteral(": not a point");
      continue;
    }
    if (grid.At(row, col) != 0) {
      problems << where + QStringLiteral(": plays on an occupied point");
      continue;
    }
    grid.Place({row, col}, ColorOfNumber(m));
    grid.Capture({row, col}, ColorOfNumber(m), {});
  }
}

}  // namespace

QStringList CheckEntry(const GocsRow& entry) {
  QStringList problems;
  CheckStones(entry, problems);
  CheckPreset(entry, problems);
  CheckMarks(entry, problems);
  CheckRecord(entry, problems);
  if (entry.five.isEmpty() || SectionOfCode(entry.five[0]) == nullptr) {
    problems << QStringLiteral("code %1 does not start with a section character (%2)")
                    .arg(Quoted(entry.five), SectionCodes());
  }
  if (entry.one != u"0") {
    problems << QStringLiteral("one is %1, not \"0\"").arg(Quoted(entry.one));
  }
  return problems;
}

int ReportEntryProblems(const GocsRow& entry, QSet<QString>& seenIds,
                        const std::function<void(const QString&)>& line) {
  QStringList problems = CheckEntry(entry);
  if (seenIds.contains(entry.id)) problems << QStringLiteral("id is used by an earlier entry");
  seenIds.insert(entry.id);
  if (problems.isEmpty()) return 0;
  QString name = entry.id.left(kReportedTitleLength) + u' ';
  name += entry.title.size() > kReportedTitleLength
              ? entry.title.left(kReportedTitleLength) + QStringLiteral("…")
              : entry.title;
  const int shown = std::min<int>(static_cast<int>(problems.size()), kProblemsPerEntry);
  for (int i = 0; i < shown; ++i) {
    // A problem quotes its field, which may be long.
    const QString& problem = problems[i];
    line(name + QStringLiteral(": ") +
         (problem.size() > kReportedProblemLength
              ? problem.left(kReportedProblemLength) + QStringLiteral("…")
              : problem));
  }
  if (problems.size() > shown) {
    line(name + QStringLiteral(": and %1 more problems").arg(problems.size() - shown));
  }
  return static_cast<int>(problems.size());
}

QStringList CheckEntries(const std::vector<GocsRow>& entries) {
  QStringList lines;
  QSet<QString> seen;
  for (const GocsRow& e : entries) {
    ReportEntryProblems(e, seen, [&lines](const QString& line) { lines << line; });
  }
  return lines;
}

bool ForEachGocsRow(const QString& path, const std::function<void(const GocsRow&)>& visit,
                    QString* error, std::chrono::milliseconds budget) {
  sql::Database db;
  if (db.OpenUntrusted(path, budget) != SQLITE_OK) {
    *error = path + QStringLiteral(": ") + db.ErrorText();
    return false;
  }
  sql::Statement statement;
  if (statement.Prepare(db, "SELECT *, one, five FROM gocs") != SQLITE_OK) {
    *error = path + QStringLiteral(": ") + db.ErrorText();
    return false;
  }
  constexpr int kByPosition = 9;  // positions 0..8, then all columns again, then one and five
  const int columns = statement.ColumnCount();
  if (columns - 2 < kByPosition) {
    *error = path + QStringLiteral(": table gocs has %1 columns, %2 expected")
                        .arg(columns - 2)
                        .arg(kByPosition);
    return false;
  }
  for (;;) {
    const sql::StepResult step = statement.Step();
    if (step == sql::StepResult::Done) return true;
    if (step == sql::StepResult::Error) {
      *error = path + QStringLiteral(": ") +
               (db.TimedOut() ? QStringLiteral("reading took too long; stopped") : db.ErrorText());
      return false;
    }
    GocsRow e;
    QString* fields[kByPosition] = {&e.id,  &e.one,     &e.marks,  &e.preset, &e.title,
                                    &e.ref, &e.comment, &e.stones, &e.record};
    for (int i = 0; i < kByPosition; ++i) {
      if (i != 1) *fields[i] = statement.ColumnText(i);
    }
    e.one = statement.ColumnText(columns - 2);
    e.five = statement.ColumnText(columns - 1);
    visit(e);
  }
}

bool ReadGocsRows(const QString& path, std::vector<GocsRow>* entries, QString* error) {
  entries->clear();
  const bool ok = ForEachGocsRow(
      path, [entries](const GocsRow& e) { entries->push_back(e); }, error);
  if (!ok) entries->clear();
  return ok;
}

}  // namespace moraku
