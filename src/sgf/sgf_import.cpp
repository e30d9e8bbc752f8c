#include "sgf/sgf_import.h"

#include <QStringList>
#include <algorithm>

#include "board/coords.h"

namespace moraku {

namespace {

constexpr int kSize = 19;
constexpr int kStarLine = 4;  // the 4-4 points lie on lines 4 and 16
const QString kTenuki = QStringLiteral("???");

enum class Colour { None, Black, White };

enum class PathStatus { NoMove, Ok, NotOnStarPoint, WhiteFirst, OtherBoard };

// What a path has gathered up to and including one node. The stone string and the comments live
// in shared buffers; the state keeps how much of them belongs to the path.
struct PathState {
  PathStatus status = PathStatus::NoMove;
  BoardSymmetry symmetry;
  Colour last = Colour::None;
  qsizetype stonesLength = 0;
  int triples = 0;
  std::size_t comments = 0;
  int preset = -1;  // MP on the path, -1 when none
  QString title;
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
  while (!raw.isEmpty() && (raw.front() == ' ' || raw.front() == '\t' || raw.front() == '\n' ||
                            raw.front() == '\r')) {
    raw = raw.sliced(1);
  }
  while (!raw.isEmpty() &&
         (raw.back() == ' ' || raw.back() == '\t' || raw.back() == '\n' || raw.back() == '\r')) {
    raw.chop(1);
  }
  return raw;
}

// Whether the root of `tree` plays on 19 x 19 (SZ[19], SZ[19:19] or no SZ).
bool IsNineteen(const sgf::Collection& sgf, int root) {
  const sgf::Property* sz = sgf.Find(root, "SZ");
  if (sz == nullptr || sz->valueCount == 0) return true;
  const QByteArray raw = TrimmedAscii(sgf.Raw(sgf.values[sz->firstValue])).toByteArray();
  return raw == "19" || raw == "19:19";
}

QString Triple(BoardPoint p, QChar code) {
  QString t;
  t.reserve(3);
  t.append(CharFromCoord(p.row));
  t.append(CharFromCoord(p.col));
  t.append(code);
  return t;
}

class PathWalker {
 public:
  PathWalker(const sgf::Collection& sgf, int defaultPreset, SgfPaths& out)
      : sgf_(sgf), defaultPreset_(defaultPreset), out_(out) {}

  // Visits every path of the tree rooted at `root`. Returns false after setting the error.
  bool Walk(int root);

 private:
  bool Apply(int node, PathState& state);
  bool Move(int node, Colour colour, const sgf::Value& value, PathState& state);
  void Emit(int leaf, const PathState& state);
  QString Marks(int leaf, BoardSymmetry symmetry) const;
  bool Fail(qsizetype offset, const QString& text) {
    sgf_.Position(offset, &out_.line, &out_.column);
    out_.error = text;
    return false;
  }

  const sgf::Collection& sgf_;
  int defaultPreset_;
  SgfPaths& out_;
  QString stones_;        // the stone string of the path being walked
  QStringList comments_;  // the comments of the path being walked
};

bool PathWalker::Walk(int root) {
  struct Frame {
    int node;
    int nextChild;
    PathState state;
  };
  std::vector<Frame> stack;
  // Enters `node` below a parent whose path state is `from`.
  auto enter = [&](int node, const PathState& from) {
    stones_.truncate(from.stonesLength);
    comments_.resize(static_cast<qsizetype>(from.comments));
    Frame frame{node, sgf_.nodes[node].firstChild, from};
    if (!Apply(node, frame.state)) return false;
    if (frame.nextChild < 0) Emit(node, frame.state);
    stack.push_back(std::move(frame));
    return true;
  };

  PathState start;
  if (!IsNineteen(sgf_, root)) start.status = PathStatus::OtherBoard;
  stones_.clear();
  comments_.clear();
  if (!enter(root, start)) return false;
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.nextChild < 0) {
      stack.pop_back();
      continue;
    }
    const int child = top.nextChild;
    top.nextChild = sgf_.nodes[child].nextSibling;
    const PathState from = top.state;  // `top` does not survive the push
    if (!enter(child, from)) return false;
  }
  return true;
}

bool PathWalker::Apply(int node, PathState& state) {
  const sgf::Node& n = sgf_.nodes[node];
  for (int i = 0; i < n.propertyCount; ++i) {
    const sgf::Property& p = sgf_.properties[n.firstProperty + i];
    if (p.valueCount == 0) continue;
    const sgf::Value& first = sgf_.values[p.firstValue];
    if (p.name == "B" || p.name == "W") {
      const Colour colour = p.name == "B" ? Colour::Black : Colour::White;
      for (int v = 0; v < p.valueCount; ++v) {
        if (!Move(node, colour, sgf_.values[p.firstValue + v], state)) return false;
      }
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
      if (ok && preset >= 0 && preset <= kSize) state.preset = preset;
    } else if (p.name == "MR") {
      state.hasMr = true;
      state.mr = sgf_.SimpleText(node, first);
    } else if (p.name == "GN") {
      state.gn = sgf_.SimpleText(node, first);
    } else if (p.name == "SO") {
      state.so = sgf_.SimpleText(node, first);
    }
  }
  return true;
}

bool PathWalker::Move(int node, Colour colour, const sgf::Value& value, PathState& state) {
  if (state.status == PathStatus::OtherBoard) return true;
  const QByteArrayView raw = TrimmedAscii(sgf_.Raw(value));
  std::optional<BoardPoint> point;
  if (!raw.isEmpty() && raw != "tt") {
    point = PointOf(raw);
    if (!point) {
      return Fail(value.offset, QStringLiteral("move \"%1\" is not a point of the 19x19 board")
                                    .arg(sgf_.SimpleText(node, value)));
    }
  }
  switch (state.status) {
    case PathStatus::NoMove: {
      if (colour == Colour::White) {
        state.status = PathStatus::WhiteFirst;
        return true;
      }
      const std::optional<BoardSymmetry> symmetry =
          point ? SymmetryToUpperLeft(*point) : std::nullopt;
      if (!symmetry) {
        state.status = PathStatus::NotOnStarPoint;
        return true;
      }
      state.status = PathStatus::Ok;
      state.symmetry = *symmetry;
      break;
    }
    case PathStatus::Ok:
      if (colour == state.last) {
        stones_.append(kTenuki);  // the other colour played elsewhere in between
        ++state.triples;
      }
      break;
    default:
      return true;
  }
  if (point) {
    stones_.append(Triple(Transformed(state.symmetry, *point),
                          colour == Colour::Black ? QChar(u'2') : QChar(u'1')));
  } else {
    stones_.append(kTenuki);
  }
  ++state.triples;
  state.last = colour;
  state.stonesLength = stones_.size();
  return true;
}

QString PathWalker::Marks(int leaf, BoardSymmetry symmetry) const {
  QString marks;
  const sgf::Node& n = sgf_.nodes[leaf];
  for (int i = 0; i < n.propertyCount; ++i) {
    const sgf::Property& p = sgf_.properties[n.firstProperty + i];
    for (int v = 0; v < p.valueCount; ++v) {
      const sgf::Value& value = sgf_.values[p.firstValue + v];
      std::optional<BoardPoint> point;
      QChar code;
      if (p.name == "LB") {
        sgf::Value where;
        sgf::Value text;
        if (!sgf_.SplitCompose(leaf, value, &where, &text)) continue;
        point = PointOf(TrimmedAscii(sgf_.Raw(where)));
        const QString label = sgf_.SimpleText(leaf, text).trimmed();
        if (label.size() != 1) continue;
        const char16_t c = label[0].unicode();
        if (c >= u'A' && c <= u'E') {
          code = QChar(c - u'A' + u'a');
        } else if (c >= u'a' && c <= u'e') {
          code = QChar(c);
        } else if (c == u'●') {
          code = QChar(u'2');
        } else if (c == u'○') {
          code = QChar(u'1');
        } else {
          continue;
        }
      } else if (p.name == "L" && v < 5) {
        point = PointOf(TrimmedAscii(sgf_.Raw(value)));
        code = QChar(u'a' + v);
      } else {
        continue;
      }
      if (point) marks.append(Triple(Transformed(symmetry, *point), code));
    }
  }
  return marks;
}

void PathWalker::Emit(int leaf, const PathState& state) {
  switch (state.status) {
    case PathStatus::NoMove:
    case PathStatus::NotOnStarPoint:
      ++out_.notOnStarPoint;
      return;
    case PathStatus::WhiteFirst:
      ++out_.whiteFirst;
      return;
    case PathStatus::OtherBoard:
      ++out_.otherBoardSize;
      return;
    case PathStatus::Ok:
      break;
  }
  SgfEntry entry;
  entry.stones = stones_.left(state.stonesLength);
  entry.presetCount = std::min(state.preset >= 0 ? state.preset : defaultPreset_, state.triples);
  entry.title = state.title;
  entry.comment = comments_.mid(0, static_cast<qsizetype>(state.comments)).join(u'\n');
  entry.ref = state.hasMr ? state.mr : (!state.gn.isEmpty() ? state.gn : state.so);
  entry.marks = Marks(leaf, state.symmetry);
  out_.entries.push_back(std::move(entry));
}

}  // namespace

BoardPoint Transformed(BoardSymmetry symmetry, BoardPoint p) {
  if (symmetry.transpose) std::swap(p.row, p.col);
  if (symmetry.mirrorRows) p.row = kSize + 1 - p.row;
  if (symmetry.mirrorCols) p.col = kSize + 1 - p.col;
  return p;
}

std::optional<BoardSymmetry> SymmetryToUpperLeft(BoardPoint first) {
  constexpr int kFar = kSize + 1 - kStarLine;
  const bool rowOk = first.row == kStarLine || first.row == kFar;
  const bool colOk = first.col == kStarLine || first.col == kFar;
  if (!rowOk || !colOk) return std::nullopt;
  BoardSymmetry s;
  s.mirrorRows = first.row == kFar;
  s.mirrorCols = first.col == kFar;
  return s;
}

SgfPaths EntriesFromSgf(const sgf::Collection& sgf, int defaultPreset) {
  SgfPaths out;
  PathWalker walker(sgf, std::clamp(defaultPreset, 0, kSize), out);
  for (const sgf::GameTree& tree : sgf.trees) {
    if (!walker.Walk(tree.root)) {
      out.entries.clear();
      return out;
    }
  }
  return out;
}

}  // namespace moraku
