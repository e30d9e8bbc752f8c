#include "sgf/sgf_export.h"

#include <optional>
#include <vector>

#include "board/coords.h"

namespace moraku {

namespace {

// One node of the tree being built. Its items are its children in order: a non-negative item is
// a move node, a negative item -k is entry k ending here.
struct TreeNode {
  int row = 0;  // 0 with col 0: a pass
  int col = 0;
  bool black = true;
  std::vector<int> items;
};

// Whether `node` carries its single entry's properties itself.
bool CarriesEntry(const TreeNode& node) {
  return node.items.size() == 1 && node.items[0] < 0;
}

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

// The points of a stone string, or nullopt when it is not whole triples of points and tenuki.
// A pass is {0, 0}.
std::optional<std::vector<std::pair<int, int>>> MovesOf(const QString& stones, QString* why) {
  if (stones.isEmpty()) {
    *why = QStringLiteral("no stones");
    return std::nullopt;
  }
  if (stones.size() % 3 != 0) {
    *why = QStringLiteral("the stone string is not whole triples");
    return std::nullopt;
  }
  std::vector<std::pair<int, int>> moves;
  for (qsizetype i = 0; i < stones.size(); i += 3) {
    if (stones[i] == u'?' && stones[i + 1] == u'?') {
      moves.emplace_back(0, 0);
      continue;
    }
    const int row = CoordFromChar(QStringView(stones).mid(i, 1));
    const int col = CoordFromChar(QStringView(stones).mid(i + 1, 1));
    if (row < 1 || row > kBoardSize || col < 1 || col > kBoardSize) {
      *why = QStringLiteral("triple %1 is not a point").arg(i / 3 + 1);
      return std::nullopt;
    }
    moves.emplace_back(row, col);
  }
  return moves;
}

class TreeWriter {
 public:
  TreeWriter(const EntryTable& table, QString& out) : table_(table), out_(out) {}

  // Adds entry k along the given moves.
  void Add(int k, const std::vector<std::pair<int, int>>& moves);
  // Writes everything below the root, whose own properties are already written.
  void WriteBelowRoot();

 private:
  void WriteMove(int node);
  void WriteEntry(int k);

  const EntryTable& table_;
  QString& out_;
  std::vector<TreeNode> nodes_{TreeNode{}};
};

void TreeWriter::Add(int k, const std::vector<std::pair<int, int>>& moves) {
  int at = 0;
  bool black = true;
  for (const auto& [row, col] : moves) {
    int next = -1;
    for (const int item : nodes_[at].items) {
      if (item >= 0 && nodes_[item].row == row && nodes_[item].col == col) {
        next = item;
        break;
      }
    }
    if (next < 0) {
      next = static_cast<int>(nodes_.size());
      nodes_.push_back(TreeNode{row, col, black, {}});
      nodes_[at].items.push_back(next);
    }
    at = next;
    black = !black;
  }
  nodes_[at].items.push_back(-k);
}

void TreeWriter::WriteMove(int node) {
  const TreeNode& n = nodes_[node];
  out_.append(n.black ? u";B[" : u";W[");
  if (n.row > 0) {
    out_.append(SgfLetter(n.col));
    out_.append(SgfLetter(n.row));
  }
  out_.append(u']');
  if (CarriesEntry(n)) WriteEntry(-n.items[0]);
}

void TreeWriter::WriteEntry(int k) {
  const Entry& e = table_.entries[k];
  if (!e.title.isEmpty()) out_.append(QStringLiteral("N[%1]").arg(Escaped(e.title)));
  if (!e.comment.isEmpty()) out_.append(QStringLiteral("C[%1]").arg(Escaped(e.comment)));
  QString labels;
  ForEachTriple(e.marks, [&](QStringView r, QStringView c, QStringView code) {
    const int row = CoordFromChar(r);
    const int col = CoordFromChar(c);
    if (row < 1 || row > kBoardSize || col < 1 || col > kBoardSize) return;
    QString text;
    if (code.size() == 1 && code[0] >= u'a' && code[0] <= u'e') {
      text = code[0].toUpper();
    } else if (code == u"2") {
      text = QStringLiteral("●");
    } else {
      text = QStringLiteral("○");
    }
    labels.append(u'[');
    labels.append(SgfLetter(col));
    labels.append(SgfLetter(row));
    labels.append(u':');
    labels.append(text);
    labels.append(u']');
  });
  if (!labels.isEmpty()) out_.append(QStringLiteral("LB") + labels);
  out_.append(QStringLiteral("MP[%1]").arg(e.preset.size() / 3));
  out_.append(QStringLiteral("MR[%1]").arg(Escaped(e.ref)));
}

void TreeWriter::WriteBelowRoot() {
  struct Frame {
    int node;
    std::size_t next;  // the next item to write
    bool closes;       // the node began a variation, so its end closes one
  };
  std::vector<Frame> stack{{0, 0, false}};
  while (!stack.empty()) {
    const Frame f = stack.back();
    const TreeNode& n = nodes_[f.node];
    const bool done = CarriesEntry(n) || f.next >= n.items.size();
    if (done) {
      stack.pop_back();
      if (f.closes) out_.append(u')');
      continue;
    }
    stack.back().next = f.next + 1;
    const int item = n.items[f.next];
    if (n.items.size() == 1) {  // a single move goes on in the same sequence
      WriteMove(item);
      stack.push_back({item, 0, false});
      continue;
    }
    out_.append(u"\n(");
    if (item < 0) {
      out_.append(u';');
      WriteEntry(-item);
      out_.append(u')');
    } else {
      WriteMove(item);
      stack.push_back({item, 0, true});
    }
  }
}

}  // namespace

SgfExport SectionToSgf(const EntryTable& table, const QString& gameName) {
  SgfExport result;
  QString out =
      QStringLiteral("(;FF[4]CA[UTF-8]GM[1]SZ[19]AP[Moraku:1.0]GN[%1]\n").arg(Escaped(gameName));
  TreeWriter writer(table, out);
  for (int k = 1; k <= table.Count(); ++k) {
    const QString& stones = table.records[k - 1].stones;
    QString why;
    const std::optional<std::vector<std::pair<int, int>>> moves = MovesOf(stones, &why);
    if (!moves) {
      result.leftOut
          << QStringLiteral("%1 %2: %3").arg(table.records[k - 1].key, table.entries[k].title, why);
      continue;
    }
    writer.Add(k, *moves);
    ++result.written;
  }
  writer.WriteBelowRoot();
  out.append(u")\n");
  result.text = out.toUtf8();
  return result;
}

}  // namespace moraku
