"""A plain 19x19 Go board for checking joseki lines: placement, captures, suicide and simple ko."""

SIZE = 19


class IllegalMove(Exception):
    pass


def coord_char(value):
    """The database's coordinate character for 1..19: 1-9, A-F, G-J."""
    if not 1 <= value <= SIZE:
        raise ValueError(f"coordinate {value} out of range")
    return "123456789ABCDEFGHIJ"[value - 1]


class Board:
    def __init__(self):
        self.grid = {}  # (row, col) -> 'B' or 'W'
        self.ko = None  # point that may not be retaken this move

    def at(self, point):
        return self.grid.get(point)

    @staticmethod
    def neighbours(point):
        r, c = point
        for dr, dc in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            nr, nc = r + dr, c + dc
            if 1 <= nr <= SIZE and 1 <= nc <= SIZE:
                yield (nr, nc)

    def group(self, point):
        colour = self.grid[point]
        stones, liberties, todo = {point}, set(), [point]
        while todo:
            p = todo.pop()
            for n in self.neighbours(p):
                v = self.grid.get(n)
                if v is None:
                    liberties.add(n)
                elif v == colour and n not in stones:
                    stones.add(n)
                    todo.append(n)
        return stones, liberties

    def play(self, point, colour):
        """Places a stone; returns the captured points. Raises IllegalMove."""
        if point in self.grid:
            raise IllegalMove(f"{point} is occupied")
        if point == self.ko:
            raise IllegalMove(f"{point} retakes a ko")
        self.grid[point] = colour
        enemy = "W" if colour == "B" else "B"
        captured = set()
        for n in self.neighbours(point):
            if self.grid.get(n) == enemy:
                stones, libs = self.group(n)
                if not libs:
                    captured |= stones
        for p in captured:
            del self.grid[p]
        stones, libs = self.group(point)
        if not libs:
            del self.grid[point]
            raise IllegalMove(f"{point} is suicide")
        self.ko = None
        if len(captured) == 1 and len(stones) == 1 and len(libs) == 1:
            self.ko = next(iter(captured))
        return captured

    def pass_move(self):
        self.ko = None
