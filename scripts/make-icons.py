#!/usr/bin/env python3
"""Writes the project's icons as SVG under resources/icons/.

The icons are drawn here from simple shapes on a 16-unit grid in one light stroke colour (tool
bars are dark) with the in/out amber as accent. Files that must be PNG (the knob icons and the
tool-button icons looked up by file name) are rendered from these SVGs by
`velloro-gallery --render-icons resources/icons`.
"""
import os
import sys

INK = "#d0d0d0"
ACCENT = "#d6a030"
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")


def svg(body):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">\n'
            + body + "\n</svg>\n")


def label(text, size=6.5, y=11.2, colour=INK):
    return (f'<text x="8" y="{y}" font-family="DejaVu Sans" font-weight="bold" font-size="{size}" '
            f'text-anchor="middle" fill="{colour}">{text}</text>')


def frame(colour=INK):
    return f'<rect x="1.5" y="2.5" width="13" height="11" rx="1.5" fill="none" stroke="{colour}"/>'


TRI_R = "M5 3 L12 8 L5 13 Z"
TRI_L = "M11 3 L4 8 L11 13 Z"


def path(d, fill=INK):
    return f'<path d="{d}" fill="{fill}"/>'


def bar(x):
    return f'<rect x="{x}" y="3" width="2" height="10" fill="{INK}"/>'


ICONS = {
    "TransportJumpToStart": bar(2) + path("M13 3 L5 8 L13 13 Z"),
    "TransportJumpBackwards": path("M8 3 L1 8 L8 13 Z") + path("M15 3 L8 8 L15 13 Z"),
    "TransportFrameBackwards": path("M10 3 L3 8 L10 13 Z") + bar(11),
    "TransportPlayBackwards": path(TRI_L),
    "TransportPlayForwards": path(TRI_R),
    "TransportFrameForwards": bar(3) + path("M6 3 L13 8 L6 13 Z"),
    "TransportJumpForwards": path("M1 3 L8 8 L1 13 Z") + path("M8 3 L15 8 L8 13 Z"),
    "TransportJumpToEnd": path("M3 3 L11 8 L3 13 Z") + bar(12),
    "TransportStop": f'<rect x="4" y="4" width="8" height="8" fill="{INK}"/>',
    "TransportSkipBackwards": path("M9 4 L3 8 L9 12 Z") + bar(11) + bar(13),
    "TransportSkipForwards": bar(1) + bar(3) + path("M7 4 L13 8 L7 12 Z"),
    "PlayRepeat": f'<path d="M3 9 A5 5 0 1 0 5 4" fill="none" stroke="{INK}" stroke-width="1.6"/>'
                  + path("M2 2 L7 3 L4 7 Z"),
    "PlayBounce": f'<path d="M2 8 H14" stroke="{INK}" stroke-width="1.4"/>'
                  + path("M1 8 L5 4.5 L5 11.5 Z") + path("M15 8 L11 4.5 L11 11.5 Z"),
    "PlayStop": path("M2 4 L8 8 L2 12 Z") + f'<rect x="11" y="3" width="2.5" height="10" fill="{ACCENT}"/>',
    "PlayContinue": path("M1 4 L6 8 L1 12 Z") + path("M6 4 L11 8 L6 12 Z")
                    + f'<path d="M12 8 H15" stroke="{INK}" stroke-width="1.4" stroke-dasharray="1,1"/>',
    "FrameRangeLock": f'<rect x="3" y="7" width="10" height="7" rx="1" fill="{ACCENT}"/>'
                      f'<path d="M5 7 V5 A3 3 0 0 1 11 5 V7" fill="none" stroke="{INK}" stroke-width="1.6"/>',
    "ViewerRenderingSpinner":
        f'<circle cx="8" cy="8" r="6" fill="none" stroke="{INK}" stroke-opacity="0.3" stroke-width="2"/>'
        f'<path d="M8 2 A6 6 0 0 1 14 8" fill="none" stroke="{ACCENT}" stroke-width="2">'
        '<animateTransform attributeName="transform" type="rotate" from="0 8 8" to="360 8 8" dur="1s" '
        'repeatCount="indefinite"/></path>',
    "ControlPanelBin/knob_default": f'<circle cx="8" cy="8" r="5.5" fill="none" stroke="{INK}" stroke-width="1.5"/>'
                                    f'<path d="M8 8 L11.5 4.5" stroke="{INK}" stroke-width="1.5"/>',
    "ControlPanelBin/edit_on": f'<path d="M3 13 L4 9.5 L11 2.5 L13.5 5 L6.5 12 Z" fill="none" stroke="{INK}"/>'
                               f'<path d="M3 13 L4 9.5 L6.5 12 Z" fill="{INK}"/>',
    "ControlPanelBin/edit_off": f'<path d="M3 13 L4 9.5 L11 2.5 L13.5 5 L6.5 12 Z" fill="{ACCENT}" stroke="{ACCENT}"/>'
                                f'<path d="M3 13 L4 9.5 L6.5 12 Z" fill="{INK}"/>',
}

KNOBS = {
    "double": f'<path d="M2 10 H14" stroke="{INK}" stroke-width="1.5"/><rect x="6" y="7" width="3" height="6" fill="{ACCENT}"/>',
    "position_2d": label("xy"),
    "position_3d": label("xyz", 5.5),
    "size_wh": label("wh"),
    "bbox": f'<rect x="2.5" y="3.5" width="11" height="9" fill="none" stroke="{INK}" stroke-dasharray="2,1"/>',
    "size": f'<path d="M2 14 L14 2 M9 2 H14 V7 M2 9 V14 H7" fill="none" stroke="{INK}" stroke-width="1.4"/>',
    "uv": label("uv"),
    "integer": label("#", 9, 12),
    "color_rgb": '<circle cx="6" cy="6" r="3.5" fill="#d04040"/><circle cx="10" cy="6" r="3.5" fill="#40b040" fill-opacity="0.8"/>'
                 '<circle cx="8" cy="10" r="3.5" fill="#4060d0" fill-opacity="0.8"/>',
    "color_rgba": '<circle cx="6" cy="6" r="3.5" fill="#d04040"/><circle cx="10" cy="6" r="3.5" fill="#40b040" fill-opacity="0.8"/>'
                  '<circle cx="8" cy="10" r="3.5" fill="#4060d0" fill-opacity="0.8"/>'
                  f'<rect x="11" y="10" width="4" height="5" fill="{INK}"/>',
    "boolean": f'<rect x="3" y="3" width="10" height="10" fill="none" stroke="{INK}" stroke-width="1.4"/>'
               f'<path d="M5 8 L7.5 10.5 L11.5 5" fill="none" stroke="{ACCENT}" stroke-width="1.8"/>',
    "tcl_button": frame() + label("tcl", 5.5, 10.5),
    "python_button": frame() + label("py", 6, 10.5),
    "pulldown": frame() + path("M8.5 7 L13 7 L10.75 10 Z") + f'<path d="M3.5 8.5 H7.5" stroke="{INK}"/>',
    "cascading_pulldown": f'<path d="M2 4 H8 M2 8 H8 M2 12 H8" stroke="{INK}" stroke-width="1.4"/>' + path("M10 5 L14 8 L10 11 Z"),
    "menu": f'<path d="M2 4 H14 M2 8 H14 M2 12 H14" stroke="{INK}" stroke-width="1.6"/>',
    "string": label("abc", 5.8),
    "filename": path("M1.5 4 H6 L7.5 5.5 H14.5 V13 H1.5 Z", "none").replace('fill="none"', f'fill="none" stroke="{INK}"'),
    "tab": f'<path d="M1.5 13.5 V4.5 H7 V6.5 H14.5 V13.5 Z" fill="none" stroke="{INK}"/>',
    "group": f'<rect x="1.5" y="1.5" width="13" height="13" fill="none" stroke="{INK}" stroke-dasharray="2,1"/>'
             f'<rect x="4" y="4" width="8" height="8" fill="{INK}" fill-opacity="0.5"/>',
    "text": label("A", 10, 12.5),
    "divider": f'<path d="M1 8 H15" stroke="{INK}" stroke-width="2"/>',
}


def write(name, body):
    target = os.path.join(ROOT, name + ".svg")
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "w") as out:
        out.write(svg(body))


def main():
    for name, body in ICONS.items():
        write(name, body)
    for name, body in KNOBS.items():
        write("ControlPanelBin/CustomKnobPanelIcons/" + name, body)
    return 0


if __name__ == "__main__":
    sys.exit(main())
