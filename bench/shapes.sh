#!/usr/bin/env bash
# Peak memory of hardlens-report against the size of recordings of unusual shapes, in the
# formats that read them:   bench/shapes.sh [MIB]   (default 60: each recording about 60 MiB)
# The shapes: many volumes whose labels are 1 MiB each (the eight list rows of Hard drives show
# them all), one class of many ordinary long values, and many empty instances (refused).
set -euo pipefail
cd "$(dirname "$0")/.."
report=build/hardlens-report
[ -x "$report" ] || scripts/build.sh
mib=${1:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config

python3 - "$work" "$mib" <<'PY'
import json, sys
work, mib = sys.argv[1], int(sys.argv[2])
head = {"format": "hardlens-snapshot/1"}
def save(name, wmi):
    with open(f"{work}/{name}.json", "w") as f:
        json.dump(dict(head, wmi=wmi), f)
save("labels", {"Win32_LogicalDisk": [
    {"Caption": f"V{i}:", "DriveType": 3, "VolumeName": f"L{i:03}" + "x" * (1024 * 1024 - 4),
     "Size": "1000", "FreeSpace": "10", "FileSystem": "NTFS"} for i in range(mib)]})
save("values", {"Win32_BIOS": [{"Name": "n" * 4000} for _ in range(mib * 262)]})
save("empty", {"Win32_BIOS": [{} for _ in range(mib * 524288)]})
PY

printf '%-8s %-28s %6s %10s %6s\n' shape request exit peak_mib ratio
for shape in labels values empty; do
    file=$work/$shape.json
    size=$(stat -c %s "$file")
    for request in "" "--format html" "--format json" "--section 7 --format json" \
        "--compare $file $file" "--inventory $file"; do
        case $request in --compare* | --inventory*) args=($request) ;; *) args=(--snapshot "$file" $request) ;; esac
        rc=0
        /usr/bin/time -f '%M' -o "$work/time" "$report" "${args[@]}" >/dev/null 2>&1 || rc=$?
        kib=$(tail -1 "$work/time")
        label=${request//$file/FILE}
        printf '%-8s %-28s %6s %10s %6s\n' "$shape" "${label:-text}" "$rc" $((kib / 1024)) \
            "$(python3 -c "print(f'{$kib * 1024 / $size:.1f}x')")"
    done
done
