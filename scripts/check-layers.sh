#!/usr/bin/env bash
# Fails when an include runs up a layer, or when a source file of a layer is named in no
# CMakeLists.txt (it would be built into no target). The layers, bottom up:
#   core (core/, core/sources/)  <  sections (sections/, report/)  <  ui (ui/)  <  app (app/)
# A file may include its own layer and those below it.
set -euo pipefail
cd "$(dirname "$0")/.."

rank() {
    case $1 in
    core) echo 0 ;;
    sections | report) echo 1 ;;
    ui) echo 2 ;;
    app) echo 3 ;;
    *) echo -1 ;;
    esac
}

status=0
for file in core/*.* core/sources/*.* sections/*.* report/*.* ui/*.* app/*.*; do
    case $file in *.cpp | *.h) ;; *) continue ;; esac
    own=$(rank "${file%%/*}")
    while IFS= read -r line; do
        included=$(sed -E 's/^#include "([^"]+)".*/\1/' <<<"$line")
        [[ $included == */* ]] || continue
        layer=$(rank "${included%%/*}")
        if [ "$layer" -gt "$own" ]; then
            echo "$file: includes $included, a layer above its own"
            status=1
        fi
    done < <(grep -E '^#include "' "$file" || true)
    name=${file##*/}
    if ! grep -qw -- "$name" "${file%%/*}/CMakeLists.txt" 2>/dev/null; then
        echo "$file: named in no CMakeLists.txt of its folder"
        status=1
    fi
done
[ $status -eq 0 ] && echo "layers: every include runs down or across, every source file has a target"
exit $status
