#!/usr/bin/python3
"""Writes the width tables of the built-in fonts into pdf/fonts/*_widths.cpp.

Sources (Debian packages, see scripts/setup):
  fonts-liberation   Liberation Sans and Serif 1.07, whose advance widths are those of
                     Arial and Times New Roman (read with python3-fonttools);
  fonts-urw-base35   AFM metrics of Nimbus Sans and Nimbus Roman (the Helvetica and Times
                     metrics), Standard Symbols PS (Symbol) and D050000L (ZapfDingbats).
The byte-to-character maps are those of scripts/generate_code_pages.py.  Run:

    /usr/bin/python3 scripts/generate_font_widths.py
"""

import pathlib

from fontTools.ttLib import TTFont

from generate_code_pages import CODE_PAGES, code_page_map, glyph_name

ROOT = pathlib.Path(__file__).resolve().parent.parent
FONTS = ROOT / "pdf" / "fonts"
LIBERATION = pathlib.Path("/usr/share/fonts/truetype/liberation")
URW = pathlib.Path("/usr/share/fonts/type1/urw-base35")

STYLES = ["Regular", "Bold", "Italic", "BoldItalic"]

# Western tables built from the AFM metrics carry these widths, whatever the style, where
# the Windows fonts' own glyphs differ from the PostScript ones.
ARIAL_WESTERN_OVERRIDES = {175: 552, 177: 549, 181: 576, 247: 549}
TIMES_WESTERN_OVERRIDES = {175: 500, 177: 549, 181: 576, 247: 549}


class TrueTypeWidths:
    """Advance widths of a TrueType font by code point, in thousandths of an em,
    truncated toward zero (or rounded to the nearest)."""

    def __init__(self, path):
        font = TTFont(path)
        self.units = font["head"].unitsPerEm
        self.cmap = font.getBestCmap()
        self.hmtx = font["hmtx"]

    def advance(self, code_point):
        glyph = self.cmap.get(code_point)
        if glyph is None:
            raise SystemExit(f"no glyph for U+{code_point:04X}")
        return self.hmtx[glyph][0]

    def width(self, code_point):
        return self.advance(code_point) * 1000 // self.units

    def rounded_width(self, code_point):
        return round(self.advance(code_point) * 1000 / self.units)


def read_afm(path):
    """Widths by glyph name and by code of the font's built-in encoding."""
    by_name, by_code = {}, {}
    for line in path.read_text(encoding="latin-1").splitlines():
        if not line.startswith("C "):
            continue
        fields = dict(
            part.strip().split(" ", 1) for part in line.split(";") if part.strip())
        code, width, name = int(fields["C"]), int(fields["WX"]), fields["N"]
        by_name[name] = width
        if code >= 0:
            by_code[code] = width
    return by_name, by_code


def table(fillers, other_fill, mapping, width_of):
    """256 widths: `fillers` at 0-31, `other_fill` at 127 and at undefined bytes."""
    result = []
    for byte in range(256):
        if byte < 32:
            result.append(fillers)
        elif byte == 127 or mapping[byte] < 0:
            result.append(other_fill)
        else:
            result.append(width_of(byte))
    return result


def afm_western(afm_by_name, control_fill, other_fill, overrides):
    western = code_page_map("cp1252")

    def width_of(byte):
        if byte in overrides:
            return overrides[byte]
        # The glyph WinAnsiEncoding puts at the byte (quotesingle at 39, grave at 96).
        return afm_by_name[glyph_name(western[byte])]

    return table(control_fill, other_fill, western, width_of)


def check_western(tables, fonts, family):
    """The AFM-built Western tables must equal the TrueType widths rounded to the nearest,
    which is what the four Windows-glyph overrides stand for."""
    western = code_page_map("cp1252")
    for style, widths in enumerate(tables):
        for byte in range(32, 256):
            if byte != 127 and western[byte] >= 0:
                expected = fonts[style].rounded_width(western[byte])
                if widths[byte] != expected:
                    raise SystemExit(f"{family} style {style} byte {byte}: "
                                     f"{widths[byte]} from the AFM, {expected} from TrueType")


def truetype_table(font, code_page, control_fill, other_fill):
    mapping = code_page_map(code_page)
    return table(control_fill, other_fill, mapping, lambda byte: font.width(mapping[byte]))


def arial_tables():
    fonts = [TrueTypeWidths(LIBERATION / f"LiberationSans-{s}.ttf") for s in STYLES]
    afm = [read_afm(URW / f"NimbusSans-{s}.afm")[0] for s in STYLES[:3]]
    control = [272, 311, 259, 311]
    tables = {}
    for code_page in CODE_PAGES:
        tables[code_page] = [truetype_table(fonts[s], code_page, control[s], 750)
                             for s in range(4)]

    western = tables["cp1252"]
    for style in range(3):
        western[style] = afm_western(afm[style], control[style], 750,
                                     ARIAL_WESTERN_OVERRIDES)
    check_western(western[:3], fonts, "Arial")
    # No AFM metrics for the bold italic face: its Western widths are the TrueType ones
    # rounded to the nearest, which is what the other three tables are checked against.
    cp1252 = code_page_map("cp1252")
    western[3] = table(control[3], 750, cp1252,
                       lambda byte: fonts[3].rounded_width(cp1252[byte]))

    cyrillic = tables["cp1251"]
    cyrillic[2][239] = 550
    cyrillic[3] = list(cyrillic[1])
    cyrillic[3][242] = 850
    return tables


def times_tables():
    fonts = [TrueTypeWidths(LIBERATION / f"LiberationSerif-{s}.ttf") for s in STYLES]
    afm = [read_afm(URW / f"NimbusRoman-{s}.afm")[0] for s in STYLES]
    tables = {}
    for code_page in CODE_PAGES:
        tables[code_page] = [truetype_table(fonts[s], code_page, 333, 777) for s in range(4)]
    tables["cp1252"] = [afm_western(afm[s], 333, 778, TIMES_WESTERN_OVERRIDES)
                        for s in range(4)]
    check_western(tables["cp1252"], fonts, "Times New Roman")
    return tables


def symbol_table():
    _, by_code = read_afm(URW / "StandardSymbolsPS.afm")
    result = []
    for code in range(256):
        if code < 30:
            result.append(332)
        elif code < 32 or 127 <= code <= 160 or code in (240, 255):
            result.append(600)
        else:
            result.append(by_code[code])
    return result


def zapf_dingbats_table():
    _, by_code = read_afm(URW / "D050000L.afm")
    result = []
    for code in range(256):
        if code < 32:
            result.append(600)
        elif code == 127 or 142 <= code <= 160 or code in (240, 255):
            result.append(0)
        else:
            result.append(by_code[code])
    return result


def cpp_widths(widths, indent):
    rows = [indent + " ".join(f"{w}," for w in widths[i:i + 16]) for i in range(0, 256, 16)]
    return "\n".join(rows)


def write(file_name, source, body):
    text = ("// Generated by scripts/generate_font_widths.py\n"
            f"// from {source}.\n"
            "// Do not edit; run the script again instead.\n\n"
            '#include "pdf/fonts/width_tables.h"\n\n'
            "namespace pdf {\n\n" + body + "\n}  // namespace pdf\n")
    (FONTS / file_name).write_text(text)


def family_body(name, tables):
    out = [f"const FamilyWidths {name} = {{{{"]
    for code_page in CODE_PAGES:
        out.append(f"    // {code_page}: regular, bold, italic, bold italic")
        out.append("    {{")
        for widths in tables[code_page]:
            out.append("        {{")
            out.append(cpp_widths(widths, "            "))
            out.append("        }},")
        out.append("    }},")
    out.append("}};")
    return "\n".join(out) + "\n"


def single_body(name, widths):
    return f"const FontWidths {name} = {{{{\n{cpp_widths(widths, '    ')}\n}}}};\n"


def main():
    write("arial_widths.cpp", "Liberation Sans 1.07 and the Nimbus Sans AFM metrics",
          family_body("kArialWidths", arial_tables()))
    write("times_new_roman_widths.cpp",
          "Liberation Serif 1.07 and the Nimbus Roman AFM metrics",
          family_body("kTimesNewRomanWidths", times_tables()))
    write("symbol_widths.cpp", "the Standard Symbols PS AFM metrics",
          single_body("kSymbolWidths", symbol_table()))
    write("zapf_dingbats_widths.cpp", "the D050000L AFM metrics",
          single_body("kZapfDingbatsWidths", zapf_dingbats_table()))


if __name__ == "__main__":
    main()
