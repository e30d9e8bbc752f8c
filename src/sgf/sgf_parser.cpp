// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgf/sgf_parser.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>

#include "text/charset_decoder.h"
#include "text/charset_detection.h"
#include "text/utf8.h"

namespace moraku::sgf {

namespace {

using Byte = unsigned char;

bool IsSpace(Byte c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsUpper(Byte c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLower(Byte c) {
  return c >= 'a' && c <= 'z';
}

// Whether `c` opens a two-byte character under `scheme`.
bool IsLead(ByteScheme scheme, Byte c) {
  switch (scheme) {
    case ByteScheme::Single:
      return false;
    case ByteScheme::ShiftJis:
      return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case ByteScheme::DoubleByte:
      return c >= 0x81 && c <= 0xFE;
  }
  return false;
}

// Byte i of `bytes`, as an unsigned value.
Byte At(QByteArrayView bytes, qsizetype i) {
  return static_cast<Byte>(bytes[i]);
}

// Whether a character set named so cannot be split byte by byte: its ASCII characters are not
// single bytes of the same value (UTF-16, UTF-32, UCS-2, UCS-4) or it escapes into ASCII (UTF-7).
bool IsUnsplittable(const QByteArray& name) {
  const QByteArray n = name.toUpper();
  for (const char* k :
       {"UTF-16", "UTF16", "UTF-32", "UTF32", "UCS-2", "UCS2", "UCS-4", "UCS4", "UTF-7", "UTF7"}) {
    if (n.contains(k)) return true;
  }
  return false;
}

// The scanning scheme of a character set, judged by its names.
ByteScheme SchemeOfName(const QByteArray& given, const QByteArray& canonical) {
  const QByteArray names = (given + ' ' + canonical).toLower();
  for (const char* k : {"shift", "sjis", "932", "31j", "kanji"}) {
    if (names.contains(k)) return ByteScheme::ShiftJis;
  }
  for (const char* k : {"gbk", "gb2312", "gb18030", "936", "big5", "950", "949", "uhc"}) {
    if (names.contains(k)) return ByteScheme::DoubleByte;
  }
  return ByteScheme::Single;
}

}  // namespace

void PositionCursor::Locate(QByteArrayView bytes, qsizetype offset, int* line, int* column) {
  if (offset < offset_) *this = PositionCursor();  // only an earlier position starts over
  const qsizetype end = std::min(offset, bytes.size());
  for (qsizetype i = offset_; i < end; ++i) {
    const Byte b = At(bytes, i);
    if (b == '\n' || (b == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
      ++line_;
      column_ = 1;
    } else if (b != '\r' && (b < 0x80 || b > 0xBF)) {
      ++column_;
    }
  }
  offset_ = std::max(offset_, end);
  *line = line_;
  *column = column_;
}

namespace {

// Turns the white space of decoded text into spaces: tabs and the like always, line breaks too
// when `simple` (CR LF counts as one line break).
QString SpacedOut(QString text, bool simple) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\t' || c == u'\v' || c == u'\f') {
      out.append(u' ');
    } else if (simple && (c == u'\r' || c == u'\n')) {
      const QChar pair = c == u'\r' ? u'\n' : u'\r';
      if (i + 1 < text.size() && text[i + 1] == pair) ++i;
      out.append(u' ');
    } else {
      out.append(c);
    }
  }
  return out;
}

// The recursive-descent grammar of SGF, run with explicit stacks.
class Parser {
 public:
  Parser(QByteArrayView bytes, Collection& out) : bytes_(bytes), out_(out) {}

  // Parses the game tree whose "(" is at `start` as tree number `tree`, its values scanned by
  // `scheme`. On success sets `end` past its ")"; on failure sets errorOffset and errorText.
  bool ParseTree(qsizetype start, int tree, ByteScheme scheme, qsizetype* end);

  // The raw first value of the root's CA property of the tree at `start`, if the root has one.
  // Reads the root node only, as ASCII.
  std::optional<Value> RootCharsetValue(qsizetype start) const;

  qsizetype errorOffset = 0;
  QString errorText;
  qsizetype truncatedAt = -1;  // after a tree that the file's end cut off: where it opened

 private:
  bool Fail(qsizetype offset, const QString& text) {
    errorOffset = offset;
    errorText = text;
    return false;
  }
  qsizetype SkipSpace(qsizetype p) const {
    while (p < bytes_.size() && IsSpace(At(bytes_, p))) ++p;
    return p;
  }
  // Reads the identifier starting at `p` (a letter); returns the offset after it.
  qsizetype ReadName(qsizetype p, std::string* name) const {
    name->clear();
    while (p < bytes_.size() && (IsUpper(At(bytes_, p)) || IsLower(At(bytes_, p)))) {
      if (IsUpper(At(bytes_, p))) name->push_back(static_cast<char>(bytes_[p]));
      ++p;
    }
    return p;
  }
  // The offset of the "]" closing the value that begins at `p`, or -1 at the end of the file.
  qsizetype ValueEnd(qsizetype p, ByteScheme scheme) const {
    const qsizetype n = bytes_.size();
    while (p < n) {
      Byte c = At(bytes_, p);
      if (c == ']') return p;
      if (c == '\\') {
        if (++p >= n) break;
        c = At(bytes_, p);
      }
      p += (IsLead(scheme, c) && p + 1 < n) ? 2 : 1;
    }
    return -1;
  }
  QString Described(Byte c) const {
    if (c >= 0x20 && c < 0x7F) return QStringLiteral("'%1'").arg(QChar(c));
    return QStringLiteral("byte 0x%1").arg(c, 2, 16, QChar(u'0'));
  }

  QByteArrayView bytes_;
  Collection& out_;
  std::vector<int> lastChild_;  // per node: its last child so far, -1 for none
};

std::optional<Value> Parser::RootCharsetValue(qsizetype start) const {
  qsizetype p = SkipSpace(start + 1);
  if (p >= bytes_.size() || bytes_[p] != ';') return std::nullopt;
  p = SkipSpace(p + 1);
  std::string name;
  while (p < bytes_.size() && (IsUpper(At(bytes_, p)) || IsLower(At(bytes_, p)))) {
    p = SkipSpace(ReadName(p, &name));
    bool first = true;
    while (p < bytes_.size() && bytes_[p] == '[') {
      const qsizetype end = ValueEnd(p + 1, ByteScheme::Single);
      if (end < 0) return std::nullopt;
      if (name == "CA" && first) return Value{p + 1, end - p - 1};
      first = false;
      p = SkipSpace(end + 1);
    }
  }
  return std::nullopt;
}

bool Parser::ParseTree(qsizetype start, int tree, ByteScheme scheme, qsizetype* end) {
  truncatedAt = -1;
  struct Open {
    int parent;        // the node the variation hangs from (-1 for the game tree itself)
    qsizetype offset;  // where its "(" is
  };
  std::vector<Open> open{{-1, start}};
  int current = -1;             // the last node of the sequence being read
  bool needNode = true;         // just after "(": a ";" must come next
  bool afterVariation = false;  // a variation of this sequence has closed: only "(" or ")" now
  std::string name;
  const qsizetype n = bytes_.size();
  qsizetype p = start + 1;
  lastChild_.resize(out_.nodes.size());  // entries of nodes forgotten by an earlier try go
  while (true) {
    p = SkipSpace(p);
    if (p >= n) {
      // A truncated file: what is complete is kept, as other readers do.
      truncatedAt = open.front().offset;
      *end = n;
      return true;
    }
    const Byte c = At(bytes_, p);
    if (c == '(') {
      if (needNode) return Fail(p, QStringLiteral("expected ';' to begin a node, found '('"));
      open.push_back({current, p});
      needNode = true;
      afterVariation = false;
      ++p;
    } else if (c == ')') {
      if (needNode) return Fail(p, QStringLiteral("expected ';' to begin a node, found ')'"));
      current = open.back().parent;
      open.pop_back();
      afterVariation = true;
      ++p;
      if (open.empty()) {
        *end = p;
        return true;
      }
    } else if (c == ';') {
      if (afterVariation) return Fail(p, QStringLiteral("a node cannot follow a variation"));
      const int node = static_cast<int>(out_.nodes.size());
      Node added;
      added.parent = current;
      added.firstProperty = static_cast<int>(out_.properties.size());
      added.tree = tree;
      added.offset = p;
      out_.nodes.push_back(added);
      lastChild_.resize(out_.nodes.size(), -1);
      if (current >= 0) {
        if (lastChild_[current] < 0) {
          out_.nodes[current].firstChild = node;
        } else {
          out_.nodes[lastChild_[current]].nextSibling = node;
        }
        lastChild_[current] = node;
      }
      current = node;
      needNode = false;
      ++p;
    } else if (IsUpper(c) || IsLower(c)) {
      if (needNode) return Fail(p, QStringLiteral("expected ';' to begin a node"));
      if (afterVariation) return Fail(p, QStringLiteral("a property cannot follow a variation"));
      const qsizetype nameAt = p;
      p = SkipSpace(ReadName(p, &name));
      if (p >= n || bytes_[p] != '[') {
        return Fail(nameAt,
                    QStringLiteral("property %1 has no value")
                        .arg(QString::fromLatin1(bytes_.sliced(nameAt, p - nameAt)).trimmed()));
      }
      Property property;
      property.name = name;
      property.firstValue = static_cast<int>(out_.values.size());
      while (p < n && bytes_[p] == '[') {
        const qsizetype close = ValueEnd(p + 1, scheme);
        if (close < 0) return Fail(p, QStringLiteral("the value opened here has no ']'"));
        out_.values.push_back({p + 1, close - p - 1});
        ++property.valueCount;
        p = SkipSpace(close + 1);
      }
      out_.properties.push_back(std::move(property));
      ++out_.nodes[current].propertyCount;
    } else {
      return Fail(p, QStringLiteral("unexpected %1").arg(Described(c)));
    }
  }
}

}  // namespace

Charset CharsetFromName(QByteArrayView name, bool* known) {
  *known = true;
  const QByteArray given = name.toByteArray().trimmed();
  Charset charset;
  if (given.isEmpty()) return charset;
  QStringDecoder decoder(given.constData());
  if (decoder.isValid()) {
    QByteArray canonical = decoder.name();
    // Files labelled GB2312 often hold GBK characters; GB18030 reads both.
    if (canonical.compare("GB2312", Qt::CaseInsensitive) == 0) canonical = "GB18030";
    charset.name = canonical;
    charset.scheme = SchemeOfName(given, canonical);
    return charset;
  }
  if (IconvKnows(given.constData())) {
    charset.name = given;
    charset.scheme = SchemeOfName(given, given);
    return charset;
  }
  *known = false;
  return charset;
}

QString DecodeBytes(QByteArrayView bytes, const Charset& charset) {
  if (charset.name == "UTF-8") return QString::fromUtf8(bytes);
  if (charset.name == "ISO-8859-1") return QString::fromLatin1(bytes);
  QStringDecoder decoder(charset.name.constData(), QStringDecoder::Flag::Stateless);
  if (decoder.isValid()) {
    QString text = decoder.decode(bytes);
    // ICU marks a sequence it cannot map with SUB; no text of a game record holds a real one.
    text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    return text;
  }
  if (std::optional<QString> text = DecodeWithIconv(bytes, charset.name.constData())) return *text;
  return QString::fromUtf8(bytes);
}

const Property* Collection::Find(int node, std::string_view name) const {
  const Node& n = nodes[node];
  for (int i = 0; i < n.propertyCount; ++i) {
    const Property& p = properties[n.firstProperty + i];
    if (p.name == name) return &p;
  }
  return nullptr;
}

QByteArrayView Collection::Raw(const Value& value) const {
  return QByteArrayView(source).sliced(value.offset, value.size);
}

QByteArray Collection::Unescaped(int node, const Value& value) const {
  const ByteScheme scheme = trees[nodes[node].tree].charset.scheme;
  const QByteArrayView raw = Raw(value);
  if (!raw.contains('\\')) return raw.toByteArray();  // the usual case: nothing to resolve
  QByteArray out;
  out.reserve(raw.size());
  const qsizetype n = raw.size();
  for (qsizetype i = 0; i < n;) {
    Byte c = At(raw, i);
    if (c == '\\') {
      if (++i >= n) break;
      c = At(raw, i);
      if (c == '\n' || c == '\r') {  // a soft line break: the break goes with the backslash
        const Byte pair = c == '\n' ? '\r' : '\n';
        ++i;
        if (i < n && At(raw, i) == pair) ++i;
        continue;
      }
    }
    out.push_back(static_cast<char>(c));
    if (IsLead(scheme, c) && i + 1 < n) out.push_back(raw[++i]);
    ++i;
  }
  return out;
}

QString Collection::Text(int node, const Value& value) const {
  return SpacedOut(DecodeBytes(Unescaped(node, value), trees[nodes[node].tree].charset), false);
}

QString Collection::SimpleText(int node, const Value& value) const {
  return SpacedOut(DecodeBytes(Unescaped(node, value), trees[nodes[node].tree].charset), true);
}

bool Collection::SplitCompose(int node, const Value& value, Value* first, Value* second) const {
  const ByteScheme scheme = trees[nodes[node].tree].charset.scheme;
  const QByteArrayView raw = Raw(value);
  for (qsizetype i = 0; i < raw.size();) {
    const Byte c = At(raw, i);
    if (c == ':') {
      *first = {value.offset, i};
      *second = {value.offset + i + 1, value.size - i - 1};
      return true;
    }
    if (c == '\\') {
      i += 2;
      continue;
    }
    i += IsLead(scheme, c) ? 2 : 1;
  }
  return false;
}

void Collection::Position(qsizetype offset, int* line, int* column) const {
  cursor_.Locate(source, offset, line, column);
}

ParseResult Parse(QByteArray bytes) {
  ParseResult result;
  Collection& c = result.collection;
  c.source = std::move(bytes);
  const QByteArrayView view(c.source);
  Parser parser(view, c);

  auto warn = [&](qsizetype offset, const QString& text) {
    int line = 0;
    int column = 0;
    c.cursor_.Locate(view, offset, &line, &column);
    result.warnings << QStringLiteral("%1:%2: %3").arg(line).arg(column).arg(text);
  };
  auto fail = [&](qsizetype offset, const QString& text) {
    c.cursor_.Locate(view, offset, &result.line, &result.column);
    result.error = text;
    c = Collection();
    return std::move(result);
  };

  if (view.startsWith("\xFF\xFE") || view.startsWith("\xFE\xFF")) {
    return fail(0, QStringLiteral("the file is UTF-16; save it as UTF-8 to read it"));
  }
  // The character set of the trees without CA, decided once for the whole file: UTF-8 when the
  // bytes are valid UTF-8, otherwise what uchardet recognises, otherwise ISO-8859-1 (the SGF
  // default).
  std::optional<Charset> unnamed;
  auto unnamedCharset = [&](qsizetype start) {
    if (unnamed) return *unnamed;
    if (InvalidUtf8(view).second == 0) {
      unnamed = Charset{"UTF-8", ByteScheme::Single};
      result.charsets << QStringLiteral("UTF-8");
      return *unnamed;
    }
    const QByteArray detected = DetectCharset(view);
    bool known = false;
    const Charset guess = detected.isEmpty() || detected == "ASCII" || detected == "UTF-8"
                              ? Charset{}
                              : CharsetFromName(detected, &known);
    if (known && !IsUnsplittable(guess.name)) {
      unnamed = guess;
      warn(start, QStringLiteral("no CA and not UTF-8: detected as %1")
                      .arg(QString::fromLatin1(guess.name)));
      result.charsets << QString::fromLatin1(guess.name) + QStringLiteral(" (detected)");
    } else {
      unnamed = Charset{"ISO-8859-1", ByteScheme::Single};
      warn(start, QStringLiteral("no CA and not UTF-8: read as ISO-8859-1, the SGF default"));
      result.charsets << QStringLiteral("ISO-8859-1 (default)");
    }
    return *unnamed;
  };

  qsizetype p = 0;
  while ((p = view.indexOf('(', p)) >= 0) {
    const qsizetype start = p;
    const int tree = static_cast<int>(c.trees.size());
    GameTree game;
    game.root = static_cast<int>(c.nodes.size());
    const std::optional<Value> named = parser.RootCharsetValue(start);
    if (named) {
      const QByteArray name = view.sliced(named->offset, named->size).toByteArray().trimmed();
      if (IsUnsplittable(name)) {
        return fail(named->offset,
                    QStringLiteral("character set \"%1\" cannot be read: SGF is split byte by "
                                   "byte, so save the file as UTF-8")
                        .arg(QString::fromLatin1(name)));
      }
      bool known = true;
      game.charset = CharsetFromName(name, &known);
      if (!known) {
        warn(named->offset, QStringLiteral("unknown character set \"%1\", read as UTF-8")
                                .arg(QString::fromLatin1(name)));
      }
      const QString used = QString::fromLatin1(game.charset.name) + QStringLiteral(" (CA)");
      if (!result.charsets.contains(used)) result.charsets << used;
    } else {
      game.charset = unnamedCharset(start);
    }
    qsizetype end = 0;
    if (!parser.ParseTree(start, tree, game.charset.scheme, &end)) {
      return fail(parser.errorOffset, parser.errorText);
    }
    if (named && game.charset.name == "UTF-8") {
      const auto [first, count] = InvalidUtf8(view.sliced(start, end - start));
      if (count > 0) {
        warn(start + first, QStringLiteral("CA[UTF-8] but %1 bytes are not UTF-8 (the first "
                                           "here); they read as U+FFFD")
                                .arg(count));
      }
    }
    if (parser.truncatedAt >= 0) {
      warn(parser.truncatedAt, QStringLiteral("the file ends before this game tree is closed: "
                                              "read as far as it goes"));
    }
    // A tree cut off before its first node (a lone "(" at the end of the file) holds nothing
    // to read and would leave a root that is no node.
    if (game.root < static_cast<int>(c.nodes.size())) c.trees.push_back(game);
    p = end;
  }
  if (c.trees.empty()) return fail(view.size(), QStringLiteral("no game tree found"));
  return result;
}

}  // namespace moraku::sgf
