#!/usr/bin/env bash
# Runs packaging/ansible/collect.yml against this machine over a local connection, once plainly
# and once private, and checks what lands on the controller.
#   collect_test.sh HARDLENS_REPORT PLAYBOOK
set -euo pipefail
report=$1 playbook=$2

if ! command -v ansible-playbook >/dev/null; then
  echo "ansible-playbook not installed: skipped"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"
# Ansible keeps its state under HOME and reads /etc/ansible/ansible.cfg: keep both in the
# temporary folder, and the remote temporary file too, so that its removal can be seen.
export HOME="$work" ANSIBLE_CONFIG="$work/ansible.cfg" TMPDIR="$work/tmp"
export ANSIBLE_LOCAL_TEMP="$work/ansible-local" ANSIBLE_REMOTE_TEMP="$work/ansible-remote"
export ANSIBLE_NOCOLOR=1
: >"$ANSIBLE_CONFIG"

run() {
  ansible-playbook -i localhost, -c local "$playbook" \
    -e ansible_python_interpreter=/usr/bin/python3 -e hardlens_report="$report" \
    -e hardlens_snapshot_dir="$work/out/snapshots" "$@"
}

check() { # PRIVATE: "true" when the recording must hold the marker for the user name
  python3 - "$work" "$1" <<'PY'
import csv, json, os, sys
work, private = sys.argv[1], sys.argv[2] == "true"
def fail(message):
    sys.exit("collect_test: " + message)

snapshots = sorted(os.listdir(os.path.join(work, "out", "snapshots")))
if snapshots != ["localhost.json"]:
    fail(f"expected only localhost.json in the snapshot folder, found {snapshots}")
with open(os.path.join(work, "out", "snapshots", "localhost.json"), encoding="utf-8") as f:
    snapshot = json.load(f)
if snapshot.get("format") != "hardlens-snapshot/1":
    fail(f"snapshot format is {snapshot.get('format')!r}")
user = snapshot.get("environment", {}).get("USERNAME")
if (user == "[private]") != private:
    fail(f"USERNAME is {user!r} in a {'private' if private else 'plain'} recording")

left = os.listdir(os.path.join(work, "tmp"))
if left:
    fail(f"the remote snapshot file was left behind: {left}")

with open(os.path.join(work, "out", "inventory.csv"), newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
if len(rows) != 2 or not rows[0] or rows[0][0] != "machine":
    fail(f"expected a header starting with 'machine' and one line, found {rows}")
if len(rows[1]) != len(rows[0]) or not rows[1][0]:
    fail(f"the line of the host does not fill the header: {rows}")
PY
}

run
check false
# Again into the same folder: the private recording must replace the plain one.
run -e hardlens_private=true
check true
echo "collect_test: passed"
