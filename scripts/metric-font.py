#!/usr/bin/python3
# A copy of a TrueType face whose text height equals its character height
# (no internal leading), as the window's real font has, under a family name
# of its own: metric-font.py SOURCE.ttf TARGET.ttf "Family Name".
import sys

from fontTools.ttLib import TTFont

source, target, family = sys.argv[1:4]
font = TTFont(source)
em = font["head"].unitsPerEm
os2, hhea = font["OS/2"], font["hhea"]
ascent = min(os2.usWinAscent, em)
# GDI's text height is usWinAscent + usWinDescent; other readers take hhea.
os2.usWinAscent, os2.usWinDescent = ascent, em - ascent
hhea.ascent, hhea.descent, hhea.lineGap = ascent, ascent - em, 0
os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ascent, ascent - em, 0

# Every name record that says which face this is, in every language: the
# copy must not pass for the original.
names = font["name"]
for record in list(names.names):
    if record.nameID in (1, 3, 4, 6, 16, 18, 21):
        text = family.replace(" ", "") if record.nameID == 6 else family
        if record.nameID == 3:
            text = family + " (metric copy)"
        names.setName(text, record.nameID, record.platformID, record.platEncID, record.langID)
font.save(target)
