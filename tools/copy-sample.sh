#!/usr/bin/env bash
# Writes the bundled sample package (sample/, kept in UTF-8 here) into a folder as the editor
# and SETUP.EXE read it: code page 932 text with CR LF line ends.
#   bash tools/copy-sample.sh DEST_FOLDER
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mkdir -p "$1"
for file in "$REPO"/sample/*; do
  iconv -f UTF-8 -t CP932 "$file" | sed 's/$/\r/' >"$1/$(basename "$file")"
done
