// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/game_record.h"

#include <algorithm>
#include <optional>

#include "board/coords.h"
#include "sgf/sgf_parser.h"

namespace moraku::games {

namespace {

QByteArrayView Trimmed(QByteArrayView raw) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!raw.isEmpty() && blank(raw.front())) raw = raw.sliced(1);
  while (!raw.isEmpty() && blank(raw.back())) raw.chop(1);
  return raw;
}

// A move value: a point, a pass (empty, or "tt" as older files write it), or nothing valid.
std::optional<GameMove> MoveOf(QByteArrayView raw, int color) {
  raw = Trimmed(raw);
  if (raw.isEmpty() || raw == "tt") return GameMove{0, 0, color};
  if (raw.size() != 2) return std::nullopt;
  const int col = raw[0] - 'a' + 1;
  const int row = raw[1] - 'a' + 1;
  if (col < 1 || col > kGameBoardSize || row < 1 || row > kGameBoardSize) return std::nullopt;
  return GameMove{row, col, color};
}

// The points of a setup value: one point or a compressed rectangle "aa:cc".
bool AddSetupPoints(QByteArrayView raw, int color, std::vector<GameMove>& setup) {
  raw = Trimmed(raw);
  const qsizetype colon = raw.indexOf(':');
  if (colon < 0) {
    const std::optional<GameMove> m = MoveOf(raw, color);
    if (!m || m->row == 0) return false;
    setup.push_back(*m);
    return true;
  }
  const std::optional<GameMove> a = MoveOf(raw.first(colon), color);
  const std::optional<GameMove> b = MoveOf(raw.sliced(colon + 1), color);
  if (!a || !b || a->row == 0 || b->row == 0) return false;
  for (int r = std::min(a->row, b->row); r <= std::max(a->row, b->row); ++r)
    for (int c = std::min(a->col, b->col); c <= std::max(a->col, b->col); ++c)
      setup.push_back(GameMove{r, c, color});
  return true;
}

bool IsNineteen(const sgf::Collection& sgf, int root) {
  const sgf::Property* sz = sgf.Find(root, "SZ");
  if (sz == nullptr || sz->valueCount == 0) return true;
  const QByteArrayView raw = Trimmed(sgf.Raw(sgf.values[sz->firstValue]));
  return raw == "19" || raw == "19:19";
}

QString RootText(const sgf::Collection& sgf, int root, const char* name) {
  const sgf::Property* p = sgf.Find(root, name);
  if (p == nullptr || p->valueCount == 0) return QString();
  return sgf.SimpleText(root, sgf.values[p->firstValue]).trimmed();
}

ReadGame ReadTree(const sgf::Collection& sgf, int root, const QString& source) {
  ReadGame read;
  GameRecord& g = read.game;
  if (!IsNineteen(sgf, root)) {
    read.skipped = SkipReason::BoardSize;
    return read;
  }
  g.black = RootText(sgf, root, "PB");
  g.white = RootText(sgf, root, "PW");
  g.blackRank = RootText(sgf, root, "BR");
  g.whiteRank = RootText(sgf, root, "WR");
  g.date = RootText(sgf, root, "DT");
  g.event = RootText(sgf, root, "EV");
  g.result = RootText(sgf, root, "RE");
  g.source = source;
  for (const auto& [name, color] : {std::pair{"AB", kBlack}, std::pair{"AW", kWhite}}) {
    const sgf::Property* p = sgf.Find(root, name);
    if (p == nullptr) continue;
    for (int v = 0; v < p->valueCount; ++v) {
      if (!AddSetupPoints(sgf.Raw(sgf.values[p->firstValue + v]), color, g.setup)) {
        read.skipped = SkipReason::BadMove;
        return read;
      }
    }
  }
  for (int node = root; node >= 0; node = sgf.nodes[node].firstChild) {
    for (const auto& [name, color] : {std::pair{"B", kBlack}, std::pair{"W", kWhite}}) {
      const sgf::Property* p = sgf.Find(node, name);
      if (p == nullptr || p->valueCount == 0) continue;
      const std::optional<GameMove> m = MoveOf(sgf.Raw(sgf.values[p->firstValue]), color);
      if (!m) {
        read.skipped = SkipReason::BadMove;
        return read;
      }
      g.moves.push_back(*m);
    }
  }
  bool anyStone = false;
  for (const GameMove& m : g.moves) anyStone = anyStone || m.row != 0;
  if (!anyStone) read.skipped = SkipReason::NoMoves;
  return read;
}

}  // namespace

const char* SkipReasonText(SkipReason reason) {
  switch (reason) {
    case SkipReason::None:
      return "";
    case SkipReason::BoardSize:
      return "not 19 x 19";
    case SkipReason::NoMoves:
      return "no moves";
    case SkipReason::BadMove:
      return "a move off the board";
  }
  return "";
}

GameFileRead ReadGames(const QByteArray& bytes, const QString& source) {
  GameFileRead file;
  const sgf::ParseResult parsed = sgf::Parse(bytes);
  if (!parsed.ok()) {
    file.error = QStringLiteral("%1:%2: %3").arg(parsed.line).arg(parsed.column).arg(parsed.error);
    return file;
  }
  for (const sgf::GameTree& tree : parsed.collection.trees)
    file.games.push_back(ReadTree(parsed.collection, tree.root, source));
  return file;
}

}  // namespace moraku::games
