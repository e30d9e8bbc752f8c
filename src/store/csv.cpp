// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/csv.h"

#include <QSet>
#include "text/utf8.h"

namespace moraku {

namespace {

int LineOfOffset(QByteArrayView bytes, qsizetype offset) {
  int line = 1;
  for (qsizetype i = 0; i < offset; ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
      ++line;
  }
  return line;
}

// Walks the text one character at a time, keeping the current line number.
class CsvReader {
 public:
  explicit CsvReader(const QString& text) : text_(text) {}

  CsvParse Run() {
    CsvParse result;
    while (pos_ < text_.size()) {
      if (AtLineBreak()) {  // an empty line between records
        SkipLineBreak();
        continue;
      }
      CsvRow row;
      row.line = line_;
      if (!ReadRecord(row.fields, result)) {
        result.rows.clear();
        return result;
      }
      result.rows.push_back(std::move(row));
    }
    if (result.rows.empty()) return Fail(result, 1, QStringLiteral("missing header row"));
    if (!CheckHeader(result)) return result;
    const qsizetype columns = result.rows.front().fields.size();
    for (const CsvRow& row : result.rows) {
      if (row.fields.size() != columns) {
        return Fail(result, row.line,
                    QStringLiteral("%1 fields where the header has %2")
                        .arg(row.fields.size())
                        .arg(columns));
      }
    }
    return result;
  }

 private:
  static CsvParse& Fail(CsvParse& result, int line, const QString& what) {
    result.rows.clear();
    result.error = what;
    result.errorLine = line;
    return result;
  }

  bool AtLineBreak() const { return text_[pos_] == u'\n' || text_[pos_] == u'\r'; }

  void SkipLineBreak() {
    if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ++pos_;
    ++pos_;
    ++line_;
  }

  // Reads one record up to and including its line break (or the end of the text).
  bool ReadRecord(QStringList& fields, CsvParse& result) {
    for (;;) {
      QString field;
      if (pos_ < text_.size() && text_[pos_] == u'"') {
        if (!ReadQuoted(field, result)) return false;
      } else {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_] != u',' && !AtLineBreak()) {
          if (text_[pos_] == u'"') {
            Fail(result, line_, QStringLiteral("quote inside an unquoted field"));
            return false;
          }
          ++pos_;
        }
        field = text_.mid(start, pos_ - start);
      }
      fields.push_back(std::move(field));
      if (pos_ >= text_.size()) return true;
      if (text_[pos_] == u',') {
        ++pos_;
        continue;
      }
      if (AtLineBreak()) {
        SkipLineBreak();
        return true;
      }
      Fail(result, line_, QStringLiteral("text after a closing quote"));
      return false;
    }
  }

  // Reads a quoted field starting at its opening quote; stops after the closing quote.
  bool ReadQuoted(QString& field, CsvParse& result) {
    const int startLine = line_;
    ++pos_;
    for (;;) {
      if (pos_ >= text_.size()) {
        Fail(result, startLine, QStringLiteral("unterminated quoted field"));
        return false;
      }
      const QChar c = text_[pos_];
      if (c == u'"') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
          field += u'"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        return true;
      }
      if (c == u'\n' || (c == u'\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != u'\n')))
        ++line_;
      field += c;
      ++pos_;
    }
  }

  bool CheckHeader(CsvParse& result) {
    const CsvRow& header = result.rows.front();
    QSet<QString> seen;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
      const QString name = header.fields[i].trimmed();
      if (name.isEmpty()) {
        Fail(result, header.line, QStringLiteral("bad header: column %1 has no name").arg(i + 1));
        return false;
      }
      if (seen.contains(name.toLower())) {
        Fail(result, header.line,
             QStringLiteral("bad header: column '%1' appears twice").arg(name));
        return false;
      }
      seen.insert(name.toLower());
    }
    return true;
  }

  const QString& text_;
  qsizetype pos_ = 0;
  int line_ = 1;
};

}  // namespace

CsvParse ParseCsv(QByteArrayView utf8) {
  const bool bom = utf8.startsWith("\xEF\xBB\xBF");
  if (bom) utf8 = utf8.sliced(3);
  const qsizetype bad = InvalidUtf8(utf8).first;
  if (bad >= 0) {
    CsvParse result;
    result.error = QStringLiteral("bytes that are not UTF-8 (byte %1)").arg(bad + (bom ? 3 : 0));
    result.errorLine = LineOfOffset(utf8, bad);
    return result;
  }
  const QString text = QString::fromUtf8(utf8);
  return CsvReader(text).Run();
}

}  // namespace moraku
