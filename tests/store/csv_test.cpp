// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/csv.h"

#include <gtest/gtest.h>

#include "store/gocs_table.h"

namespace moraku {
namespace {

std::vector<QStringList> Fields(const CsvParse& p) {
  std::vector<QStringList> out;
  for (const CsvRow& r : p.rows) out.push_back(r.fields);
  return out;
}

std::vector<int> Lines(const CsvParse& p) {
  std::vector<int> out;
  for (const CsvRow& r : p.rows) out.push_back(r.line);
  return out;
}

TEST(ParseCsv, ReadsQuotedFieldsEscapesAndEmbeddedLineBreaks) {
  const CsvParse p = ParseCsv(
      "a,b,c\n"
      "\"x,y\",\"say \"\"hi\"\"\",plain\n"
      "\"two\nlines\",\"crlf\r\nkept\",\n"
      "\"\",,\"\"\"\"\n");
  ASSERT_TRUE(p.ok()) << p.error.toStdString();
  EXPECT_EQ(Fields(p), (std::vector<QStringList>{{"a", "b", "c"},
                                                 {"x,y", "say \"hi\"", "plain"},
                                                 {"two\nlines", "crlf\r\nkept", ""},
                                                 {"", "", "\""}}));
  EXPECT_EQ(Lines(p), (std::vector<int>{1, 2, 3, 6}));
}

TEST(ParseCsv, AcceptsCrLfBomBlankLinesAndAMissingFinalBreak) {
  const CsvParse p = ParseCsv("\xEF\xBB\xBFid,title\r\n1,星\r\n\r\n2,\"小目\"");
  ASSERT_TRUE(p.ok()) << p.error.toStdString();
  EXPECT_EQ(Fields(p), (std::vector<QStringList>{{"id", "title"}, {"1", "星"}, {"2", "小目"}}));
  EXPECT_EQ(Lines(p), (std::vector<int>{1, 2, 4}));

  const CsvParse lone = ParseCsv("a,b\r1,2\r");
  ASSERT_TRUE(lone.ok());
  EXPECT_EQ(Fields(lone), (std::vector<QStringList>{{"a", "b"}, {"1", "2"}}));
}

struct BadCsv {
  const char* text;
  int line;
  const char* what;
};

TEST(ParseCsv, ReportsEachFaultWithItsLine) {
  const BadCsv cases[] = {
      {"", 1, "missing header"},
      {"\n\n", 1, "missing header"},
      {"a,b\n1,2\n3,\"open\n4,5\n", 3, "unterminated"},
      {"a,b\n\"multi\nline\",1\n1,2,3\n", 4, "3 fields where the header has 2"},
      {"a,b\n1\n", 2, "1 fields"},
      {"a,,c\n1,2,3\n", 1, "bad header"},
      {"a,A\n1,2\n", 1, "appears twice"},
      {"a,b\n1,x\"y\n", 2, "quote inside"},
      {"a,b\n1,\"x\"y\n", 2, "after a closing quote"},
      {"a,b\n1,2\n3,\xff\n", 3, "not UTF-8"},
      {"a,b\n1,\xed\xa0\x80\n", 2, "not UTF-8"},  // an encoded surrogate
      {"a,b\n1,\xc0\xaf\n", 2, "not UTF-8"},      // an overlong form
  };
  for (const BadCsv& c : cases) {
    SCOPED_TRACE(c.text);
    const CsvParse p = ParseCsv(c.text);
    EXPECT_FALSE(p.ok());
    EXPECT_TRUE(p.rows.empty());
    EXPECT_EQ(p.errorLine, c.line);
    EXPECT_TRUE(p.error.contains(QLatin1String(c.what))) << p.error.toStdString();
  }
}

TEST(GocsFromCsv, TakesOneAndFiveByNameAndTheRestByPosition) {
  // A table exported in another column order: five first, one in the middle.
  const GocsRows r =
      GocsFromCsv(ParseCsv("FIVE,key,m,one,p,t,r,c,s,rec\n"
                           "0001,7,33a,0,3,title,ref,comment,442351,cap|1/1|44\n"));
  ASSERT_TRUE(r.ok()) << r.error.toStdString();
  ASSERT_EQ(r.rows.size(), 1u);
  const GocsRecord& g = r.rows[0];
  EXPECT_EQ(g.id, 7);
  EXPECT_EQ(g.one, "0");
  EXPECT_EQ(g.marks, "33a");
  EXPECT_EQ(g.preset, "3");
  EXPECT_EQ(g.title, "title");
  EXPECT_EQ(g.ref, "ref");
  EXPECT_EQ(g.comment, "comment");
  EXPECT_EQ(g.stones, "442351");
  EXPECT_EQ(g.record, "cap|1/1|44");
  EXPECT_EQ(g.five, "0001");
  EXPECT_EQ(g.line, 2);
}

TEST(GocsFromCsv, RefusesBadHeadersAndIdsWithTheirLine) {
  const QByteArray header = "id,one,marks,preset,title,ref,comment,stones,record,five\n";
  const BadCsv cases[] = {
      {"id,one,marks,preset,title,ref,comment,stones,five\n", 1, "9 columns"},
      {"id,one,marks,preset,title,ref,comment,stones,record,five,x\n", 1, "11 columns"},
      {"id,uno,marks,preset,title,ref,comment,stones,record,five\n", 1, "'one'"},
      {"id,one,marks,preset,title,ref,comment,stones,record,cinq\n", 1, "'five'"},
      {"x\n1,0,,1,t,,,442,,0001\n2,0,,1,t,,,442,,0002\n1,0,,1,t,,,442,,0003\n", 4,
       "already used on line 2"},
      {"x\n,0,,1,t,,,442,,0001\n", 2, "not an integer"},
      {"x\n1.5,0,,1,t,,,442,,0001\n", 2, "not an integer"},
      {"x\n 1,0,,1,t,,,442,,0001\n", 2, "not an integer"},
      {"x\n99999999999999999999,0,,1,t,,,442,,0001\n", 2, "not an integer"},
      {"x\n1,0,,1,t,,,442,,0001\n2,0,,1,t,,,442,0002\n", 3, "9 fields"},
  };
  for (const BadCsv& c : cases) {
    SCOPED_TRACE(c.text);
    QByteArray text = c.text;
    if (text.startsWith("x\n")) text = header + text.mid(2);
    const GocsRows r = GocsFromCsv(ParseCsv(text));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.errorLine, c.line);
    EXPECT_TRUE(r.error.contains(QLatin1String(c.what))) << r.error.toStdString();
  }
  const GocsRows negative = GocsFromCsv(ParseCsv(header + "-3,0,,1,t,,,442,,0001\n"));
  ASSERT_TRUE(negative.ok());
  EXPECT_EQ(negative.rows[0].id, -3);
}

}  // namespace
}  // namespace moraku
