#!/usr/bin/python3
# font.py WOFF2 LICENCE FONT INDEX COPYRIGHT TEXTFILE...
# The page's own font: the characters of TEXTFILEs (the game's sources, its English
# catalogue, the page), all kana and ASCII, cut from face INDEX of FONT (a collection) into
# WOFF2, with LICENCE holding the face's copyright and its licence as COPYRIGHT (Debian's
# copyright file of the font's package) gives it. Fails when the cut face would break the
# 80-column grid: every half-width glyph exactly half as wide as a full-width one.
import sys
import unicodedata

from fontTools import subset
from fontTools.ttLib import TTCollection

out, licence, source, index, copyright, *texts = sys.argv[1:]

chars = set(map(chr, range(0x20, 0x7F)))                   # ASCII
chars |= set(map(chr, range(0x3000, 0x303F)))              # punctuation
chars |= set(map(chr, range(0x3041, 0x3100)))              # hiragana, katakana
chars |= set(map(chr, range(0xFF01, 0xFFA0)))              # full-width forms, half-width kana
for name in texts:
    with open(name, encoding='utf-8') as f:
        chars |= {c for c in f.read() if c.isprintable()}

face = TTCollection(source).fonts[int(index)]
cmap = face.getBestCmap()
chars = sorted(c for c in chars if ord(c) in cmap)
options = subset.Options()
options.flavor = 'woff2'
options.layout_features = []   # the grid wants neither kerning nor proportional forms
options.hinting = False
options.desubroutinize = True  # smaller once compressed
options.name_IDs = ['*']
options.font_number = int(index)
font = subset.load_font(source, options)
cutter = subset.Subsetter(options)
cutter.populate(text=''.join(chars))
cutter.subset(font)

advance = font['hmtx'].metrics
cmap = font.getBestCmap()
full = advance[cmap[ord('あ')]][0]
wrong = [c for c in chars if unicodedata.east_asian_width(c) in 'HNa'
         and ord(c) in cmap and advance[cmap[ord(c)]][0] * 2 != full]
if wrong:
    sys.exit(f'font.py: not half of {full} wide: {"".join(wrong[:40])}')

# A line exactly one em high, the ideographic em box (-120..880 of 1000): the face's own
# line is near 1.45 em, which would make the 80 x 25 screen almost square.
units = font['head'].unitsPerEm
top, bottom = units * 88 // 100, units * 12 // 100
hhea, os2 = font['hhea'], font['OS/2']
hhea.ascent, hhea.descent, hhea.lineGap = top, -bottom, 0
os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = top, -bottom, 0
os2.usWinAscent, os2.usWinDescent = top, bottom
os2.fsSelection |= 1 << 7  # USE_TYPO_METRICS
subset.save_font(font, out, options)

# The licence's text as the copyright file has it: one space of indent, "." for a blank line.
with open(copyright, encoding='utf-8') as f:
    lines = f.read().split('\n')
start = next(i for i, l in enumerate(lines) if l.startswith('License: SIL-1.1')
             and i + 1 < len(lines) and lines[i + 1].startswith(' '))
body = []
for line in lines[start + 1:]:
    if not line.startswith(' '):
        break
    body.append('' if line.strip() == '.' else line[1:])
names = face['name']
with open(licence, 'w', encoding='utf-8') as f:
    f.write(f'The font kurashi.woff2 is a part of {names.getDebugName(4)}, cut to the characters '
            f'of the game.\n{names.getDebugName(0)}\n\n' + '\n'.join(body).strip() + '\n')
print(f'font.py: {len(chars)} characters')
