#!/usr/bin/env python3
"""Makes data/files/License.rtf, the program's licence agreement, from License.txt beside this script.

License.txt is UTF-8 text: paragraphs are separated by blank lines, and a paragraph whose first line
starts with "# " is a heading (bold). The RTF names code page 1251 and writes every letter outside
ASCII as a \\'hh escape of that code page, the way word processors write Russian text, so any RTF
reader (ours included) reads it. Only a person who changes the text runs this; the build copies the
committed License.rtf.

Usage: data/license/make_license.py
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "License.txt")
TARGET = os.path.join(HERE, "..", "files", "License.rtf")


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) < 128:
            out.append(ch)
        else:
            out.extend("\\'%02x" % b for b in ch.encode("cp1251"))
    return "".join(out)


def paragraphs(text):
    block = []
    for line in text.splitlines():
        if line.strip():
            block.append(line.strip())
        elif block:
            yield block
            block = []
    if block:
        yield block


def main():
    with open(SOURCE, encoding="utf-8") as f:
        text = f.read()
    body = []
    for block in paragraphs(text):
        for line in block:
            if line.startswith("# "):
                body.append("\\pard\\b " + escape(line[2:]) + "\\b0\\par")
            else:
                body.append("\\pard " + escape(line) + "\\par")
        body.append("\\pard\\par")  # an empty line after each paragraph
    rtf = ("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
           "{\\fonttbl{\\f0\\fswiss\\fcharset204 Tahoma;}}\n"
           "\\viewkind4\\uc1\\f0\\fs17\n" + "\n".join(body) + "\n}\n")
    with open(TARGET, "w", encoding="ascii", newline="\r\n") as f:
        f.write(rtf)


if __name__ == "__main__":
    main()
