#!/usr/bin/env python3
"""Holds every #include of the repository's own headers to the layers of docs/architecture.md:
a file in a layer's folder may include its own layer's headers and those of the layers its row
lists, nothing else; and a graphics API's or window system's headers only in the folders the
architecture names for them. Files outside every layer's folder (tests, benchmarks, tools) are
not held.
Prints each include that breaks the rule and exits 1; exits 0 when none does.
Usage: tools/check_layers.py [ROOT]"""
import os
import re
import sys

TABLE = "docs/architecture.md"


def read_layers(root):
    """{folder: allowed folders} from the table's rows: the folder in the second column, the
    folders it may include in the last."""
    layers = {}
    with open(os.path.join(root, TABLE), encoding="utf-8") as table:
        for line in table:
            cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
            if len(cells) != 4 or not cells[1].startswith("`"):
                continue
            folder = re.findall(r"`([^`]+/)`", cells[1])[0]
            layers[folder] = re.findall(r"`([^`]+/)`", cells[3])
    return layers


def api_folders(root):
    """The folders that may include a graphics API's or window system's headers, from the line
    of the architecture that names those headers."""
    with open(os.path.join(root, TABLE), encoding="utf-8") as table:
        text = " ".join(table.read().split())
    match = re.search(r"belong to these folders alone: ([^.]*)\.", text)
    return re.findall(r"`([^`]+/)`", match.group(1)) if match else []


API_HEADER = re.compile(r'\s*#\s*include\s+<(GL|EGL|vulkan|X11)/')


def layer_of(path, layers):
    """The deepest layer folder that holds `path`, or None."""
    held = [folder for folder in layers if path.startswith(folder)]
    return max(held, key=len) if held else None


def resolve(root, include):
    """The repository path of a quoted include, as the build's include directories find it."""
    for base in ("", "include/"):
        if os.path.isfile(os.path.join(root, base + include)):
            return base + include
    return None


def breaches(root):
    layers = read_layers(root)
    api = api_folders(root)
    for folder in layers:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(directory, name), root)
                own = layer_of(path, layers)
                if own != folder:
                    continue  # a deeper layer's, walked on its own
                with open(os.path.join(root, path), encoding="utf-8") as source:
                    for number, line in enumerate(source, 1):
                        if API_HEADER.match(line) and not any(path.startswith(f) for f in api):
                            yield "%s:%d includes %s: only %s may" % (
                                path, number, line.strip()[len("#include "):], ", ".join(api))
                        match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                        target = match and resolve(root, match.group(1))
                        if not target:
                            continue
                        other = layer_of(target, layers)
                        if other is None or (other != own and other not in layers[own]):
                            yield "%s:%d includes %s: %s may not use %s" % (
                                path, number, match.group(1), own, other or "a file of no layer")


def main(argv):
    root = argv[0] if argv else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    found = list(breaches(root))
    for breach in found:
        print("layers: " + breach)
    if found:
        print("layers: %d includes break %s" % (len(found), TABLE))
        return 1
    print("layers: every include keeps to %s" % TABLE)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
