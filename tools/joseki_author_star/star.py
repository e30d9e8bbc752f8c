#!/usr/bin/env python3
"""Writes the star-point section rows of data/gocs.csv (ids 2000-2999) from the
readable lines in star_entries.py, replaying every line and every example record on a board.

  star.py show [CODE...]   draw the lines (upper-left corner, moves numbered from White's 1)
  star.py check            replay everything, report problems, exit 1 when there are any
  star.py write            check, then rewrite the ids 2000-2999 of data/gocs.csv
  star.py stats            counts by family, records, markers

Notation in star_entries.py: points are two-letter SGF points as seen with the black 4-4 stone
in the UPPER-RIGHT corner (pd), the way joseki books print them.  They are turned into the
upper-left corner with White's small knight's approach on the top side:
SGF (c, r) -> (row 20 - c, col r).  "tt" is a tenuki (a move elsewhere).
"""

import csv
import io
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from goboard import Board, IllegalMove, coord_char  # noqa: E402
import star_entries  # noqa: E402

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
OUT_PATH = os.path.join(REPO, "data", "gocs.csv")
FIRST_ID = 2000
MAX_COMMENT = 150
CAPTION = "参考図（本集のための作成例）"


def sgf_value(ch):
    v = ord(ch) - ord("a") + 1
    if not 1 <= v <= 19:
        raise ValueError(f"bad SGF letter {ch!r}")
    return v


def point(token):
    """Upper-right SGF point -> upper-left (row, col); None for a tenuki."""
    if token == "tt":
        return None
    if len(token) != 2:
        raise ValueError(f"bad point {token!r}")
    return (20 - sgf_value(token[0]), sgf_value(token[1]))


def colour_of(index):
    return "B" if index % 2 == 0 else "W"


def triple(p, colour):
    if p is None:
        return "???"
    return coord_char(p[0]) + coord_char(p[1]) + ("2" if colour == "B" else "1")


class Entry:
    def __init__(self, item):
        self.code = item["code"]
        self.title = item["title"]
        self.ref = item["ref"]
        self.comment = item["comment"]
        self.preset = ["pd"] + item.get("preset", [])
        self.moves = item["moves"].split()
        self.marks = item.get("marks", {})
        self.record = item.get("record")  # None or opening template number
        self.id = None

    def all_tokens(self):
        return self.preset + self.moves

    def points(self):
        return [point(t) for t in self.all_tokens()]


# Openings for the example records: moves before the joseki, in (row, col) of the real board,
# black first.  Move 1 is always Black's 4-4 stone in the upper-left corner; the joseki's first
# (White) move follows them, so each opening has an odd number of moves.
OPENINGS = {
    1: [(4, 4), (16, 16), (16, 4), (4, 16), (16, 14)],
    2: [(4, 4), (4, 16), (16, 16), (16, 4), (10, 16)],
    3: [(4, 4), (16, 16), (4, 17), (16, 4), (3, 15)],
    4: [(4, 4), (16, 4), (16, 16), (3, 16), (5, 17)],
    5: [(4, 4), (16, 17), (16, 4), (4, 16), (17, 14)],
}
# Big points used, in order, for each tenuki of a record (the first free, legal one is taken).
TENUKI_POINTS = [(10, 16), (16, 10), (10, 10), (4, 10), (10, 4), (14, 16), (17, 10), (16, 7),
                 (7, 16), (16, 12), (12, 16), (14, 10)]


def replay(entry, problems):
    """Replays the stone string; returns (board, list of (point, colour, captured))."""
    board = Board()
    log = []
    for i, p in enumerate(entry.points()):
        colour = colour_of(i)
        if p is None:
            board.pass_move()
            log.append((None, colour, set()))
            continue
        try:
            cap = board.play(p, colour)
        except IllegalMove as e:
            problems.append(f"{entry.code}: move {i + 1 - len(entry.preset)}: {e}")
            return board, log
        log.append((p, colour, cap))
    return board, log


def build_record(entry, problems):
    opening = list(OPENINGS[entry.record])
    moves = list(opening)
    board = Board()
    for i, p in enumerate(moves):
        board.play(p, colour_of(i))
    # The preset stones after the first one are replayed as real moves (a tenuki gets a big point).
    tokens = entry.preset[1:] + entry.moves
    first = None
    pool = [p for p in TENUKI_POINTS]
    for k, tok in enumerate(tokens):
        if k == len(entry.preset) - 1:
            first = len(moves) + 1
        p = point(tok)
        colour = colour_of(len(moves))
        if p is None:
            while pool:
                cand = pool.pop(0)
                if board.at(cand) is None:
                    try:
                        board.play(cand, colour)
                    except IllegalMove:
                        continue
                    p = cand
                    break
            if p is None:
                problems.append(f"{entry.code}: record ran out of tenuki points")
                return ""
        else:
            try:
                board.play(p, colour)
            except IllegalMove as e:
                problems.append(f"{entry.code}: record move {len(moves) + 1}: {e}")
                return ""
        moves.append(p)
    if first is None:
        first = len(opening) + 1
    if first % 2 != 0:
        problems.append(f"{entry.code}: record's first joseki move {first} is not White's")
    last = len(moves)
    pairs = "".join(coord_char(r) + coord_char(c) for r, c in moves)
    return f"{CAPTION}|{first}/{last}|{pairs}"


def check_entry(entry, problems):
    if len(entry.comment) > MAX_COMMENT:
        problems.append(f"{entry.code}: comment has {len(entry.comment)} characters")
    if len(entry.preset) % 2 == 0:
        problems.append(f"{entry.code}: even number of preset stones")
    if not entry.moves:
        problems.append(f"{entry.code}: no joseki moves")
    board, log = replay(entry, problems)
    for letter, tok in entry.marks.items():
        p = point(tok)
        if letter not in "abcde12":
            problems.append(f"{entry.code}: bad marker code {letter}")
        if board.at(p) is not None:
            problems.append(f"{entry.code}: marker {letter} on a stone at {tok}")
    return board, log


def marks_string(entry):
    out = []
    for letter, tok in sorted(entry.marks.items()):
        r, c = point(tok)
        out.append(coord_char(r) + coord_char(c) + letter)
    return "".join(out)


def stones_string(entry):
    return "".join(triple(p, colour_of(i)) for i, p in enumerate(entry.points()))


def load_entries():
    entries = [Entry(s) for s in star_entries.ENTRIES]
    for k, e in enumerate(entries):
        e.id = FIRST_ID + k
    return entries


def check_all(entries):
    problems = []
    codes = set()
    strings = {}
    for e in entries:
        if e.code in codes:
            problems.append(f"{e.code}: duplicate code")
        codes.add(e.code)
        check_entry(e, problems)
        s = stones_string(e)
        if s in strings:
            problems.append(f"{e.code}: same stones as {strings[s]}")
        strings[s] = e.code
        if e.record:
            build_record(e, problems)
    return problems


def draw(entry):
    problems = []
    board, log = replay(entry, problems)
    labels = {}
    npre = len(entry.preset)
    for i, (p, colour, cap) in enumerate(log):
        for q in cap:
            labels.pop(q, None)
        if p is None:
            continue
        if i < npre:
            labels[p] = " X" if colour == "B" else " O"
        else:
            n = i - npre + 1
            labels[p] = (f"{n:2d}" if colour == "W" else f"{n:2d}") + ("w" if colour == "W" else "b")
    for letter, tok in entry.marks.items():
        labels[point(tok)] = f" {letter.upper()} "
    tenuki = [i - npre + 1 for i, (p, _, _) in enumerate(log) if p is None and i >= npre]
    lines = [f"{entry.code} {entry.title}  [{entry.ref}]  tenuki: {tenuki}"]
    lines.append("    " + "".join(f"{c:4d}" for c in range(1, 15)))
    for r in range(1, 15):
        row = []
        for c in range(1, 15):
            v = labels.get((r, c))
            if v is None:
                row.append("  . ")
            else:
                row.append(f"{v:>4}"[:4])
        lines.append(f"{r:3d} " + "".join(row))
    lines.append("    " + entry.comment)
    for p in problems:
        lines.append("  PROBLEM " + p)
    return "\n".join(lines)


def write(entries):
    with open(OUT_PATH, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    header, others = rows[0], [r for r in rows[1:] if r and not (r[0].isdigit() and 2000 <= int(r[0]) <= 2999)]
    buf = io.StringIO()
    w = csv.writer(buf, lineterminator="\n")
    w.writerow(header)
    for r in others:
        w.writerow(r)
    for e in entries:
        problems = []
        record = build_record(e, problems) if e.record else ""
        w.writerow([e.id, "0", marks_string(e), coord_char(len(e.preset)), e.title, e.ref,
                    e.comment, stones_string(e), record, "1" + e.code])
    with open(OUT_PATH, "w", encoding="utf-8", newline="") as f:
        f.write(buf.getvalue())


def stats(entries):
    fam = {}
    for e in entries:
        fam.setdefault(e.code[0], 0)
        fam[e.code[0]] += 1
    print("entries", len(entries), fam)
    print("records", sum(1 for e in entries if e.record))
    print("with markers", sum(1 for e in entries if e.marks))


def main(argv):
    entries = load_entries()
    cmd = argv[1] if len(argv) > 1 else "check"
    if cmd == "show":
        want = set(argv[2:])
        for e in entries:
            if not want or e.code in want or any(e.code.startswith(w) for w in want):
                print(draw(e))
                print()
        return 0
    problems = check_all(entries)
    for p in problems:
        print(p)
    if cmd == "stats":
        stats(entries)
    if problems:
        return 1
    if cmd == "write":
        write(entries)
        print(f"wrote {len(entries)} rows to {OUT_PATH}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
