// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_data.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

#include "board/coords.h"
#include "cli/commands.h"
#include "data/sqlite_db.h"
#include "store/entry_checker.h"
#include "store/gocs_table.h"

namespace moraku::bench {

namespace {

// The same numbers on every platform: mt19937's output is fixed by the standard, the
// distributions are not, so only its raw output is used.
class Rng {
 public:
  explicit Rng(unsigned seed) : gen_(seed) {}
  int Below(int n) { return static_cast<int>(gen_() % static_cast<unsigned>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }

 private:
  std::mt19937 gen_;
};

// A 19 x 19 board that plays legal moves: captures, no suicide, no immediate ko recapture.
class GoBoard {
 public:
  GoBoard() {
    for (auto& row : cells_) row.fill(kEdge);
    for (int r = 1; r <= kBoardSize; ++r)
      for (int c = 1; c <= kBoardSize; ++c) cells_[r][c] = 0;
  }

  bool IsEmpty(int r, int c) const { return cells_[r][c] == 0; }

  // Plays colour (1 black, 2 white) at (r, c) when legal; returns false, changing nothing,
  // otherwise. Adds the stones taken to `captures`.
  bool Play(int r, int c, int colour, int& captures) {
    if (cells_[r][c] != 0 || (r == koRow_ && c == koCol_)) return false;
    cells_[r][c] = colour;
    const int other = 3 - colour;
    int taken = 0;
    int takenRow = 0, takenCol = 0;
    for (const auto& d : kSteps) {
      const int nr = r + d[0], nc = c + d[1];
      if (cells_[nr][nc] != other) continue;
      std::vector<std::pair<int, int>> group;
      if (Liberties(nr, nc, group) == 0) {
        for (const auto& [gr, gc] : group) cells_[gr][gc] = 0;
        taken += static_cast<int>(group.size());
        takenRow = nr;
        takenCol = nc;
      }
    }
    std::vector<std::pair<int, int>> own;
    const int liberties = Liberties(r, c, own);
    if (liberties == 0) {
      cells_[r][c] = 0;  // suicide: nothing was taken, or it would have a liberty
      return false;
    }
    koRow_ = koCol_ = 0;
    if (taken == 1 && own.size() == 1 && liberties == 1) {
      koRow_ = takenRow;
      koCol_ = takenCol;
    }
    captures += taken;
    return true;
  }

 private:
  static constexpr int kEdge = 3;
  static constexpr int kSteps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};

  // Liberties of the group at (r, c); its stones go to `group`.
  int Liberties(int r, int c, std::vector<std::pair<int, int>>& group) const {
    std::array<std::array<bool, 21>, 21> seen{};
    std::array<std::array<bool, 21>, 21> liberty{};
    const int colour = cells_[r][c];
    int count = 0;
    group.clear();
    group.emplace_back(r, c);
    seen[r][c] = true;
    for (size_t i = 0; i < group.size(); ++i) {
      const auto [gr, gc] = group[i];
      for (const auto& d : kSteps) {
        const int nr = gr + d[0], nc = gc + d[1];
        if (cells_[nr][nc] == 0 && !liberty[nr][nc]) {
          liberty[nr][nc] = true;
          ++count;
        } else if (cells_[nr][nc] == colour && !seen[nr][nc]) {
          seen[nr][nc] = true;
          group.emplace_back(nr, nc);
        }
      }
    }
    return count;
  }

  std::array<std::array<int, 21>, 21> cells_{};
  int koRow_ = 0, koCol_ = 0;
};

// Corner points used by joseki stones: rows and columns 1..11.
constexpr int kCornerSize = 11;

QString Triple(int row, int col, int index) {
  QString t;
  t += CharFromCoord(row);
  t += CharFromCoord(col);
  t += index % 2 == 0 ? QLatin1Char('2') : QLatin1Char('1');  // black first
  return t;
}

// Extends `stones` (whole triples) to `triples` triples with corner points not used before and
// now and then a tenuki.
QString ExtendStones(QString stones, int triples, Rng& rng) {
  std::array<std::array<bool, kCornerSize + 1>, kCornerSize + 1> used{};
  for (qsizetype k = 0; k + 2 < stones.size(); k += 3) {
    const int r = CoordFromChar(QStringView(stones).mid(k, 1));
    const int c = CoordFromChar(QStringView(stones).mid(k + 1, 1));
    if (r >= 1 && r <= kCornerSize && c >= 1 && c <= kCornerSize) used[r][c] = true;
  }
  for (int i = static_cast<int>(stones.size() / 3); i < triples; ++i) {
    if (i >= 2 && rng.OneIn(12)) {
      stones += QStringLiteral("???");
      continue;
    }
    int r = 0, c = 0;
    do {
      r = 1 + rng.Below(kCornerSize);
      c = 1 + rng.Below(kCornerSize);
    } while (used[r][c]);
    used[r][c] = true;
    stones += Triple(r, c, i);
  }
  return stones;
}

// The openings that many entries share: six stones each, the first one 442.
constexpr int kTrunks = 8;
constexpr int kTrunkTriples = 6;

const std::vector<QString>& Trunks() {
  static const std::vector<QString> trunks = [] {
    std::vector<QString> t;
    Rng rng(2024);
    for (int i = 0; i < kTrunks; ++i) {
      QString s;
      // No tenuki in a trunk: its first stones are what searches start with.
      do {
        s = ExtendStones(QStringLiteral("442"), kTrunkTriples, rng);
      } while (s.contains(QLatin1Char('?')));
      t.push_back(s);
    }
    return t;
  }();
  return trunks;
}

// Distinct legal games, 150 to 350 moves, shared out among the entries' records.
constexpr int kGamePool = 48;

const std::vector<QString>& GamePool() {
  static const std::vector<QString> pool = [] {
    std::vector<QString> games;
    Rng rng(77);
    for (int i = 0; i < kGamePool; ++i)
      games.push_back(LegalGameMoves(150 + rng.Below(201), 1000 + i));
    return games;
  }();
  return pool;
}

const char* const kOpenings[] = {"小目", "星", "三々", "高目", "目外し"};
const char* const kApproaches[] = {"一間高ガカリ", "小ゲイマガカリ", "二間高バサミ",
                                   "大ゲイマ",     "ツケ",           "三々入り"};
const char* const kRefs[] = {"置碁の基本定石", "星の定石", "実戦例", "新手"};
const char* const kPhrases[] = {
    "白は隅の実利、黒は厚みという分かれ。", "黒は上辺を大きく構えて十分。",
    "この後、白は一間に開いて安定する。",   "黒からのハサミが厳しく、白は苦しい。",
    "部分的には互角の分かれとされる。",     "周囲の配石によっては別の打ち方もある。"};

struct GeneratedEntry {
  qint64 id = 0;
  QString marks, preset, title, ref, comment, stones, record, five;
};

GeneratedEntry MakeEntry(int i, int count, Rng& rng) {
  GeneratedEntry e;
  e.id = i + 1;
  const int presetCount = rng.OneIn(5) ? 3 : 1;
  e.preset = QString(CharFromCoord(presetCount));
  const QString& trunk = Trunks()[static_cast<size_t>(rng.Below(kTrunks))];
  const int shared = std::max(presetCount, 2 + rng.Below(kTrunkTriples - 1));
  const int triples = presetCount + 10 + rng.Below(31 - presetCount);  // 10 to 40 in all
  e.stones = ExtendStones(trunk.left(3 * shared), triples, rng);
  const int markers = rng.Below(6);
  for (int m = 0; m < markers; ++m) {
    e.marks += CharFromCoord(1 + rng.Below(kCornerSize));
    e.marks += CharFromCoord(1 + rng.Below(kCornerSize));
    e.marks += QLatin1Char(static_cast<char>('a' + m));
  }
  e.title = QStringLiteral("%1・%2 第%3型")
                .arg(QString::fromUtf8(kOpenings[rng.Below(5)]),
                     QString::fromUtf8(kApproaches[rng.Below(6)]))
                .arg(i + 1);
  e.ref = QString::fromUtf8(kRefs[rng.Below(4)]);
  const int sentences = 2 + rng.Below(4);
  for (int s = 0; s < sentences; ++s) e.comment += QString::fromUtf8(kPhrases[rng.Below(6)]);
  // Every other entry has a record (the shipped collection has one for about every fifth).
  if (i % 2 == 0) {
    const QString& game = GamePool()[static_cast<size_t>(rng.Below(kGamePool))];
    const int moves = static_cast<int>(game.size() / 2);
    const int first = 1 + rng.Below(20);
    const int last = std::max(first, moves - rng.Below(40));
    e.record = RecordText(QStringLiteral("実戦譜 %1").arg(i + 1), first, last, game);
  }
  // Sort keys are a permutation of 0..count-1, so entry 1 of the section is generated entry 0,
  // which has a record.
  const qint64 key = (static_cast<qint64>(i) * 7919) % count;
  e.five = QStringLiteral("0") + QString::number(key).rightJustified(7, QLatin1Char('0'));
  return e;
}

[[noreturn]] void Fail(const QString& what) {
  std::fprintf(stderr, "moraku_bench: %s\n", qPrintable(what));
  std::exit(1);
}

void WriteDatabase(const QString& path, int count) {
  sql::Database db;
  if (db.Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) != SQLITE_OK)
    Fail(QStringLiteral("cannot create %1: %2").arg(path, db.ErrorText()));
  if (db.Exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN") != SQLITE_OK ||
      db.Exec(kCreateGocsTable) != SQLITE_OK)
    Fail(db.ErrorText());
  sql::Statement insert;
  if (insert.Prepare(db,
                     "INSERT INTO gocs (id, one, marks, preset, title, ref, comment, stones, "
                     "record, five) VALUES (?, '0', ?, ?, ?, ?, ?, ?, ?, ?)") != SQLITE_OK)
    Fail(db.ErrorText());
  Rng rng(static_cast<unsigned>(count));
  for (int i = 0; i < count; ++i) {
    const GeneratedEntry e = MakeEntry(i, count, rng);
    insert.BindInt64(1, e.id);
    insert.BindText(2, e.marks);
    insert.BindText(3, e.preset);
    insert.BindText(4, e.title);
    insert.BindText(5, e.ref);
    insert.BindText(6, e.comment);
    insert.BindText(7, e.stones);
    insert.BindText(8, e.record);
    insert.BindText(9, e.five);
    if (insert.Step() != sql::StepResult::Done) Fail(db.ErrorText());
    insert.Reset();
  }
  // The indexes the database tool creates for the two section queries.
  QString why;
  if (!CreateGocsIndexes(db, &why)) Fail(why);
  if (db.Exec("COMMIT") != SQLITE_OK) Fail(db.ErrorText());
}

// Points for the children of one node: distinct for the first 361 children.
QByteArray ChildPoint(int index, int depth) {
  const int col = (index + depth * 3) % 19;
  const int row = (index / 19 + depth * 5 + 1) % 19;
  return QByteArray(1, static_cast<char>('a' + col)) + static_cast<char>('a' + row);
}

}  // namespace

QString Fld2Dir() {
  return QStringLiteral(MORAKU_BUILD_DIR "/fld2");
}

const ProgramDir& SyntheticProgram(int entries) {
  struct Held {
    QTemporaryDir dir;
    ProgramDir program;
  };
  static std::map<int, std::unique_ptr<Held>> programs;
  auto& held = programs[entries];
  if (!held) {
    held = std::make_unique<Held>();
    if (!held->dir.isValid()) Fail(QStringLiteral("cannot make a temporary directory"));
    const QString path = held->dir.path();
    QDir(path).mkdir(QStringLiteral("fld1"));
    if (!QFile::link(Fld2Dir(), path + QStringLiteral("/fld2")))
      Fail(QStringLiteral("cannot link the image set ") + Fld2Dir());
    held->program = {path, path + QStringLiteral("/fld1/goc.db")};
    WriteDatabase(held->program.databasePath, entries);
    // The figures mean nothing on entries the program would reject.
    const QStringList problems = CheckFirstEntries(held->program.databasePath, 500);
    if (!problems.isEmpty())
      Fail(QStringLiteral("synthetic entries are not sound: ") + problems.first());
  }
  return held->program;
}

QByteArray Dictionary(int branching, int depth, int commentBytes, int tail) {
  const QByteArray word = QByteArrayLiteral("白は隅に生き黒は外勢を得る。");  // 42 bytes
  QByteArray comment;
  while (comment.size() + word.size() <= commentBytes) comment += word;
  QByteArray text = "(;GM[1]FF[4]CA[UTF-8]SZ[19]GN[generated]C[" + comment + "];B[dd]";
  struct Frame {
    int depth;
    int child;
  };
  std::vector<Frame> stack{{0, 0}};
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.depth == depth || f.child == branching) {
      if (f.depth == depth) {
        for (int t = 0; t < tail; ++t) {
          text += (f.depth + t) % 2 == 0 ? ";W[" : ";B[";
          text += ChildPoint(t + 1, f.depth + t + 1) + "]";
        }
      }
      stack.pop_back();
      if (!stack.empty()) text += ")";
      continue;
    }
    const bool black = f.depth % 2 == 1;
    text += QByteArray("\n(;") + (black ? "B[" : "W[") + ChildPoint(f.child, f.depth) + "]";
    if (!comment.isEmpty()) text += "C[" + comment + "]";
    ++f.child;
    stack.push_back({f.depth + 1, 0});
  }
  return text + ")";
}

QString LegalGameMoves(int moves, unsigned seed) {
  Rng rng(seed);
  GoBoard board;
  QString pairs;
  std::vector<std::pair<int, int>> played;
  int captures = 0;
  for (int m = 1; m <= moves; ++m) {
    const int colour = m % 2 != 0 ? 1 : 2;
    for (int attempt = 0;; ++attempt) {
      int r = 0, c = 0;
      // Mostly near a recent stone, where fights and captures happen.
      if (!played.empty() && attempt < 400 && !rng.OneIn(4)) {
        const auto [pr, pc] =
            played[played.size() - 1 -
                   static_cast<size_t>(rng.Below(std::min<int>(8, played.size())))];
        r = std::clamp(pr - 2 + rng.Below(5), 1, kBoardSize);
        c = std::clamp(pc - 2 + rng.Below(5), 1, kBoardSize);
      } else {
        r = 1 + rng.Below(kBoardSize);
        c = 1 + rng.Below(kBoardSize);
      }
      if (board.Play(r, c, colour, captures)) {
        played.emplace_back(r, c);
        pairs += CharFromCoord(r);
        pairs += CharFromCoord(c);
        break;
      }
      if (attempt > 5000) Fail(QStringLiteral("no legal move found"));
    }
  }
  if (captures == 0) return LegalGameMoves(moves, seed + 7777);
  return pairs;
}

QString RecordText(const QString& caption, int first, int last, const QString& moves) {
  return QStringLiteral("%1|%2/%3|%4").arg(caption).arg(first).arg(last).arg(moves);
}

QString CornerStones(int triples, unsigned seed) {
  Rng rng(seed);
  return ExtendStones(QStringLiteral("442"), triples, rng);
}

QString FiveMarkers() {
  return QStringLiteral("33a35b53c26d62e");
}

QString WorstSearchText() {
  QString text = Trunks()[0].left(12);  // four stones that begin many entries
  // Eight more stones far from the corner, where no synthetic joseki ever plays.
  static constexpr int kFar[8][2] = {{16, 16}, {16, 17}, {17, 16}, {17, 17},
                                     {18, 16}, {16, 18}, {18, 18}, {19, 19}};
  for (int i = 0; i < 8; ++i) text += Triple(kFar[i][0], kFar[i][1], 4 + i);
  return text;
}

QString MirrorOf(const QString& searchText) {
  QString mirror;
  for (qsizetype k = 0; k + 2 < searchText.size(); k += 3) {
    mirror += searchText[k + 1];
    mirror += searchText[k];
    mirror += searchText[k + 2];
  }
  return mirror;
}

QStringList CheckFirstEntries(const QString& path, int count) {
  std::vector<GocsRow> entries;
  QString error;
  if (!ReadGocsRows(path, &entries, &error)) return {error};
  if (entries.size() > static_cast<size_t>(count)) entries.resize(static_cast<size_t>(count));
  return CheckEntries(entries);
}

const ProgramDir& DictionaryProgram() {
  static QTemporaryDir dir;
  static ProgramDir program;
  if (program.path.isEmpty()) {
    if (!dir.isValid()) Fail(QStringLiteral("cannot make a temporary directory"));
    const QString path = dir.path();
    QDir(path).mkdir(QStringLiteral("fld1"));
    if (!QFile::link(Fld2Dir(), path + QStringLiteral("/fld2")))
      Fail(QStringLiteral("cannot link the image set ") + Fld2Dir());
    const QString file = path + QStringLiteral("/dictionary.sgf");
    const QByteArray text = Dictionary(160, 2, 560, 8);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
      Fail(QStringLiteral("cannot write ") + file);
    out.close();
    program = {path, path + QStringLiteral("/fld1/goc.db")};
    QString printed;
    QString complaints;
    QTextStream outStream(&printed);
    QTextStream errStream(&complaints);
    if (cli::RunImportSgf({file, QStringLiteral("--db"), program.databasePath,
                           QStringLiteral("--section"), QStringLiteral("2")},
                          outStream, errStream) != 0) {
      Fail(QStringLiteral("the dictionary did not import: ") + complaints);
    }
  }
  return program;
}

}  // namespace moraku::bench
