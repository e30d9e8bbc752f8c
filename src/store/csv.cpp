// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/csv.h"

#include <QSet>

namespace moraku {

namespace {

// Offset of the first byte of `bytes` that does not belong to a valid UTF-8 sequence (no overlong
// forms, no surrogates, nothing above U+10FFFF), or -1 when all of it is valid.
qsizetype FirstInvalidUtf8(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  while (i < n) {
    const unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    } else {
      return i;
    }
    if (i + length > n) return i;
    if (p[i + 1] < low || p[i + 1] > high) return i;
    for (int k = 2; k < length; ++k) {
      if (p[i + k] < 0x80 || p[i + k] > 0xBF) return i;
    }
    i += length;
  }
  return -1;
}

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
  const qsizetype bad = FirstInvalidUtf8(utf8);
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
