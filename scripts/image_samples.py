#!/usr/bin/python3
"""Sample images for the image loader tests, written by Pillow and ImageMagick.

  image_samples.py make DIR         writes the samples and, beside each, the picture a
                                    reader must show (<sample>.expected.png), and lists
                                    them in DIR/manifest.txt, one line "<file> <frame>" each;
                                    DIR/refused.txt lists "<file>|<reason>" of files in
                                    variants the loaders refuse (no reason: accepted, not
                                    compared)
  image_samples.py check PDF DIR    renders page n of PDF with pdftoppm (one sample per
                                    page, in the order of make, at its top-left corner, one
                                    pixel per point) and compares it with sample n's
                                    expected picture; prints "ok" or "FAIL" and the
                                    differences
  image_samples.py photo DIR        writes DIR/photo.png, a large photo-like picture
                                    (smooth shapes under sensor grain), and its pixels as
                                    DIR/photo.rgb, three bytes a pixel, row after row
"""
import os
import random
import subprocess
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

W, H = 37, 23  # odd sizes: rows need padding and interlace passes are uneven
WHITE = (255, 255, 255)
ZOOM = 4


def source():
    im = Image.new("RGB", (W, H))
    px = im.load()
    for y in range(H):
        for x in range(W):
            px[x, y] = (x * 7 % 256, y * 11 % 256, (x * y * 3) % 256)
    draw = ImageDraw.Draw(im)
    draw.rectangle((3, 2, 12, 9), fill=(250, 20, 30))
    draw.ellipse((18, 8, 33, 20), fill=(10, 200, 60))
    return im


def over_white(im):
    rgba = im.convert("RGBA")
    back = Image.new("RGBA", rgba.size, WHITE + (255,))
    return Image.alpha_composite(back, rgba).convert("RGB")


def gif_expected(path):
    """The first frame's colours, the index the file declares transparent shown as white."""
    im = Image.open(path)
    return indexed_expected(im, im.info.get("transparency"))


def indexed_expected(im, transparent):
    palette = im.getpalette() or []
    out = Image.new("RGB", im.size)
    for i, index in enumerate(im.getdata()):
        rgb = tuple(palette[3 * index:3 * index + 3]) if 3 * index + 3 <= len(palette) else (0, 0, 0)
        out.putpixel((i % im.size[0], i // im.size[0]), WHITE if index == transparent else rgb)
    return out


def magick(src, dst, *options):
    subprocess.run(["convert", src, *options, dst], check=True)


def palette_image(colours):
    """The source reduced to a palette of exactly `colours` entries, entry 0 dark blue."""
    im = source().quantize(colours - 1, dither=Image.Dither.NONE)
    indices = [i + 1 for i in im.getdata()]
    out = Image.new("P", im.size)
    out.putdata(indices)
    out.putpalette([0, 0, 128] + im.getpalette()[:3 * (colours - 1)])
    return out


def make(folder):
    os.makedirs(folder, exist_ok=True)
    src_png = os.path.join(folder, "source.png")
    source().save(src_png)
    samples = []

    def add(name, expected, frame=1):
        expected.save(os.path.join(folder, name + ".expected.png"))
        samples.append((name, frame))

    def p(name):
        return os.path.join(folder, name)

    def read(name):
        return over_white(Image.open(p(name)))

    # Windows bitmaps.
    src = source()
    src.convert("1", dither=Image.Dither.NONE).save(p("pil_1bit.bmp"))
    src.convert("L").save(p("pil_grey.bmp"))
    src.quantize(200).save(p("pil_palette.bmp"))
    src.save(p("pil_rgb.bmp"))
    src.convert("RGBA").save(p("pil_rgba.bmp"))
    magick(src_png, "BMP3:" + p("im_1bit.bmp"), "-monochrome")
    magick(src_png, "BMP3:" + p("im_4bit.bmp"), "-colors", "16")
    magick(src_png, "BMP3:" + p("im_rle8.bmp"), "-colors", "200", "-compress", "RLE")
    magick(src_png, p("im_v5.bmp"))
    magick(src_png, p("im_32bit.bmp"), "-alpha", "on")
    for name in ("pil_1bit.bmp", "pil_grey.bmp", "pil_palette.bmp", "pil_rgb.bmp", "pil_rgba.bmp",
                 "im_1bit.bmp", "im_4bit.bmp", "im_rle8.bmp", "im_v5.bmp", "im_32bit.bmp"):
        add(name, read(name))
    # Five bits a component, which a reader shows on the full scale: 31 is 255.
    magick(src_png, p("im_16bit.bmp"), "-define", "bmp:subtype=RGB555")
    add("im_16bit.bmp", read("im_16bit.bmp").point(lambda v: round(round(v * 31 / 255) * 255 / 31)))

    # JPEG.
    src.save(p("pil_baseline.jpg"), quality=95)
    src.save(p("pil_progressive.jpg"), quality=95, progressive=True)
    src.convert("L").save(p("pil_grey.jpg"), quality=95)
    magick(src_png, p("im_progressive.jpg"), "-interlace", "Plane", "-quality", "95")
    for name in ("pil_baseline.jpg", "pil_progressive.jpg", "pil_grey.jpg", "im_progressive.jpg"):
        add(name, read(name))

    # PNG: palette depths follow the palette's size.
    src.save(p("pil_rgb.png"))
    src.convert("L").save(p("pil_grey.png"))
    src.convert("1", dither=Image.Dither.NONE).save(p("pil_1bit.png"))
    palette_image(256).save(p("pil_palette8.png"))
    palette_image(16).save(p("pil_palette4.png"))
    palette_image(4).save(p("pil_palette2.png"))
    palette_image(16).save(p("pil_palette_trns.png"), transparency=0)
    src.save(p("pil_rgb_key.png"), transparency=(250, 20, 30))
    magick(src_png, "PNG8:" + p("im_palette.png"))
    for bits in (2, 4):
        magick(src_png, p("im_grey%d.png" % bits), "-colorspace", "gray", "-posterize",
               str(1 << bits), "-define", "png:bit-depth=%d" % bits, "-define", "png:color-type=0")
    for name in ("pil_rgb.png", "pil_grey.png", "pil_1bit.png", "pil_palette8.png",
                 "pil_palette4.png", "pil_palette2.png", "pil_palette_trns.png",
                 "pil_rgb_key.png", "im_palette.png", "im_grey2.png", "im_grey4.png"):
        add(name, read(name))

    # GIF: table sizes 2, 4, 16, 32 and 256; plain and interlaced; the second frame of two.
    for colours in (2, 4, 16, 32, 256):
        name = "pil_%d.gif" % colours
        palette_image(colours).save(p(name), interlace=False, optimize=False)
        add(name, gif_expected(p(name)))
    palette_image(16).save(p("pil_interlaced.gif"), interlace=True, optimize=False)
    add("pil_interlaced.gif", gif_expected(p("pil_interlaced.gif")))
    palette_image(16).save(p("pil_transparent.gif"), transparency=5, optimize=False)
    add("pil_transparent.gif", gif_expected(p("pil_transparent.gif")))
    magick(src_png, p("im_2.gif"), "-colors", "2")
    magick(src_png, p("im_64.gif"), "-colors", "64")
    magick(src_png, p("im_interlaced.gif"), "-colors", "64", "-interlace", "GIF")
    for name in ("im_2.gif", "im_64.gif", "im_interlaced.gif"):
        add(name, gif_expected(p(name)))
    first = palette_image(16)
    second = first.transpose(Image.Transpose.ROTATE_180).point(lambda i: 15 - i)
    first.save(p("pil_frames.gif"), save_all=True, append_images=[second], optimize=False,
               interlace=False, disposal=1)
    add("pil_frames.gif", indexed_expected(second, None), 2)

    # TGA: 24 and 32 bits, plain and run-length encoded; one fully transparent pixel of a
    # colour found nowhere else.
    rgba = src.convert("RGBA")
    rgba.putpixel((5, 5), (1, 2, 3, 0))
    src.save(p("pil_24.tga"))
    src.save(p("pil_24_rle.tga"), compression="tga_rle")
    rgba.save(p("pil_32.tga"))
    rgba.save(p("pil_32_rle.tga"), compression="tga_rle")
    magick(src_png, p("im_24.tga"))
    magick(src_png, p("im_24_rle.tga"), "-compress", "RLE")
    for name in ("pil_24.tga", "pil_24_rle.tga", "pil_32.tga", "pil_32_rle.tga", "im_24.tga",
                 "im_24_rle.tga"):
        add(name, read(name))

    # Variants the loaders refuse, with the reason they give.
    refused = [
        ("pil_16bit.png", "PNG images of more than 8 bits per sample are not supported"),
        ("pil_rgba.png", "PNG images with an alpha channel are not supported"),
        ("pil_grey_alpha.png", "PNG images with an alpha channel are not supported"),
        ("im_interlaced.png", "interlaced PNG images are not supported"),
        ("pil_palette.tga", "only true-colour TGA images are supported"),
        ("pil_cmyk.jpg", ""),
    ]
    src.convert("I").point(lambda v: v * 200).save(p("pil_16bit.png"))
    src.convert("RGBA").save(p("pil_rgba.png"))
    src.convert("LA").save(p("pil_grey_alpha.png"))
    magick(src_png, p("im_interlaced.png"), "-interlace", "PNG")
    palette_image(16).save(p("pil_palette.tga"))
    src.convert("CMYK").save(p("pil_cmyk.jpg"))
    with open(os.path.join(folder, "refused.txt"), "w") as listing:
        for name, reason in refused:
            listing.write("%s|%s\n" % (name, reason))

    with open(os.path.join(folder, "manifest.txt"), "w") as manifest:
        for name, frame in samples:
            manifest.write("%s %d\n" % (name, frame))


def check(pdf, folder):
    failures = 0
    names = [line.split()[0] for line in open(os.path.join(folder, "manifest.txt"))]
    for page, name in enumerate(names, 1):
        out = os.path.join(folder, "rendered-%d" % page)
        # Four device pixels an image pixel, read at their centre: at one pixel a pixel the
        # renderer blends neighbouring pixels.
        subprocess.run(["pdftoppm", "-r", str(72 * ZOOM), "-f", str(page), "-l", str(page),
                        "-png", "-singlefile", pdf, out], check=True)
        expected = Image.open(os.path.join(folder, name + ".expected.png")).convert("RGB")
        width, height = expected.size
        shown = Image.open(out + ".png").convert("RGB").crop(
            (0, 0, width * ZOOM, height * ZOOM)).resize(expected.size, Image.Resampling.NEAREST)
        diffs = [abs(a - b) for pa, pb in zip(shown.getdata(), expected.getdata())
                 for a, b in zip(pa, pb)]
        mean = sum(diffs) / len(diffs)
        largest = max(diffs)
        # JPEG data are decoded by two different decoders.
        lossy = name.endswith(".jpg")
        good = mean <= (3 if lossy else 0.5) and largest <= (48 if lossy else 4)
        failures += not good
        print("%s %s mean=%.2f max=%d" % ("ok" if good else "FAIL", name, mean, largest))
    return failures


def photo(folder):
    """Soft overlapping shapes over gradients, blurred as by a lens, with grain on top:
    pixels that compress as a photograph's do, not as a drawing's."""
    size = (4000, 3000)
    rng = random.Random(26)
    im = Image.merge("RGB", [Image.linear_gradient("L").resize(size),
                             Image.radial_gradient("L").resize(size),
                             Image.linear_gradient("L").rotate(90).resize(size)])
    draw = ImageDraw.Draw(im)
    for _ in range(300):
        x, y, r = rng.randrange(size[0]), rng.randrange(size[1]), rng.randrange(20, 400)
        draw.ellipse((x - r, y - r, x + r, y + r),
                     fill=tuple(rng.randrange(256) for _ in range(3)))
    im = im.filter(ImageFilter.GaussianBlur(12))
    grain = Image.merge("RGB", [Image.effect_noise(size, 6) for _ in range(3)])
    im = ImageChops.add(im, grain, 1, -128)
    os.makedirs(folder, exist_ok=True)
    im.save(os.path.join(folder, "photo.png"))
    with open(os.path.join(folder, "photo.rgb"), "wb") as raw:
        raw.write(im.tobytes())


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2])
    elif sys.argv[1] == "photo":
        photo(sys.argv[2])
    else:
        sys.exit(1 if check(sys.argv[2], sys.argv[3]) else 0)
