"""A plain 19x19 Go board for checking joseki lines while writing them.

Points are (row, col), both 1..19, row 1 the top edge and col 1 the left edge, the way the
joseki database stores them. Colours are "B" and "W".
"""

SIZE = 19
COORD_CHARS = "123456789ABCDEFGHIJ"


class IllegalMove(Exception):
    pass


def coord_char(value):
    """The database's character for a coordinate 1..19."""
    if not 1 <= value <= SIZE:
        raise ValueError(f"coordinate {value} outside 1..19")
    return COORD_CHARS[value - 1]


def coord_value(ch):
    """The coordinate 1..19 of a database character, or 0 for any other character."""
    index = COORD_CHARS.find(ch)
    return index + 1 if index >= 0 and len(ch) == 1 else 0


class Board:
    def __init__(self):
        self.stones = {}

    def neighbours(self, point):
        r, c = point
        for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            if 1 <= r + dr <= SIZE and 1 <= c + dc <= SIZE:
                yield (r + dr, c + dc)

    def group(self, point):
        colour = self.stones[point]
        seen = {point}
        todo = [point]
        liberties = set()
        while todo:
            p = todo.pop()
            for n in self.neighbours(p):
                if n not in self.stones:
                    liberties.add(n)
                elif self.stones[n] == colour and n not in seen:
                    seen.add(n)
                    todo.append(n)
        return seen, liberties

    def play(self, point, colour):
        """Plays a stone; returns the captured points. Raises IllegalMove on an occupied point
        or a suicide."""
        if point in self.stones:
            raise IllegalMove(f"{point} is occupied")
        r, c = point
        if not (1 <= r <= SIZE and 1 <= c <= SIZE):
            raise IllegalMove(f"{point} is off the board")
        self.stones[point] = colour
        captured = []
        for n in self.neighbours(point):
            if n in self.stones and self.stones[n] != colour:
                members, liberties = self.group(n)
                if not liberties:
                    for m in members:
                        del self.stones[m]
                    captured.extend(sorted(members))
        if not self.group(point)[1]:
            raise IllegalMove(f"{point} is suicide")
        return captured

    def diagram(self, rows=12, cols=14, numbers=None, marks=None):
        """Text picture of the upper-left part: X black, O white, numbers for numbered moves
        (only the last two digits), letters for markers."""
        numbers = numbers or {}
        marks = marks or {}
        lines = ["    " + "".join(f"{c:>3}" for c in range(1, cols + 1))]
        for r in range(1, rows + 1):
            cells = []
            for c in range(1, cols + 1):
                p = (r, c)
                if p in numbers and p in self.stones:
                    cells.append(f"{numbers[p] % 100:>3}")
                elif p in self.stones:
                    cells.append("  X" if self.stones[p] == "B" else "  O")
                elif p in marks:
                    cells.append(f"{marks[p]:>3}")
                else:
                    cells.append("  .")
            lines.append(f"{r:>3} " + "".join(cells))
        return "\n".join(lines)
