#!/usr/bin/python3
"""Draws the program's pictures: the maker's logo (assets/logo.jpg) and the three
connection guide animations (assets/guide/*.gmm, GIF files), with ImageMagick's convert.

Run by hand from anywhere: tools/make_guide_assets.py. The output depends only on this
script, the Liberation fonts and ImageMagick, so running it again gives the same files.
"""

import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_DIR = "/usr/share/fonts/truetype/liberation2"
FONT = os.path.join(FONT_DIR, "LiberationSans-Regular.ttf")
FONT_BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")

# The guide shows each animation stretched to a 401 x 405 area; drawn at that size it
# appears undistorted.
CANVAS = "401x405"
LINE = "#202020"
OFF_DISPLAY = "#4a5a4a"
LIT_DISPLAY = "#b8f0a0"
HIGHLIGHT = "#3060c0"


def run(args):
    subprocess.run(["convert"] + args, check=True)


class Frame:
    """One picture as a list of convert drawing arguments on a white canvas."""

    def __init__(self):
        self.ops = []

    def shape(self, fill, stroke, width, primitive):
        self.ops += ["-fill", fill, "-stroke", stroke, "-strokewidth", str(width), "-draw", primitive]
        return self

    def rect(self, x0, y0, x1, y1, fill="none", stroke=LINE, width=3, radius=0):
        if radius:
            return self.shape(fill, stroke, width, f"roundrectangle {x0},{y0} {x1},{y1} {radius},{radius}")
        return self.shape(fill, stroke, width, f"rectangle {x0},{y0} {x1},{y1}")

    def line(self, x0, y0, x1, y1, stroke=LINE, width=3):
        return self.shape("none", stroke, width, f"line {x0},{y0} {x1},{y1}")

    def circle(self, cx, cy, r, fill="none", stroke=LINE, width=3):
        return self.shape(fill, stroke, width, f"circle {cx},{cy} {cx + r},{cy}")

    def polygon(self, points, fill, stroke=LINE, width=2):
        return self.shape(fill, stroke, width, "polygon " + " ".join(f"{x},{y}" for x, y in points))

    def text(self, x, y, size, words, fill=LINE, bold=False):
        self.ops += ["-stroke", "none", "-fill", fill, "-font", FONT_BOLD if bold else FONT,
                     "-pointsize", str(size), "-annotate", f"+{x}+{y}", words]
        return self

    def pointer(self, x, y):
        """A mouse arrow with its tip at (x, y)."""
        return self.polygon([(x, y), (x, y + 26), (x + 7, y + 20), (x + 12, y + 31), (x + 17, y + 29),
                             (x + 12, y + 18), (x + 20, y + 18)], "white", width=2)

    def render(self, path):
        run(["-size", CANVAS, "xc:white"] + self.ops + ["+dither", "-colors", "64", path])


def instrument(frame, display_lit=False, button_down=False):
    """The tester seen from the front: body, display, the "РЕЖИМ" button, USB socket on top."""
    frame.rect(90, 120, 310, 385, fill="#e8e8e8", radius=18)
    frame.rect(185, 110, 215, 120, fill="#909090", width=2)
    frame.rect(118, 150, 282, 245, fill=LIT_DISPLAY if display_lit else OFF_DISPLAY, width=3, radius=6)
    if display_lit:
        frame.text(148, 190, 24, "ЛИРАС-Д7", bold=True)
        frame.text(150, 228, 20, "t = 0,0 мкс")
    frame.rect(145, 285, 255, 330, fill="#707070" if button_down else "#d0d0d0", radius=10)
    frame.text(166, 316, 20, "РЕЖИМ", fill="white" if button_down else LINE, bold=True)
    frame.circle(130, 360, 8, fill="#909090", width=2)
    frame.circle(270, 360, 8, fill="#909090", width=2)
    return frame


def cable(frame, plug_top):
    """The USB cable coming down from above, its plug's upper edge at plug_top."""
    frame.line(200, 0, 200, plug_top, width=6)
    frame.rect(186, plug_top, 214, plug_top + 26, fill="#b0b0b0", width=2)
    frame.rect(190, plug_top + 26, 210, plug_top + 40, fill="#d8d8d8", width=2)
    return frame


def connection_frames():
    frames = []
    for top in (10, 25, 40, 55, 70):
        frames.append((15, cable(instrument(Frame()), top)))
    done = cable(instrument(Frame()), 80)
    done.text(120, 60, 22, "USB", fill=HIGHLIGHT, bold=True)
    frames.append((120, done))
    return frames


def finger(frame, tip_y):
    """A fingertip pressing from below the button."""
    frame.shape("#f0c8a0", LINE, 2, f"roundrectangle 185,{tip_y} 215,{tip_y + 80} 14,14")
    return frame


def power_frames():
    frames = [(40, instrument(Frame()))]
    for tip in (395, 355, 318):
        frames.append((12, finger(instrument(Frame()), tip)))
    frames.append((25, finger(instrument(Frame(), button_down=True), 312)))
    frames.append((15, finger(instrument(Frame(), display_lit=True), 330)))
    frames.append((150, instrument(Frame(), display_lit=True)))
    return frames


MENU_ENTRIES = ["Открыть архив на приборе", "Открыть файл...   Ctrl+O", "Сохранить как...",
                "Закрыть файл", "-", "Отчет", "-", "Выйти"]


def program_window(frame, menu_open=False, selected=None):
    """The program's main window with its menu bar; optionally the "Файл" menu dropped down."""
    frame.rect(15, 60, 386, 345, fill="white", width=2)
    frame.rect(15, 60, 386, 84, fill="#d8e0f0", width=2)
    frame.text(24, 78, 15, "ЛИРАС-Д7")
    frame.line(15, 108, 386, 108, stroke="#a0a0a0", width=1)
    if menu_open:
        frame.rect(20, 88, 66, 106, fill=HIGHLIGHT, stroke=HIGHLIGHT, width=1)
    frame.text(26, 103, 15, "Файл", fill="white" if menu_open else LINE)
    for x, word in ((80, "Правка"), (146, "Экспорт"), (220, "Помощь")):
        frame.text(x, 103, 15, word)
    if not menu_open:
        return frame
    frame.rect(20, 107, 250, 107 + 24 * len(MENU_ENTRIES) + 6, fill="#f6f6f6", stroke="#808080", width=1)
    for index, entry in enumerate(MENU_ENTRIES):
        top = 112 + 24 * index
        if entry == "-":
            frame.line(26, top + 12, 244, top + 12, stroke="#b0b0b0", width=1)
            continue
        chosen = index == selected
        if chosen:
            frame.rect(23, top, 247, top + 22, fill=HIGHLIGHT, stroke=HIGHLIGHT, width=1)
        frame.text(32, top + 16, 14, entry, fill="white" if chosen else LINE)
    return frame


def open_frames():
    frames = []
    for x, y in ((300, 300), (200, 200), (90, 130)):
        frames.append((12, program_window(Frame()).pointer(x, y)))
    frames.append((30, program_window(Frame()).pointer(40, 96)))
    frames.append((40, program_window(Frame(), menu_open=True).pointer(40, 96)))
    frames.append((20, program_window(Frame(), menu_open=True).pointer(130, 112)))
    frames.append((200, program_window(Frame(), menu_open=True, selected=0).pointer(215, 118)))
    return frames


def write_animation(frames, path):
    """frames: (delay in 1/100 s, Frame); the animation loops without end."""
    with tempfile.TemporaryDirectory() as work:
        args = []
        for index, (delay, frame) in enumerate(frames):
            still = os.path.join(work, f"{index}.miff")
            frame.render(still)
            args += ["-delay", str(delay), still]
        run(args + ["-loop", "0", "+dither", "-colors", "64", "gif:" + path])


def write_logo(path):
    """The maker's logo: the instrument's name on a plain band, 262 x 56."""
    run(["-size", "262x56", "xc:#1d3c78", "-fill", "#f2b400", "-draw", "rectangle 0,50 261,55",
         "-fill", "white", "-font", FONT_BOLD, "-pointsize", "34", "-gravity", "center",
         "-annotate", "+0-3", "ЛИРАС-Д7", "-strip", "-quality", "92", "jpeg:" + path])


def main():
    guide = os.path.join(ROOT, "assets", "guide")
    os.makedirs(guide, exist_ok=True)
    write_logo(os.path.join(ROOT, "assets", "logo.jpg"))
    write_animation(connection_frames(), os.path.join(guide, "conn.gmm"))
    write_animation(power_frames(), os.path.join(guide, "power.gmm"))
    write_animation(open_frames(), os.path.join(guide, "open.gmm"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
