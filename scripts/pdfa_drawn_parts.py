#!/usr/bin/python3
"""Prints what the pages of a PDF draw that PDF/A-1b with an RGB output intent forbids,
one line each, or "allowed": DeviceCMYK colours and images, interpolated or softly masked
images, transfer functions and transparency in graphics states, fonts not embedded.
Forms are followed into their content."""
import sys

import pikepdf


def cmyk(space):
    if isinstance(space, pikepdf.Name):
        return space in ("/DeviceCMYK", "/CMYK")
    if isinstance(space, pikepdf.Array) and len(space) > 1:
        family = space[0]
        if family in ("/Indexed", "/I"):
            return cmyk(space[1])
        if family in ("/Separation", "/DeviceN"):
            return cmyk(space[2])
    return False


def fonts(resources, found):
    for name, font in resources.get("/Font", {}).items():
        for part in [font] + list(font.get("/DescendantFonts", [])):
            if part.get("/Subtype") == "/Type0":
                continue
            descriptor = part.get("/FontDescriptor", {})
            if not any(k in descriptor for k in ("/FontFile", "/FontFile2", "/FontFile3")):
                found.append("font not embedded " + str(name))


def state(gs, found):
    if "/TR" in gs or gs.get("/TR2", "/Default") != "/Default":
        found.append("transfer function")
    if gs.get("/ca", 1) < 1 or gs.get("/CA", 1) < 1 or gs.get("/SMask", "/None") != "/None":
        found.append("transparency")


def image(img, found):
    if img.get("/Interpolate", False):
        found.append("interpolated image")
    if "/SMask" in img:
        found.append("soft mask")
    if cmyk(img.get("/ColorSpace", pikepdf.Name("/DeviceGray"))):
        found.append("DeviceCMYK image")


def walk(stream, resources, found, depth=0):
    fonts(resources, found)
    spaces = resources.get("/ColorSpace", {})
    for operands, op in pikepdf.parse_content_stream(stream):
        op = str(op)
        if op in ("k", "K"):
            found.append("DeviceCMYK colour")
        elif op in ("cs", "CS"):
            name = operands[0]
            if cmyk(spaces.get(name, name)):
                found.append("DeviceCMYK colour space")
        elif op == "gs":
            state(resources.ExtGState[operands[0]], found)
        elif op == "INLINE IMAGE":
            inline = operands[0]
            if cmyk(pikepdf.Name(inline.colorspace)):
                found.append("DeviceCMYK image")
            if inline.obj.get("/Interpolate", False):
                found.append("interpolated image")
        elif op == "Do" and depth < 32:
            xobject = resources.XObject[operands[0]]
            if xobject.Subtype == "/Image":
                image(xobject, found)
            else:
                walk(xobject, xobject.get("/Resources", resources), found, depth + 1)


def main():
    pdf = pikepdf.open(sys.argv[1])
    found = []
    for page in pdf.pages:
        walk(page.obj, page.obj.get("/Resources", pikepdf.Dictionary()), found)
    print("\n".join(sorted(set(found))) if found else "allowed")


main()
