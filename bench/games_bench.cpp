// The game collection: indexing synthetic games, finding the games of an entry, the moves
// played next, and the joseki window opening on a database that holds a collection.
//
// The games are legal 150-300-move games in which each corner plays a line of the shipped
// joseki (any of the eight symmetries, either colour first) interleaved with moves elsewhere,
// which sometimes land in a corner and interrupt its line, as real games do.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <array>
#include <map>
#include <memory>
#include <random>

#include "app/joseki_window.h"
#include "board/coords.h"
#include "cli/commands.h"
#include "data/section_loader.h"
#include "data/sections.h"
#include "games/corner_sequence.h"
#include "games/example_mode.h"
#include "games/game_match.h"
#include "games/game_record.h"
#include "games/game_store.h"

namespace moraku::bench {
namespace {

using games::GameMove;
using games::kBlack;
using games::kWhite;

constexpr int kN = games::kGameBoardSize;

// A board that knows captures, suicide and simple ko: enough to keep generated games legal.
class LegalBoard {
 public:
  // Plays `color` at (row, col) when legal; returns false, changing nothing, otherwise.
  bool Play(int row, int col, int color) {
    if (At(row, col) != 0 || (row == koRow_ && col == koCol_)) return false;
    const auto saved = cells_;
    Set(row, col, color);
    int captured = 0;
    int capturedRow = 0, capturedCol = 0;
    for (auto [r, c] : Neighbours(row, col)) {
      if (At(r, c) != 3 - color || Liberties(r, c) > 0) continue;
      captured += RemoveGroup(r, c);
      capturedRow = r;
      capturedCol = c;
    }
    if (Liberties(row, col) == 0) {
      cells_ = saved;
      return false;
    }
    koRow_ = koCol_ = 0;
    if (captured == 1 && GroupSize(row, col) == 1 && Liberties(row, col) == 1) {
      koRow_ = capturedRow;
      koCol_ = capturedCol;
    }
    return true;
  }
  void Pass() { koRow_ = koCol_ = 0; }
  int At(int r, int c) const { return cells_[static_cast<std::size_t>((r - 1) * kN + c - 1)]; }

 private:
  void Set(int r, int c, int v) { cells_[static_cast<std::size_t>((r - 1) * kN + c - 1)] = v; }
  static std::vector<std::pair<int, int>> Neighbours(int r, int c) {
    std::vector<std::pair<int, int>> n;
    if (r > 1) n.emplace_back(r - 1, c);
    if (r < kN) n.emplace_back(r + 1, c);
    if (c > 1) n.emplace_back(r, c - 1);
    if (c < kN) n.emplace_back(r, c + 1);
    return n;
  }
  template <typename F>
  void ForGroup(int row, int col, F&& f) const {
    const int color = At(row, col);
    std::array<bool, kN * kN> seen{};
    std::vector<std::pair<int, int>> stack{{row, col}};
    seen[static_cast<std::size_t>((row - 1) * kN + col - 1)] = true;
    while (!stack.empty()) {
      auto [r, c] = stack.back();
      stack.pop_back();
      f(r, c);
      for (auto [nr, nc] : Neighbours(r, c)) {
        auto& s = seen[static_cast<std::size_t>((nr - 1) * kN + nc - 1)];
        if (!s && At(nr, nc) == color) {
          s = true;
          stack.emplace_back(nr, nc);
        }
      }
    }
  }
  int Liberties(int row, int col) const {
    std::array<bool, kN * kN> counted{};
    int liberties = 0;
    ForGroup(row, col, [&](int r, int c) {
      for (auto [nr, nc] : Neighbours(r, c)) {
        auto& seen = counted[static_cast<std::size_t>((nr - 1) * kN + nc - 1)];
        if (At(nr, nc) == 0 && !seen) {
          seen = true;
          ++liberties;
        }
      }
    });
    return liberties;
  }
  int GroupSize(int row, int col) const {
    int n = 0;
    ForGroup(row, col, [&](int, int) { ++n; });
    return n;
  }
  int RemoveGroup(int row, int col) {
    std::vector<std::pair<int, int>> stones;
    ForGroup(row, col, [&](int r, int c) { stones.emplace_back(r, c); });
    for (auto [r, c] : stones) Set(r, c, 0);
    return static_cast<int>(stones.size());
  }

  std::array<int, kN * kN> cells_{};
  int koRow_ = 0, koCol_ = 0;
};

// The stone strings of every entry of the shipped database.
const std::vector<QString>& ShippedLines() {
  static const std::vector<QString> lines = [] {
    std::vector<QString> all;
    const QString db = QStringLiteral(MORAKU_BUILD_DIR) + QStringLiteral("/fld1/goc.db");
    for (const Section& section : AllSections()) {
      const SectionLoad load = LoadSection(db, section.index);
      for (const SearchRecord& r : load.table.records) all.push_back(r.stones);
    }
    return all;
  }();
  return lines;
}

// One corner's planned line: its joseki stones (upper-left coordinates and colours), turned.
struct CornerPlan {
  std::vector<GameMove> line;
  std::size_t next = 0;
  int colourSwap = -1;  // decided by who plays the corner's first stone
};

games::GameRecord SyntheticGame(std::mt19937& rng, int number) {
  const std::vector<QString>& lines = ShippedLines();
  std::array<CornerPlan, games::kCornerCount> corners;
  for (int k = 0; k < games::kCornerCount; ++k) {
    const QString& stones = lines[rng() % lines.size()];
    const games::CornerTurn turn{k, rng() % 2 == 0};
    ForEachTriple(stones, [&](QStringView r, QStringView c, QStringView colour) {
      int row = CoordFromChar(r);
      int col = CoordFromChar(c);
      if (!games::InUpperLeftRegion(row, col)) return;  // tenuki and other corners' stones
      turn.Apply(row, col);                             // its own inverse
      corners[static_cast<std::size_t>(k)].line.push_back(
          GameMove{row, col, colour == u"1" ? kWhite : kBlack});
    });
  }
  games::GameRecord game;
  game.black = QStringLiteral("Black %1").arg(number % 997);
  game.white = QStringLiteral("White %1").arg(number % 991);
  game.date = QStringLiteral("2026-%1-%2").arg(1 + number % 12).arg(1 + number % 28);
  game.result = rng() % 2 == 0 ? QStringLiteral("B+R") : QStringLiteral("W+2.5");
  LegalBoard board;
  const int length = 150 + static_cast<int>(rng() % 151);
  int color = kBlack;
  while (static_cast<int>(game.moves.size()) < length) {
    bool played = false;
    if (rng() % 10 < 6) {
      // The next stone of a corner whose line wants this colour now.
      std::vector<int> ready;
      for (int k = 0; k < games::kCornerCount; ++k) {
        const CornerPlan& p = corners[static_cast<std::size_t>(k)];
        if (p.next >= p.line.size()) continue;
        const int wanted = p.colourSwap == 1 ? 3 - p.line[p.next].color : p.line[p.next].color;
        if (p.colourSwap < 0 || wanted == color) ready.push_back(k);
      }
      if (!ready.empty()) {
        CornerPlan& p = corners[static_cast<std::size_t>(ready[rng() % ready.size()])];
        const GameMove m = p.line[p.next];
        if (p.colourSwap < 0) p.colourSwap = m.color == color ? 0 : 1;
        if (board.Play(m.row, m.col, color)) {
          game.moves.push_back(GameMove{m.row, m.col, color});
          ++p.next;
          played = true;
        } else {
          p.next = p.line.size();  // the line cannot go on in this game
        }
      }
    }
    for (int tries = 0; !played && tries < 50; ++tries) {
      const int row = 1 + static_cast<int>(rng() % kN);
      const int col = 1 + static_cast<int>(rng() % kN);
      if (board.Play(row, col, color)) {
        game.moves.push_back(GameMove{row, col, color});
        played = true;
      }
    }
    if (!played) {
      board.Pass();
      game.moves.push_back(GameMove{0, 0, color});
    }
    color = 3 - color;
  }
  return game;
}

QByteArray GameSgf(const games::GameRecord& g) {
  QByteArray sgf = "(;GM[1]FF[4]CA[UTF-8]SZ[19]PB[" + g.black.toUtf8() + "]PW[" + g.white.toUtf8() +
                   "]DT[" + g.date.toUtf8() + "]RE[" + g.result.toUtf8() + "]";
  for (const GameMove& m : g.moves) {
    sgf += m.color == kBlack ? ";B[" : ";W[";
    if (m.row != 0) {
      sgf += static_cast<char>('a' + m.col - 1);
      sgf += static_cast<char>('a' + m.row - 1);
    }
    sgf += "]";
  }
  return sgf + ")\n";
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "games benchmark: %s\n", what);
  std::abort();
}

// A folder of `count` SGF files, one game each, kept for the run.
const QString& GameFolder(int count) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
  static std::map<int, QString> paths;
  if (!folders[count]) {
    folders[count] = std::make_unique<QTemporaryDir>();
    std::mt19937 rng(7);
    for (int i = 0; i < count; ++i) {
      QFile f(folders[count]->filePath(QStringLiteral("%1/g%2.sgf").arg(i / 1000).arg(i)));
      QDir().mkpath(QFileInfo(f).path());
      if (!f.open(QIODevice::WriteOnly) || f.write(GameSgf(SyntheticGame(rng, i))) < 0)
        Fail("cannot write a game file");
    }
    paths[count] = folders[count]->path();
  }
  return paths[count];
}

// A program folder: the shipped database with `count` synthetic games added, and the image set.
const QString& ProgramWithGames(int count) {
  static std::map<int, std::unique_ptr<QTemporaryDir>> dirs;
  static std::map<int, QString> paths;
  if (!dirs[count]) {
    dirs[count] = std::make_unique<QTemporaryDir>();
    const QString path = dirs[count]->path();
    const QString build = QStringLiteral(MORAKU_BUILD_DIR);
    QDir(path).mkdir(QStringLiteral("fld1"));
    QFile::link(build + QStringLiteral("/fld2"), path + QStringLiteral("/fld2"));
    const QString db = path + QStringLiteral("/fld1/goc.db");
    if (!QFile::copy(build + QStringLiteral("/fld1/goc.db"), db)) Fail("cannot copy goc.db");
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    sql::Database d;
    QString error;
    games::GameWriter writer;
    if (d.Open(db, SQLITE_OPEN_READWRITE) != SQLITE_OK || !games::CreateGameTables(d, &error) ||
        d.Exec("BEGIN") != SQLITE_OK || !writer.Prepare(d, &error))
      Fail("cannot write the collection");
    std::mt19937 rng(11);
    for (int i = 0; i < count; ++i) {
      if (writer.Add(SyntheticGame(rng, i), &error) == games::GameWriter::Outcome::Failed)
        Fail("cannot add a game");
    }
    if (d.Exec("COMMIT") != SQLITE_OK) Fail("cannot commit the collection");
    paths[count] = path;
  }
  return paths[count];
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_IndexGames(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const QString& folder = GameFolder(count);
  QTemporaryDir out;
  for (auto _ : state) {
    state.PauseTiming();
    const QString db = out.filePath(QStringLiteral("goc.db"));
    QFile::remove(db);
    QFile::copy(QStringLiteral(MORAKU_BUILD_DIR) + QStringLiteral("/fld1/goc.db"), db);
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
    QString text, errors;
    QTextStream o(&text), e(&errors);
    state.ResumeTiming();
    if (cli::RunImportGames({folder, QStringLiteral("--db"), db}, o, e) != 0) {
      state.SkipWithError("import-games failed");
      break;
    }
    o.flush();
    if (!text.contains(QStringLiteral(": %1 imported").arg(count))) {
      state.SkipWithError("not every game was imported");
      break;
    }
  }
  state.counters["peak_MB"] = static_cast<double>(PeakKilobytes()) / 1024.0;
}
BENCHMARK(BM_IndexGames)
    ->Name("IndexGames")
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The patterns of every shipped entry of the three sections.
std::vector<games::EntryPattern> ShippedPatterns() {
  std::vector<games::EntryPattern> patterns;
  const QString db = QStringLiteral(MORAKU_BUILD_DIR) + QStringLiteral("/fld1/goc.db");
  for (const Section& section : AllSections()) {
    const SectionLoad load = LoadSection(db, section.index);
    for (int k = 1; k <= load.table.Count(); ++k)
      patterns.push_back(
          games::PatternOfEntry(load.table.records[static_cast<std::size_t>(k) - 1].stones,
                                load.table.entries[static_cast<std::size_t>(k)].presetCount));
  }
  return patterns;
}

// Each iteration finds the games of the next shipped entry and describes the first of them.
void BM_GamesForEntry(benchmark::State& state) {
  const QString db = ProgramWithGames(static_cast<int>(state.range(0))) + "/fld1/goc.db";
  sql::Database d;
  d.Open(db, SQLITE_OPEN_READONLY);
  const std::vector<games::EntryPattern> patterns = ShippedPatterns();
  std::size_t i = 0;
  std::int64_t found = 0;
  for (auto _ : state) {
    const games::EntryPattern& p = patterns[i++ % patterns.size()];
    const std::vector<games::CornerHit> hits = games::FindEntryGames(d, p);
    if (!hits.empty()) {
      games::GameMatch match;
      games::DescribeMatch(d, hits.front(), p, &match);
    }
    found += static_cast<std::int64_t>(hits.size());
    benchmark::DoNotOptimize(hits.data());
  }
  state.counters["games_per_entry"] =
      static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GamesForEntry)->Name("GamesForEntry")->Arg(100000)->Unit(benchmark::kMillisecond);

// Each iteration asks for the moves after the first four corner moves of the next shipped entry.
void BM_Continuations(benchmark::State& state) {
  const QString db = ProgramWithGames(static_cast<int>(state.range(0))) + "/fld1/goc.db";
  sql::Database d;
  d.Open(db, SQLITE_OPEN_READONLY);
  std::vector<QString> prefixes;
  for (const games::EntryPattern& p : ShippedPatterns())
    if (p.cornerMoves >= 4) prefixes.push_back(p.key.left(12));
  std::size_t i = 0;
  for (auto _ : state) {
    const auto next = games::FindContinuations(d, prefixes[i++ % prefixes.size()]);
    benchmark::DoNotOptimize(next.data());
  }
}
BENCHMARK(BM_Continuations)->Name("Continuations")->Arg(100000)->Unit(benchmark::kMillisecond);

// The handicap section of the shipped database with 0 or 100,000 games beside it; the timing
// includes the lookup of entry 1's games that runs once the window is up.
void BM_OpenWindowWithGames(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const QString program = count == 0 ? QStringLiteral(MORAKU_BUILD_DIR) : ProgramWithGames(count);
  for (auto _ : state) {
    auto window = std::make_unique<JosekiWindow>(kHandicapSection, program);
    window->show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    const bool opened = window->Session().state.CurrentEntry == 1;
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    if (!opened) {
      state.SkipWithError("the window did not open");
      break;
    }
  }
}
BENCHMARK(BM_OpenWindowWithGames)
    ->Name("OpenWindowWithGames")
    ->Arg(0)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Entering and leaving the 実戦例 mode on the star-point section's first entry (the approach,
// played in most corners) with 100,000 games: the entry's games read, the first drawn on the
// record board, the moves played next found and marked, then the entry's own record back.
void BM_EnterExamples(benchmark::State& state) {
  const QString program = ProgramWithGames(static_cast<int>(state.range(0)));
  JosekiWindow window(kStarPointSection, program);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.show();
  QCoreApplication::processEvents();
  auto* button = window.findChild<QPushButton*>(QStringLiteral("Command23"));
  if (button == nullptr || !button->isVisible()) {
    state.SkipWithError("the entry has no games");
    return;
  }
  for (auto _ : state) {
    window.Examples()->LookUpEntry(window.Session());  // as a newly chosen entry: nothing read yet
    button->click();                                   // 実戦例
    if (!window.Examples()->Active()) {
      state.SkipWithError("the mode did not start");
      break;
    }
    button->click();  // 定石譜
  }
  state.counters["games"] = window.Examples()->Count();
}
BENCHMARK(BM_EnterExamples)->Name("EnterExamples")->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moraku::bench
