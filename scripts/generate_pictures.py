#!/usr/bin/python3
"""Draws the planner's window pictures (menu entries, chat button, periodic mark, ...) as PNG
files from simple shapes, so that no picture comes from elsewhere.

    /usr/bin/python3 scripts/generate_pictures.py app/mainwindow/pictures

Standard library only: each pixel is sampled 4 x 4 times against the shapes' outlines.
"""
import math
import os
import struct
import sys
import zlib

BLUE = (0x00, 0x67, 0xC0)
ORANGE = (0xC0, 0x67, 0x00)
RED = (0xD0, 0x20, 0x20)
GREY = (0x60, 0x60, 0x60)
WHITE = (0xFF, 0xFF, 0xFF)
SAMPLES = 4


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0.0)] * width for _ in range(height)]

    def fill(self, inside, colour):
        """Paints `colour` over every pixel in proportion to the share of it inside."""
        for y in range(self.height):
            for x in range(self.width):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    self._over(x, y, colour, hits / (SAMPLES * SAMPLES))

    def _over(self, x, y, colour, alpha):
        r, g, b, a = self.pixels[y][x]
        out = alpha + a * (1 - alpha)
        mix = [(c * alpha + d * a * (1 - alpha)) / out for c, d in zip(colour, (r, g, b))]
        self.pixels[y][x] = (mix[0], mix[1], mix[2], out)

    def png(self):
        rows = b""
        for row in self.pixels:
            rows += b"\0" + bytes(
                v for r, g, b, a in row for v in (round(r), round(g), round(b), round(a * 255)))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


# Shapes: functions of a point telling whether it lies inside.
def rect(x0, y0, x1, y1, radius=0.0):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def frame(x0, y0, x1, y1, width, radius=0.0):
    outer = rect(x0, y0, x1, y1, radius)
    inner = rect(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, radius - width))
    return lambda x, y: outer(x, y) and not inner(x, y)


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width):
    return lambda x, y: (r - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= (width / 2) ** 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def arc(cx, cy, r, width, start, sweep):
    """A ring between the angles `start` and `start + sweep` (degrees, counter-clockwise)."""
    band = ring(cx, cy, r, width)

    def inside(x, y):
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return band(x, y) and (angle - start) % 360 <= sweep
    return inside


# The pictures.
def calendar(columns):
    canvas = Canvas(32, 32)
    canvas.fill(frame(3, 5, 29, 29, 2, 3), BLUE)
    canvas.fill(rect(3, 5, 29, 11, 2), BLUE)
    canvas.fill(segment(10, 2.5, 10, 7, 2.5), BLUE)
    canvas.fill(segment(22, 2.5, 22, 7, 2.5), BLUE)
    if columns:
        step = 22.0 / columns
        for c in range(columns):
            canvas.fill(rect(5 + c * step + 0.6, 13.5, 5 + (c + 1) * step - 0.6, 26.5), BLUE)
    else:
        for row in range(3):
            for c in range(4):
                canvas.fill(rect(6.5 + c * 5, 13.5 + row * 4.5, 9.5 + c * 5, 16 + row * 4.5),
                            BLUE)
    return canvas


def agenda():
    canvas = Canvas(32, 32)
    for row in range(4):
        y = 7 + row * 6.5
        canvas.fill(disc(6, y, 2.2), BLUE)
        canvas.fill(segment(11, y, 28, y, 2.6), BLUE)
    return canvas


def add():
    canvas = Canvas(32, 32)
    canvas.fill(ring(16, 16, 13.5, 2.4), BLUE)
    canvas.fill(segment(16, 9, 16, 23, 3), BLUE)
    canvas.fill(segment(9, 16, 23, 16, 3), BLUE)
    return canvas


def resources():
    canvas = Canvas(32, 32)
    for cx, colour in ((11, BLUE), (21, BLUE)):
        canvas.fill(disc(cx, 10, 4.5), colour)
        canvas.fill(lambda x, y, cx=cx: y <= 28 and (x - cx) ** 2 / 64 + (y - 28) ** 2 / 100 <= 1,
                    colour)
    canvas.fill(ring(21, 10, 5.7, 1.2), WHITE)
    canvas.fill(lambda x, y: y <= 28 and 1 <= (x - 21) ** 2 / 85 + (y - 28) ** 2 / 124 and
                (x - 21) ** 2 / 64 + (y - 28) ** 2 / 100 > 1 and
                (x - 21) ** 2 / 85 + (y - 28) ** 2 / 124 <= 1.25, WHITE)
    return canvas


def projects():
    canvas = Canvas(32, 32)
    canvas.fill(polygon([(3, 8), (12, 8), (15, 11), (29, 11), (29, 27), (3, 27)]), BLUE)
    canvas.fill(rect(5, 14, 27, 25, 1), WHITE)
    canvas.fill(rect(6.5, 15.5, 25.5, 23.5, 1), BLUE)
    return canvas


def pdf():
    canvas = Canvas(32, 32)
    canvas.fill(polygon([(6, 2), (20, 2), (27, 9), (27, 30), (6, 30)]), BLUE)
    canvas.fill(polygon([(8, 4), (19, 4), (19, 10), (25, 10), (25, 28), (8, 28)]), WHITE)
    canvas.fill(rect(3, 16, 24, 25, 1.5), RED)
    for y in (19, 22):
        canvas.fill(segment(6.5, y, 20.5, y, 1.6), WHITE)
    canvas.fill(segment(9, 7, 15, 7, 1.6), BLUE)
    return canvas


def settings():
    canvas = Canvas(32, 32)
    for tooth in range(8):
        angle = math.radians(tooth * 45)
        canvas.fill(segment(16 + 8 * math.cos(angle), 16 + 8 * math.sin(angle),
                            16 + 13 * math.cos(angle), 16 + 13 * math.sin(angle), 5), BLUE)
    canvas.fill(ring(16, 16, 10.5, 5), BLUE)
    return canvas


def chat():
    canvas = Canvas(56, 56)
    canvas.fill(disc(28, 26, 22), BLUE)
    canvas.fill(polygon([(14, 40), (22, 46), (9, 52)]), BLUE)
    for cx in (18, 28, 38):
        canvas.fill(disc(cx, 26, 3.5), WHITE)
    return canvas


def copy():
    canvas = Canvas(24, 24)
    canvas.fill(frame(2, 2, 15, 17, 1.6, 1.5), GREY)
    canvas.fill(rect(8, 7, 22, 22, 1.5), WHITE)
    canvas.fill(frame(8, 7, 22, 22, 1.6, 1.5), GREY)
    for y in (11.5, 14.5, 17.5):
        canvas.fill(segment(11, y, 19, y, 1.2), GREY)
    return canvas


def today():
    canvas = Canvas(32, 32)
    canvas.fill(ring(16, 16, 13.5, 3), ORANGE)
    canvas.fill(segment(16, 16, 16, 8.5, 3), ORANGE)
    canvas.fill(segment(16, 16, 21.5, 19, 3), ORANGE)
    return canvas


def periodic():
    canvas = Canvas(17, 11)
    canvas.fill(rect(0, 0, 17, 11), WHITE)
    canvas.fill(frame(0, 0, 17, 11, 1), GREY)
    canvas.fill(arc(8.5, 5.5, 3.6, 1.3, 60, 270), GREY)
    canvas.fill(polygon([(9.2, 0.8), (12.8, 2.2), (10, 4.8)]), GREY)
    return canvas


def remove():
    canvas = Canvas(24, 24)
    canvas.fill(disc(12, 12, 10), RED)
    canvas.fill(segment(8, 8, 16, 16, 2.6), WHITE)
    canvas.fill(segment(16, 8, 8, 16, 2.6), WHITE)
    return canvas


def info():
    """The settings dialog's help picture: a blue disc with a white "i"."""
    canvas = Canvas(32, 32)
    canvas.fill(disc(16, 16, 14), BLUE)
    canvas.fill(disc(16, 9, 2.4), WHITE)
    canvas.fill(rect(14, 13, 18, 25, 1), WHITE)
    return canvas


def slider_handle():
    """The cursor of the colour chooser's sliders, stretched flat over its track."""
    canvas = Canvas(52, 55)
    canvas.fill(rect(2, 10, 50, 45, 10), GREY)
    canvas.fill(rect(8, 24, 44, 31, 3), WHITE)
    return canvas


PICTURES = {
    "month.png": lambda: calendar(0),
    "agenda.png": agenda,
    "week.png": lambda: calendar(7),
    "workweek.png": lambda: calendar(5),
    "add.png": add,
    "resources.png": resources,
    "projects.png": projects,
    "pdf.png": pdf,
    "settings.png": settings,
    "chat.png": chat,
    "copy.png": copy,
    "today.png": today,
    "periode.png": periodic,
    "remove.png": remove,
    "cursor.png": slider_handle,
    "info.png": info,
}


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "app/mainwindow/pictures"
    os.makedirs(folder, exist_ok=True)
    for name, draw in PICTURES.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(draw().png())


if __name__ == "__main__":
    main()
