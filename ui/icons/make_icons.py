#!/usr/bin/python3
"""Draws the icon's small sizes and packs the Windows icon; run from anywhere after changing the
large PNGs. Needs Debian's python3-pil and fonts-liberation.

Scaled down from 256 pixels, the "49" of the 16, 20 and 24 pixel icons blurs into a blob (Windows
uses them in lists, the title bar and the task bar). Those sizes are drawn anew instead: the disc
smoothed, the digits unsmoothed at the final size, so every stroke is a whole pixel. 40 pixels
(the list at 125 %) scale down cleanly. varedadav.ico holds every size Windows asks for from
100 % to 250 %."""
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

HERE = Path(__file__).resolve().parent
BLUE, YELLOW, RED = (21, 101, 192, 255), (255, 213, 79, 255), (198, 40, 40, 255)
BOLD = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"
DRAWN = {16: 10, 20: 12, 24: 15}  # size in pixels: the digits' height in pixels
SCALED = (40,)
ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 128, 256)


def drawn(size, digits_px):
    smooth = 8
    disc = Image.new("RGBA", (size * smooth,) * 2, (0, 0, 0, 0))
    draw = ImageDraw.Draw(disc)
    edge = size * smooth - 1
    draw.rounded_rectangle([0, 0, edge, edge], radius=size * smooth * 0.14, fill=BLUE)
    inset = size * smooth * 0.06
    draw.ellipse([inset, inset, edge - inset, edge - inset], fill=YELLOW)
    icon = disc.resize((size, size), Image.LANCZOS)

    digits = Image.new("L", (size, size), 0)
    draw = ImageDraw.Draw(digits)
    draw.fontmode = "1"  # no smoothing: whole pixels
    font = ImageFont.truetype(BOLD, digits_px)
    left, top, right, bottom = draw.textbbox((0, 0), "49", font=font)
    draw.text(((size - (right - left)) // 2 - left, (size - (bottom - top)) // 2 - top), "49",
              font=font, fill=255)
    icon.paste(Image.new("RGBA", (size, size), RED), (0, 0), digits)
    return icon


def main():
    largest = Image.open(HERE / "varedadav-256.png").convert("RGBA")
    for size, digits_px in DRAWN.items():
        drawn(size, digits_px).save(HERE / f"varedadav-{size}.png", optimize=True)
    for size in SCALED:
        largest.resize((size, size), Image.LANCZOS).save(HERE / f"varedadav-{size}.png", optimize=True)
    images = [Image.open(HERE / f"varedadav-{size}.png").convert("RGBA") for size in ICO_SIZES]
    largest.save(HERE / "varedadav.ico", sizes=[(s, s) for s in ICO_SIZES], append_images=images)


if __name__ == "__main__":
    main()
