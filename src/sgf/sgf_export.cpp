// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgf/sgf_export.h"

#include <algorithm>
#include <map>
#include <optional>

#include "board/coords.h"
#include "data/sections.h"
#include "sgf/line_orientation.h"

namespace moraku {

namespace {

// One node of the tree being built: its move, the entries ending on it and its children.
struct TreeNode {
  LineMove move;
  bool black = true;
  std::vector<int> entries;   // indexes into the rows
  std::vector<int> children;  // indexes into the nodes
};

QString Escaped(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == u'\\' || c == u']') out.append(u'\\');
    out.append(c);
  }
  return out;
}

QChar SgfLetter(int coordinate) {
  return QChar(u'a' + coordinate - 1);
}

QString SgfPoint(BoardPoint p) {
  return QString(SgfLetter(p.col)) + SgfLetter(p.row);
}

// Value 1..19 of a coordinate character exactly as writers write it; 0 for anything else.
int WrittenCoord(QChar c) {
  return CharFromCoord(CoordFromChar(QStringView(&c, 1))) == c ? CoordFromChar(QStringView(&c, 1))
                                                               : 0;
}

// The labels of a marker string ("[cf:A][dc:●]..."), or nullopt with `why` set.
std::optional<QString> LabelsOf(const QString& marks, QString* why) {
  if (marks.size() % 3 != 0) {
    *why = QStringLiteral("the markers are not whole triples");
    return std::nullopt;
  }
  QString labels;
  for (qsizetype i = 0; i < marks.size(); i += 3) {
    const int row = WrittenCoord(marks[i]);
    const int col = WrittenCoord(marks[i + 1]);
    const QChar code = marks[i + 2];
    QString text;
    if (code >= u'a' && code <= u'e') {
      text = code.toUpper();
    } else if (code == u'2') {
      text = QStringLiteral("●");
    } else if (code == u'1') {
      text = QStringLiteral("○");
    }
    if (row == 0 || col == 0 || text.isEmpty()) {
      *why = QStringLiteral("marker %1 is not a point and a known code").arg(i / 3 + 1);
      return std::nullopt;
    }
    labels += u'[' + SgfPoint({row, col}) + u':' + text + u']';
  }
  return labels;
}

// The moves of a stone string, or nullopt with `why` set.
std::optional<std::vector<LineMove>> MovesOf(const QString& stones, QString* why) {
  std::optional<std::vector<LineMove>> moves = MovesOfStones(stones);
  if (!moves) {
    *why = stones.isEmpty() ? QStringLiteral("no stones")
                            : QStringLiteral("the stones are not whole triples of points");
    return std::nullopt;
  }
  if (StonesOfMoves(*moves, BoardSymmetry{}) != stones) {
    *why = QStringLiteral("the stones do not alternate from black as writers write them");
    return std::nullopt;
  }
  return moves;
}

class TreeWriter {
 public:
  TreeWriter(const std::vector<GocsRow>& rows, QString& out) : rows_(rows), out_(out) {}

  void Add(int row, const std::vector<LineMove>& moves);
  void WriteBelowRoot();

 private:
  void WriteNode(int node);
  void WriteEntry(int row);

  const std::vector<GocsRow>& rows_;
  QString& out_;
  std::vector<TreeNode> nodes_{TreeNode{}};
};

void TreeWriter::Add(int row, const std::vector<LineMove>& moves) {
  int at = 0;
  bool black = true;
  for (const LineMove& move : moves) {
    int next = -1;
    for (const int child : nodes_[at].children) {
      if (nodes_[child].move == move) {
        next = child;
        break;
      }
    }
    if (next < 0) {
      next = static_cast<int>(nodes_.size());
      nodes_.push_back(TreeNode{move, black, {}, {}});
      nodes_[at].children.push_back(next);
    }
    at = next;
    black = !black;
  }
  nodes_[at].entries.push_back(row);
}

void TreeWriter::WriteEntry(int row) {
  const GocsRow& e = rows_[static_cast<std::size_t>(row)];
  out_.append(QStringLiteral("N[%1]").arg(Escaped(e.title)));
  if (!e.comment.isEmpty()) out_.append(QStringLiteral("C[%1]").arg(Escaped(e.comment)));
  QString why;
  const QString labels = LabelsOf(e.marks, &why).value_or(QString());
  if (!labels.isEmpty()) out_.append(QStringLiteral("LB") + labels);
  out_.append(QStringLiteral("MKCODE[%1]MKID[%2]").arg(Escaped(e.five), e.id.trimmed()));
  if (e.preset != u"1") out_.append(QStringLiteral("MKPRESET[%1]").arg(Escaped(e.preset)));
  if (!e.ref.isEmpty()) out_.append(QStringLiteral("MKREF[%1]").arg(Escaped(e.ref)));
  if (!e.record.isEmpty()) out_.append(QStringLiteral("MKRECORD[%1]").arg(Escaped(e.record)));
  if (e.one != u"0") out_.append(QStringLiteral("MKONE[%1]").arg(Escaped(e.one)));
}

// Writes the move of `node` and the first entry ending on it.
void TreeWriter::WriteNode(int node) {
  const TreeNode& n = nodes_[static_cast<std::size_t>(node)];
  out_.append(n.black ? u";B[" : u";W[");
  if (n.move) out_.append(SgfPoint(*n.move));
  out_.append(u']');
  if (!n.entries.empty()) WriteEntry(n.entries.front());
}

void TreeWriter::WriteBelowRoot() {
  // What follows a node: the further entries ending on it (each a node without a move), then
  // its children. A single follower goes on in the same sequence, several are variations.
  struct Frame {
    int node;
    std::size_t next;  // the next follower to write
    bool closes;       // the node began a variation, so its end closes one
  };
  auto followers = [&](int node) {
    const TreeNode& n = nodes_[static_cast<std::size_t>(node)];
    return (n.entries.empty() ? 0 : n.entries.size() - 1) + n.children.size();
  };
  std::vector<Frame> stack{{0, 0, false}};
  while (!stack.empty()) {
    const Frame f = stack.back();
    const TreeNode& n = nodes_[static_cast<std::size_t>(f.node)];
    const std::size_t count = followers(f.node);
    if (f.next >= count) {
      stack.pop_back();
      if (f.closes) out_.append(u')');
      continue;
    }
    stack.back().next = f.next + 1;
    const std::size_t extra = n.entries.empty() ? 0 : n.entries.size() - 1;
    if (count > 1) out_.append(u"\n(");
    if (f.next < extra) {
      out_.append(u';');
      WriteEntry(n.entries[f.next + 1]);
      if (count > 1) out_.append(u')');
      continue;
    }
    const int child = n.children[f.next - extra];
    WriteNode(child);
    stack.push_back({child, 0, count > 1});
  }
}

}  // namespace

QString SectionCaption(QChar sectionChar) {
  const Section* section = SectionOfCode(sectionChar);
  if (section == nullptr) return QStringLiteral("code %1").arg(sectionChar);
  return QString::fromUtf8(section->caption);
}

SgfExport RowsToSgf(const std::vector<GocsRow>& rows) {
  SgfExport result;
  // The rows that can be written, with their moves, by section character.
  std::map<char16_t, std::vector<std::pair<int, std::vector<LineMove>>>> sections;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const GocsRow& e = rows[k];
    QString why;
    std::optional<std::vector<LineMove>> moves = MovesOf(e.stones, &why);
    bool idOk = false;
    e.id.trimmed().toLongLong(&idOk);
    if (moves && !LabelsOf(e.marks, &why)) moves.reset();
    if (moves && !idOk) {
      why = QStringLiteral("the id is not an integer");
      moves.reset();
    }
    if (moves && e.five.isEmpty()) {
      why = QStringLiteral("no code");
      moves.reset();
    }
    if (!moves) {
      result.leftOut << QStringLiteral("%1 %2: %3").arg(e.id, e.title, why);
      continue;
    }
    sections[e.five[0].unicode()].emplace_back(static_cast<int>(k), std::move(*moves));
  }
  QString out;
  for (auto& [sectionChar, entries] : sections) {
    std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
      const GocsRow& x = rows[static_cast<std::size_t>(a.first)];
      const GocsRow& y = rows[static_cast<std::size_t>(b.first)];
      if (x.five != y.five) return x.five < y.five;
      return x.id.toLongLong() < y.id.toLongLong();
    });
    out.append(QStringLiteral("(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[Moraku]GN[%1]\n")
                   .arg(Escaped(SectionCaption(QChar(sectionChar)))));
    TreeWriter writer(rows, out);
    for (const auto& [row, moves] : entries) {
      writer.Add(row, moves);
      ++result.written;
    }
    writer.WriteBelowRoot();
    out.append(u")\n");
  }
  result.text = out.toUtf8();
  return result;
}

}  // namespace moraku
