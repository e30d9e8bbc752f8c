// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading comma-separated values (RFC 4180) in UTF-8.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace moraku {

// One record of a CSV text and the 1-based line on which it begins.
struct CsvRow {
  QStringList fields;
  int line = 0;
};

// The records of a CSV text, the header first, or the first fault found.
struct CsvParse {
  std::vector<CsvRow> rows;  // rows[0] is the header; empty when error is set
  QString error;             // empty on success; otherwise what is wrong (English)
  int errorLine = 0;         // 1-based line of the fault

  bool ok() const { return error.isEmpty(); }
};

// Parses `utf8` as RFC 4180 CSV: fields separated by commas, records by CR LF, LF or a lone CR;
// a field in double quotes may hold commas, line breaks (kept as written) and "" for one quote.
// A UTF-8 byte-order mark at the start is skipped; empty lines between records are skipped.
// The first record is the header: it must exist and its names must be non-empty and distinct.
// Fails, with the line, on bytes that are not UTF-8, an unterminated quote, a quote inside an
// unquoted field, text after a closing quote, a record whose field count differs from the
// header's, or a bad header. Never throws.
CsvParse ParseCsv(QByteArrayView utf8);

}  // namespace moraku
