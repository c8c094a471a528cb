#!/usr/bin/python3
"""Draws the program's icon for the desktop from the logo's colours and letters: the scalable
packaging/icons/scalable/liras-d7.svg and the 48, 128 and 256 px PNG files beside it, in the
layout of the hicolor icon theme.

The letters are the outlines of Liberation Sans Bold (the logo's face) taken with fontTools,
so the SVG needs no font where it is shown, and the PNG files are drawn by ImageMagick from
the very same shapes. Run by hand from anywhere: tools/make_icons.py. The output depends only
on this script, the Liberation fonts, fontTools and ImageMagick.
"""

import os
import subprocess
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_BOLD = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"
ICONS = os.path.join(ROOT, "packaging", "icons")

# The logo's colours: a blue field, a yellow band, white letters.
BLUE = "#1d3c78"
YELLOW = "#f2b400"
WHITE = "#ffffff"

# Drawn on a 256-unit square. The band stays clear of the rounded corners.
SIZE = 256
FIELD = (8, 8, 248, 248)
RADIUS = 36
BAND = (8, 190, 248, 210)
LETTERS = "Д7"
LETTER_BOX = (30, 44, 226, 172)
PNG_SIZES = (48, 128, 256)


def letter_outline():
    """The letters' outline as SVG path data, scaled and placed into LETTER_BOX."""
    font = TTFont(FONT_BOLD)
    glyphs = font.getGlyphSet()
    names = [font.getBestCmap()[ord(c)] for c in LETTERS]

    # Pen position of each letter in font units, and the extent of the inked area.
    bounds = BoundsPen(glyphs)
    x = 0
    for name in names:
        glyphs[name].draw(TransformPen(bounds, (1, 0, 0, 1, x, 0)))
        x += glyphs[name].width
    x_min, y_min, x_max, y_max = bounds.bounds

    box_width = LETTER_BOX[2] - LETTER_BOX[0]
    box_height = LETTER_BOX[3] - LETTER_BOX[1]
    scale = min(box_width / (x_max - x_min), box_height / (y_max - y_min))
    # Font units grow upwards, the picture's downwards; centred in the box.
    dx = LETTER_BOX[0] + (box_width - (x_max - x_min) * scale) / 2 - x_min * scale
    dy = LETTER_BOX[1] + (box_height - (y_max - y_min) * scale) / 2 + y_max * scale

    svg = SVGPathPen(glyphs, ntos=lambda v: f"{v:.2f}".rstrip("0").rstrip("."))
    x = 0
    for name in names:
        glyphs[name].draw(TransformPen(svg, (scale, 0, 0, -scale, dx + x * scale, dy)))
        x += glyphs[name].width
    return svg.getCommands()


def write_svg(path, outline):
    x0, y0, x1, y1 = FIELD
    b0, b1, b2, b3 = BAND
    text = (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
        f'viewBox="0 0 {SIZE} {SIZE}">\n'
        f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{RADIUS}" fill="{BLUE}"/>\n'
        f'  <rect x="{b0}" y="{b1}" width="{b2 - b0}" height="{b3 - b1}" fill="{YELLOW}"/>\n'
        f'  <path d="{outline}" fill="{WHITE}"/>\n'
        "</svg>\n"
    )
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def write_png(path, size, outline):
    scale = size / SIZE
    x0, y0, x1, y1 = FIELD
    b0, b1, b2, b3 = BAND
    # ImageMagick's rectangles include their last pixel row; SVG's do not.
    shapes = [
        (BLUE, f"roundrectangle {x0},{y0} {x1 - 1},{y1 - 1} {RADIUS},{RADIUS}"),
        (YELLOW, f"rectangle {b0},{b1} {b2 - 1},{b3 - 1}"),
        (WHITE, f"path '{outline}'"),
    ]
    args = ["convert", "-size", f"{size}x{size}", "xc:none"]
    for colour, shape in shapes:
        args += ["-fill", colour, "-stroke", "none", "-draw", f"scale {scale},{scale} {shape}"]
    args += ["-strip", "-define", "png:exclude-chunks=date,time", f"png32:{path}"]
    subprocess.run(args, check=True)


def main():
    outline = letter_outline()
    scalable = os.path.join(ICONS, "scalable")
    os.makedirs(scalable, exist_ok=True)
    write_svg(os.path.join(scalable, "liras-d7.svg"), outline)
    for size in PNG_SIZES:
        folder = os.path.join(ICONS, f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "liras-d7.png"), size, outline)
    return 0


if __name__ == "__main__":
    sys.exit(main())
