#!/usr/bin/env python3
"""Checks that every include in host/ points down the host's layers.

    check-layers.py HOST_DIR     checks the tree, lists every include that points up
    check-layers.py --self-test  shows that the check catches an upward include

The host is layered; each layer may include itself and the layers listed for it, and
nothing else of the project (never extension/, app/ or Qt):

    core < platform < forms
    core < geometry < data < carto < framework,   and platform < framework

forms and framework stand side by side: neither includes the other.
"""
import os
import re
import sys
import tempfile

LAYERS = {
    "core": set(),
    "platform": {"core"},
    "forms": {"core", "platform"},
    "geometry": {"core"},
    "data": {"core", "geometry"},
    "carto": {"core", "geometry", "data"},
    "framework": {"core", "platform", "geometry", "data", "carto"},
}

QUOTED = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
ANGLED = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>')


def faults_in(path, layer):
    faults = []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            where = f"{path}:{number}"
            match = QUOTED.match(line)
            if match:
                parts = match.group(1).split("/")
                if len(parts) < 3 or parts[0] != "host":
                    faults.append(f'{where}: {layer} includes "{match.group(1)}", '
                                  'not a host header named from the top ("host/<layer>/...")')
                elif parts[1] != layer and parts[1] not in LAYERS[layer]:
                    faults.append(f'{where}: {layer} includes "{match.group(1)}" '
                                  f'({parts[1]} is not below {layer})')
            elif ANGLED.match(line):
                faults.append(f"{where}: {layer} includes Qt ({line.strip()})")
    return faults


def check(host_dir):
    faults = []
    for layer in sorted(os.listdir(host_dir)):
        top = os.path.join(host_dir, layer)
        if not os.path.isdir(top):
            continue
        if layer not in LAYERS:
            faults.append(f"{top}: a folder that is no known layer; add it to {__file__}")
            continue
        for folder, _, files in os.walk(top):
            for name in sorted(files):
                if name.endswith((".h", ".cpp")):
                    faults.extend(faults_in(os.path.join(folder, name), layer))
    return faults


def self_test():
    cases = [
        ("carto", '#include "host/data/Table.h"\n', 0),
        ("carto", '#include "host/framework/CommandBars.h"\n', 1),
        ("platform", '#include "host/forms/Form.h"\n', 1),
        ("forms", '#include "host/framework/Application.h"\n', 1),
        ("framework", '#include "host/forms/Form.h"\n', 1),
        ("data", '#include "Table.h"\n', 1),
        ("core", "#include <QString>\n", 1),
        ("core", "#include <string>\n", 0),
    ]
    failed = 0
    for layer, text, expected in cases:
        with tempfile.TemporaryDirectory() as root:
            os.makedirs(os.path.join(root, layer))
            with open(os.path.join(root, layer, "Piece.cpp"), "w", encoding="utf-8") as out:
                out.write(text)
            found = len(check(root))
        if found != expected:
            failed += 1
            print(f"self-test: {layer} with {text.strip()}: {found} faults, expected {expected}")
    return failed


def main(argv):
    if argv[1:] == ["--self-test"]:
        return 1 if self_test() else 0
    if len(argv) != 2:
        print(__doc__)
        return 2
    faults = check(argv[1])
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
