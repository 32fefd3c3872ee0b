#!/usr/bin/env python3
"""Writes the SVG sources of the editor's images from one set of shared definitions.

One palette and one drawing of the controller panel serve every image: each hotspot
image is the same panel drawing seen through a view box over its area, with only its
own group of controls drawn in the requested state, so its normal image is exactly the
picture beneath it. Run render.sh afterwards to turn the SVGs into the committed PNGs.

Plain Python 3, no third-party packages.
"""

import os
import re
import sys

HERE = os.path.dirname (os.path.abspath (__file__))
SVG_DIR = os.path.join (HERE, "svg")
ICON_DIR = os.path.join (HERE, "icon")
HOTSPOT_TABLE = os.path.join (os.path.dirname (HERE), "HotspotAreas.h")

# ---------------------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------------------

BLUE = "#0093d0"          # brand blue: lower window band, pressed tabs, pressed hotspots
BLUE_DARK = "#00709f"     # frames and shade on blue
BLUE_LIGHT = "#bfe4f4"    # pressed white keys
BLUE_DEEP = "#0a3d57"     # black keys on blue
GREY_LIGHT = "#d0d2d3"    # hovered tabs and buttons
GROUND = "#e8e9ea"        # light textured ground of windows and dialogs
GROUND_LINE = "#e1e2e3"   # the texture's fine lines
WHITE = "#ffffff"
INK = "#1d1f22"           # dark text on light ground
MUTED = "#7d838a"         # secondary text
HAIRLINE = "#c4c7c9"      # separators between tabs
BORDER = "#aeb3b7"        # edge of a frameless window

PANEL = "#2f3236"         # controller top panel
PANEL_EDGE = "#45494e"    # its bevel line
PANEL_PRINT = "#9aa0a6"   # silk-screen print on the panel
PANEL_PRINT_BRIGHT = "#e6e8ea"
KEYBED_FIELD = "#101113"
WHEEL_SLOT = "#141517"

FONT = "DejaVu Sans"

# One look per state for every control on the panel.
STATES = ("normal", "over", "down")

CONTROL_LOOK = {
    "normal": { "cap": "#1b1d20", "capEdge": "#4d5258", "mark": "#e6e8ea", "text": "#c9cdd1",
                "pad": "#232528", "padEdge": "#54595f",
                "white": "#f4f4f1", "whiteLip": "#d6d6d2", "black": "#17181a", "blackTop": "#2c2e31",
                "field": KEYBED_FIELD, "felt": "#3a1f24", "wheel": "#1b1d20", "ridge": "#3a3e43" },
    "over":   { "cap": "#50555c", "capEdge": "#8a9097", "mark": "#ffffff", "text": "#ffffff",
                "pad": "#4a4f55", "padEdge": "#8a9097",
                "white": "#ffffff", "whiteLip": "#e4e5e6", "black": "#43474d", "blackTop": "#5a5f66",
                "field": "#2c2f33", "felt": "#4a2a30", "wheel": "#50555c", "ridge": "#6c7279" },
    "down":   { "cap": BLUE, "capEdge": "#5cc3ee", "mark": "#ffffff", "text": "#ffffff",
                "pad": BLUE, "padEdge": "#5cc3ee",
                "white": BLUE_LIGHT, "whiteLip": "#8fcfea", "black": "#006a97", "blackTop": BLUE,
                "field": "#07283a", "felt": "#0b4866", "wheel": BLUE, "ridge": "#4fb8e3" },
}

# ---------------------------------------------------------------------------------------
# Geometry of the controller picture (pixels, relative to its top-left corner)
# ---------------------------------------------------------------------------------------

PICTURE_SIZE = (1147, 396)



def read_hotspots():
    """The hotspot areas by name, (x, y, width, height), from the table the editor compiles,
    so that the art and the buttons over it cannot disagree."""
    with open (HOTSPOT_TABLE, encoding="utf-8") as f:
        rows = re.findall (r'\{\s*"(\w+)",\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\s*\}', f.read())
    if not rows:
        sys.exit ("no hotspot areas found in %s" % HOTSPOT_TABLE)
    return { name: tuple (int (v) for v in values) for name, *values in rows }


# Hotspot areas; each group of controls is drawn entirely inside its own area.
HOTSPOTS = read_hotspots()

KNOB_PITCH = 54
KNOB_CAP_R = 13.5
KNOB_RING_R = 17.5

WHITE_KEY_PITCH = 51
WHITE_KEY_LEFT = 343
KEY_TOP = 92
KEY_BOTTOM = 390
BLACK_KEY_WIDTH = 31
BLACK_KEY_BOTTOM = 276
WHITE_NOTES = "CDEFGABCDEFGABC"       # 25 keys: C to C over two octaves
BLACK_AFTER = "CDFGA"                  # a black key follows these white keys

# ---------------------------------------------------------------------------------------
# SVG helpers
# ---------------------------------------------------------------------------------------


def fmt (v):
    return ("%.2f" % v).rstrip ("0").rstrip (".") if isinstance (v, float) else str (v)


def attrs (**kw):
    return " ".join ('%s="%s"' % (k.rstrip ("_").replace ("_", "-"), fmt (v)) for k, v in kw.items() if v is not None)


def rect (x, y, w, h, fill, rx=None, **kw):
    return "<rect %s/>" % attrs (x=x, y=y, width=w, height=h, rx=rx, fill=fill, **kw)


def key_shape (x, y, w, h, r, fill):
    """A key seen from above: square at the back, rounded at the front."""
    return path ("M %s %s H %s V %s A %s %s 0 0 1 %s %s H %s A %s %s 0 0 1 %s %s Z"
                 % (fmt (x), fmt (y), fmt (x + w), fmt (y + h - r), fmt (r), fmt (r), fmt (x + w - r), fmt (y + h),
                    fmt (x + r), fmt (r), fmt (r), fmt (x), fmt (y + h - r)), fill=fill)


def circle (cx, cy, r, fill, **kw):
    return "<circle %s/>" % attrs (cx=cx, cy=cy, r=r, fill=fill, **kw)


def line (x1, y1, x2, y2, stroke, width=1, **kw):
    return "<line %s/>" % attrs (x1=x1, y1=y1, x2=x2, y2=y2, stroke=stroke, stroke_width=width, **kw)


def path (d, fill="none", **kw):
    return "<path %s/>" % attrs (d=d, fill=fill, **kw)


def text (x, y, content, size, fill, anchor="middle", weight="normal", spacing=None, **kw):
    return "<text %s>%s</text>" % (attrs (x=x, y=y, font_family=FONT, font_size=size, font_weight=weight,
                                          fill=fill, text_anchor=anchor, letter_spacing=spacing, **kw), content)


def document (width, height, body, view_box=None, defs=""):
    view_box = view_box or (0, 0, width, height)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="%s">\n'
            '<defs>%s</defs>\n%s\n</svg>\n') % (width, height, " ".join (fmt (v) for v in view_box), defs, body)


def texture_defs():
    """The light ground's texture: fine diagonal lines, shared by every light surface."""
    return ('<pattern id="ground" width="6" height="6" patternUnits="userSpaceOnUse">'
            + rect (0, 0, 6, 6, GROUND)
            + path ("M -1 1 L 1 -1 M 0 6 L 6 0 M 5 7 L 7 5", stroke=GROUND_LINE, stroke_width=1.2)
            + '</pattern>')


# ---------------------------------------------------------------------------------------
# Logos
# ---------------------------------------------------------------------------------------


def brand_logo (x, y, size, fill, anchor="start"):
    """The Pelmar word mark."""
    return text (x, y, "Pelmar", size, fill, anchor=anchor, weight="bold", spacing=fmt (size * 0.02),
                 font_style="italic")


def model_logo (x, y, size, fill, accent, anchor="start", suffix=None, suffix_fill=MUTED):
    """The Q7X model mark: a bold Q with the 7X set in the accent colour, optionally followed
    by a plain word such as Editor."""
    after = ""
    if suffix:
        after = ('<tspan dx="%s" fill="%s" font-weight="normal" font-style="normal" letter-spacing="0">%s</tspan>'
                 % (fmt (size * 0.3), suffix_fill, suffix))
    return ('<text %s><tspan fill="%s">Q</tspan><tspan fill="%s">7X</tspan>%s</text>'
            % (attrs (x=x, y=y, font_family=FONT, font_size=size, font_weight="bold", font_style="italic",
                      text_anchor=anchor, letter_spacing=fmt (size * 0.02)), fill, accent, after))


# ---------------------------------------------------------------------------------------
# Controller panel
# ---------------------------------------------------------------------------------------


def knob_centres():
    x, y, w, h = HOTSPOTS["knobs"]
    return [(x + KNOB_PITCH / 2 + i * KNOB_PITCH, y + h / 2) for i in range (4)]


def draw_knob_rings():
    """Printed on the panel: a scale ring around each knob and its number underneath."""
    out = []
    for i, (cx, cy) in enumerate (knob_centres()):
        # A 270-degree arc open at the bottom, as on a potentiometer scale.
        r = KNOB_RING_R
        out.append (path ("M %s %s A %s %s 0 1 1 %s %s" % (fmt (cx - r * 0.7071), fmt (cy + r * 0.7071), fmt (r), fmt (r),
                                                          fmt (cx + r * 0.7071), fmt (cy + r * 0.7071)),
                          stroke=PANEL_PRINT, stroke_width=1.5, stroke_linecap="round"))
        out.append (text (cx, cy + 31, str (i + 1), 11, PANEL_PRINT, weight="bold"))
    return "".join (out)


def draw_knobs (state):
    look = CONTROL_LOOK[state]
    out = []
    for cx, cy in knob_centres():
        out.append (circle (cx, cy, KNOB_CAP_R, look["cap"], stroke=look["capEdge"], stroke_width=1.5))
        out.append (line (cx, cy - 3, cx, cy - KNOB_CAP_R + 2, look["mark"], 2, stroke_linecap="round"))
    return "".join (out)


def draw_numbered_buttons (state, hotspot, columns, count, margin, pitch, size, radius, label_y, font_size):
    """A grid of rounded buttons numbered from 1, row by row, as the switches and pads are."""
    look = CONTROL_LOOK[state]
    x0, y0, _, _ = HOTSPOTS[hotspot]
    (step_x, step_y), (w, h) = pitch, size
    out = []
    for n in range (count):
        col, row = n % columns, n // columns
        x, y = x0 + margin + col * step_x, y0 + margin + row * step_y
        out.append (rect (x + 0.5, y + 0.5, w, h, look["pad"], rx=radius, stroke=look["padEdge"], stroke_width=1))
        out.append (text (x + (w + 1) // 2, y + label_y, str (n + 1), font_size, look["text"], weight="bold"))
    return "".join (out)


def draw_switches (state):
    return draw_numbered_buttons (state, "switches", 2, 4, 4, (52, 32), (47, 27), 4, 19, 13)


def draw_octave (state):
    look = CONTROL_LOOK[state]
    x0, y0, _, _ = HOTSPOTS["octave"]
    out = []
    for i, label in enumerate (("DOWN", "UP")):
        x = x0 + 4 + i * 52
        out.append (rect (x + 0.5, y0 + 3.5, 47, 22, look["pad"], rx=4, stroke=look["padEdge"], stroke_width=1))
        out.append (text (x + 24, y0 + 19, label, 10, look["text"], weight="bold"))
    return "".join (out)


def draw_octave_label():
    """OCTAVE printed under the octave buttons between two bracket marks."""
    x0, y0, w, h = HOTSPOTS["octave"]
    cx, top = x0 + w / 2, y0 + h + 4.5
    return (path ("M %s %s V %s H %s M %s %s H %s V %s" % (fmt (x0 + 5.5), fmt (top), fmt (top + 5), fmt (cx - 27),
                                                          fmt (cx + 27), fmt (top + 5), fmt (x0 + w - 5.5), fmt (top)),
                  stroke=PANEL_PRINT, stroke_width=1)
            + text (cx, top + 9, "OCTAVE", 10, PANEL_PRINT, weight="bold", spacing=1))


def draw_wheels (state):
    look = CONTROL_LOOK[state]
    x0, y0, w, h = HOTSPOTS["wheels"]
    out = []
    for i in range (2):
        x = x0 + 12 + i * 52
        # Slot in the panel, then the wheel with its grip ridges.
        out.append (rect (x + 0.5, y0 + 3.5, 35, h - 7, WHEEL_SLOT, rx=6, stroke=look["padEdge"], stroke_width=1))
        out.append (rect (x + 6, y0 + 8, 24, h - 16, look["wheel"], rx=4))
        for k in range (12):
            yy = y0 + 14.5 + k * 6
            out.append (line (x + 8, yy, x + 28, yy, look["ridge"], 1.5))
        # Centre mark of the pitch wheel.
        if i == 0:
            out.append (line (x + 6, y0 + h / 2, x + 30, y0 + h / 2, look["mark"], 2))
    return "".join (out)


def draw_wheel_labels():
    x0, y0, w, h = HOTSPOTS["wheels"]
    return "".join (text (x0 + 30 + i * 52, y0 + h + 14, label, 10, PANEL_PRINT, weight="bold", spacing=0.5)
                    for i, label in enumerate (("PITCH", "MOD")))


def draw_pads (state):
    return draw_numbered_buttons (state, "pads", 4, 8, 5, (74, 74), (63, 63), 7, 40, 16)


def key_strip (x, y, pitch, gap, white_height, black_width, black_height, white_fill, black_fill,
               notes=WHITE_NOTES, white_rx=3, black_rx=2.5, white_extra=None, black_extra=None):
    """A run of keys starting at C: white keys `pitch` apart with `gap` between them, each black
    key centred on the gap it stands over. The optional extras draw details onto each key, given
    its left edge. Shared by the controller picture, the About box and the icon."""
    whites, blacks = [], []
    for i, note in enumerate (notes):
        wx = x + i * pitch
        whites.append (key_shape (wx, y, pitch - gap, white_height, white_rx, white_fill))
        if white_extra:
            whites.append (white_extra (wx))
        if note in BLACK_AFTER and i + 1 < len (notes):
            bx = x + (i + 1) * pitch - gap / 2 - black_width / 2
            blacks.append (key_shape (bx, y, black_width, black_height, black_rx, black_fill))
            if black_extra:
                blacks.append (black_extra (bx))
    return "".join (whites + blacks)


def draw_keybed (state):
    look = CONTROL_LOOK[state]
    x0, y0, w, h = HOTSPOTS["keybed"]
    out = [rect (x0, y0, w, h, look["field"])]
    # A felt strip behind the keys.
    out.append (rect (x0 + 4, KEY_TOP - 6, w - 8, 6, look["felt"]))
    out.append (key_strip (WHITE_KEY_LEFT, KEY_TOP, WHITE_KEY_PITCH, 1, KEY_BOTTOM - KEY_TOP,
                           BLACK_KEY_WIDTH, BLACK_KEY_BOTTOM - KEY_TOP, look["white"], look["black"],
                           white_extra=lambda x: key_shape (x, KEY_BOTTOM - 9, WHITE_KEY_PITCH - 1, 9, 3, look["whiteLip"]),
                           black_extra=lambda x: rect (x + 3, BLACK_KEY_BOTTOM - 24, BLACK_KEY_WIDTH - 6, 18,
                                                      look["blackTop"], rx=2)))
    return "".join (out)


CONTROL_GROUPS = {
    "knobs": draw_knobs,
    "switches": draw_switches,
    "pads": draw_pads,
    "keybed": draw_keybed,
    "octave": draw_octave,
    "wheels": draw_wheels,
}


def draw_panel (states=None):
    """The whole top panel; `states` maps a control group to its state (default normal)."""
    states = states or {}
    w, h = PICTURE_SIZE
    out = [rect (0, 0, w, h, PANEL, rx=16),
           rect (1.5, 1.5, w - 3, h - 3, "none", rx=15, stroke=PANEL_EDGE, stroke_width=1),
           draw_knob_rings(), draw_octave_label(), draw_wheel_labels()]

    # Brand along the top above the keys, the model mark at the right.
    kx, _, kw, _ = HOTSPOTS["keybed"]
    out.append (brand_logo (kx + 4, 56, 30, PANEL_PRINT_BRIGHT))
    out.append (text (kx + 142, 56, "Q SERIES", 11, PANEL_PRINT, anchor="start", weight="bold", spacing=2))
    out.append (text (kx + kw - 118, 56, "25-KEY USB MIDI CONTROLLER", 9, PANEL_PRINT, anchor="end",
                      weight="bold", spacing=1.2))
    out.append (model_logo (kx + kw - 4, 58, 38, PANEL_PRINT_BRIGHT, BLUE, anchor="end"))

    # Power light in the top-left corner.
    out.append (circle (38, 40, 3.5, BLUE))
    out.append (text (38, 66, "POWER", 8, PANEL_PRINT, weight="bold"))

    for name, draw in CONTROL_GROUPS.items():
        out.append ('<g id="%s">%s</g>' % (name, draw (states.get (name, "normal"))))
    return "\n".join (out)


# ---------------------------------------------------------------------------------------
# Window pieces
# ---------------------------------------------------------------------------------------

TABS = [("main", "Main", 175), ("knobs", "Knobs", 170), ("switches", "Switches", 170),
        ("pads", "Drum Pads", 170), ("keybed", "Keybed", 170), ("wheels", "Mod/Pitch", 170),
        ("sustain", "Sustain", 175)]

# Each main button: name, label and a 16 x 16 line icon (arrow into the device tray, arrow out
# of it, folder, disk).
MAIN_BUTTONS = [("getPreset", "Get Preset from Hardware", "M 8 1.5 V 10 M 4.5 6.5 L 8 10 L 11.5 6.5 M 1.5 10.5 V 14.5 H 14.5 V 10.5"),
                ("sendPreset", "Send Preset to Hardware", "M 8 10 V 1.5 M 4.5 5 L 8 1.5 L 11.5 5 M 1.5 10.5 V 14.5 H 14.5 V 10.5"),
                ("loadPreset", "Load Preset from Hard Drive", "M 1.5 2.5 H 6 L 8 4.5 H 14.5 V 13.5 H 1.5 Z M 1.5 7 H 14.5"),
                ("savePreset", "Save Preset to Hard Drive", "M 1.5 1.5 H 11.5 L 14.5 4.5 V 14.5 H 1.5 Z M 4.5 1.5 V 5.5 H 10.5 V 1.5 M 4.5 14.5 V 9.5 H 11.5 V 14.5")]

TAB_LOOK = { "normal": (WHITE, BLUE), "over": (GREY_LIGHT, BLUE), "down": (BLUE, WHITE) }


def tab (label, width, state):
    background, ink = TAB_LOOK[state]
    body = rect (0, 0, width, 40, background)
    if state != "down":
        # Hairline between neighbouring tabs.
        body += rect (width - 1, 8, 1, 24, HAIRLINE)
    body += text (width / 2, 25.5, label, 15, ink, weight="bold")
    return document (width, 40, body)


def main_button (label, icon_path, state):
    background = WHITE if state == "normal" else GREY_LIGHT
    body = rect (0, 0, 249, 35, background, rx=4)
    body += '<g transform="translate(13 9)">%s</g>' % path (icon_path, stroke=BLUE, stroke_width=1.6,
                                                           stroke_linejoin="round", stroke_linecap="round")
    body += text (38, 22, label, 12, BLUE, anchor="start", weight="bold")
    return document (249, 35, body)


def arrow (direction, state):
    # A triangle pointing left or right, kept clear of the image edges.
    points = [(14.5, 2.5), (2.5, 13), (14.5, 23.5)]
    if direction == "right":
        points = [(17 - x, y) for x, y in points]
    d = "M " + " L ".join ("%s %s" % (fmt (x), fmt (y)) for x, y in points) + " Z"
    if state == "normal":
        body = path (d, stroke=WHITE, stroke_width=1.5, stroke_linejoin="round")
    else:
        body = path (d, fill=GREY_LIGHT if state == "over" else WHITE, stroke=GREY_LIGHT if state == "over" else WHITE,
                     stroke_width=1.5, stroke_linejoin="round")
    return document (17, 26, body)


def editor_background():
    body = [rect (0, 0, 1200, 41, WHITE),
            rect (0, 41, 1200, 2, BLUE),
            rect (0, 43, 1200, 405, "url(#ground)"),
            rect (0, 448, 1200, 252, BLUE),
            brand_logo (26, 30, 24, BLUE),
            model_logo (1174, 29, 18, INK, BLUE, anchor="end", suffix="Editor")]
    return document (1200, 700, "\n".join (body), defs=texture_defs())


def about_background():
    w, h = 484, 267
    body = [rect (0, 0, w, h, "url(#ground)"),
            rect (0, 0, w, 6, BLUE),
            brand_logo (w / 2, 62, 40, BLUE, anchor="middle"),
            model_logo (w / 2, 108, 30, INK, BLUE, anchor="middle", suffix="Editor"),
            # The 25 keys in miniature, on a strip of the controller's panel.
            rect (w / 2 - 78.5, 162, 157, 38, PANEL, rx=4),
            key_strip (w / 2 - 74.5, 166, 10, 1, 30, 7, 18, WHITE, INK, white_rx=1.5, black_rx=1),
            rect (0, h - 6, w, 6, BLUE),
            # A hairline border: the window has no frame of its own.
            rect (0.5, 0.5, w - 1, h - 1, "none", stroke=BORDER, stroke_width=1)]
    return document (w, h, "\n".join (body), defs=texture_defs())


def device_setup_background():
    w, h = 360, 425
    body = [rect (0, 0, w, h, "url(#ground)"),
            rect (0, 0, w, 36, BLUE),
            text (w / 2, 24, "Device Setup", 16, WHITE, weight="bold"),
            rect (15, 370, w - 30, 1, GREY_LIGHT)]
    return document (w, h, "\n".join (body), defs=texture_defs())


def device_setup_panel():
    w, h = 327, 141
    body = rect (1, 1, w - 2, h - 2, BLUE, rx=4, stroke=BLUE_DARK, stroke_width=2)
    return document (w, h, body)


def icon():
    """The application icon, drawn at 256 x 256; render.sh scales it to the smaller sizes."""
    body = [rect (0, 0, 256, 256, BLUE, rx=48),
            model_logo (128, 118, 92, WHITE, WHITE, anchor="middle")]
    # One octave of keys along the bottom.
    body.append (key_strip (31, 150, 28, 2, 70, 16, 42, WHITE, BLUE_DEEP, notes="CDEFGAB"))
    return document (256, 256, "\n".join (body))


# ---------------------------------------------------------------------------------------
# The catalogue
# ---------------------------------------------------------------------------------------


def hotspot (name, state):
    x, y, w, h = HOTSPOTS[name]
    return document (w, h, draw_panel ({ name: state }), view_box=(x, y, w, h))


def catalogue():
    """Every image by catalogue name, as SVG text."""
    images = { "editorBackground": editor_background(),
               "pictureBackground": document (*PICTURE_SIZE, draw_panel()) }
    for name in HOTSPOTS:
        for state in STATES:
            images["%sPicture%s" % (name, state.capitalize())] = hotspot (name, state)
    for name, label, width in TABS:
        for state in STATES:
            images["%sTab%s" % (name, state.capitalize())] = tab (label, width, state)
    for name, label, icon_path in MAIN_BUTTONS:
        for state in ("normal", "over"):
            images["%sButton%s" % (name, state.capitalize())] = main_button (label, icon_path, state)
    for direction in ("left", "right"):
        for state in STATES:
            images["%sArrow%s" % (direction, state.capitalize())] = arrow (direction, state)
    images["aboutBackground"] = about_background()
    images["deviceSetupBackground"] = device_setup_background()
    images["deviceSetupPanel"] = device_setup_panel()
    return images


def write (folder, name, content):
    os.makedirs (folder, exist_ok=True)
    with open (os.path.join (folder, name + ".svg"), "w", encoding="utf-8") as f:
        f.write (content)


def main():
    images = catalogue()
    for old in os.listdir (SVG_DIR) if os.path.isdir (SVG_DIR) else []:
        if old.endswith (".svg") and old[:-4] not in images:
            os.remove (os.path.join (SVG_DIR, old))
    for name, svg in images.items():
        write (SVG_DIR, name, svg)
    write (ICON_DIR, "q7x-editor", icon())
    print ("wrote %d images and the icon" % len (images), file=sys.stderr)


if __name__ == "__main__":
    main()
