// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/gocs_table.h"

#include <sqlite3.h>

#include <QHash>

namespace moraku {

namespace {

// Reads a decimal integer with an optional sign and nothing else (no spaces).
bool ParseId(const QString& text, std::int64_t* value) {
  if (text.isEmpty()) return false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (!(c.isDigit() && c.unicode() < 0x80) && !(i == 0 && (c == u'-' || c == u'+'))) {
      return false;
    }
  }
  bool ok = false;
  *value = text.toLongLong(&ok);
  return ok;
}

}  // namespace

GocsRows GocsFromCsv(const CsvParse& csv) {
  GocsRows result;
  if (!csv.ok()) {
    result.error = csv.error;
    result.errorLine = csv.errorLine;
    return result;
  }
  const CsvRow& header = csv.rows.front();
  auto fail = [&result](int line, const QString& what) {
    result.rows.clear();
    result.error = what;
    result.errorLine = line;
    return result;
  };
  if (header.fields.size() != kGocsColumnCount) {
    return fail(header.line, QStringLiteral("bad header: %1 columns, the table gocs has %2")
                                 .arg(header.fields.size())
                                 .arg(kGocsColumnCount));
  }
  qsizetype oneAt = -1;
  qsizetype fiveAt = -1;
  std::vector<qsizetype> others;
  for (qsizetype i = 0; i < header.fields.size(); ++i) {
    const QString name = header.fields[i].trimmed().toLower();
    if (name == u"one") {
      oneAt = i;
    } else if (name == u"five") {
      fiveAt = i;
    } else {
      others.push_back(i);
    }
  }
  if (oneAt < 0 || fiveAt < 0) {
    return fail(header.line, QStringLiteral("bad header: no column named '%1'")
                                 .arg(oneAt < 0 ? QStringLiteral("one") : QStringLiteral("five")));
  }

  QHash<std::int64_t, int> idLines;
  result.rows.reserve(csv.rows.size() - 1);
  for (std::size_t r = 1; r < csv.rows.size(); ++r) {
    const CsvRow& row = csv.rows[r];
    const QStringList& f = row.fields;
    if (f.size() != kGocsColumnCount) {
      return fail(
          row.line,
          QStringLiteral("%1 fields where the header has %2").arg(f.size()).arg(kGocsColumnCount));
    }
    for (qsizetype i = 0; i < f.size(); ++i) {
      // SQLite would keep it, but every reader of the text would end it there.
      if (f[i].contains(QChar(u'\0'))) {
        return fail(row.line, QStringLiteral("field %1 holds a NUL character").arg(i + 1));
      }
    }
    GocsRecord rec;
    rec.line = row.line;
    const QString& idText = f[others[0]];
    if (!ParseId(idText, &rec.id)) {
      return fail(row.line, QStringLiteral("id '%1' is not an integer").arg(idText));
    }
    if (const auto seen = idLines.constFind(rec.id); seen != idLines.constEnd()) {
      return fail(row.line,
                  QStringLiteral("id %1 is already used on line %2").arg(rec.id).arg(*seen));
    }
    idLines.insert(rec.id, row.line);
    rec.one = f[oneAt];
    rec.marks = f[others[1]];
    rec.preset = f[others[2]];
    rec.title = f[others[3]];
    rec.ref = f[others[4]];
    rec.comment = f[others[5]];
    rec.stones = f[others[6]];
    rec.record = f[others[7]];
    rec.five = f[fiveAt];
    result.rows.push_back(std::move(rec));
  }
  return result;
}

bool CreateGocsTable(sql::Database& db, QString* error) {
  if (db.Exec(kCreateGocsTable) != SQLITE_OK) {
    *error = QStringLiteral("cannot create the table gocs: %1").arg(db.ErrorText());
    return false;
  }
  return CreateGocsIndexes(db, error);
}

bool CreateGocsIndexes(sql::Database& db, QString* error) {
  // Each index holds a section query's sort key followed by every column its filter reads, so
  // SQLite answers the section's filter and order from the index alone.
  if (db.Exec("CREATE INDEX gocs_by_code ON gocs (five, one);"
              "CREATE INDEX gocs_by_code_tail ON gocs (substr(five, 2), five, one)") != SQLITE_OK) {
    *error = QStringLiteral("cannot create the indexes of gocs: %1").arg(db.ErrorText());
    return false;
  }
  return true;
}

bool InsertGocs(sql::Database& db, const std::vector<GocsRecord>& rows, int* failedLine,
                QString* error) {
  sql::Statement insert;
  if (insert.Prepare(db,
                     "INSERT INTO gocs (id, one, marks, preset, title, ref, comment, stones, "
                     "record, five) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)") !=
      SQLITE_OK) {
    *failedLine = 0;
    *error = QStringLiteral("cannot write the table gocs: %1").arg(db.ErrorText());
    return false;
  }
  for (const GocsRecord& r : rows) {
    insert.Reset();
    insert.BindInt64(1, r.id);
    const QString* texts[] = {&r.one,     &r.marks,  &r.preset, &r.title, &r.ref,
                              &r.comment, &r.stones, &r.record, &r.five};
    int index = 2;
    for (const QString* t : texts) insert.BindText(index++, *t);
    if (insert.Step() != sql::StepResult::Done) {
      *failedLine = r.line;
      *error = QStringLiteral("cannot insert id %1: %2").arg(r.id).arg(db.ErrorText());
      return false;
    }
  }
  return true;
}

}  // namespace moraku
