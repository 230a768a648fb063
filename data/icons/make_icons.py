#!/usr/bin/env python3
"""Makes the command icons under data/files/Data/icons/ from the Tango icon set (public domain).

Needs Debian's tango-icon-theme, librsvg2-bin (rsvg-convert) and imagemagick (convert). Only a person
who changes an icon runs this; the build and the tests use the .ico files committed beside it.

Every .ico holds a 16 and a 24 pixel picture (32-bit with alpha, plus the AND mask), so the same file
serves the 16-pixel menu and small-toolbar lists and the 24-pixel large-toolbar list. A picture is the
theme's own hand-drawn PNG of that size; an icon that stands for a command Tango has no picture for
is that PNG with a smaller second Tango icon drawn into its lower right corner. The wizard's wand is
our own drawing, wizard.svg beside this script.

Usage: data/icons/make_icons.py [--sheet contact-sheet.png]
"""

import argparse
import os
import struct
import subprocess
import sys
import tempfile

TANGO = "/usr/share/icons/Tango"
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "files", "Data", "icons")
SIZES = (16, 24)
# Side of the corner picture on a 16 and on a 24 pixel icon.
BADGE = {16: 11, 24: 16}

# File name -> (base icon, corner icon or None). Names are Tango's "context/name".
ICONS = {
    "New.ico": ("actions/document-new", None),
    "Open.ico": ("actions/document-open", None),
    "Reopen.ico": ("mimetypes/text-x-generic", "actions/view-refresh"),
    "Save.ico": ("actions/document-save", None),
    "Print.ico": ("actions/document-print", None),
    "Print settings.ico": ("devices/printer", "categories/applications-system"),
    "Properties.ico": ("actions/document-properties", None),
    "Undo.ico": ("actions/edit-undo", None),
    "Redo.ico": ("actions/edit-redo", None),
    "Cut.ico": ("actions/edit-cut", None),
    "Copy.ico": ("actions/edit-copy", None),
    "Paste.ico": ("actions/edit-paste", None),
    "Delete.ico": ("actions/edit-delete", None),
    "Clear.ico": ("actions/edit-clear", None),
    "Find.ico": ("actions/edit-find", None),
    "Replace.ico": ("actions/edit-find-replace", None),
    "Goto.ico": ("actions/go-jump", None),
    "ToolbarCustomize.ico": ("apps/preferences-system-windows", "categories/applications-system"),
    "Fullscreen.ico": ("actions/view-fullscreen", None),
    "Time and date.ico": ("apps/office-calendar", None),
    "Text file.ico": ("mimetypes/text-x-generic", None),
    "Font.ico": ("apps/preferences-desktop-font", None),
    "Outdent.ico": ("actions/format-indent-less", None),
    "Indent.ico": ("actions/format-indent-more", None),
    "Settings.ico": ("categories/preferences-system", None),
    "Locked.ico": ("actions/system-lock-screen", None),
    "Decoding.ico": ("actions/view-refresh", None),
    "Undo decoding.ico": ("actions/view-refresh", "actions/edit-undo"),
    "Wizard.ico": ("own/wizard", None),
    "License.ico": ("mimetypes/application-certificate", None),
    "Send Author EMail.ico": ("actions/mail-message-new", None),
    "Visit Home Page.ico": ("apps/internet-web-browser", None),
    "About.ico": ("apps/help-browser", None),
    "Start.ico": ("actions/view-refresh", None),
    "Stop.ico": ("actions/process-stop", None),
}

# The files each folder holds, in the order the program adds them to its lists.
MENU = ["New.ico", "Open.ico", "Reopen.ico", "Save.ico", "Print.ico", "Print settings.ico", "Properties.ico",
        "Undo.ico", "Redo.ico", "Cut.ico", "Copy.ico", "Paste.ico", "Delete.ico", "Clear.ico", "Find.ico",
        "Replace.ico", "Goto.ico", "ToolbarCustomize.ico", "Fullscreen.ico", "Time and date.ico",
        "Text file.ico", "Font.ico", "Outdent.ico", "Indent.ico", "Settings.ico", "Locked.ico",
        "Undo decoding.ico", "Decoding.ico", "Wizard.ico", "License.ico", "Send Author EMail.ico",
        "Visit Home Page.ico", "About.ico"]
TOOLBAR = ["New.ico", "Open.ico", "Reopen.ico", "Save.ico", "Print.ico", "Print settings.ico", "Fullscreen.ico",
           "Cut.ico", "Copy.ico", "Paste.ico", "Delete.ico", "Clear.ico", "Undo.ico", "Redo.ico", "Find.ico",
           "Replace.ico", "Goto.ico", "Outdent.ico", "Indent.ico", "Font.ico", "Time and date.ico",
           "Text file.ico", "Wizard.ico", "Settings.ico", "Locked.ico", "Properties.ico", "License.ico",
           "About.ico", "Start.ico", "Stop.ico", "Undo decoding.ico"]
FOLDERS = {"menu": MENU, "toolbars/small": TOOLBAR, "toolbars/large": TOOLBAR}


def run(*args):
    subprocess.run(args, check=True)


def rgba(png, size):
    """The picture's pixels as size*size (r, g, b, a) tuples, top row first."""
    raw = subprocess.run(["convert", png, "-background", "none", "-gravity", "center", "-extent",
                          f"{size}x{size}", "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
    if len(raw) != size * size * 4:
        sys.exit(f"{png}: expected {size}x{size} pixels")
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def render(name, size, work, to):
    """A PNG of the named icon at `size` pixels: Tango's own PNG of that size when there is one, else
    its SVG rendered. "own/x" is our drawing x.svg beside this script."""
    if name.startswith("own/"):
        svg = os.path.join(HERE, name[4:] + ".svg")
    else:
        png = os.path.join(TANGO, f"{size}x{size}", name + ".png")
        if os.path.exists(png):
            return png
        svg = os.path.join(TANGO, "scalable", name + ".svg")
    out = os.path.join(work, to)
    run("rsvg-convert", "-w", str(size), "-h", str(size), "-o", out, svg)
    return out


def picture(base, badge, size, work):
    """A PNG of the icon at `size` pixels, with the corner icon drawn over it when there is one."""
    png = render(base, size, work, "base.png")
    if badge is None:
        return png
    small = render(badge, BADGE[size], work, "badge.png")
    out = os.path.join(work, "icon.png")
    run("convert", png, small, "-gravity", "southeast", "-composite", out)
    return out


def dib(pixels, size):
    """One icon picture: the header, B,G,R,A rows bottom-up, then the 1-bit AND mask bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask = []
    stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        line = pixels[y * size:(y + 1) * size]
        rows.append(b"".join(bytes((b, g, r, a)) for r, g, b, a in line))
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(line):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.append(bytes(bits))
    return header + b"".join(rows) + b"".join(mask)


def ico(images):
    """An .ico file from (size, picture bytes) pairs."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def make(name, work):
    base, badge = ICONS[name]
    images = []
    pngs = {}
    for size in SIZES:
        png = picture(base, badge, size, work)
        keep = os.path.join(work, f"{name}.{size}.png")
        run("convert", png, "-background", "none", "-gravity", "center", "-extent", f"{size}x{size}", keep)
        pngs[size] = keep
        images.append((size, dib(rgba(png, size), size)))
    return ico(images), pngs


def sheet(out, pngs):
    """Every icon at both sizes, enlarged without smoothing, labelled with its file name."""
    args = ["montage"]
    for name in ICONS:
        for size in SIZES:
            args += ["-label", f"{name[:-4]} {size}", pngs[name][size]]
    args += ["-filter", "point", "-resize", "400%", "-tile", "10x", "-geometry", "+8+8", "-pointsize", "10",
             "-background", "#d4d0c8", out]
    run(*args)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sheet", help="also write a contact sheet of every icon to this PNG")
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        files = {}
        pngs = {}
        for name in ICONS:
            files[name], pngs[name] = make(name, work)
        for folder, names in FOLDERS.items():
            target = os.path.join(OUT, folder)
            os.makedirs(target, exist_ok=True)
            for name in names:
                with open(os.path.join(target, name), "wb") as f:
                    f.write(files[name])
        if options.sheet:
            sheet(options.sheet, pngs)


if __name__ == "__main__":
    main()
