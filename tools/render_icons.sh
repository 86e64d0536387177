#!/usr/bin/env bash
# Renders the program's icon packaging/icons/<id>.svg into the PNG sizes that are installed
# beside it (packaging/icons/<size>/<id>.png). Run by hand after the drawing changes; needs
# rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
icons=$(cd "$(dirname "${BASH_SOURCE[0]}")/../packaging/icons" && pwd)
id=example.talvena.talvena
for size in 48 128 256; do
    mkdir -p "$icons/$size"
    rsvg-convert -w "$size" -h "$size" "$icons/$id.svg" -o "$icons/$size/$id.png"
done
