// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgf/sgf_import.h"

#include <QStringList>
#include <algorithm>

#include "board/coords.h"

namespace moraku {

namespace {

constexpr int kSize = 19;
constexpr int kLargestPreset = 19;

enum class Colour { None, Black, White };

enum class PathStatus {
  NoMove,            // no move yet
  Ok,                // a line from Black's first stone
  AwaitingHandicap,  // a root AB setup and no move yet: White's first move makes it a handicap
  Handicap,          // a handicap line: root AB stones, then moves from White's
  WhiteFirst,
  SetupStones,
  OtherBoard
};

// What a path has gathered up to and including one node. The moves and the comments live in
// shared buffers; the state keeps how much of them belongs to the path.
struct PathState {
  PathStatus status = PathStatus::NoMove;
  Colour last = Colour::None;
  std::size_t moves = 0;
  std::size_t comments = 0;     // foreign trees: comments of the path so far
  std::size_t ownComments = 0;  // foreign trees: where the path's own stretch begins
  int preset = -1;              // MP on the path, -1 when none
  QString title;                // foreign trees: the last N of the path's own stretch
  bool hasMr = false;
  QString mr;
  QString gn;
  QString so;
};

// A point of the board given as two SGF letters ("aa" is the top-left point, column first).
std::optional<BoardPoint> PointOf(QByteArrayView raw) {
  if (raw.size() != 2) return std::nullopt;
  const int col = raw[0] - 'a' + 1;
  const int row = raw[1] - 'a' + 1;
  if (col < 1 || col > kSize || row < 1 || row > kSize) return std::nullopt;
  return BoardPoint{row, col};
}

QByteArrayView TrimmedAscii(QByteArrayView raw) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!raw.isEmpty() && space(raw.front())) raw = raw.sliced(1);
  while (!raw.isEmpty() && space(raw.back())) raw.chop(1);
  return raw;
}

// Whether the root of a tree plays on 19 x 19 (SZ[19], SZ[19:19] or no SZ).
bool IsNineteen(const sgf::Collection& sgf, int root) {
  const sgf::Property* sz = sgf.Find(root, "SZ");
  if (sz == nullptr || sz->valueCount == 0) return true;
  const QByteArray raw = TrimmedAscii(sgf.Raw(sgf.values[sz->firstValue])).toByteArray();
  return raw == "19" || raw == "19:19";
}

bool HasOwnFormat(const sgf::Collection& sgf) {
  return std::any_of(sgf.properties.begin(), sgf.properties.end(),
                     [](const sgf::Property& p) { return p.name == "MKCODE"; });
}

// The handicap stones of the shipped data, in its order, for 2..9 stones.
const std::vector<BoardPoint>& ShippedHandicapOrder(std::size_t count) {
  static const std::vector<std::vector<BoardPoint>> orders = {
      {},
      {},
      {{4, 4}, {16, 16}},
      {{4, 4}, {16, 16}, {16, 4}},
      {{4, 4}, {4, 16}, {16, 4}, {16, 16}},
      {{4, 4}, {4, 16}, {16, 4}, {16, 16}, {10, 10}},
      {{4, 4}, {4, 16}, {16, 4}, {16, 16}, {10, 4}, {10, 16}},
      {{4, 4}, {4, 16}, {16, 4}, {16, 16}, {10, 4}, {10, 16}, {10, 10}},
      {{4, 4}, {4, 16}, {16, 4}, {16, 16}, {10, 4}, {10, 16}, {4, 10}, {16, 10}},
      {{4, 4}, {4, 10}, {10, 4}, {4, 16}, {16, 4}, {16, 16}, {10, 10}, {10, 16}, {16, 10}}};
  return orders[count < orders.size() ? count : 0];
}

class PathWalker {
 public:
  PathWalker(const sgf::Collection& sgf, const SgfImportOptions& options, SgfPaths& out)
      : sgf_(sgf),
        options_(options),
        defaultPreset_(std::clamp(options.defaultPreset, 0, kLargestPreset)),
        ownFormat_(HasOwnFormat(sgf)),
        out_(out) {}

  // Visits every path of the tree rooted at `root`. Returns false after setting the error.
  bool Walk(int root);

 private:
  bool Apply(int node, bool ownStretchBegins, PathState& state);
  bool Setup(int node, PathState& state);
  bool Move(int node, Colour colour, const sgf::Value& value, PathState& state);
  bool Emit(int end, const PathState& state);
  void CountDroppedMarks(int node, bool isEnd);
  QString Marks(int end, BoardSymmetry symmetry);
  QString Text(int node, const char* name) const;
  bool Fail(qsizetype offset, const QString& text) {
    sgf_.Position(offset, &out_.line, &out_.column);
    out_.error = text;
    return false;
  }

  const sgf::Collection& sgf_;
  const SgfImportOptions& options_;
  int defaultPreset_;
  bool ownFormat_;
  SgfPaths& out_;
  std::vector<LineMove> moves_;       // the moves of the path being walked
  QStringList comments_;              // foreign trees: the comments of the path being walked
  std::vector<BoardPoint> handicap_;  // the root's AB stones of the tree being walked
};

bool PathWalker::Walk(int root) {
  struct Frame {
    int node;
    int nextChild;
    PathState state;
  };
  std::vector<Frame> stack;
  // Enters `node` below a parent whose path state is `from`.
  auto enter = [&](int node, const PathState& from, bool ownStretchBegins) {
    moves_.resize(from.moves);
    comments_.resize(static_cast<qsizetype>(from.comments));
    Frame frame{node, sgf_.nodes[node].firstChild, from};
    if (!Apply(node, ownStretchBegins, frame.state)) return false;
    const bool leaf = frame.nextChild < 0;
    const bool ends = ownFormat_ ? sgf_.Find(node, "MKCODE") != nullptr : leaf;
    if (ends && !Emit(node, frame.state)) return false;
    stack.push_back(std::move(frame));
    return true;
  };

  PathState start;
  if (!IsNineteen(sgf_, root)) start.status = PathStatus::OtherBoard;
  moves_.clear();
  comments_.clear();
  handicap_.clear();
  if (!enter(root, start, true)) return false;
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.nextChild < 0) {
      stack.pop_back();
      continue;
    }
    const int child = top.nextChild;
    const bool branches =
        sgf_.nodes[top.node].firstChild != child || sgf_.nodes[child].nextSibling >= 0;
    top.nextChild = sgf_.nodes[child].nextSibling;
    const PathState from = top.state;  // `top` does not survive the push
    if (!enter(child, from, branches)) return false;
  }
  return true;
}

QString PathWalker::Text(int node, const char* name) const {
  const sgf::Property* p = sgf_.Find(node, name);
  if (p == nullptr || p->valueCount == 0) return QString();
  return sgf_.Text(node, sgf_.values[p->firstValue]);
}

bool PathWalker::Apply(int node, bool ownStretchBegins, PathState& state) {
  const sgf::Node& n = sgf_.nodes[node];
  const bool root = n.parent < 0;
  if (ownStretchBegins && !ownFormat_) {
    state.ownComments = state.comments;
    state.title.clear();
  }
  if (!Setup(node, state)) return false;
  for (int i = 0; i < n.propertyCount; ++i) {
    const sgf::Property& p = sgf_.properties[n.firstProperty + i];
    if (p.valueCount == 0) continue;
    const sgf::Value& first = sgf_.values[p.firstValue];
    if (p.name == "B" || p.name == "W") {
      const Colour colour = p.name == "B" ? Colour::Black : Colour::White;
      for (int v = 0; v < p.valueCount; ++v) {
        if (!Move(node, colour, sgf_.values[p.firstValue + v], state)) return false;
      }
    } else if (ownFormat_ || root) {
      if (p.name == "GN") state.gn = sgf_.SimpleText(node, first);
      if (p.name == "SO") state.so = sgf_.SimpleText(node, first);
    } else if (p.name == "N") {
      const QString title = sgf_.SimpleText(node, first).trimmed();
      if (!title.isEmpty()) state.title = title;
    } else if (p.name == "C") {
      const QString comment = sgf_.Text(node, first);
      if (!comment.trimmed().isEmpty()) {
        comments_.append(comment);
        state.comments = static_cast<std::size_t>(comments_.size());
      }
    } else if (p.name == "MP") {
      bool ok = false;
      const int preset = QString::fromLatin1(TrimmedAscii(sgf_.Raw(first))).toInt(&ok);
      if (ok && preset >= 0 && preset <= kLargestPreset) state.preset = preset;
    } else if (p.name == "MR" || p.name == "MKREF") {
      state.hasMr = true;
      state.mr = sgf_.SimpleText(node, first);
    }
  }
  const bool isEnd = ownFormat_ ? sgf_.Find(node, "MKCODE") != nullptr : n.firstChild < 0;
  CountDroppedMarks(node, isEnd);
  return true;
}

// Reads the setup properties of `node`: a root AB alone may begin a handicap line; any other
// setup makes the paths through the node unrepresentable.
bool PathWalker::Setup(int node, PathState& state) {
  const sgf::Property* ab = sgf_.Find(node, "AB");
  const bool others = sgf_.Find(node, "AW") != nullptr || sgf_.Find(node, "AE") != nullptr;
  if (ab == nullptr && !others) return true;
  if (state.status == PathStatus::OtherBoard || state.status == PathStatus::SetupStones) {
    return true;
  }
  const bool root = sgf_.nodes[node].parent < 0;
  if (!root || others || ab == nullptr) {
    state.status = PathStatus::SetupStones;
    return true;
  }
  for (int v = 0; v < ab->valueCount; ++v) {
    const sgf::Value& value = sgf_.values[ab->firstValue + v];
    const QByteArrayView raw = TrimmedAscii(sgf_.Raw(value));
    const qsizetype colon = raw.indexOf(':');
    const std::optional<BoardPoint> from = PointOf(colon < 0 ? raw : raw.first(colon));
    const std::optional<BoardPoint> to = colon < 0 ? from : PointOf(raw.sliced(colon + 1));
    if (!from || !to) {
      return Fail(value.offset,
                  QStringLiteral("setup stone \"%1\" is not a point of the 19x19 board")
                      .arg(QString::fromLatin1(raw)));
    }
    for (int r = std::min(from->row, to->row); r <= std::max(from->row, to->row); ++r) {
      for (int c = std::min(from->col, to->col); c <= std::max(from->col, to->col); ++c) {
        if (std::find(handicap_.begin(), handicap_.end(), BoardPoint{r, c}) == handicap_.end()) {
          handicap_.push_back({r, c});
        }
      }
    }
  }
  if (const sgf::Property* ha = sgf_.Find(node, "HA"); ha != nullptr && ha->valueCount > 0) {
    bool ok = false;
    const sgf::Value& value = sgf_.values[ha->firstValue];
    const int count = QString::fromLatin1(TrimmedAscii(sgf_.Raw(value))).toInt(&ok);
    if (ok && count != static_cast<int>(handicap_.size())) {
      return Fail(value.offset,
                  QStringLiteral("HA[%1] but %2 handicap stones").arg(count).arg(handicap_.size()));
    }
  }
  const sgf::Property* pl = sgf_.Find(node, "PL");
  const bool blackToMove = pl != nullptr && pl->valueCount > 0 &&
                           TrimmedAscii(sgf_.Raw(sgf_.values[pl->firstValue])) == "B";
  state.status =
      handicap_.size() < 2 || blackToMove ? PathStatus::SetupStones : PathStatus::AwaitingHandicap;
  return true;
}

bool PathWalker::Move(int node, Colour colour, const sgf::Value& value, PathState& state) {
  if (state.status == PathStatus::OtherBoard) return true;
  const QByteArrayView raw = TrimmedAscii(sgf_.Raw(value));
  LineMove point;
  if (!raw.isEmpty() && raw != "tt") {
    point = PointOf(raw);
    if (!point) {
      return Fail(value.offset, QStringLiteral("move \"%1\" is not a point of the 19x19 board")
                                    .arg(sgf_.SimpleText(node, value)));
    }
  }
  switch (state.status) {
    case PathStatus::NoMove:
      state.status = colour == Colour::White ? PathStatus::WhiteFirst : PathStatus::Ok;
      if (colour == Colour::White) return true;
      break;
    case PathStatus::AwaitingHandicap:
      state.status = colour == Colour::White ? PathStatus::Handicap : PathStatus::SetupStones;
      if (colour == Colour::Black) return true;
      break;
    case PathStatus::Ok:
    case PathStatus::Handicap:
      if (colour == state.last) moves_.emplace_back(std::nullopt);  // a tenuki in between
      break;
    default:
      return true;
  }
  moves_.push_back(point);
  state.last = colour;
  state.moves = moves_.size();
  return true;
}

void PathWalker::CountDroppedMarks(int node, bool isEnd) {
  const sgf::Node& n = sgf_.nodes[node];
  for (int i = 0; i < n.propertyCount; ++i) {
    const sgf::Property& p = sgf_.properties[n.firstProperty + i];
    if (p.name == "TR" || p.name == "CR" || p.name == "SQ" || p.name == "MA" || p.name == "M") {
      out_.marksDropped += p.valueCount;
    } else if (!isEnd && (p.name == "LB" || p.name == "L")) {
      out_.marksDropped += p.valueCount;
    }
  }
}

QString PathWalker::Marks(int end, BoardSymmetry symmetry) {
  QString marks;
  const sgf::Node& n = sgf_.nodes[end];
  for (int i = 0; i < n.propertyCount; ++i) {
    const sgf::Property& p = sgf_.properties[n.firstProperty + i];
    for (int v = 0; v < p.valueCount; ++v) {
      const sgf::Value& value = sgf_.values[p.firstValue + v];
      std::optional<BoardPoint> point;
      QChar code;
      if (p.name == "LB") {
        sgf::Value where;
        sgf::Value text;
        if (!sgf_.SplitCompose(end, value, &where, &text)) {
          ++out_.marksDropped;
          continue;
        }
        point = PointOf(TrimmedAscii(sgf_.Raw(where)));
        const QString label = sgf_.SimpleText(end, text).trimmed();
        const char16_t c = label.size() == 1 ? label[0].unicode() : 0;
        if (c >= u'A' && c <= u'E') {
          code = QChar(c - u'A' + u'a');
        } else if (c >= u'a' && c <= u'e') {
          code = QChar(c);
        } else if (c == u'●') {
          code = QChar(u'2');
        } else if (c == u'○') {
          code = QChar(u'1');
        }
      } else if (p.name == "L") {
        point = PointOf(TrimmedAscii(sgf_.Raw(value)));
        if (v < 5) code = QChar(u'a' + v);
      } else {
        continue;
      }
      if (!point || code.isNull()) {
        ++out_.marksDropped;
        continue;
      }
      const BoardPoint p2 = Transformed(symmetry, *point);
      marks.append(CharFromCoord(p2.row));
      marks.append(CharFromCoord(p2.col));
      marks.append(code);
    }
  }
  return marks;
}

bool PathWalker::Emit(int end, const PathState& state) {
  switch (state.status) {
    case PathStatus::NoMove:
      ++out_.notOnOpeningPoint;
      return true;
    case PathStatus::WhiteFirst:
      ++out_.whiteFirst;
      return true;
    case PathStatus::OtherBoard:
      ++out_.otherBoardSize;
      return true;
    case PathStatus::SetupStones:
    case PathStatus::AwaitingHandicap:
      ++out_.setupStones;
      return true;
    case PathStatus::Ok:
    case PathStatus::Handicap:
      break;
  }
  SgfEntry entry;
  sgf_.Position(sgf_.NodeOffset(end), &entry.line, &entry.column);
  const bool handicap = state.status == PathStatus::Handicap;

  // The entry code and with it the section.
  if (ownFormat_) {
    entry.code = Text(end, "MKCODE").trimmed();
    entry.section = entry.code.isEmpty() ? QChar() : entry.code[0];
  } else {
    entry.section = handicap ? QChar(u'0') : options_.section;
  }
  if (entry.section.isNull()) {
    ++out_.noSection;
    return true;
  }

  // The preset count.
  int presetCount = state.preset >= 0 ? state.preset : defaultPreset_;
  if (handicap) presetCount = 2 * static_cast<int>(handicap_.size()) - 1;
  if (ownFormat_) {
    if (const sgf::Property* p = sgf_.Find(end, "MKPRESET"); p != nullptr && p->valueCount > 0) {
      entry.preset = sgf_.SimpleText(end, sgf_.values[p->firstValue]).trimmed();
      presetCount = CoordFromChar(entry.preset);
    } else if (const sgf::Property* mp = sgf_.Find(end, "MP"); mp != nullptr && mp->valueCount) {
      bool ok = false;
      const int n =
          QString::fromLatin1(TrimmedAscii(sgf_.Raw(sgf_.values[mp->firstValue]))).toInt(&ok);
      presetCount = ok ? std::clamp(n, 0, kLargestPreset) : 1;
    } else {
      presetCount = 1;
    }
  }

  // The moves, turned into the stored orientation.
  std::vector<LineMove> moves(moves_.begin(), moves_.begin() + static_cast<long>(state.moves));
  std::optional<BoardSymmetry> symmetry;
  if (handicap) {
    // The corner White plays in is the one the line is about; its 4-4 point must hold a stone.
    const BoardPoint firstWhite = moves.front().value_or(BoardPoint{10, 10});
    std::optional<BoardPoint> corner;
    if (firstWhite.row != 10 && firstWhite.col != 10) {
      corner = BoardPoint{firstWhite.row < 10 ? 4 : 16, firstWhite.col < 10 ? 4 : 16};
    }
    if (!corner || std::find(handicap_.begin(), handicap_.end(), *corner) == handicap_.end()) {
      ++out_.setupStones;
      return true;
    }
    std::vector<LineMove> line{*corner};
    for (const BoardPoint& p : handicap_) {
      if (!(p == *corner)) {
        line.emplace_back(std::nullopt);
        line.emplace_back(p);
      }
    }
    line.insert(line.end(), moves.begin(), moves.end());
    symmetry = StoredOrientation(line, presetCount, OpeningPoint::StarPoint);
    std::optional<std::vector<LineMove>> preset = HandicapPreset(handicap_, *symmetry);
    for (LineMove& m : moves) {
      if (m) m = Transformed(*symmetry, *m);
    }
    moves.insert(moves.begin(), preset->begin(), preset->end());
    entry.stones = StonesOfMoves(moves, BoardSymmetry{});
  } else {
    symmetry = StoredOrientation(moves, presetCount, OpeningOfSection(entry.section));
    if (!symmetry) {
      ++out_.notOnOpeningPoint;
      return true;
    }
    entry.stones = StonesOfMoves(moves, *symmetry);
  }
  entry.presetCount = std::min(presetCount, static_cast<int>(moves.size()));
  if (entry.preset.isEmpty()) entry.preset = QString(CharFromCoord(entry.presetCount));
  entry.marks = Marks(end, *symmetry);

  // The texts.
  if (ownFormat_) {
    if (const sgf::Property* n = sgf_.Find(end, "N"); n != nullptr && n->valueCount) {
      entry.title = sgf_.SimpleText(end, sgf_.values[n->firstValue]).trimmed();
    }
    entry.comment = Text(end, "C");
    if (const sgf::Property* ref = sgf_.Find(end, "MKREF"); ref != nullptr && ref->valueCount) {
      entry.ref = sgf_.SimpleText(end, sgf_.values[ref->firstValue]);
    } else if (const sgf::Property* mr = sgf_.Find(end, "MR"); mr != nullptr && mr->valueCount) {
      entry.ref = sgf_.SimpleText(end, sgf_.values[mr->firstValue]);
    }
    entry.record = Text(end, "MKRECORD");
    if (!symmetry->IsIdentity() && !entry.record.contains(u' ') && !entry.record.contains(u'　')) {
      const qsizetype bar = entry.record.indexOf(u'|', entry.record.indexOf(u'|') + 1);
      if (bar > 0) {
        entry.record = entry.record.left(bar + 1) +
                       TurnedCoordinates(entry.record.mid(bar + 1), *symmetry, false);
      }
    }
    if (sgf_.Find(end, "MKONE") != nullptr) entry.one = Text(end, "MKONE").trimmed();
    if (const sgf::Property* id = sgf_.Find(end, "MKID"); id != nullptr && id->valueCount) {
      const sgf::Value& value = sgf_.values[id->firstValue];
      bool ok = false;
      const qlonglong n = QString::fromLatin1(TrimmedAscii(sgf_.Raw(value))).toLongLong(&ok);
      if (!ok) {
        return Fail(
            value.offset,
            QStringLiteral("MKID[%1] is not an integer").arg(QString::fromLatin1(sgf_.Raw(value))));
      }
      entry.id = n;
    }
  } else {
    entry.title = state.title;
    entry.comment = comments_
                        .mid(static_cast<qsizetype>(state.ownComments),
                             static_cast<qsizetype>(state.comments - state.ownComments))
                        .join(u'\n');
    entry.ref = state.hasMr ? state.mr : (!state.gn.isEmpty() ? state.gn : state.so);
  }
  out_.entries.push_back(std::move(entry));
  return true;
}

}  // namespace

std::optional<std::vector<LineMove>> HandicapPreset(std::vector<BoardPoint> stones,
                                                    BoardSymmetry toUpperLeft) {
  for (BoardPoint& p : stones) p = Transformed(toUpperLeft, p);
  const BoardPoint corner{4, 4};
  if (std::find(stones.begin(), stones.end(), corner) == stones.end()) return std::nullopt;
  const std::vector<BoardPoint>& order = ShippedHandicapOrder(stones.size());
  auto rank = [&](const BoardPoint& p) {
    if (p == corner) return -1;
    const auto at = std::find(order.begin(), order.end(), p);
    if (at != order.end()) return static_cast<int>(at - order.begin());
    return 100 + (p.row - 1) * kSize + (p.col - 1);
  };
  std::stable_sort(stones.begin(), stones.end(),
                   [&](const BoardPoint& a, const BoardPoint& b) { return rank(a) < rank(b); });
  std::vector<LineMove> preset;
  for (const BoardPoint& p : stones) {
    if (!preset.empty()) preset.emplace_back(std::nullopt);
    preset.emplace_back(p);
  }
  return preset;
}

SgfPaths EntriesFromSgf(const sgf::Collection& sgf, const SgfImportOptions& options) {
  SgfPaths out;
  PathWalker walker(sgf, options, out);
  for (const sgf::GameTree& tree : sgf.trees) {
    if (!walker.Walk(tree.root)) {
      out.entries.clear();
      return out;
    }
  }
  return out;
}

}  // namespace moraku
