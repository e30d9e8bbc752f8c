// SPDX-License-Identifier: GPL-3.0-or-later
#include "sgf/line_namer.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace moraku {

namespace {

constexpr int kSize = 19;

enum class Colour { None, Black, White };

// The two sides of the upper-left corner: above the diagonal (the top side, where a stored
// line's first move off the diagonal is) and below it (the left side).
enum class Side { Top, Left, Diagonal };

Side SideOf(BoardPoint p) {
  if (p.col > p.row) return Side::Top;
  if (p.row > p.col) return Side::Left;
  return Side::Diagonal;
}

Side OtherSide(Side side) {
  return side == Side::Top ? Side::Left : Side::Top;
}

// A point seen from one side of the corner: how far along that side (the line from the corner)
// and how high above its edge.
struct Local {
  int along = 0;
  int height = 0;
};

Local LocalOn(BoardPoint p, Side side) {
  return side == Side::Left ? Local{p.row, p.col} : Local{p.col, p.row};
}

Local LocalOf(BoardPoint p) {
  return LocalOn(p, SideOf(p));
}

bool Adjacent(BoardPoint a, BoardPoint b) {
  return std::abs(a.row - b.row) + std::abs(a.col - b.col) == 1;
}

bool Diagonal(BoardPoint a, BoardPoint b) {
  return std::abs(a.row - b.row) == 1 && std::abs(a.col - b.col) == 1;
}

bool KnightsMove(BoardPoint a, BoardPoint b) {
  const int dr = std::abs(a.row - b.row);
  const int dc = std::abs(a.col - b.col);
  return (dr == 1 && dc == 2) || (dr == 2 && dc == 1);
}

bool IsStarPoint(BoardPoint p) {
  auto star = [](int v) { return v == 4 || v == 10 || v == 16; };
  return star(p.row) && star(p.col);
}

// "一間", "二間", ... for 1..5 empty points between two stones; empty otherwise.
QString Spaces(int n) {
  static const char16_t* const numbers[] = {u"一", u"二", u"三", u"四", u"五"};
  if (n < 1 || n > 5) return QString();
  return QString::fromUtf16(numbers[n - 1]) + QStringLiteral("間");
}

// The kinds of approach to a corner stone, by where the approaching stone stands on its side.
enum class ApproachKind { None, SmallKnight, OneSpaceHigh, LargeKnight, TwoSpaceHigh, ThreeThree };

class Namer {
 public:
  Namer(const std::vector<LineMove>& moves, int presetCount, OpeningPoint opening)
      : moves_(moves),
        presetCount_(std::clamp(presetCount, 0, static_cast<int>(moves.size()))),
        star_(opening == OpeningPoint::StarPoint),
        corner_(star_ ? BoardPoint{4, 4} : BoardPoint{3, 4}) {}

  LineName Name();

 private:
  static Colour ColourOf(std::size_t index) {
    return index % 2 == 0 ? Colour::Black : Colour::White;
  }
  std::optional<BoardPoint> StoneAt(std::size_t index) const {
    return index < moves_.size() ? moves_[index] : std::nullopt;
  }
  bool Exists(std::size_t index) const { return index < moves_.size(); }
  void Place(std::size_t index) {
    if (const std::optional<BoardPoint> p = StoneAt(index)) {
      board_[p->row - 1][p->col - 1] = ColourOf(index);
    }
  }
  Colour At(BoardPoint p) const {
    if (p.row < 1 || p.row > kSize || p.col < 1 || p.col > kSize) return Colour::None;
    return board_[p.row - 1][p.col - 1];
  }
  bool Touches(BoardPoint p, Colour colour) const;
  bool Alone(BoardPoint p) const;
  QString Contact(BoardPoint p, Colour own, Colour opponent) const;

  ApproachKind KindOf(BoardPoint p) const;
  QString ApproachName(ApproachKind kind) const;
  QString Handicap(const std::vector<BoardPoint>& blacks) const;
  QString Formation(BoardPoint stone, std::optional<BoardPoint> approach) const;
  QString Pincer(BoardPoint stone, BoardPoint approach) const;
  QString Answer(BoardPoint stone, BoardPoint approach) const;
  QString RefinedContact(const QString& name, std::size_t index, BoardPoint approach,
                         bool extendable, std::size_t* next);
  QString ThreeThreeAnswer(std::size_t index, std::size_t* next);
  QString ShoulderAnswer(BoardPoint stone, BoardPoint partner) const;
  QString FollowUp(std::size_t index) const;

  const std::vector<LineMove>& moves_;
  int presetCount_;
  bool star_;
  BoardPoint corner_;
  std::array<std::array<Colour, kSize>, kSize> board_{};
  BoardPoint approach_;  // White's (first) approach stone
};

bool Namer::Touches(BoardPoint p, Colour colour) const {
  return At({p.row - 1, p.col}) == colour || At({p.row + 1, p.col}) == colour ||
         At({p.row, p.col - 1}) == colour || At({p.row, p.col + 1}) == colour;
}

ApproachKind Namer::KindOf(BoardPoint p) const {
  if (p == BoardPoint{3, 3}) return ApproachKind::ThreeThree;
  // A star point is approached along either side; a 3-4 point along its open (left) side.
  if (!star_ && SideOf(p) != Side::Left) return ApproachKind::None;
  const Local l = LocalOf(p);
  const int base = star_ ? 6 : 5;  // the small knight's approach stands this far along
  if (l.along == base && l.height == 3) return ApproachKind::SmallKnight;
  if (l.along == base && l.height == 4) return ApproachKind::OneSpaceHigh;
  if (l.along == base + 1 && l.height == 3) return ApproachKind::LargeKnight;
  if (l.along == base + 1 && l.height == 4) return ApproachKind::TwoSpaceHigh;
  return ApproachKind::None;
}

QString Namer::ApproachName(ApproachKind kind) const {
  switch (kind) {
    case ApproachKind::SmallKnight:
      return QStringLiteral("小ゲイマガカリ");
    case ApproachKind::OneSpaceHigh:
      return QStringLiteral("一間高ガカリ");
    case ApproachKind::LargeKnight:
      return QStringLiteral("大ゲイマガカリ");
    case ApproachKind::TwoSpaceHigh:
      return QStringLiteral("二間高ガカリ");
    case ApproachKind::ThreeThree:
      return star_ ? QStringLiteral("三々入り") : QStringLiteral("三々ツケ");
    case ApproachKind::None:
      break;
  }
  return QString();
}

// "三子局" and so on when the preset Black stones are a handicap: two stones in opposite
// corners, or three and more all on star points.
QString Namer::Handicap(const std::vector<BoardPoint>& blacks) const {
  static const char16_t* const numbers[] = {u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九"};
  const std::size_t n = blacks.size();
  if (!star_ || n < 2 || n > 9) return QString();
  bool handicap = true;
  for (const BoardPoint& p : blacks) handicap = handicap && IsStarPoint(p);
  if (n == 2) handicap = handicap && blacks[1] == BoardPoint{16, 16};
  if (!handicap) return QString();
  return QString::fromUtf16(numbers[n - 2]) + QStringLiteral("子局");
}

// The name of the corner stone's partner `stone` (an enclosure or an extension), with "上辺に"
// when it stands on the side the approach comes from.
QString Namer::Formation(BoardPoint stone, std::optional<BoardPoint> approach) const {
  const Local l = LocalOf(stone);
  QString name;
  if (star_) {
    if (l.height == 3 && l.along == 6) name = QStringLiteral("ケイマジマリ");
    if (l.height == 3 && l.along == 7) name = QStringLiteral("大ゲイマジマリ");
    if (l.height == 4 && l.along == 6) name = QStringLiteral("一間ジマリ");
    if (l.height == 4 && l.along >= 7 && l.along <= 11) name = QStringLiteral("ヒラキのある星");
    if (l.height == 3 && l.along >= 8 && l.along <= 11) name = QStringLiteral("三線ヒラキのある星");
  } else if (SideOf(stone) == Side::Left) {
    if (l.height == 3 && l.along == 5) name = QStringLiteral("小ゲイマジマリ");
    if (l.height == 4 && l.along == 5) name = QStringLiteral("一間ジマリ");
    if (l.height == 3 && l.along == 6) name = QStringLiteral("大ゲイマジマリ");
  }
  if (!name.isEmpty() && star_ && approach && SideOf(*approach) != Side::Diagonal &&
      SideOf(*approach) == SideOf(stone) && l.along > 7) {
    name.prepend(QStringLiteral("上辺に"));
  }
  return name;
}

// "一間バサミ", "二間高バサミ", ...: a stone on the approach's side beyond it, on the third
// (low) or fourth (high) line; empty for any other stone.
QString Namer::Pincer(BoardPoint stone, BoardPoint approach) const {
  const Side side = SideOf(approach);
  if (side == Side::Diagonal || SideOf(stone) != side) return QString();
  const Local s = LocalOn(stone, side);
  const Local a = LocalOn(approach, side);
  if (s.height != 3 && s.height != 4) return QString();
  const QString spaces = Spaces(s.along - a.along - 1);
  if (spaces.isEmpty()) return QString();
  return spaces + (s.height == 4 ? QStringLiteral("高") : QString()) + QStringLiteral("バサミ");
}

// Black's answer `stone` to the approach stone `approach`, by its shape.
QString Namer::Answer(BoardPoint stone, BoardPoint approach) const {
  if (star_ && stone == BoardPoint{3, 3}) return QStringLiteral("三々");
  const Side side = SideOf(approach) == Side::Diagonal ? Side::Top : SideOf(approach);
  const Local s = LocalOn(stone, side);
  const Local a = LocalOn(approach, side);
  if (Adjacent(stone, approach)) {
    // At a 3-4 point the same shape is the plain attachment of the ツケヒキ.
    if (star_ && Diagonal(stone, corner_)) return QStringLiteral("コスミツケ");
    if (s.height < a.height) return QStringLiteral("下ツケ");
    // Touching a third-line approach from above is the plain attachment at a star point.
    if (s.height > a.height) {
      return star_ && a.height == 3 ? QStringLiteral("ツケ") : QStringLiteral("上ツケ");
    }
    return QStringLiteral("ツケ");
  }
  if (Diagonal(stone, approach) && s.height > a.height && s.along < a.along) {
    return QStringLiteral("カタツキ");
  }
  if (const QString pincer = Pincer(stone, approach); !pincer.isEmpty()) return pincer;
  if (Diagonal(stone, corner_)) return QStringLiteral("コスミ");
  const Local own = LocalOf(stone);
  if (star_) {
    if (SideOf(stone) == OtherSide(side)) {
      if (own.height == 3 && own.along == 6) return QStringLiteral("小ゲイマ受け");
      if (own.height == 4 && own.along == 6) return QStringLiteral("一間受け");
      if (own.height == 3 && own.along == 7) return QStringLiteral("大ゲイマ受け");
      if (own.height == 4 && own.along == 7) return QStringLiteral("二間受け");
    }
    return QString();
  }
  if (KnightsMove(stone, corner_)) return QStringLiteral("ケイマ");
  if (SideOf(stone) == Side::Top && own.height == 3) {
    const QString spaces = Spaces(own.along - corner_.col - 1);
    if (!spaces.isEmpty()) return spaces + QStringLiteral("ビラキ");
  }
  return QString();
}

// An attachment `name` (Black's stone moves_[index]) told apart by what follows White's hane:
// Black extending away from the edge (ツケノビ, when `extendable`), blocking the approach stone
// (ツケオサエ), cutting the hane (ツケキリ) or drawing back toward the corner after an attachment
// from below (ツケヒキ). Sets `next` past the moves the name took in.
QString Namer::RefinedContact(const QString& name, std::size_t index, BoardPoint approach,
                              bool extendable, std::size_t* next) {
  const std::optional<BoardPoint> tsuke = StoneAt(index);
  const std::optional<BoardPoint> hane = StoneAt(index + 1);
  const std::optional<BoardPoint> reply = StoneAt(index + 2);
  const Side side = SideOf(approach) == Side::Diagonal ? Side::Top : SideOf(approach);
  // White's hane must be the one outside the approach stone, away from the corner.
  if (!tsuke || !hane || !reply || !Adjacent(*hane, *tsuke) || !Diagonal(*hane, approach) ||
      LocalOn(*hane, side).along <= LocalOn(approach, side).along) {
    return name;
  }
  const Local t = LocalOn(*tsuke, side);
  const Local r = LocalOn(*reply, side);
  QString refined;
  if (name == QStringLiteral("ツケ")) {
    if (extendable && Adjacent(*reply, *tsuke) && r.along == t.along && r.height == t.height + 1) {
      refined = QStringLiteral("ツケノビ");
    } else if (Adjacent(*reply, approach) && Adjacent(*reply, *hane)) {
      refined = QStringLiteral("ツケキリ");
    } else if (Adjacent(*reply, approach)) {
      refined = QStringLiteral("ツケオサエ");
    }
  } else if (name == QStringLiteral("下ツケ")) {
    if (Adjacent(*reply, *tsuke) && r.height == t.height && r.along < t.along) {
      refined = QStringLiteral("ツケヒキ");
    }
  }
  if (refined.isEmpty()) return name;
  Place(index + 1);
  Place(index + 2);
  *next = index + 3;
  return refined;
}

// Black's answer to a 3-3 invasion at a star point, after Black's block moves_[index] and
// White's crawl: the block is taken for granted and the move after the crawl names the answer
// (ハネ, ハネノビ, 二段バネ, ノビ, ケイマ); a line ending with the crawl is named ハイ.
QString Namer::ThreeThreeAnswer(std::size_t index, std::size_t* next) {
  const std::optional<BoardPoint> block = StoneAt(index);
  const std::optional<BoardPoint> crawl = StoneAt(index + 1);
  const BoardPoint invader = approach_;
  if (!block || !Adjacent(*block, invader) || !Adjacent(*block, corner_)) return QString();
  if (!crawl || !Adjacent(*crawl, invader) || !Adjacent(*crawl, corner_)) return QString();
  Place(index);
  Place(index + 1);
  *next = index + 2;
  if (!Exists(index + 2)) return QStringLiteral("ハイ");
  const std::optional<BoardPoint> reply = StoneAt(index + 2);
  if (!reply) return QString();
  const Side side = SideOf(*crawl);
  const Local c = LocalOn(*crawl, side);
  const Local r = LocalOn(*reply, side);
  *next = index + 3;
  if (Adjacent(*reply, *crawl) && r.along == c.along + 1) {
    // The hane in front of the crawl; then White's hane back, and Black's extension or hane.
    Place(index + 2);
    const std::optional<BoardPoint> back = StoneAt(index + 3);
    const std::optional<BoardPoint> then = StoneAt(index + 4);
    if (back && then && Adjacent(*back, *reply) && LocalOn(*back, side).height < r.height) {
      const Local t = LocalOn(*then, side);
      if (Adjacent(*then, *reply) && t.along == r.along + 1 && t.height == r.height) {
        *next = index + 5;
        return QStringLiteral("ハネノビ");
      }
      if (Adjacent(*then, *back) && Diagonal(*then, *reply)) {
        *next = index + 5;
        return QStringLiteral("二段バネ");
      }
    }
    return QStringLiteral("ハネ");
  }
  if (Adjacent(*reply, corner_) && r.along == c.along + 1) return QStringLiteral("ノビ");
  if (KnightsMove(*reply, corner_) && r.height == c.height) return QStringLiteral("ケイマ");
  return QString();
}

// Black's answer `stone` to a shoulder hit on `partner`: crawling along the side under it (ハイ)
// or pushing against it (オシ).
QString Namer::ShoulderAnswer(BoardPoint stone, BoardPoint partner) const {
  const Local p = LocalOf(partner);
  const Local s = LocalOn(stone, SideOf(partner));
  if (Adjacent(stone, partner) && s.height == p.height && s.along == p.along + 1) {
    return QStringLiteral("ハイ");
  }
  if (Adjacent(stone, partner) && Adjacent(stone, approach_)) return QStringLiteral("オシ");
  return QString();
}

// The name of move `index` as a follow-up: a tenuki, a 3-3 invasion, a second approach, a slide,
// a jump, an extension along the side, a pincer or an attachment; empty when none fits.
QString Namer::FollowUp(std::size_t index) const {
  const Colour colour = ColourOf(index);
  const QString who = colour == Colour::Black ? QStringLiteral("黒") : QStringLiteral("白");
  const std::optional<BoardPoint> m = StoneAt(index);
  if (!m) return who + QStringLiteral("手抜き");
  const Side approachSide = SideOf(approach_) == Side::Diagonal ? Side::Top : SideOf(approach_);
  if (colour == Colour::White) {
    if (*m == BoardPoint{3, 3}) {
      return star_ ? QStringLiteral("三々入り") : QStringLiteral("三々ツケ");
    }
    if (star_ && SideOf(*m) == OtherSide(approachSide)) {
      const ApproachKind kind = KindOf(*m);
      if (kind == ApproachKind::SmallKnight) return QStringLiteral("両ガカリ");
      if (kind == ApproachKind::OneSpaceHigh) return QStringLiteral("一間高両ガカリ");
    }
    if (star_ && Adjacent(*m, corner_) && LocalOf(*m).height == 3) {
      return QStringLiteral("星下ツケ");
    }
    const Local l = LocalOn(*m, approachSide);
    const Local a = LocalOn(approach_, approachSide);
    if (star_ && SideOf(*m) == approachSide && l.height == 2 && l.along <= 5 && Alone(*m)) {
      return QStringLiteral("スベリ");
    }
    // At a 3-4 point, pressing the corner stone from the fourth line of its other side: the
    // knight's move and the large knight's move.
    if (!star_ && SideOf(*m) == Side::Top && LocalOf(*m).height == 4 && Alone(*m)) {
      if (m->col == corner_.col + 2) return QStringLiteral("ケイマガケ");
      if (m->col == corner_.col + 3) return QStringLiteral("大斜ガケ");
    }
    // A jump toward the centre may end on the diagonal or past it.
    if (l.along == a.along && Alone(*m)) {
      if (l.height == a.height + 2) return QStringLiteral("一間トビ");
      if (l.height == a.height + 3) return QStringLiteral("二間トビ");
    }
    if (SideOf(*m) == approachSide && l.along > a.along && Alone(*m)) {
      if (l.height == 3) {
        const QString spaces = Spaces(l.along - a.along - 1);
        if (!spaces.isEmpty()) return spaces + QStringLiteral("ビラキ");
      }
      if (l.height == 4) return QStringLiteral("高いヒラキ");
    }
    return Contact(*m, Colour::White, Colour::Black);
  }
  if (const QString pincer = Pincer(*m, approach_); !pincer.isEmpty()) return who + pincer;
  const QString contact = Contact(*m, Colour::Black, Colour::White);
  return contact.isEmpty() ? contact : who + contact;
}

// "ツケ" for a stone touching only the opponent's stones, "ハネ" for one that also stands
// diagonally next to its own; empty for anything else.
QString Namer::Contact(BoardPoint p, Colour own, Colour opponent) const {
  if (!Touches(p, opponent) || Touches(p, own)) return QString();
  const bool diagonalToOwn = At({p.row - 1, p.col - 1}) == own ||
                             At({p.row - 1, p.col + 1}) == own ||
                             At({p.row + 1, p.col - 1}) == own || At({p.row + 1, p.col + 1}) == own;
  return diagonalToOwn ? QStringLiteral("ハネ") : QStringLiteral("ツケ");
}

bool Namer::Alone(BoardPoint p) const {
  for (int dr = -1; dr <= 1; ++dr) {
    for (int dc = -1; dc <= 1; ++dc) {
      if ((dr != 0 || dc != 0) && At({p.row + dr, p.col + dc}) != Colour::None) return false;
    }
  }
  return true;
}

LineName Namer::Name() {
  LineName name;
  // The preset stones: a handicap, or the corner stone with a partner.
  std::vector<BoardPoint> presetBlacks;
  for (int i = 0; i < presetCount_; ++i) {
    Place(static_cast<std::size_t>(i));
    if (ColourOf(static_cast<std::size_t>(i)) == Colour::Black && moves_[i]) {
      presetBlacks.push_back(*moves_[i]);
    }
  }
  if (presetBlacks.empty() || !(presetBlacks.front() == corner_)) return name;
  const QString handicap = Handicap(presetBlacks);
  if (!handicap.isEmpty()) name.context.append(handicap);

  // Black stones before White's first stone form the corner; White's first stone approaches.
  std::vector<BoardPoint> partners;
  if (handicap.isEmpty()) {
    partners.assign(presetBlacks.begin() + 1, presetBlacks.end());
  }
  std::size_t i = static_cast<std::size_t>(presetCount_);
  while (Exists(i) && !(ColourOf(i) == Colour::White && StoneAt(i))) {
    if (StoneAt(i)) partners.push_back(*StoneAt(i));
    Place(i);
    ++i;
  }
  if (!Exists(i) || partners.size() > 1) return name;
  approach_ = *StoneAt(i);
  const ApproachKind kind = KindOf(approach_);
  name.approach = ApproachName(kind);
  // A shoulder hit on the corner's partner, from the centre side.
  std::optional<BoardPoint> shoulder;
  if (partners.size() == 1 && Diagonal(approach_, partners.front()) &&
      LocalOn(approach_, SideOf(partners.front())).height > LocalOf(partners.front()).height) {
    shoulder = partners.front();
    name.approach = QStringLiteral("カタツキ");
  }
  // With a partner the 3-3 point is an invasion; its block is taken for granted.
  if (!star_ && kind == ApproachKind::ThreeThree && partners.size() == 1) {
    name.approach = QStringLiteral("三々入り");
  }
  if (name.approach.isEmpty()) return name;
  if (partners.size() == 1) {
    const QString formation = Formation(partners.front(), approach_);
    if (formation.isEmpty()) {
      name.approach.clear();
      return name;
    }
    name.context.append(formation);
  }
  Place(i);
  ++i;
  if (!Exists(i)) {
    if (star_ && name.context.isEmpty()) name.context.append(QStringLiteral("星"));
    return name;
  }

  // Black's answer.
  std::size_t next = i + 1;
  const std::optional<BoardPoint> answer = StoneAt(i);
  if (!answer) {
    // A tenuki; White's approach from the other side as well makes a double approach.
    const std::optional<BoardPoint> second = StoneAt(i + 1);
    const Side side = SideOf(approach_);
    const ApproachKind secondKind = second ? KindOf(*second) : ApproachKind::None;
    const bool doubleApproach =
        star_ && second && side != Side::Diagonal && SideOf(*second) == OtherSide(side) &&
        (secondKind == ApproachKind::SmallKnight || secondKind == ApproachKind::OneSpaceHigh) &&
        (kind == ApproachKind::SmallKnight || kind == ApproachKind::OneSpaceHigh);
    if (!doubleApproach) {
      name.answer = QStringLiteral("手抜き");
    } else {
      if (kind != ApproachKind::SmallKnight) name.context.append(name.approach + "手抜き");
      name.approach = secondKind == kind || secondKind == ApproachKind::SmallKnight
                          ? QStringLiteral("両ガカリ")
                          : QStringLiteral("一間高両ガカリ");
      Place(i + 1);
      next = i + 3;
      if (const std::optional<BoardPoint> reply = StoneAt(i + 2)) {
        if (*reply == BoardPoint{3, 3}) {
          name.answer = QStringLiteral("三々");
        } else if (Adjacent(*reply, approach_) || Adjacent(*reply, *second)) {
          const BoardPoint touched = Adjacent(*reply, approach_) ? approach_ : *second;
          Place(i + 2);
          name.answer = RefinedContact(QStringLiteral("ツケ"), i + 2, touched, false, &next);
        } else if (Diagonal(*reply, corner_)) {
          name.answer = QStringLiteral("コスミ");
        }
      }
    }
  } else if (shoulder) {
    name.answer = ShoulderAnswer(*answer, *shoulder);
  } else if (kind == ApproachKind::ThreeThree && star_) {
    name.answer = ThreeThreeAnswer(i, &next);
  } else if (kind == ApproachKind::ThreeThree) {
    // At a 3-4 point: the hane above or below the attachment, or drawing back from it.
    if (partners.empty() && Adjacent(*answer, approach_)) {
      name.answer = answer->row < approach_.row ? QStringLiteral("ハネ") : QStringLiteral("下ハネ");
    } else if (partners.empty() && Adjacent(*answer, corner_)) {
      name.answer = QStringLiteral("ヒキ");
    }
  } else {
    name.answer = Answer(*answer, approach_);
    Place(i);
    if (name.answer == QStringLiteral("ツケ") || name.answer == QStringLiteral("下ツケ")) {
      name.answer = RefinedContact(name.answer, i, approach_, star_, &next);
    }
  }
  for (std::size_t k = i; k < next; ++k) Place(k);

  // The main follow-up; after a tenuki, the move that answers it as well.
  if (name.answer.isEmpty() || !Exists(next)) return name;
  const QString follow = FollowUp(next);
  if (follow.isEmpty()) return name;
  name.followUps.append(follow);
  if (!StoneAt(next) && Exists(next + 1)) {
    Place(next);
    const QString reply = FollowUp(next + 1);
    if (!reply.isEmpty()) name.followUps.append(reply);
  }
  return name;
}

}  // namespace

QString LineName::Title() const {
  QString title;
  for (const QString& part : context) {
    if (!title.isEmpty()) title += u'・';
    title += part;
  }
  if (!approach.isEmpty()) {
    // The last part of the context is a formation unless it is the bare corner, a handicap or
    // an approach left unanswered.
    const bool formation = !context.isEmpty() && context.last() != QStringLiteral("星") &&
                           !title.endsWith(QStringLiteral("子局")) &&
                           !title.endsWith(QStringLiteral("手抜き"));
    if (!title.isEmpty()) {
      title += formation && approach.startsWith(QStringLiteral("三々")) ? QStringLiteral("への")
                                                                        : QStringLiteral("・");
    }
    title += approach;
  }
  for (const QString& part : QStringList{answer} + followUps) {
    if (part.isEmpty()) continue;
    if (!title.isEmpty()) title += u'・';
    title += part;
  }
  return title;
}

LineName NameLine(const std::vector<LineMove>& moves, int presetCount, OpeningPoint opening) {
  return Namer(moves, presetCount, opening).Name();
}

}  // namespace moraku
