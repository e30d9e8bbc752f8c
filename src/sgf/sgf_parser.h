// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading SGF game records (FF[1] to FF[4]) into a syntax tree: game trees, nodes, properties
// and their raw values. The parser knows nothing about Go beyond the syntax; the importer gives
// the properties their meaning. It works without recursion, so a main line of any length and
// variations nested to any depth cannot exhaust the stack.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace moraku::sgf {

// How the bytes of a character set group into characters, as far as the parser needs it: in
// the double-byte sets a lead byte takes the next byte with it, and that byte may look like "]"
// or "\" without being one.
enum class ByteScheme {
  Single,     // every byte below 0x80 is ASCII (UTF-8, ISO-8859-x, EUC-JP, EUC-KR, ...)
  ShiftJis,   // lead bytes 0x81-0x9F and 0xE0-0xFC (Shift_JIS, CP932)
  DoubleByte  // lead bytes 0x81-0xFE (GBK, GB18030, Big5, CP949)
};

// The character set of one game tree.
struct Charset {
  QByteArray name = "UTF-8";  // the decoder's name ("UTF-8", "Shift_JIS", "ISO-8859-1", ...)
  ByteScheme scheme = ByteScheme::Single;
};

// The character set named `name` (a CA value: any spelling Qt or the C library's iconv knows).
// Sets `known` to false, and returns UTF-8, for a name neither knows.
Charset CharsetFromName(QByteArrayView name, bool* known);

// `bytes` decoded in `charset`; bytes that are not valid in it become U+FFFD. Never fails.
QString DecodeBytes(QByteArrayView bytes, const Charset& charset);

// One property value: the raw bytes between "[" and "]" in the source, escapes still in place.
struct Value {
  qsizetype offset = 0;  // byte offset of the first byte after "["
  qsizetype size = 0;
};

// One property: its identifier (capital letters only; lower-case letters of old FF[1]-FF[3]
// names such as "PlayerBlack" are dropped, giving "PB") and its values, values[first] onward.
struct Property {
  std::string name;
  int firstValue = 0;
  int valueCount = 0;
};

// One node. Children are linked in the order they appear in the file.
struct Node {
  int parent = -1;  // -1 for the root of a game tree
  int firstChild = -1;
  int nextSibling = -1;
  int firstProperty = 0;  // properties[firstProperty] onward
  int propertyCount = 0;
  int tree = 0;          // index of its game tree in Collection::trees
  qsizetype offset = 0;  // byte offset of its ";"
};

// One game tree of the file: its root node and its character set (from the root's CA).
struct GameTree {
  int root = 0;
  Charset charset;
};

// Finds the line and column of byte offsets of one text, in linear time over a run of
// increasing offsets: each call goes on from where the previous one stopped (an earlier offset
// starts over from the beginning).
class PositionCursor {
 public:
  // The 1-based line and column of byte `offset` of `bytes` (columns count characters of UTF-8,
  // bytes of other sets; CR LF, LF and a lone CR each end a line).
  void Locate(QByteArrayView bytes, qsizetype offset, int* line, int* column);

 private:
  qsizetype offset_ = 0;
  int line_ = 1;
  int column_ = 1;
};

struct ParseResult;

// All game trees of one file. Nodes are stored in document order (a parent before its children).
class Collection {
 public:
  QByteArray source;  // the file's bytes, which the values point into
  std::vector<Node> nodes;
  std::vector<Property> properties;
  std::vector<Value> values;
  std::vector<GameTree> trees;

  // The first property of `node` named `name`, or nullptr.
  const Property* Find(int node, std::string_view name) const;

  // The byte offset of the ";" that begins `node`.
  qsizetype NodeOffset(int node) const { return nodes[node].offset; }

  // The raw bytes of a value, escapes in place.
  QByteArrayView Raw(const Value& value) const;

  // A value of type Text of a node: escapes resolved ("\" keeps the next character), a soft
  // line break (backslash before a line break) removed, other white space than line breaks made
  // a space, decoded in the node's character set. Line breaks are kept as written.
  QString Text(int node, const Value& value) const;

  // A value of type SimpleText: as Text, and line breaks also become spaces.
  QString SimpleText(int node, const Value& value) const;

  // Splits a compose value ("aa:text") at its first ":" that is not escaped. Returns false,
  // leaving the outputs alone, when there is none.
  bool SplitCompose(int node, const Value& value, Value* first, Value* second) const;

  // The 1-based line and column of byte `offset` (PositionCursor::Locate); in linear time over
  // calls in increasing order of offset.
  void Position(qsizetype offset, int* line, int* column) const;

 private:
  friend ParseResult Parse(QByteArray bytes);
  mutable PositionCursor cursor_;
  QByteArray Unescaped(int node, const Value& value) const;
};

// The outcome of parsing one file.
struct ParseResult {
  Collection collection;  // the game trees; empty when error is set
  QString error;          // empty on success; otherwise what is wrong (English)
  int line = 0;           // 1-based position of the fault
  int column = 0;
  QStringList warnings;  // things read in a guessed way ("line:column: text"), in file order
  QStringList charsets;  // the character sets used, each once ("UTF-8 (CA)", "GB18030 (detected)")

  bool ok() const { return error.isEmpty(); }
};

// Parses `bytes` as an SGF collection: one or more game trees "(" ";" ... ")" with variations,
// properties of one or more "[...]" values ("\" escapes the next character), white space
// anywhere between the tokens. Bytes before, between and after the game trees are skipped. The
// file is split on its bytes; only text values are decoded, later, in their tree's character
// set: the CA of its root; without CA, for the whole file once, UTF-8 when the bytes are valid
// UTF-8, else what uchardet recognises, else ISO-8859-1 (each guess a warning). In a double-byte
// set (Shift_JIS, Big5, GBK, ...) the splitter skips the trail byte of each character, which may
// equal "]" or "\". A tree that the file's end cuts off between tokens is kept as far as it goes,
// with a warning; invalid bytes under CA[UTF-8] are a warning. Fails, with line and column, on
// a UTF-16/UTF-32/UTF-7 file or CA, an unclosed value, a node expected but something else
// found, a node after a variation, a property without a value, any other unexpected character,
// or a file without a game tree. Linear in the size of the file. Never throws.
ParseResult Parse(QByteArray bytes);

}  // namespace moraku::sgf
