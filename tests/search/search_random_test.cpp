// SPDX-License-Identifier: GPL-3.0-or-later
// The window's search against a second, deliberately plain implementation of the same rules,
// on generated sections and sequences.

#include <gtest/gtest.h>

#include <QSet>
#include <random>

#include "joseki/joseki_session.h"
#include "joseki/recording_controls.h"
#include "search/search_run.h"

namespace moraku::test {
namespace {

struct Expected {
  bool hit = false;
  int entry = 0;  // 1-based place of the hit
  int dropped = 0;
};

// The rules, written out once more with plain string operations.
Expected ReferenceSearch(const std::vector<SearchRecord>& recs, const QString& text,
                         const QString& mirror) {
  QString keys[11];
  Expected result;

  auto choose = [&](int h) {
    for (int i = 1; i < h; ++i) {
      for (int j = i - 1; j < 11; ++j) {
        if (keys[i].length() < keys[j].length()) {
          const QString t = keys[i];
          keys[i] = keys[j];
          keys[j] = t;
        }
      }
    }
  };
  auto locate = [&]() {
    for (size_t n = 0; n < recs.size(); ++n) {
      if (recs[n].key == keys[1]) {
        result.entry = int(n) + 1;
        return;
      }
    }
  };
  // One prefix scan; returns the number of matches counted.
  auto prefix = [&](const QString& s, const QString& m) {
    for (int i = 1; i <= 10; ++i) keys[i] = QString();
    int h = 0;
    for (const SearchRecord& r : recs) {
      if (r.stones.isEmpty()) continue;
      const QString left = r.stones.left(s.length());
      if (left == s) {
        h++;
        if (h > 10) break;
        keys[h] = r.key;
      } else if (left == m) {
        h++;
        if (h > 10) break;
        keys[h] = r.key;
        break;
      }
    }
    if (keys[1] != "") {
      if (keys[2] != "") choose(h);
      locate();
    }
    return h;
  };

  for (const SearchRecord& r : recs) {
    if (!r.stones.isEmpty() && (r.stones == text || r.stones == mirror)) {
      keys[1] = r.key;
      locate();
      result.hit = true;
      return result;
    }
  }
  if (prefix(text, mirror) > 0) {
    result.hit = true;
    return result;
  }
  QString s = text;
  QString m = mirror;
  while (s.length() >= 15) {
    result.dropped++;
    s = s.left(s.length() - 3);
    if (m.length() >= 3) m = m.left(m.length() - 3);
    if (s.length() < 15) break;
    if (prefix(s, m) > 0) {
      result.hit = true;
      break;
    }
  }
  return result;
}

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Int(1, 100) <= percent; }

  // A stone of a small corner area (many shared prefixes), or a tenuki.
  QString Triple(int number) {
    if (Chance(12)) return "???";
    static const char kCoords[] = "34569G";
    const QChar row = QChar::fromLatin1(kCoords[Int(0, 5)]);
    const QChar col = QChar::fromLatin1(kCoords[Int(0, 5)]);
    return QString(row) + col + (number % 2 == 1 ? '2' : '1');
  }

  QString Stones(int count) {
    QString s = "442";
    for (int n = 2; n <= count; ++n) s += Triple(n);
    return s;
  }

  static QString Mirror(QString s) {
    for (qsizetype p = 0; p + 1 < s.size(); p += 3) std::swap(s[p], s[p + 1]);
    return s;
  }

  std::vector<SearchRecord> Section() {
    std::vector<SearchRecord> recs;
    QSet<QString> used;
    const int count = Int(0, 40);
    while (int(recs.size()) < count) {
      const QString key = QString::number(Int(1, Chance(50) ? 99 : 99999));
      if (used.contains(key)) continue;
      used.insert(key);
      QString stones;
      if (!recs.empty() && Chance(20)) {
        stones = Mirror(recs[size_t(Int(0, int(recs.size()) - 1))].stones);
      } else if (Chance(3)) {
        stones = QString();
      } else {
        stones = Stones(Int(1, 11));
      }
      recs.push_back({key, stones});
    }
    return recs;
  }

  // A sequence near some stored one: a prefix of it, perhaps mirrored, perhaps changed at the end
  // or made longer.
  QString Sequence(const std::vector<SearchRecord>& recs) {
    QString s;
    if (recs.empty() || Chance(15)) {
      s = Stones(Int(1, 12));
    } else {
      s = recs[size_t(Int(0, int(recs.size()) - 1))].stones;
      s = s.left(3 * Int(1, 12));
      if (s.isEmpty()) s = "442";
    }
    if (Chance(30)) s = Mirror(s);
    if (Chance(40)) {
      const int change = Int(1, 4);
      const int keep = std::max(1, int(s.size() / 3) - change);
      s = s.left(3 * keep);
      for (int n = keep + 1; n <= keep + change + Int(0, 4); ++n) s += Triple(n);
    }
    return s;
  }

 private:
  std::mt19937 rng_;
};

TEST(SearchRandomized, WindowSearchAgreesWithAPlainImplementation) {
  RecordingControls controls;
  ImageStore images(QStringLiteral("/nonexistent-moraku-images"));
  JosekiSession session(controls, images);
  JosekiState& st = session.state;
  int hits = 0;
  int fallbackHits = 0;
  int misses = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    Generator gen(seed);
    st.Entries.records = gen.Section();
    const QString text = gen.Sequence(st.Entries.records);
    QString mirror = Generator::Mirror(text);
    // A search text that came from elsewhere leaves a mirror text of another length.
    if (gen.Chance(5)) mirror = QString();
    if (gen.Chance(5)) mirror = Generator::Mirror(gen.Sequence(st.Entries.records));
    if (gen.Chance(3)) mirror.chop(gen.Int(1, 2));

    SetSearchText(session, text);
    st.MirrorText = mirror;
    st.CurrentEntry = -5;
    controls.hitDeliveryTimerEnabled = false;
    controls.messages.clear();
    RunSearch(session);

    const Expected want = ReferenceSearch(st.Entries.records, text, mirror);
    SCOPED_TRACE(
        QStringLiteral("seed %1 text %2 mirror %3").arg(seed).arg(text, mirror).toStdString());
    ASSERT_EQ(controls.hitDeliveryTimerEnabled, want.hit);
    ASSERT_EQ(st.DroppedStones, want.dropped);
    if (want.hit) {
      ASSERT_EQ(st.CurrentEntry, want.entry + 1);
      ASSERT_TRUE(controls.messages.isEmpty());
      want.dropped > 0 ? ++fallbackHits : ++hits;
    } else {
      ASSERT_EQ(st.CurrentEntry, -5);
      ASSERT_EQ(controls.messages.size(), 1);
      ++misses;
    }
  }
  // The generator must reach every outcome often enough to be worth running.
  EXPECT_GT(hits, 300);
  EXPECT_GT(fallbackHits, 100);
  EXPECT_GT(misses, 100);
}

}  // namespace
}  // namespace moraku::test
