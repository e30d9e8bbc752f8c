// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_scan.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <initializer_list>
#include <utility>

namespace moraku {
namespace {

// Records keyed "1", "2", ... in the order given.
std::vector<SearchRecord> Records(std::initializer_list<const char*> stones) {
  std::vector<SearchRecord> records;
  for (const char* s : stones) {
    records.push_back({QString::number(records.size() + 1), QString::fromUtf8(s)});
  }
  return records;
}

// The mirror text of a search text: row and column exchanged in every triple.
QString Mirror(const QString& text) {
  QString mirror = text;
  for (qsizetype p = 0; p + 1 < mirror.size(); p += 3) std::swap(mirror[p], mirror[p + 1]);
  return mirror;
}

// One scan of each kind with whole texts, as the first scans of a search make them.
int Exact(const std::vector<SearchRecord>& records, const QString& s, const QString& m) {
  return ExactScan(SearchIndex(records, s, m));
}
int Prefix(const std::vector<SearchRecord>& records, const QString& s, const QString& m,
           HitKeyArray& keys) {
  return PrefixScan(SearchIndex(records, s, m), s.size(), m.size(), keys);
}

TEST(SearchScanIndex, ComparesLeftPartsAsTheWholeStringsWould) {
  const auto records = Records({"442631361", "442631", "442", "", "44236", "442361GG2"});
  const SearchIndex index(records, "442631", "442361");
  EXPECT_TRUE(index.BeginsWithText(0, 6));
  EXPECT_TRUE(index.BeginsWithText(1, 6));
  EXPECT_FALSE(index.BeginsWithText(2, 6));  // a shorter record is compared whole
  EXPECT_TRUE(index.BeginsWithText(2, 3));
  EXPECT_FALSE(index.BeginsWithText(3, 3));  // a record without stones matches nothing
  EXPECT_TRUE(index.EqualsText(1));
  EXPECT_FALSE(index.EqualsText(0));
  EXPECT_FALSE(index.BeginsWithMirror(0, 6, 6));
  EXPECT_TRUE(index.BeginsWithMirror(2, 3, 3));
  // A mirror text shorter than the length taken matches only a stone string of its own length:
  // Left("44236", 6) is "44236", Left("442631361", 6) is not.
  EXPECT_TRUE(index.BeginsWithMirror(4, 6, 5));
  EXPECT_FALSE(index.BeginsWithMirror(0, 6, 5));
  EXPECT_FALSE(index.BeginsWithMirror(5, 6, 5));  // Left(.., 6) is "442361", not "44236"
  EXPECT_TRUE(index.BeginsWithMirror(5, 6, 6));
  EXPECT_FALSE(index.BeginsWithMirror(4, 6, 6));
  // A longer mirror text never matches a shorter left part.
  EXPECT_FALSE(index.BeginsWithMirror(2, 3, 6));

  const SearchIndex empty(records, "442", "");
  EXPECT_FALSE(empty.EqualsMirror(3));
  EXPECT_FALSE(empty.BeginsWithMirror(3, 3, 0));
  EXPECT_TRUE(empty.EqualsText(2));
}

TEST(SearchScanExact, FirstRecordEqualToEitherTextWins) {
  const auto records = Records({"442631", "442361", "442"});
  EXPECT_EQ(Exact(records, "442361", "442631"), 0);  // the mirror text comes first here
  EXPECT_EQ(Exact(records, "442", "442"), 2);
  EXPECT_EQ(Exact(records, "44263", "44236"), -1);
  // An empty mirror text (MirrorText never filled) does not match a record without stones.
  EXPECT_EQ(Exact(Records({"", "442"}), "442", ""), 1);
}

TEST(SearchScanExact, ExactMatchBeatsEarlierPrefixMatches) {
  const QString s = "442631";
  const auto records = Records({"442631362", "442361GG2", "442631", "442361"});
  const SearchOutcome outcome = SearchRecords(records, s, Mirror(s));
  EXPECT_TRUE(outcome.found);
  EXPECT_EQ(outcome.hitKeys[1], "3");
  EXPECT_TRUE(outcome.hitKeys[2].isEmpty());
  EXPECT_EQ(outcome.located, 3);
  EXPECT_EQ(outcome.droppedStones, 0);
  EXPECT_FALSE(outcome.fallbackRan);
  // Exactly the mirror text, after prefix matches of the search text.
  const auto mirrored = Records({"442631362", "442631GG2", "442361"});
  EXPECT_EQ(SearchRecords(mirrored, s, Mirror(s)).located, 3);
}

TEST(SearchScanPrefix, FirstMirrorMatchEndsTheScanAndIsTheHit) {
  const QString s = "442631";
  HitKeyArray keys;
  // A mirror match first in order: one key only.
  const auto mirrorFirst = Records({"442361AA2", "442631BB2", "442631CC2"});
  EXPECT_EQ(Prefix(mirrorFirst, s, Mirror(s), keys), 1);
  EXPECT_EQ(keys[1], "1");
  EXPECT_TRUE(keys[2].isEmpty());
  const SearchOutcome outcome = SearchRecords(mirrorFirst, s, Mirror(s));
  EXPECT_EQ(outcome.located, 1);

  // Search-text matches are collected up to the first mirror match, which ends the scan.
  keys = {};
  const auto mixed = Records({"442631AA2", "111", "442631BB2", "442361CC2", "442631DD2"});
  EXPECT_EQ(Prefix(mixed, s, Mirror(s), keys), 3);
  EXPECT_EQ(keys[1], "1");
  EXPECT_EQ(keys[2], "3");
  EXPECT_EQ(keys[3], "4");
  EXPECT_TRUE(keys[4].isEmpty());
  EXPECT_EQ(SearchRecords(mixed, s, Mirror(s)).located, 1);  // equal key lengths: record order
}

TEST(SearchScanPrefix, ElevenMatchesOfOneStoneStopCounting) {
  std::vector<SearchRecord> records;
  for (int i = 0; i < 14; ++i) {
    records.push_back({QString(i + 1, u'k'), "442" + QString::number(i % 9 + 1) + "31"});
  }
  HitKeyArray keys;
  const int h = Prefix(records, "442", "442", keys);
  EXPECT_EQ(h, 11);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(keys[i], QString(i, u'k')) << i;
  EXPECT_TRUE(keys[0].isEmpty());

  // ChooseHit runs with h = 11 over the ten keys of lengths 1..10. Its outer loop then reaches
  // slot 10, which leaves slots 9 and 10 in order (h = 10 would leave them swapped).
  const SearchOutcome outcome = SearchRecords(records, "442", "442");
  EXPECT_TRUE(outcome.found);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(outcome.hitKeys[i], QString(i, u'k')) << i;
  EXPECT_EQ(outcome.located, 1);
}

TEST(SearchScanChooseHit, FollowsItsTwoLoopsExactly) {
  // Lengths 3, 1, 2 in slots 1, 2, 3: slot 1 ends with the key of length 1.
  HitKeyArray keys;
  keys[1] = "aaa";
  keys[2] = "b";
  keys[3] = "cc";
  ChooseHit(keys, 3);
  EXPECT_EQ(keys[1], "b");
  EXPECT_EQ(keys[2], "aaa");
  EXPECT_EQ(keys[3], "cc");
  EXPECT_TRUE(keys[0].isEmpty());

  // Lengths 1, 2, 3: not a sort. The inner loop starts at i - 1, runs to slot 10 and swaps
  // slot i as it goes.
  keys = {};
  keys[1] = "1";
  keys[2] = "22";
  keys[3] = "333";
  ChooseHit(keys, 3);
  EXPECT_EQ(keys[1], "1");
  EXPECT_EQ(keys[2], "333");
  EXPECT_EQ(keys[3], "22");

  // h bounds the outer loop only: with h = 2, slot 3 still takes part.
  keys = {};
  keys[1] = "1";
  keys[2] = "22";
  keys[3] = "333";
  ChooseHit(keys, 2);
  EXPECT_EQ(keys[1], "333");
  EXPECT_EQ(keys[2], "1");
  EXPECT_EQ(keys[3], "22");

  // Equal lengths are never exchanged; h of 1 does nothing.
  keys = {};
  keys[1] = "12";
  keys[2] = "34";
  ChooseHit(keys, 2);
  EXPECT_EQ(keys[1], "12");
  keys[2] = "777";
  ChooseHit(keys, 1);
  EXPECT_EQ(keys[1], "12");
}

TEST(SearchScanLocate, FindsTheFirstRecordWithTheKey) {
  const std::vector<SearchRecord> records = {{"10", "442"}, {"7", "442"}, {"7", "443"}};
  EXPECT_EQ(LocateHit(records, "7"), 2);
  EXPECT_EQ(LocateHit(records, "10"), 1);
  EXPECT_EQ(LocateHit(records, "1"), 0);
}

TEST(SearchScanFallback, DropsStonesDownToFiveAndCountsTheLastDrop) {
  // The record begins with the first four stones of the longer sequences and the first three
  // of the four-stone one: a scan with that few stones would find it.
  const QString stored = "442631362GG1";
  const auto records = Records({"442631362GG1AA2", "443"});
  struct Case {
    QString search;
    int dropped;
    QString lastScanned;  // FallbackText at the end
  };
  const Case cases[] = {
      {"442631362FF1", 0, "442631362FF1"},         // four stones: no fallback scan
      {"442631362GG1FF1", 1, stored},              // five: four are not scanned
      {"442631362GG1FF1BB2CC1", 3, stored},        // seven: scans with six and five
      {"442631362GG1FF1BB2CC1DD2EE1", 5, stored},  // nine
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.search.toStdString());
    const SearchOutcome outcome = SearchRecords(records, c.search, Mirror(c.search));
    EXPECT_FALSE(outcome.found);
    EXPECT_EQ(outcome.droppedStones, c.dropped);
    EXPECT_TRUE(outcome.fallbackRan);
    EXPECT_EQ(outcome.fallbackText, c.lastScanned);
    EXPECT_EQ(outcome.fallbackMirror, Mirror(c.lastScanned));
    EXPECT_EQ(outcome.located, 0);
  }
  // Four stones that the stored record starts with are of course found.
  EXPECT_TRUE(SearchRecords(records, stored, Mirror(stored)).found);
}

TEST(SearchScanFallback, SevenStonesWhoseFirstSixOrFiveMatch) {
  const QString seven = "442631362GG1AA2BB1CC2";
  const auto records = Records({"443", "442631362GG1AA2BB1DD2", "442631362GG1AA2", "442"});
  SearchOutcome outcome = SearchRecords(records, seven, Mirror(seven));
  EXPECT_TRUE(outcome.found);
  EXPECT_EQ(outcome.droppedStones, 1);
  EXPECT_EQ(outcome.hitKeys[1], "2");
  EXPECT_EQ(outcome.located, 2);
  EXPECT_EQ(outcome.fallbackText, seven.left(18));

  // Only five match, and through the mirror text of the record.
  const std::vector<SearchRecord> mirrored = {{"1", "443"},
                                              {"2", Mirror("442631362GG1AA2") + "EE1"}};
  outcome = SearchRecords(mirrored, seven, Mirror(seven));
  EXPECT_TRUE(outcome.found);
  EXPECT_EQ(outcome.droppedStones, 2);
  EXPECT_EQ(outcome.located, 2);
}

TEST(SearchScanFallback, ShortMirrorTextKeepsItsValueWhenStonesAreDropped) {
  // A search text left over from a record text, with no mirror text beside it.
  const auto records = Records({"442631362GG1AA2"});
  const SearchOutcome outcome = SearchRecords(records, "442631362GG1AA2BB1", "");
  EXPECT_TRUE(outcome.found);
  EXPECT_EQ(outcome.droppedStones, 1);
  EXPECT_EQ(outcome.fallbackMirror, "");
}

TEST(SearchScanTenuki, MatchesOnlyThreeQuestionMarksAtTheSamePlace) {
  const QString s = "442???";
  const auto records =
      Records({"442??1631", "442J?1", "442631???", "4423?1", "442???631", "442???"});
  HitKeyArray keys;
  EXPECT_EQ(Prefix(records, s, Mirror(s), keys), 2);
  EXPECT_EQ(keys[1], "5");
  EXPECT_EQ(keys[2], "6");
  // The exact scan takes the record that is the sequence itself.
  EXPECT_EQ(SearchRecords(records, s, Mirror(s)).located, 6);
}

TEST(SearchScanMessages, NameTheDroppedStones) {
  EXPECT_EQ(SearchFailureMessage(0), "該当するものはありません。");
  EXPECT_EQ(SearchFailureMessage(1),
            "検索石を１つ減らして検索しましたが\r\n該当するものはありません。");
  EXPECT_EQ(SearchFailureMessage(2),
            "検索石を２つ減らして検索しましたが\r\n該当するものはありません。");
  EXPECT_EQ(SearchFailureMessage(3),
            "検索石を３つ減らして検索しましたが\r\n該当するものはありません。");
  EXPECT_EQ(SearchFailureMessage(4),
            "検索石を４つ減らして検索しましたが\r\n該当するものはありません。");
  for (int n : {5, 6, 40}) {
    EXPECT_EQ(SearchFailureMessage(n),
              "検索石を５つ以上減らして検索しま\r\nしたが該当するものはありません。");
  }
  EXPECT_EQ(SearchSuccessMessage(0), "該当あり、検索しました。");
  EXPECT_EQ(SearchSuccessMessage(1), "検索石を１つ減らして該当ありました。");
  EXPECT_EQ(SearchSuccessMessage(2), "検索石を２つ減らして該当ありました。");
  EXPECT_EQ(SearchSuccessMessage(3), "検索石を３つ減らして該当ありました。");
  EXPECT_EQ(SearchSuccessMessage(4), "検索石を４つ減らして該当ありました。");
  EXPECT_EQ(SearchSuccessMessage(5), "検索石を５つ以上減らして該当ありました。");
  EXPECT_EQ(SearchSuccessMessage(9), "検索石を５つ以上減らして該当ありました。");
}

}  // namespace
}  // namespace moraku
