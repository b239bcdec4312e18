#!/usr/bin/env bash
# Fails when a file includes a layer it may not see, or when a source file of a layer is named in
# no CMakeLists.txt (it would be built into no target). The layers and what each may include:
#   core      core
#   platform  core, platform            (the backends; only app/ and the tests link them)
#   sections  core, sections
#   report    core, sections, report
#   ui        core, sections, report, ui
#   app       everything
set -euo pipefail
cd "$(dirname "$0")/.."

allowed() {
    case $1 in
    core) echo "core" ;;
    platform) echo "core platform" ;;
    sections) echo "core sections" ;;
    report) echo "core sections report" ;;
    ui) echo "core sections report ui" ;;
    app) echo "core platform sections report ui app" ;;
    esac
}

status=0
for file in core/*.* platform/*.* platform/*/*.* sections/*.* report/*.* ui/*.* app/*.*; do
    case $file in *.cpp | *.h) ;; *) continue ;; esac
    layer=${file%%/*}
    may=" $(allowed "$layer") "
    while IFS= read -r line; do
        included=$(sed -E 's/^#include "([^"]+)".*/\1/' <<<"$line")
        [[ $included == */* ]] || continue
        if [[ $may != *" ${included%%/*} "* ]]; then
            echo "$file: includes $included, which the $layer layer may not see"
            status=1
        fi
    done < <(grep -E '^#include "' "$file" || true)
    # Sources name themselves relative to their layer's CMakeLists.txt ("linux/LinuxIds.cpp").
    if ! grep -qw -- "${file#"$layer"/}" "$layer/CMakeLists.txt" 2>/dev/null; then
        echo "$file: named in no CMakeLists.txt of its layer"
        status=1
    fi
done
[ $status -eq 0 ] && echo "layers: every include stays within what its layer may see, every source file has a target"
exit $status
