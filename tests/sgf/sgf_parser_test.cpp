#include "sgf/sgf_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace moraku::sgf {
namespace {

// The texts of every value of the first property `name` found on `node`.
QStringList Texts(const Collection& c, int node, const char* name) {
  QStringList out;
  const Property* p = c.Find(node, name);
  if (p == nullptr) return out;
  for (int i = 0; i < p->valueCount; ++i) out << c.Text(node, c.values[p->firstValue + i]);
  return out;
}

QString FirstText(const Collection& c, int node, const char* name) {
  const QStringList texts = Texts(c, node, name);
  return texts.isEmpty() ? QStringLiteral("<none>") : texts.first();
}

// The children of `node` in order.
std::vector<int> Children(const Collection& c, int node) {
  std::vector<int> out;
  for (int k = c.nodes[node].firstChild; k >= 0; k = c.nodes[k].nextSibling) out.push_back(k);
  return out;
}

TEST(SgfParserText, EscapesSoftBreaksAndWhiteSpace) {
  const ParseResult r = Parse(
      "(;C[a\\]b\\\\c\\:d]"              // escaped ], \ and an escaped ordinary character
      "GC[soft\\\nbreak and\\\r\ncrlf]"  // backslash before LF and before CR LF: both removed
      "PC[tab\there\nkept]"              // a tab becomes a space, a hard line break stays
      "N[one\r\ntwo\nthree])");
  ASSERT_TRUE(r.ok()) << r.error.toStdString();
  const Collection& c = r.collection;
  EXPECT_EQ(FirstText(c, 0, "C"), QStringLiteral("a]b\\c:d"));
  EXPECT_EQ(FirstText(c, 0, "GC"), QStringLiteral("softbreak andcrlf"));
  EXPECT_EQ(FirstText(c, 0, "PC"), QStringLiteral("tab here\nkept"));
  const Property* n = c.Find(0, "N");
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(c.SimpleText(0, c.values[n->firstValue]), QStringLiteral("one two three"));
}

TEST(SgfParserText, ComposeValuesSplitAtTheFirstUnescapedColon) {
  const ParseResult r = Parse("(;LB[aa:A][bb:x\\:y][cc])");
  ASSERT_TRUE(r.ok());
  const Collection& c = r.collection;
  const Property* lb = c.Find(0, "LB");
  ASSERT_NE(lb, nullptr);
  ASSERT_EQ(lb->valueCount, 3);
  Value point;
  Value text;
  ASSERT_TRUE(c.SplitCompose(0, c.values[lb->firstValue], &point, &text));
  EXPECT_EQ(c.Raw(point), "aa");
  EXPECT_EQ(c.SimpleText(0, text), QStringLiteral("A"));
  ASSERT_TRUE(c.SplitCompose(0, c.values[lb->firstValue + 1], &point, &text));
  EXPECT_EQ(c.Raw(point), "bb");
  EXPECT_EQ(c.SimpleText(0, text), QStringLiteral("x:y"));
  EXPECT_FALSE(c.SplitCompose(0, c.values[lb->firstValue + 2], &point, &text));
}

TEST(SgfParserStructure, TreesVariationsAndMultipleValues) {
  const ParseResult r = Parse(
      "header text is skipped\n"
      "(;GM[1]AB[aa][bb] [cc]\n"
      "  ;B[dd]\n"
      "  (;W[pp];B[qq])\n"
      "  (;W[dp]))\n"
      "(;GM[1]C[second])\n");
  ASSERT_TRUE(r.ok()) << r.error.toStdString();
  const Collection& c = r.collection;
  ASSERT_EQ(c.trees.size(), 2u);
  const int root = c.trees[0].root;
  EXPECT_EQ(Texts(c, root, "AB"), (QStringList{"aa", "bb", "cc"}));
  const std::vector<int> first = Children(c, root);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(FirstText(c, first[0], "B"), QStringLiteral("dd"));
  const std::vector<int> branches = Children(c, first[0]);
  ASSERT_EQ(branches.size(), 2u);
  EXPECT_EQ(FirstText(c, branches[0], "W"), QStringLiteral("pp"));
  EXPECT_EQ(FirstText(c, branches[1], "W"), QStringLiteral("dp"));
  const std::vector<int> tail = Children(c, branches[0]);
  ASSERT_EQ(tail.size(), 1u);
  EXPECT_EQ(FirstText(c, tail[0], "B"), QStringLiteral("qq"));
  EXPECT_EQ(c.nodes[tail[0]].parent, branches[0]);
  EXPECT_TRUE(Children(c, branches[1]).empty());

  const int second = c.trees[1].root;
  EXPECT_EQ(c.nodes[second].parent, -1);
  EXPECT_EQ(c.nodes[second].tree, 1);
  EXPECT_EQ(FirstText(c, second, "C"), QStringLiteral("second"));
}

TEST(SgfParserStructure, OldNamesLoseTheirLowerCaseLettersAndSpaceIsAllowedAnywhere) {
  const ParseResult r = Parse(
      "( \n ;\tFileFormat [3] PlayerBlack[Sato]\n Comment\r\n[x]  ; Black\n[dd] ( ;W[pp] ) )");
  ASSERT_TRUE(r.ok()) << r.error.toStdString();
  const Collection& c = r.collection;
  EXPECT_EQ(FirstText(c, 0, "FF"), QStringLiteral("3"));
  EXPECT_EQ(FirstText(c, 0, "PB"), QStringLiteral("Sato"));
  EXPECT_EQ(FirstText(c, 0, "C"), QStringLiteral("x"));
  const std::vector<int> next = Children(c, 0);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(FirstText(c, next[0], "B"), QStringLiteral("dd"));
  ASSERT_EQ(Children(c, next[0]).size(), 1u);
}

TEST(SgfParserCharset, ShiftJisTrailBytesThatLookLikeBackslashAreNotEscapes) {
  // 十 is 8F 5C and ソ is 83 5C in Shift_JIS: their second byte is "\", even right before "]".
  const QByteArray bytes = "(;CA[SHIFT_JIS]C[\x8f\x5c\x83\x5c]N[\x8c\xe9])";
  const ParseResult r = Parse(bytes);
  ASSERT_TRUE(r.ok()) << r.error.toStdString();
  EXPECT_EQ(r.collection.trees[0].charset.scheme, ByteScheme::ShiftJis);
  EXPECT_EQ(FirstText(r.collection, 0, "C"), QStringLiteral("十ソ"));
  EXPECT_EQ(FirstText(r.collection, 0, "N"), QStringLiteral("碁"));
  EXPECT_TRUE(r.warnings.isEmpty());
}

TEST(SgfParserCharset, NamedSetsDecodeAndMissingOrUnknownOnesAreGuessedWithAWarning) {
  const ParseResult latin = Parse("(;CA[ISO-8859-1]C[caf\xe9])");
  ASSERT_TRUE(latin.ok());
  EXPECT_EQ(FirstText(latin.collection, 0, "C"), QStringLiteral("café"));

  const ParseResult utf8 = Parse("(;C[定石])");
  ASSERT_TRUE(utf8.ok());
  EXPECT_EQ(FirstText(utf8.collection, 0, "C"), QStringLiteral("定石"));
  EXPECT_TRUE(utf8.warnings.isEmpty());

  // No CA, not UTF-8 but valid Shift_JIS (with a trail byte "\"): read as Shift_JIS.
  const ParseResult guessed = Parse("(;C[\x92\xe8\x90\xce\x8f\x5c])");
  ASSERT_TRUE(guessed.ok()) << guessed.error.toStdString();
  EXPECT_EQ(FirstText(guessed.collection, 0, "C"), QStringLiteral("定石十"));
  ASSERT_EQ(guessed.warnings.size(), 1);
  EXPECT_TRUE(guessed.warnings[0].contains("Shift_JIS"));

  const ParseResult unknown = Parse("(;CA[no-such-set]C[ok])");
  ASSERT_TRUE(unknown.ok());
  EXPECT_EQ(FirstText(unknown.collection, 0, "C"), QStringLiteral("ok"));
  ASSERT_EQ(unknown.warnings.size(), 1);
  EXPECT_TRUE(unknown.warnings[0].startsWith("1:6:")) << unknown.warnings[0].toStdString();

  // Each tree has its own set.
  const ParseResult two = Parse("(;CA[UTF-8]C[é])(;CA[latin1]C[\xe9])");
  ASSERT_TRUE(two.ok());
  EXPECT_EQ(FirstText(two.collection, two.collection.trees[1].root, "C"), QStringLiteral("é"));
  EXPECT_EQ(FirstText(two.collection, 0, "C"), QStringLiteral("é"));
}

struct SyntaxCase {
  const char* text;
  int line;
  int column;
  const char* message;
};

TEST(SgfParserErrors, ReportLineAndColumn) {
  const SyntaxCase cases[] = {
      {"(;B[dd]\n;W[pp", 2, 3, "no ']'"},
      {"(;B[dd]\n(;W[aa]);B[cc])", 2, 9, "node cannot follow a variation"},
      {"(;B[dd](;W[aa])\nC[x])", 2, 1, "property cannot follow a variation"},
      {"(;B[dd]\n  C )", 2, 3, "property C has no value"},
      {"(B[dd])", 1, 2, "expected ';'"},
      {"(;B[dd]()", 1, 9, "expected ';'"},
      {"(;B[dd]\n  # )", 2, 3, "unexpected '#'"},
      {"(;C[日本語]\n;B[dd]", 2, 7, "ends inside the game tree opened at 1:1"},
      {"no tree at all", 1, 15, "no game tree"},
  };
  for (const SyntaxCase& k : cases) {
    const ParseResult r = Parse(k.text);
    ASSERT_FALSE(r.ok()) << k.text;
    EXPECT_EQ(r.line, k.line) << k.text;
    EXPECT_EQ(r.column, k.column) << k.text;
    EXPECT_TRUE(r.error.contains(QString::fromUtf8(k.message)))
        << k.text << " -> " << r.error.toStdString();
    EXPECT_TRUE(r.collection.nodes.empty());
  }
}

TEST(SgfParserErrors, ColumnsCountCharactersNotBytes) {
  const ParseResult r = Parse("(;C[日本]#)");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.line, 1);
  EXPECT_EQ(r.column, 8);
}

TEST(SgfParserSize, VeryLongLinesAndDeepVariationsDoNotUseTheStack) {
  constexpr int kMoves = 100000;
  QByteArray line = "(;GM[1]";
  for (int i = 0; i < kMoves; ++i) line += i % 2 ? ";W[aa]" : ";B[bb]";
  line += ")";
  const ParseResult flat = Parse(line);
  ASSERT_TRUE(flat.ok());
  EXPECT_EQ(flat.collection.nodes.size(), static_cast<std::size_t>(kMoves + 1));

  constexpr int kDepth = 50000;
  QByteArray nested = "(;GM[1]";
  for (int i = 0; i < kDepth; ++i) nested += "(;B[aa]";
  for (int i = 0; i <= kDepth; ++i) nested += ")";
  const ParseResult deep = Parse(nested);
  ASSERT_TRUE(deep.ok()) << deep.error.toStdString();
  EXPECT_EQ(deep.collection.nodes.size(), static_cast<std::size_t>(kDepth + 1));
  EXPECT_EQ(deep.collection.nodes.back().parent, kDepth - 1);
}

}  // namespace
}  // namespace moraku::sgf
