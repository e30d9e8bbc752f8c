// SPDX-License-Identifier: GPL-3.0-or-later
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

TEST(SgfParserStructure, ATreeCutOffBeforeItsFirstNodeIsNotATree) {
  const ParseResult tail = Parse("(;B[dd])\n(");
  ASSERT_TRUE(tail.ok()) << tail.error.toStdString();
  ASSERT_EQ(tail.collection.trees.size(), 1u);
  EXPECT_EQ(FirstText(tail.collection, tail.collection.trees[0].root, "B"), QStringLiteral("dd"));
  EXPECT_FALSE(Parse("\x02(").ok());
  EXPECT_FALSE(Parse("()").ok());
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

// The file is split on its bytes before anything is decoded: whatever the character set, the
// four moves after a comment ending in a non-ASCII character all arrive.
TEST(SgfParserCharset, EveryCharsetKeepsTheMovesAfterItsText) {
  struct Case {
    QByteArray text;
    const char* charset;  // in ParseResult::charsets
    QString comment;      // the comment as decoded, empty when not checked
  };
  const QByteArray sjis = "SJIS";
  const Case cases[] = {
      // Latin-1 without CA: "joué" right before "]" (uchardet knows it; else the default).
      {"(;C[Le blanc a jou\xe9];B[dd];W[fc];B[cf];W[cc])", "ISO-8859-1 (detected)",
       QStringLiteral("Le blanc a joué")},
      // Shift_JIS without CA, detected; 十 (8F 5C) ends the comment: its trail byte is "\".
      {"(;C[SJIS];B[dd];W[fc];B[cf];W[cc])", "Shift_JIS (detected)", QString()},
      // GB2312 without CA, detected.
      {"(;C[GB];B[dd];W[fc];B[cf];W[cc])", "GB18030 (detected)",
       QStringLiteral("白棋在角上活棋，黑棋取得外势，双方均可满意。")},
      // Big5 named: 許 is B3 5C.
      {"(;CA[Big5]C[\xb3\x5c];B[dd];W[fc];B[cf];W[cc])", "Big5 (CA)", QStringLiteral("許")},
      {"(;CA[UTF-8]C[定石];B[dd];W[fc];B[cf];W[cc])", "UTF-8 (CA)", QStringLiteral("定石")},
  };
  for (Case c : cases) {
    c.text.replace(
        "SJIS",
        "\x94\x92\x82\xcd\x8b\xf7\x82\xc5\x90\xb6\x82\xab\x81\x41\x8d\x95\x82\xcd\x8a\x4f\x91\xa4"
        "\x82\xf0\x8c\xc5\x82\xdf\x82\xc4\x8c\xfa\x82\xdd\x82\xf0\x92\x7a\x82\xad\x81\x42\x8f\x5c"
        "\x95\xaa\x82\xc8\x95\xaa\x82\xa9\x82\xea\x82\xc5\x81\x41\x8d\x95\x82\xc9\x95\x73\x96\x9e"
        "\x82\xcd\x82\xc8\x82\xa2\x81\x42\x92\xe8\x90\xce\x82\xcc\x8a\xee\x96\x7b\x8c\x60\x82\xc6"
        "\x82\xb5\x82\xc4\x8a\x6f\x82\xa6\x82\xc4\x82\xa8\x82\xab\x82\xbd\x82\xa2\x8f\x5c");
    c.text.replace("C[GB]",
                   "C["
                   "\xb0\xd7\xc6\xe5\xd4\xda\xbd\xc7\xc9\xcf\xbb\xee\xc6\xe5\xa3\xac\xba\xda\xc6"
                   "\xe5\xc8\xa1\xb5\xc3\xcd\xe2\xca\xc6\xa3\xac\xcb\xab\xb7\xbd\xbe\xf9\xbf\xc9"
                   "\xc2\xfa\xd2\xe2\xa1\xa3]");
    SCOPED_TRACE(c.charset);
    const ParseResult r = Parse(c.text);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.collection.nodes.size(), 5u);
    EXPECT_EQ(r.charsets, QStringList{QString::fromLatin1(c.charset)});
    if (!c.comment.isEmpty()) {
      EXPECT_EQ(FirstText(r.collection, 0, "C"), c.comment);
    }
  }
  const ParseResult sjisFile = Parse(
      "(;C["
      "\x94\x92\x82\xcd\x8b\xf7\x82\xc5\x90\xb6\x82\xab\x81\x41\x8d\x95\x82\xcd\x8a\x4f\x91\xa4\x82"
      "\xf0\x8c\xc5\x82\xdf\x82\xc4\x8c\xfa\x82\xdd\x82\xf0\x92\x7a\x82\xad\x81\x42\x8f\x5c\x95\xaa"
      "\x82\xc8\x95\xaa\x82\xa9\x82\xea\x82\xc5\x81\x41\x8d\x95\x82\xc9\x95\x73\x96\x9e\x82\xcd\x82"
      "\xc8\x82\xa2\x81\x42\x92\xe8\x90\xce\x82\xcc\x8a\xee\x96\x7b\x8c\x60\x82\xc6\x82\xb5\x82\xc4"
      "\x8a\x6f\x82\xa6\x82\xc4\x82\xa8\x82\xab\x82\xbd\x82\xa2\x8f\x5c];B[dd])");
  ASSERT_TRUE(sjisFile.ok());
  EXPECT_TRUE(FirstText(sjisFile.collection, 0, "C").endsWith(QStringLiteral("覚えておきたい十")));
  ASSERT_EQ(sjisFile.warnings.size(), 1);
  EXPECT_TRUE(sjisFile.warnings[0].startsWith("1:1: no CA and not UTF-8: detected as Shift_JIS"))
      << sjisFile.warnings[0].toStdString();
}

TEST(SgfParserCharset, InvalidUtf8UnderCaAndATruncatedTreeAreReportedWhereTheyAre) {
  const ParseResult bad = Parse("(;CA[UTF-8]\n;B[dd]C[ab\xff\xfe]\n;W[fc])");
  ASSERT_TRUE(bad.ok());
  EXPECT_EQ(bad.warnings, QStringList{"2:11: CA[UTF-8] but 2 bytes are not UTF-8 (the first "
                                      "here); they read as U+FFFD"});
  EXPECT_EQ(bad.collection.nodes.size(), 3u);

  // Read as far as it goes: the open variations close at the end of the file.
  const ParseResult cut = Parse("(;GM[1]\n(;B[dd];W[fc]\n(;B[cf]");
  ASSERT_TRUE(cut.ok()) << cut.error.toStdString();
  EXPECT_EQ(cut.collection.nodes.size(), 4u);
  EXPECT_EQ(cut.warnings, QStringList{"1:1: the file ends before this game tree is closed: read "
                                      "as far as it goes"});
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
      {"(;CA[UTF-16]C[x])", 1, 6, "cannot be read"},
      {"\xff\xfe(\0;\0)\0", 1, 1, "UTF-16"},
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
