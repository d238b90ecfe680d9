"""Small helpers shared by the art scripts: a cell grid and the writer of
".sprite" sources (see docs/art-sources.md for the format)."""


class Grid:
    """One cell of w x h pixels; a pixel is a legend character, '.' is clear."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [["."] * w for _ in range(h)]

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y][x]
        return "."

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                c = other.px[y][x]
                if c != ".":
                    self.set(ox + x, oy + y, c)

    def draw(self, rows, ox, oy):
        """Paints text rows (with '.' clear) at (ox, oy)."""
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                if c not in ". ":
                    self.set(ox + x, oy + y, c)

    def rows(self):
        out = []
        for row in self.px:
            text = "".join(row).rstrip(".")
            out.append(text if text else ".")
        return out


def write_sprite(path, header_comment, sheet, mode, frame, columns, legend, cells, notes=None):
    """legend: list of (char, value, comment); cells: list of (comment, Grid)."""
    lines = []
    for line in header_comment.strip("\n").split("\n"):
        lines.append("# " + line if line else "#")
    lines += ["", "sheet " + sheet, "mode " + mode, "frame %d %d" % frame, "columns %d" % columns, "",
              "legend"]
    for char, value, comment in legend:
        lines.append("  %s %-9s # %s" % (char, value, comment))
    keywords = {"sheet", "mode", "frame", "columns", "rows", "legend", "cell"}
    index = 0
    for comment, grid in cells:
        lines.append("")
        if isinstance(grid, tuple):  # ("copy", source, flip)
            _, source, flip = grid
            lines.append("cell %d = %d%s   # %s" % (index, source, " flip" if flip else "", comment))
        else:
            lines.append("cell %d   # %s" % (index, comment))
            rows = grid.rows()
            assert not keywords.intersection(rows), "a row reads as a statement"
            lines += rows
        index += 1
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")
