#!/usr/bin/env python3
"""Turns the readable handicap-section lines of handicap_entries.py into rows of
data/gocs.csv, replaying every line on a board first.

  author.py show [ID...]   print each line on a board with its numbers, markers and record
  author.py check          replay everything and report problems (exit 1 when any)
  author.py write          check, then rewrite the handicap rows (ids 1000-1999) of
                           data/gocs.csv, keeping the header and every other row as it is

Move notation in handicap_entries.py:
  - joseki moves and markers are two-letter SGF points as seen with the black 4-4 stone in the
    UPPER-RIGHT corner (pd), the way most joseki books print them; they are turned into the
    upper-left corner with the approach on the top side: SGF (c, r) -> (row 20 - c, col r).
    "tt" or "??" is a tenuki.
  - preset stones are star-point names (ul, ur, ll, lr, top, left, right, bottom, center) or
    SGF points in the same upper-right notation, with "tt" for white's tenuki between them.
  - record moves are SGF points of the real board (c, r) -> (row r, col c); the joseki moves of
    the entry are put in by the tool, so a record lists only the moves before and after them and
    one real move for each tenuki of the joseki.
"""

import csv
import io
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from board import Board, IllegalMove, coord_char  # noqa: E402

HEADER = ["id", "one", "marks", "preset", "title", "ref", "comment", "stones", "record", "five"]
REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CSV_PATH = os.path.join(REPO, "data", "gocs.csv")
ID_RANGE = range(1000, 2000)
MAX_COMMENT = 150

STAR_POINTS = {
    "ul": (4, 4), "top": (4, 10), "ur": (4, 16),
    "left": (10, 4), "center": (10, 10), "right": (10, 16),
    "ll": (16, 4), "bottom": (16, 10), "lr": (16, 16),
}


def sgf_value(ch):
    value = ord(ch) - ord("a") + 1
    if not 1 <= value <= 19:
        raise ValueError(f"bad SGF coordinate letter {ch!r}")
    return value


def joseki_point(token):
    """Upper-right SGF notation -> upper-left (row, col); None for a tenuki."""
    if token in ("tt", "??"):
        return None
    c, r = sgf_value(token[0]), sgf_value(token[1])
    return (20 - c, r)


def preset_point(token):
    if token in STAR_POINTS:
        return STAR_POINTS[token]
    return joseki_point(token)


def record_point(token):
    """Real-board SGF notation -> (row, col)."""
    return (sgf_value(token[1]), sgf_value(token[0]))


def triple(point, colour):
    if point is None:
        return "???"
    return coord_char(point[0]) + coord_char(point[1]) + ("2" if colour == "B" else "1")


def colour_of(index):
    return "B" if index % 2 == 0 else "W"


class Entry:
    def __init__(self, id, code, title, ref, comment, moves, preset="ul", marks="",
                 record=None):
        self.id = id
        self.code = code
        self.title = title
        self.ref = ref
        self.comment = comment
        self.preset_points = [preset_point(t) for t in preset.split()]
        self.move_points = [joseki_point(t) for t in moves.split()]
        self.marks = []
        for item in marks.split():
            token, code_char = item.split(":")
            self.marks.append((joseki_point(token), code_char))
        self.record = record

    def stones(self):
        points = self.preset_points + self.move_points
        return "".join(triple(p, colour_of(i)) for i, p in enumerate(points))

    def preset_char(self):
        return coord_char(len(self.preset_points))

    def marks_text(self):
        return "".join(coord_char(p[0]) + coord_char(p[1]) + code for p, code in self.marks)

    def record_text(self):
        if self.record is None:
            return ""
        moves, first, last = self.record.moves(self)
        text = "".join(coord_char(r) + coord_char(c) for r, c in moves)
        return f"{self.record.caption}|{first}/{last}|{text}"

    def row(self):
        return [str(self.id), "0", self.marks_text(), self.preset_char(), self.title, self.ref,
                self.comment, self.stones(), self.record_text(), self.code]


class Record:
    """An example game: `before` ends with Black's move so that the joseki's first (White)
    move gets an even number; `tenuki` gives a real move for each tenuki of the joseki."""

    def __init__(self, caption, before, tenuki="", after=""):
        self.caption = caption
        self.before = [record_point(t) for t in before.split()]
        self.tenuki = [record_point(t) for t in tenuki.split()]
        self.after = [record_point(t) for t in after.split()]

    def moves(self, entry):
        spare = list(self.tenuki)
        joseki = []
        for p in entry.move_points:
            if p is None:
                if not spare:
                    raise ValueError("record: a tenuki of the joseki has no real move")
                joseki.append(spare.pop(0))
            else:
                joseki.append(p)
        if spare:
            raise ValueError("record: more tenuki moves than tenuki in the joseki")
        first = len(self.before) + 1
        last = len(self.before) + len(joseki)
        return self.before + joseki + self.after, first, last


def replay(points, start_colour_index=0):
    """Plays points in turn (None passes); returns the board and the numbers of the stones
    still standing, or raises IllegalMove naming the move."""
    board = Board()
    numbers = {}
    for k, p in enumerate(points):
        if p is None:
            continue
        try:
            for gone in board.play(p, colour_of(k + start_colour_index)):
                numbers.pop(gone, None)
        except IllegalMove as e:
            raise IllegalMove(f"move {k + 1}: {e}") from None
        numbers[p] = k + 1
    return board, numbers


def problems_of(entry):
    found = []
    if len(entry.preset_points) % 2 == 0:
        found.append("even number of preset stones")
    if entry.preset_points[0] != (4, 4):
        found.append("first stone is not the 4-4 point")
    if len(entry.comment) > MAX_COMMENT:
        found.append(f"comment has {len(entry.comment)} characters")
    if entry.id not in ID_RANGE or not entry.code.startswith("0"):
        found.append("id or code outside the handicap section")
    try:
        board, _ = replay(entry.preset_points + entry.move_points)
        for p, code in entry.marks:
            if p in board.stones and code in "abcde":
                found.append(f"letter marker {code} on a stone at {p}")
    except IllegalMove as e:
        found.append(f"stones: {e}")
    if entry.record is not None:
        try:
            moves, first, last = entry.record.moves(entry)
            if first % 2 != 0:
                found.append("record: the joseki's first move is not White's")
            before = moves[: first - 1]
            for k, point in enumerate(entry.preset_points):
                if point is None:
                    continue
                if point not in before or before.index(point) % 2 != k % 2:
                    found.append(f"record: preset stone {point} is missing before the joseki")
            replay(moves)
        except (IllegalMove, ValueError) as e:
            found.append(f"record: {e}")
    return found


def load_entries():
    from handicap_entries import ENTRIES
    ids = [e.id for e in ENTRIES]
    dup = {i for i in ids if ids.count(i) > 1}
    if dup:
        raise SystemExit(f"duplicate ids: {sorted(dup)}")
    return ENTRIES


def show(entry):
    print(f"== {entry.id} {entry.code} {entry.title}  [{entry.ref}]")
    print(f"   {entry.comment}")
    points = entry.preset_points + entry.move_points
    board, numbers = replay(points)
    preset = len(entry.preset_points)
    joseki_numbers = {p: n - preset for p, n in numbers.items() if n > preset}
    marks = {p: code.upper() if code in "abcde" else ("x" if code == "2" else "o")
             for p, code in entry.marks}
    print(board.diagram(numbers=joseki_numbers, marks=marks))
    tenuki = [k + 1 - preset for k, p in enumerate(points) if p is None and k >= preset]
    if tenuki:
        print(f"   tenuki at joseki moves {tenuki}")
    if entry.record is not None:
        moves, first, last = entry.record.moves(entry)
        rboard, rnum = replay(moves)
        shown = {p: n - first + 1 for p, n in rnum.items() if first <= n <= last}
        print(f"   record {first}/{last} of {len(moves)} moves: {entry.record.caption}")
        print(rboard.diagram(rows=19, cols=19, numbers=shown))
    print(entry.row()[7], entry.row()[2], entry.row()[8])
    print()


def read_other_rows():
    if not os.path.exists(CSV_PATH):
        return []
    with open(CSV_PATH, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    if not rows or rows[0] != HEADER:
        raise SystemExit("data/gocs.csv does not start with the expected header")
    return [r for r in rows[1:] if r and not (r[0].isdigit() and int(r[0]) in ID_RANGE)]


def write(entries):
    others = read_other_rows()
    mine = [e.row() for e in sorted(entries, key=lambda e: e.id)]
    out = io.StringIO()
    writer = csv.writer(out, lineterminator="\n")
    writer.writerow(HEADER)
    for row in mine + others:
        writer.writerow(row)
    with open(CSV_PATH, "w", newline="", encoding="utf-8") as f:
        f.write(out.getvalue())
    print(f"wrote {len(mine)} handicap rows and kept {len(others)} other rows")


def main(argv):
    entries = load_entries()
    command = argv[1] if len(argv) > 1 else "check"
    if command == "show":
        wanted = {int(a) for a in argv[2:]}
        for e in entries:
            if not wanted or e.id in wanted:
                show(e)
        return 0
    bad = 0
    for e in entries:
        for p in problems_of(e):
            print(f"{e.id} {e.title}: {p}")
            bad += 1
    records = sum(1 for e in entries if e.record is not None)
    marked = sum(1 for e in entries if any(c in "abcde" for _, c in e.marks))
    print(f"{len(entries)} entries, {records} with a record, {marked} with letter markers, "
          f"{bad} problems")
    if bad:
        return 1
    if command == "write":
        write(entries)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
