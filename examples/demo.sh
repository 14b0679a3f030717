#!/usr/bin/env bash
# The demo. With a display: the desktop application on the example town. Without one (or with
# CORVANE_DEMO_HEADLESS=1): the headless runner on examples/demo.desktop-script, which exports the
# abutters of one parcel to a table and saves a picture of the map, into demo-output/ (or
# the folder CORVANE_DEMO_OUT names).
#
#   examples/demo.sh PATH-TO-CORVANE
set -euo pipefail
corvane=${1:?usage: examples/demo.sh PATH-TO-CORVANE}
here=$(cd "$(dirname "$0")" && pwd)

if [ "${CORVANE_DEMO_HEADLESS:-0}" != 1 ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Corvane on the example town: click the Corvane button, choose Parcels as buffer and selection"
  echo "layer, PARCEL_ID as search field, then a parcel id in the list."
  exec "$corvane" "$here/town/town.json"
fi

out=${CORVANE_DEMO_OUT:-$PWD/demo-output}
mkdir -p "$out"
echo "No display: the headless runner on examples/demo.desktop-script"
"$corvane" --script "$here/demo.desktop-script" --work "$out"
echo "The abutters of parcel 10-6: $out/abutters.csv"
echo "The map with the parcel and its buffer: $out/map.png"
