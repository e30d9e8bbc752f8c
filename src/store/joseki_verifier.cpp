// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/joseki_verifier.h"

#include <QHash>

#include "board/coords.h"

namespace moraku {

namespace {

// One move of a line: a stone on (row, col), or a pass for a tenuki.
struct Move {
  bool black = true;
  bool pass = false;
  int row = 0;
  int col = 0;
};

QString ColourName(bool black) {
  return black ? QStringLiteral("black") : QStringLiteral("white");
}

// The moves of a stone string, colours alternating from Black. Returns false with `problem`
// for a triple that is neither a point nor the tenuki "???".
bool DecodeMoves(QStringView stones, std::vector<Move>* moves, QString* problem) {
  moves->clear();
  for (qsizetype k = 0; 3 * k < stones.size(); ++k) {
    const QStringView t = stones.mid(3 * k, 3);
    Move m;
    m.black = k % 2 == 0;
    if (t == u"???") {
      m.pass = true;
    } else {
      m.row = t.size() == 3 ? CoordFromChar(t.mid(0, 1)) : 0;
      m.col = t.size() == 3 ? CoordFromChar(t.mid(1, 1)) : 0;
      if (m.row < 1 || m.row > kBoardSize || m.col < 1 || m.col > kBoardSize) {
        *problem = QStringLiteral("stones: triple %1 \"%2\" is not a move").arg(k + 1).arg(t);
        return false;
      }
    }
    moves->push_back(m);
  }
  return true;
}

// The stone string seen in the diagonal mirror (row and column swapped in every point).
QString Mirrored(const QString& stones) {
  QString m = stones;
  for (qsizetype k = 0; k + 1 < m.size(); k += 3) std::swap(m[k], m[k + 1]);
  return m;
}

QStringList Words(const QString& line) {
  return line.split(u' ', Qt::SkipEmptyParts);
}

// The lines of an answer, each cut into words.
std::vector<QStringList> Rows(const QString& answer) {
  std::vector<QStringList> rows;
  for (const QString& line : answer.split(u'\n', Qt::SkipEmptyParts)) {
    QStringList words = Words(line);
    if (!words.isEmpty()) rows.push_back(std::move(words));
  }
  return rows;
}

QString StoneCount(qsizetype n) {
  return n == 1 ? QStringLiteral("1 stone") : QStringLiteral("%1 stones").arg(n);
}

class Verifier {
 public:
  Verifier(GtpEngine& engine, VerifyResult& result) : engine_(engine), result_(result) {}

  // Replays and judges one entry; false when the engine was lost.
  bool Verify(const GocsRow& entry);

 private:
  // Sends a command; false when the engine was lost (engineLost is then set).
  bool Ask(const QString& command, GtpReply* reply);
  bool JudgeGroups();
  bool JudgeAtari(bool blackToMove);
  void Report(VerifyFinding::Severity severity, const QString& what);
  // A finding of the group and atari rules: a problem, or a detail for an unfinished line.
  void ReportFault(const QString& what);

  GtpEngine& engine_;
  VerifyResult& result_;
  const GocsRow* entry_ = nullptr;
  bool unfinished_ = false;
  QHash<QString, QString> dragonStatus_;  // vertex of every stone -> its dragon's status
};

bool Verifier::Ask(const QString& command, GtpReply* reply) {
  *reply = engine_.Send(command);
  if (reply->status != GtpReply::Status::Lost) return true;
  result_.engineLost = reply->text;
  return false;
}

void Verifier::Report(VerifyFinding::Severity severity, const QString& what) {
  result_.findings.push_back(
      {severity, entry_->id + u' ' + entry_->title + QStringLiteral(": ") + what});
}

void Verifier::ReportFault(const QString& what) {
  if (unfinished_) {
    Report(VerifyFinding::Severity::Detail,
           what + QStringLiteral(" (excused: the comment marks an unfinished fight)"));
  } else {
    Report(VerifyFinding::Severity::Problem, what);
  }
}

bool Verifier::Verify(const GocsRow& entry) {
  entry_ = &entry;
  unfinished_ = entry.comment.contains(QStringView(kUnfinishedWord));
  std::vector<Move> moves;
  QString problem;
  if (!DecodeMoves(entry.stones, &moves, &problem)) {
    Report(VerifyFinding::Severity::Problem, problem);
    return true;
  }
  GtpReply reply;
  if (!Ask(QStringLiteral("clear_board"), &reply)) return false;
  for (size_t k = 0; k < moves.size(); ++k) {
    const Move& m = moves[k];
    const QString vertex = m.pass ? QStringLiteral("pass") : GtpVertex(m.row, m.col);
    if (!Ask(QStringLiteral("play %1 %2").arg(ColourName(m.black), vertex), &reply)) return false;
    if (!reply.ok()) {
      Report(VerifyFinding::Severity::Problem,
             QStringLiteral("move %1 (%2 %3) cannot be played: %4")
                 .arg(k + 1)
                 .arg(ColourName(m.black), vertex, reply.text));
      return true;
    }
  }
  return JudgeGroups() && JudgeAtari(moves.size() % 2 == 0);
}

bool Verifier::JudgeGroups() {
  GtpReply stones;
  GtpReply statuses;
  if (!Ask(QStringLiteral("dragon_stones"), &stones)) return false;
  if (!Ask(QStringLiteral("dragon_status"), &statuses)) return false;
  const std::vector<QStringList> dragons = Rows(stones.text);
  dragonStatus_.clear();
  for (const QStringList& row : Rows(statuses.text)) {
    // "C17: critical B16 A16": the dragon's origin, its status, attack and defence points.
    if (row.size() < 2 || !row[0].endsWith(u':')) continue;
    const QString origin = row[0].chopped(1);
    const QString& status = row[1];
    QStringList members{origin};
    for (const QStringList& d : dragons) {
      if (d.contains(origin)) members = d;
    }
    for (const QString& vertex : members) dragonStatus_.insert(vertex, status);
    const bool critical = status == QLatin1String("critical");
    const bool dead = status == QLatin1String("dead");
    if (!critical && !dead) continue;
    GtpReply colour;
    if (!Ask(QStringLiteral("color ") + origin, &colour)) return false;
    const QString what =
        QStringLiteral("%1 group of %2 (%3) is %4")
            .arg(colour.text, StoneCount(members.size()), members.join(u' '), status);
    const bool fault = (critical && members.size() >= 2) || (dead && members.size() >= 3);
    if (fault) {
      ReportFault(what);
    } else {
      Report(VerifyFinding::Severity::Detail, what + QStringLiteral(" (given up)"));
    }
  }
  return true;
}

bool Verifier::JudgeAtari(bool blackToMove) {
  const QString mover = ColourName(blackToMove);
  GtpReply worms;
  if (!Ask(QStringLiteral("worm_stones ") + ColourName(!blackToMove), &worms)) return false;
  for (const QStringList& worm : Rows(worms.text)) {
    // A string already lost as a whole is taken whenever convenient: no gain in taking it now.
    if (dragonStatus_.value(worm[0]) == QLatin1String("dead")) continue;
    GtpReply reply;
    if (!Ask(QStringLiteral("countlib ") + worm[0], &reply)) return false;
    if (reply.text != u"1") continue;
    if (!Ask(QStringLiteral("findlib ") + worm[0], &reply)) return false;
    const QString capture = reply.text;
    if (!Ask(QStringLiteral("is_legal %1 %2").arg(mover, capture), &reply)) return false;
    if (reply.text != u"1") continue;  // a ko the player to move may not take back at once
    if (!Ask(QStringLiteral("play %1 %2").arg(mover, capture), &reply)) return false;
    if (!reply.ok()) continue;
    GtpReply liberties;
    if (!Ask(QStringLiteral("countlib ") + capture, &liberties)) return false;
    if (!Ask(QStringLiteral("undo"), &reply)) return false;
    if (!reply.ok()) {
      result_.engineLost = QStringLiteral("the engine could not take back a trial capture");
      return false;
    }
    if (liberties.text.toInt() < 2) continue;  // ko or snapback: no profit
    ReportFault(QStringLiteral("%1 %2 (%3) left in atari: %4 captures at %5")
                    .arg(ColourName(!blackToMove), StoneCount(worm.size()), worm.join(u' '), mover,
                         capture));
  }
  return true;
}

}  // namespace

std::vector<VerifyFinding> FindDuplicateStones(const std::vector<GocsRow>& entries) {
  std::vector<VerifyFinding> findings;
  QHash<QString, size_t> firstWithStones;
  for (size_t k = 0; k < entries.size(); ++k) {
    const GocsRow& e = entries[k];
    const QString mirrored = Mirrored(e.stones);
    const QString key = e.preset + u'|' + std::min(e.stones, mirrored);
    const auto found = firstWithStones.constFind(key);
    if (found == firstWithStones.constEnd()) {
      firstWithStones.insert(key, k);
      continue;
    }
    const GocsRow& first = entries[*found];
    const bool sameTitle = first.title == e.title;
    const bool sameSection = first.five.left(1) == e.five.left(1);
    QString what = QStringLiteral("same stones as %1 %2").arg(first.id, first.title);
    if (!sameTitle) what += QStringLiteral(" (same stones need the same title)");
    if (sameTitle && sameSection) what += QStringLiteral(" in the same section");
    findings.push_back({sameTitle && !sameSection ? VerifyFinding::Severity::Notice
                                                  : VerifyFinding::Severity::Problem,
                        e.id + u' ' + e.title + QStringLiteral(": ") + what});
  }
  return findings;
}

int VerifyResult::ProblemCount() const {
  int n = 0;
  for (const VerifyFinding& f : findings) n += f.severity == VerifyFinding::Severity::Problem;
  return n;
}

QString GtpVertex(int row, int col) {
  static constexpr char kColumnLetters[] = "ABCDEFGHJKLMNOPQRST";  // GTP skips I
  return QLatin1Char(kColumnLetters[col - 1]) + QString::number(kBoardSize + 1 - row);
}

VerifyResult VerifyEntries(const std::vector<GocsRow>& entries, GtpEngine& engine) {
  VerifyResult result;
  Verifier verifier(engine, result);
  GtpReply reply = engine.Send(QStringLiteral("boardsize 19"));
  if (reply.status == GtpReply::Status::Lost) {
    result.engineLost = reply.text;
    return result;
  }
  for (const GocsRow& e : entries) {
    if (!verifier.Verify(e)) return result;
    ++result.entriesVerified;
  }
  for (VerifyFinding& f : FindDuplicateStones(entries)) result.findings.push_back(std::move(f));
  return result;
}

}  // namespace moraku
