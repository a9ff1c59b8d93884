#!/usr/bin/env python3
"""Draws the module's toolbar, tree and icon pictures into res/.

Each picture is pixel art: rows of palette letters, optionally stacked in
layers where '.' lets the layer below show through. All pictures share one
palette so the toolbar, tree and icons read as one family.

Run from anywhere: python3 res/art/draw_pictures.py
Standard library only, so the build machine needs nothing extra.
"""

import os
import struct

RES_DIR = os.path.normpath(os.path.join(os.path.dirname(__file__), ".."))

CLEAR = "."

# One palette for every picture (0xRRGGBB).
PALETTE = {
    "K": 0x000000,  # black
    "k": 0x404040,  # page and paper outline
    "L": 0xA8A8A8,  # mid grey
    "l": 0xDCDCDC,  # folded-corner grey
    "W": 0xFFFFFF,  # paper
    "Y": 0xFFE030,  # yellow
    "y": 0xE8A800,  # gold
    "o": 0x996000,  # yellow outline
    "R": 0xE02818,  # red
    "r": 0x900000,  # dark red
    "p": 0xFF8870,  # light red
    "B": 0x2058D0,  # blue
    "b": 0x88B0F0,  # light blue
    "n": 0x102A78,  # navy
    "G": 0x208A20,  # green
    "P": 0x9030A8,  # purple
    "T": 0x008888,  # teal
    "M": 0xF4C858,  # manila
    "h": 0xFFECA8,  # manila highlight
    "m": 0xC89430,  # manila shade
    "e": 0x7A5410,  # folder outline
    "s": 0xE0E6EC,  # metal highlight
    "S": 0x9AA4B0,  # metal
    "w": 0xF2D2A0,  # pencil wood
    "v": 0xF8F8F8,  # near-white, for pictures keyed on white
    "c": 0xB8D8FF,  # selection blue
}

TOOLBAR_KEY = 0xFF00FF   # transparent colour of the 24-bit toolbar strip
BUTTON_FACE = 0xC0C0C0   # background of the plain toolbar bitmap
TREE_KEY = 0x00FF00      # transparent colour of the tree strip

BUTTON_SIZE = 16
BUTTON_HEIGHT_PLAIN = 15  # the toolbar resource's buttons are 16 x 15
TREE_WIDTH = 110          # six 16-pixel images and a 14-pixel remainder

# ---------------------------------------------------------------- toolbar

NEW = [
    "............y...",
    "..kkkkkkk...Y...",
    "..kWWWWWkk.yYy..",
    "..kWWWWWkyYYWYYy",
    "..kWWWWWkllyYy..",
    "..kWWWWWkkkkY...",
    "..kWWWWWWWWWy...",
    "..kWWWWWWWWWk...",
    "..kWWWWWWWWWk...",
    "..kWWWWWWWWWk...",
    "..kWWWWWWWWWk...",
    "..kWWWWWWWWWk...",
    "..kWWWWWWWWWk...",
    "..kWWWWWWWWWk...",
    "..kkkkkkkkkkk...",
    "................",
]

SAVE = [
    "................",
    ".nnnnnnnnnnnnn..",
    ".nbBssssnnSBBBn.",
    ".nbBssssnnSBBBn.",
    ".nbBssssnnSBBBn.",
    ".nbBSSSSSSSBBBn.",
    ".nbBBBBBBBBBBBn.",
    ".nbWWWWWWWWWWBn.",
    ".nbWWWWWWWWWWBn.",
    ".nbWllllllllWBn.",
    ".nbWWWWWWWWWWBn.",
    ".nbWllllllllWBn.",
    ".nbWWWWWWWWWWBn.",
    ".nbWWWWWWWWWWBn.",
    ".nnnnnnnnnnnnnn.",
    "................",
]

DUPLICATE = [
    ".kkkkkk.........",
    ".kWWWWkk........",
    ".kWbbbklk.......",
    ".kWWWWkkkk......",
    ".kWbbbbbWk......",
    ".kWWWkkkkkkk....",
    ".kWbbkWWWWWkk...",
    ".kWWWkWWWWWklk..",
    ".kWbbkWBBBWkkkk.",
    ".kWWWkWWWWWWWWk.",
    ".kkkkkWBBBBBBWk.",
    ".....kWWWWWWWWk.",
    ".....kWBBBBWWWk.",
    ".....kWWWWWWWWk.",
    ".....kkkkkkkkkk.",
    "................",
]

DELETE = [
    "................",
    ".rrr........rrr.",
    ".rRRr......rRRr.",
    ".rRRRr....rRRRr.",
    "..rRRRr..rRRRr..",
    "...rRRRrrRRRr...",
    "....rRRRRRRr....",
    ".....rRRRRr.....",
    ".....rRRRRr.....",
    "....rRRRRRRr....",
    "...rRRRrrRRRr...",
    "..rRRRr..rRRRr..",
    ".rRRRr....rRRRr.",
    ".rRRr......rRRr.",
    ".rrr........rrr.",
    "................",
]

# Button order of the toolbar resource.
TOOLBAR = [NEW, SAVE, DUPLICATE, DELETE]

# ------------------------------------------------------------------- tree

SNIPPET_PAGE = [
    "..kkkkkkkk......",
    "..kWWWWWWkk.....",
    "..kWWWWWWklk....",
    "..kWBBBWWkllk...",
    "..kWWWWWWkkkkk..",
    "..kWWRRRWPPPWk..",
    "..kWWWWWWWWWWk..",
    "..kWWGGGGGWWWk..",
    "..kWWWWWWWWWWk..",
    "..kWWRRWBBBBWk..",
    "..kWWWWWWWWWWk..",
    "..kWTTTTWWWWWk..",
    "..kWWWWWWWWWWk..",
    "..kWBBWWWWWWWk..",
    "..kWWWWWWWWWWk..",
    "..kkkkkkkkkkkk..",
]

PENCIL = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "............kk..",
    "...........kppk.",
    "..........kYppk.",
    ".........kYYYk..",
    "........kYYYk...",
    ".......kwYYk....",
    "......kwwYk.....",
    "......kKwk......",
    "......kkk.......",
]

SNIPPET_SELECTED = [SNIPPET_PAGE, PENCIL]

OPEN_FOLDER = [
    "................",
    "................",
    "..eeee..........",
    ".ehhhhe.........",
    ".ehMMMMeeeeeee..",
    ".ehMMMMMMMMMMe..",
    ".ehMMeeeeeeeeeee",
    ".ehMehhhhhhhhhhe",
    ".ehehMMMMMMMMMe.",
    ".eheMMMMMMMMMMe.",
    ".eehMMMMMMMMMe..",
    ".eeMMMMMMMMMMe..",
    ".ehMMMMMMMMMe...",
    ".eeeeeeeeeeee...",
    "................",
    "................",
]

BRACES_PAGE = [
    "..kkkkkkkk......",
    "..kWWWWWWkk.....",
    "..kWWWWWWklk....",
    "..kWWWWWWkllk...",
    "..kWWWWWWkkkkk..",
    "..kWWWWWWWWWWk..",
    "..kWWBBWWBBWWk..",
    "..kWWBWWWWBWWk..",
    "..kWWBWWWWBWWk..",
    "..kWBWWWWWWBWk..",
    "..kWWBWWWWBWWk..",
    "..kWWBWWWWBWWk..",
    "..kWWBBWWBBWWk..",
    "..kWWWWWWWWWWk..",
    "..kWWWWWWWWWWk..",
    "..kkkkkkkkkkkk..",
]

CLOSED_FOLDER = [
    "................",
    "................",
    "..eeee..........",
    ".ehhhhe.........",
    ".eMMMMMeeeeeeee.",
    ".ehhhhhhhhhhhhe.",
    ".ehMMMMMMMMMMme.",
    ".ehMMemMMmeMMme.",
    ".ehMMeMMMMeMMme.",
    ".ehMeMMMMMMeMme.",
    ".ehMMeMMMMeMMme.",
    ".ehMMemMMmeMMme.",
    ".ehMMMMMMMMMMme.",
    ".emmmmmmmmmmmme.",
    ".eeeeeeeeeeeeee.",
    "................",
]

SPARK = [
    "............y...",
    "............Y...",
    "...........yYy..",
    ".........yYYWYYy",
    "...........yYy..",
    "............Y...",
    "............y...",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]

NEW_SNIPPET = [SNIPPET_PAGE, SPARK]

TREE = [
    SNIPPET_PAGE,      # 0: an entry
    SNIPPET_SELECTED,  # 1: the selected entry
    OPEN_FOLDER,       # 2
    BRACES_PAGE,       # 3
    CLOSED_FOLDER,     # 4: a language root
    NEW_SNIPPET,       # 5
]

# ------------------------------------------------------------------ icons

APP_16 = [
    [
        ".kkkkkkk........",
        ".kWWWWWkk.......",
        ".kWWWWWklk......",
        ".kWBBBWkllk.....",
        ".kWWWWWkkkkk....",
        ".kWRRRWPPPWk....",
        ".kWWWWWWWWWk....",
        ".kWWGGGGWWWk....",
        ".kWWWWWWWWWk....",
        ".kWRRWBBWWWk....",
        ".kWWWWWWWWWk....",
        ".kWTTTWWWWWk....",
        ".kWWWWWWWWWk....",
        ".kWBBWWWWWWk....",
        ".kWWWWWWWWWk....",
        ".kkkkkkkkkkk....",
    ],
    [
        "................",
        "................",
        "................",
        "................",
        "..........oooooo",
        ".........ooYYYYo",
        ".........oYYYYoo",
        ".........oYYYyo.",
        "........ooYYYoo.",
        "........oYYYYYo.",
        "........oYYYYyo.",
        "........ooYYyoo.",
        ".........oYyoo..",
        "........ooyoo...",
        "........oyoo....",
        "........ooo.....",
    ],
]

APP_32 = [
    [
        "...kkkkkkkkkkkkkkk..............",
        "...kWWWWWWWWWWWWWkk.............",
        "...kWWWWWWWWWWWWWklk............",
        "...kWWWWWWWWWWWWWkllk...........",
        "...kWWWWWWWWWWWWWklllk..........",
        "...kWWWWWWWWWWWWWkllllk.........",
        "...kWWWWWWWWWWWWWklllllk........",
        "...kWWWWWWWWWWWWWkkkkkkkk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWBBBBBWWGGGGGGWWWWWWk.......",
        "...kWBBBBBWWGGGGGGWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWRRRRRWPPPPPPWWWWk.......",
        "...kWWWWRRRRRWPPPPPPWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWGGGGGGGGWWWWWWWWk.......",
        "...kWWWWGGGGGGGGWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWRRRRWBBBBBBWWWWWk.......",
        "...kWWWWRRRRWBBBBBBWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWTTTTTTWWWWWWWWWWWWWk.......",
        "...kWTTTTTTWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kWWWWWWWWWWWWWWWWWWWWk.......",
        "...kkkkkkkkkkkkkkkkkkkkkk.......",
    ],
    [
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "....................oooooooooo..",
        "...................ooYYYYYYYYo..",
        "...................oYYYYYYYyoo..",
        "...................oYYYYYYYyo...",
        "..................ooYYYYYYyoo...",
        "..................oYYYYYYYyo....",
        ".................ooYYYYYYyoo....",
        ".................oYYYYYYYyo.....",
        ".................oYYYYYYyoo.....",
        "................ooYYYYYYYoooo...",
        "................oYYYYYYYYYYyo...",
        "................oYYYYYYYYYyoo...",
        "...............ooYYYYYYYYyoo....",
        "...............oYYYYYYYYyyo.....",
        "...............oooooYYYYyoo.....",
        "..................ooYYYyoo......",
        "..................oYYYyoo.......",
        "..................oYYyoo........",
        ".................ooYYyo.........",
        ".................oYYyoo.........",
        ".................oYyoo..........",
        "................ooYoo...........",
        "................oyoo............",
        "................ooo.............",
        "................................",
    ],
]

CODE_16 = [
    "..kkkkkkkk......",
    "..kWWWWWWkk.....",
    "..kWWWWWWklk....",
    "..kWWWWWWkllk...",
    "..kWWWWWWkkkkk..",
    "..kWWnnWWnnWWk..",
    "..kWWnWWWWnWWk..",
    "..kWWnWWWWnWWk..",
    "..kWnWWWWWWnWk..",
    "..kWWnWWWWnWWk..",
    "..kWWnWWWWnWWk..",
    "..kWWnnWWnnWWk..",
    "..kWWWWWWWWWWk..",
    "..kWGGGWRRRWWk..",
    "..kWWWWWWWWWWk..",
    "..kkkkkkkkkkkk..",
]

PAGE_32 = [
    "....kkkkkkkkkkkkkkkkk...........",
    "....kWWWWWWWWWWWWWWWkk..........",
    "....kWWWWWWWWWWWWWWWklk.........",
    "....kWWWWWWWWWWWWWWWkllk........",
    "....kWWWWWWWWWWWWWWWklllk.......",
    "....kWWWWWWWWWWWWWWWkllllk......",
    "....kWWWWWWWWWWWWWWWklllllk.....",
    "....kWWWWWWWWWWWWWWWkkkkkkkk....",
] + ["....kWWWWWWWWWWWWWWWWWWWWWWk...."] * 23 + [
    "....kkkkkkkkkkkkkkkkkkkkkkkk....",
]


def page_32(lines):
    """The blank 32 x 32 page with some of its rows written on."""
    rows = list(PAGE_32)
    for y, row in lines.items():
        rows[y] = row
    return rows


CODE_32 = [
    page_32({
        26: "....kWGGGGGGWWRRRRRRWWWWWWWk....",
        27: "....kWGGGGGGWWRRRRRRWWWWWWWk....",
    }),
    [
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "..........nnn......nnn..........",
        ".........nBBn......nBBn.........",
        ".........nBn........nBn.........",
        ".........nBn........nBn.........",
        ".........nBn........nBn.........",
        ".........nBn........nBn.........",
        "........nBn..........nBn........",
        ".......nBn............nBn.......",
        "........nBn..........nBn........",
        ".........nBn........nBn.........",
        ".........nBn........nBn.........",
        ".........nBn........nBn.........",
        ".........nBn........nBn.........",
        ".........nBBn......nBBn.........",
        "..........nnn......nnn..........",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
    ],
]

TITLE_16 = [
    "..kkkkkkkk......",
    "..kWWWWWWkk.....",
    "..kWWWWWWklk....",
    "..kWWWWWWkllk...",
    "..kWWWWWWkkkkk..",
    "..kWnnnnnnnnWk..",
    "..kWnnnnnnnnWk..",
    "..kWWWWnnWWWWk..",
    "..kWWWWnnWWWWk..",
    "..kWWWWnnWWWWk..",
    "..kWWWWnnWWWWk..",
    "..kWWWWnnWWWWk..",
    "..kWWWWWWWWWWk..",
    "..kWLLLLLLLWWk..",
    "..kWWWWWWWWWWk..",
    "..kkkkkkkkkkkk..",
]

TITLE_32 = [
    page_32({
        25: "....kWLLLLLLLLLLLLLLLLLLLWWk....",
        27: "....kWLLLLLLLLLLLLLLLWWWWWWk....",
        29: "....kWLLLLLLLLLLLLLLLLLLWWWk....",
    }),
    [
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "........nnnnnnnnnnnnnnnn........",
        "........nBBBBBBBBBBBBBBn........",
        "........nBBBBBBBBBBBBBBn........",
        "........nBBBBBBBBBBBBBBn........",
        "........nnnnnnBBBBnnnnnn........",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nBBBBn.............",
        ".............nnnnnn.............",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
        "................................",
    ],
]

# A small form: three rows of a label and a field, the middle one being typed in.
ARGUMENTS_16 = [
    "kkkkkkkkkkkkkkkk",
    "kWWWWWWWWWWWWWWk",
    "kWWWWWWWWWWWWWWk",
    "kWLLLWnnnnnnnnWk",
    "kWWWWWnWWWWWWnWk",
    "kWWWWWnnnnnnnnWk",
    "kWWWWWWWWWWWWWWk",
    "kWLLLWnnnnnnnnWk",
    "kWWWWWnWBWWWWnWk",
    "kWWWWWnnnnnnnnWk",
    "kWWWWWWWWWWWWWWk",
    "kWLLLWnnnnnnnnWk",
    "kWWWWWnWWWWWWnWk",
    "kWWWWWnnnnnnnnWk",
    "kWWWWWWWWWWWWWWk",
    "kkkkkkkkkkkkkkkk",
]


def form_32():
    """The 32 x 32 form: a sheet with three labelled fields."""
    top = "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk.."
    blank = "..kWWWWWWWWWWWWWWWWWWWWWWWWWWk.."
    box_edge = "..kWWWWWWWWWWnnnnnnnnnnnnnnnWk.."
    label = "..kWLLLLLLLWWnWWWWWWWWWWWWWnWk.."
    field = "..kWWWWWWWWWWnWWWWWWWWWWWWWnWk.."
    typed = "..kWLLLLLLLWWnWBBBBBBBnWWWWnWk.."
    typing = "..kWWWWWWWWWWnWBBBBBBBnWWWWnWk.."
    rows = [top, blank, blank, blank]
    for text in ((label, field), (typed, typing), (label, field)):
        rows += [blank, box_edge, field, text[0], text[1], field, box_edge, blank]
    rows += [blank, blank, blank, top]
    return rows


ARGUMENTS_32 = form_32()


# ------------------------------------------------------------ tooltips

# The tree's code preview: a page of code under a magnifying glass.
MAGNIFIER = [
    "................................",
] * 12 + [
    "..................kkkkk.........",
    "................kkbbbbbkk.......",
    "...............kbbWWbbbbbk......",
    "...............kbWbbbbbbbk......",
    "..............kbbWbbbbbbbbk.....",
    "..............kbbbbbbbbbbbk.....",
    "..............kbbbbbbbbbbbk.....",
    "..............kbbbbbbbbbbbk.....",
    "...............kbbbbbbbbbk......",
    "...............kbbbbbbbbbk......",
    "................kkbbbbbkkS......",
    "..................kkkkkSSSS.....",
    ".......................SSSSS....",
    "........................SSSSS...",
    ".........................SSSS...",
    "..........................SS....",
    "................................",
    "................................",
    "................................",
    "................................",
]

PREVIEW_32 = [
    page_32({
        7: "....kWGGGGGGGWWWWWWWWWWWWWWk....",
        9: "....kWBBBBWRRRRRRRWWWWWWWWWk....",
        11: "....kWWWBBBBBBWWWWWWWWWWWWWk....",
        13: "....kWWWRRRRWWWWWWWWWWWWWWWk....",
        15: "....kWWWBBBBBBBWWWWWWWWWWWWk....",
        17: "....kWBWWWWWWWWWWWWWWWWWWWWk....",
    }),
    MAGNIFIER,
]


def disc_with_i(size):
    """A blue disc with a white letter i: the help tips' icon."""
    center, radius = (size - 1) / 2.0, size / 2.0 - 0.5
    dot = (size // 2 - size // 16 - 1, size // 4)
    stem_top, stem_bottom = size * 7 // 16, size * 13 // 16
    half = max(1, size // 16)
    rows = []
    for y in range(size):
        row = ""
        for x in range(size):
            distance = ((x - center) ** 2 + (y - center) ** 2) ** 0.5
            in_stem = abs(x - center) <= half and stem_top <= y < stem_bottom
            in_dot = abs(x - center) <= half and dot[1] - half <= y <= dot[1] + half
            if distance > radius:
                row += CLEAR
            elif distance > radius - 1.2:
                row += "n"
            elif in_stem or in_dot:
                row += "W"
            else:
                row += "B"
        rows.append(row)
    return rows


# Pictures under the help text, keyed on white (clear).
SCENE_KEY = 0xFFFFFF


def canvas(width, height):
    return [[CLEAR] * width for _ in range(height)]


def fill(grid, left, top, right, bottom, letter):
    for y in range(top, bottom):
        for x in range(left, right):
            grid[y][x] = letter


def outline(grid, left, top, right, bottom, letter):
    for x in range(left, right):
        grid[top][x] = grid[bottom - 1][x] = letter
    for y in range(top, bottom):
        grid[y][left] = grid[y][right - 1] = letter


# Three-by-five letters for the key caps and the editor line.
GLYPHS = {
    "f": [".kk", "k..", "kkk", "k..", "k.."],
    "o": ["...", "kkk", "k.k", "k.k", "kkk"],
    "r": ["...", "k.k", "kk.", "k..", "k.."],
}


def write_letter(grid, letter, left, top):
    for y, row in enumerate(GLYPHS[letter]):
        for x, pixel in enumerate(row):
            if pixel != CLEAR:
                grid[top + y][left + x] = pixel


def key_caps_picture():
    """The shortcut typed: three key caps, f o r."""
    grid = canvas(64, 22)
    for index, letter in enumerate("for"):
        left = 2 + index * 21
        fill(grid, left + 1, 2, left + 19, 20, "S")
        fill(grid, left + 3, 3, left + 17, 15, "s")
        outline(grid, left, 1, left + 20, 21, "k")
        write_letter(grid, letter, left + 8, 7)
    return ["".join(row) for row in grid]


def title_menu_picture():
    """A shortcut typed in the code and the menu of titles it opens."""
    grid = canvas(96, 44)
    fill(grid, 0, 0, 60, 11, "v")
    outline(grid, 0, 0, 60, 11, "L")
    for index, letter in enumerate("for"):
        write_letter(grid, letter, 4 + index * 4, 3)
    fill(grid, 17, 2, 18, 9, "K")
    fill(grid, 12, 12, 92, 42, "v")
    outline(grid, 12, 12, 92, 42, "k")
    fill(grid, 14, 14, 90, 22, "c")
    for line, (color, length) in enumerate((("n", 52), ("L", 60), ("L", 44))):
        fill(grid, 18, 17 + line * 8, 18 + length, 19 + line * 8, color)
    fill(grid, 93, 14, 95, 43, "L")
    fill(grid, 14, 42, 95, 44, "L")
    return ["".join(row) for row in grid]


def scene_bmp(rows):
    grid = flatten(rows)
    return bmp24([[SCENE_KEY if letter == CLEAR else PALETTE[letter] for letter in row] for row in grid])


ICONS = {
    "arguments_page.ico": (ARGUMENTS_16, ARGUMENTS_32),
    "app.ico": (APP_16, APP_32),
    "code_page.ico": (CODE_16, CODE_32),
    "title_page.ico": (TITLE_16, TITLE_32),
}

# ------------------------------------------------------------- rendering


def flatten(picture):
    """Stacks a picture's layers; a bare list of rows is a single layer."""
    layers = picture if isinstance(picture[0], list) else [picture]
    height, width = len(layers[0]), len(layers[0][0])
    grid = [[CLEAR] * width for _ in range(height)]
    for layer in layers:
        if len(layer) != height:
            raise ValueError("layer height %d, expected %d" % (len(layer), height))
        for y, row in enumerate(layer):
            if len(row) != width:
                raise ValueError("row %d is %d wide, expected %d" % (y, len(row), width))
            for x, letter in enumerate(row):
                if letter == CLEAR:
                    continue
                if letter not in PALETTE:
                    raise ValueError("unknown palette letter %r" % letter)
                grid[y][x] = letter
    return grid


def colors(picture, size, key):
    """Returns rows of 0xRRGGBB, clear pixels set to the key colour."""
    grid = flatten(picture)
    if (len(grid[0]), len(grid)) != size:
        raise ValueError("picture is %dx%d, expected %dx%d"
                         % (len(grid[0]), len(grid), size[0], size[1]))
    rows = []
    for row in grid:
        for letter in row:
            if letter != CLEAR and PALETTE[letter] == key:
                raise ValueError("palette letter %r equals the key colour" % letter)
        rows.append([key if letter == CLEAR else PALETTE[letter] for letter in row])
    return rows


def strip(pictures, width, height, key):
    """Lays pictures side by side on a key-coloured strip."""
    rows = [[key] * width for _ in range(height)]
    for index, picture in enumerate(pictures):
        cells = colors(picture, (BUTTON_SIZE, BUTTON_SIZE), key)
        for y in range(height):
            for x in range(BUTTON_SIZE):
                rows[y][index * BUTTON_SIZE + x] = cells[y][x]
    return rows


def bgr(color):
    return bytes((color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF))


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def info_header(width, height, bits, image_size, colors_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       image_size, 2835, 2835, colors_used, 0)


def bmp_file(header, table, pixels):
    offset = 14 + len(header) + len(table)
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
            + header + table + pixels)


def bmp24(rows):
    height, width = len(rows), len(rows[0])
    pixels = b"".join(padded(b"".join(bgr(c) for c in row)) for row in reversed(rows))
    return bmp_file(info_header(width, height, 24, len(pixels)), b"", pixels)


def bmp8(rows):
    height, width = len(rows), len(rows[0])
    table = sorted({c for row in rows for c in row})
    index = {c: i for i, c in enumerate(table)}
    pixels = b"".join(padded(bytes(index[c] for c in row)) for row in reversed(rows))
    palette = b"".join(bgr(c) + b"\0" for c in table)
    return bmp_file(info_header(width, height, 8, len(pixels), len(table)), palette, pixels)


def icon_image(picture, size):
    grid = flatten(picture)
    if (len(grid[0]), len(grid)) != (size, size):
        raise ValueError("icon picture is not %dx%d" % (size, size))
    color_rows, mask_rows = [], []
    for row in reversed(grid):
        line, bits = b"", []
        for letter in row:
            if letter == CLEAR:
                line += b"\0\0\0\0"
                bits.append(1)
            else:
                line += bgr(PALETTE[letter]) + b"\xff"
                bits.append(0)
        color_rows.append(line)
        mask = bytes(int("".join(str(b) for b in bits[i:i + 8]), 2)
                     for i in range(0, size, 8))
        mask_rows.append(padded(mask))
    color_data, mask_data = b"".join(color_rows), b"".join(mask_rows)
    header = info_header(size, size * 2, 32, len(color_data) + len(mask_data))
    return header + color_data + mask_data


def ico(pictures_by_size):
    images = [(size, icon_image(pic, size)) for size, pic in pictures_by_size]
    offset = 6 + 16 * len(images)
    directory, body = b"", b""
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32,
                                 len(data), offset + len(body))
        body += data
    return struct.pack("<HHH", 0, 1, len(images)) + directory + body


def write(name, data):
    path = os.path.join(RES_DIR, name)
    with open(path, "wb") as out:
        out.write(data)
    print("%-16s %6d bytes" % (name, len(data)))


def main():
    count = len(TOOLBAR)
    write("toolbar24.bmp",
          bmp24(strip(TOOLBAR, count * BUTTON_SIZE, BUTTON_SIZE, TOOLBAR_KEY)))
    write("toolbar16.bmp",
          bmp8(strip(TOOLBAR, count * BUTTON_SIZE, BUTTON_HEIGHT_PLAIN, BUTTON_FACE)))
    write("tree.bmp", bmp24(strip(TREE, TREE_WIDTH, BUTTON_SIZE, TREE_KEY)))
    for name, (small, large) in ICONS.items():
        write(name, ico([(16, small), (32, large)]))
    write("preview.ico", ico([(32, PREVIEW_32)]))
    write("help_tip.ico", ico([(16, disc_with_i(16)), (32, disc_with_i(32))]))
    write("help_tip_title.bmp", scene_bmp(title_menu_picture()))
    write("help_tip_shortcut.bmp", scene_bmp(key_caps_picture()))


if __name__ == "__main__":
    main()
