#!/usr/bin/env python3
"""The JSON documents of hardlens-report against the schemas shipped with it: the report, the
comparison (--compare) and the inventory (--inventory), each made from the test machines in
several ways. A schema that let anything through would pass that too, so each must also refuse
documents broken the way a faulty writer would break them.

    schemas_test.py HARDLENS_REPORT SCHEMA_DIR TEST_DATA
"""
import copy
import json
import os
import subprocess
import sys
import tempfile

import jsonschema

report, schema_dir, data = sys.argv[1:4]
machines = [os.path.join(data, "machines", m + ".json")
            for m in ("rich", "desktop", "devices", "empty")]
tree = os.path.join(data, "linux", "desktop")
failures = []


def run(args, statuses=(0,)):
    done = subprocess.run([report] + args, capture_output=True, text=True,
                          env=dict(os.environ, LC_ALL="C.UTF-8"))
    if done.returncode not in statuses:
        failures.append(f"{args}: exit {done.returncode}: {done.stderr.strip()}")
        return None
    return json.loads(done.stdout)


def validator(name):
    with open(os.path.join(schema_dir, f"hardlens-{name}.schema.json")) as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    return jsonschema.Draft7Validator(schema)


def check(name, documents, broken):
    v = validator(name)
    for what, doc in documents:
        if doc is None:
            continue
        for e in v.iter_errors(doc):
            failures.append(f"{name}: {what}: {list(e.path)}: {e.message[:200]}")
    for what, doc in broken:
        if v.is_valid(doc):
            failures.append(f"{name}: the schema accepts a document with {what}")


# --- the report ------------------------------------------------------------------------------
reports = [(m, run(["--snapshot", m, "--format", "json"])) for m in machines]
reports += [(tree, run(["--root", tree, "--format", "json", "--private"]))]
reports += [(m + " --details", run(["--snapshot", m, "--format", "json", "--details"]))
            for m in machines[:2]]
reports += [(tree + " --details", run(["--root", tree, "--format", "json", "--details",
                                       "--private"]))]
good = reports[0][1]
listed = copy.deepcopy(reports[-1][1])
listed["sections"][0]["devices"] = [{"kind": "disk", "name": "sda", "size": 512110190592,
                                     "serial": "[private]", "rotational": False, "model": None}]
reports.append(("a device written by hand", listed))
devices_in_1_1 = copy.deepcopy(listed)
devices_in_1_1["format"] = "hardlens-report/1.1"
no_kind = copy.deepcopy(listed)
del no_kind["sections"][0]["devices"][0]["kind"]
no_key = copy.deepcopy(good)
del no_key["sections"][0]["rows"][0]["key"]
bad_bytes = copy.deepcopy(good)
for section in bad_bytes["sections"]:
    for row in section["rows"]:
        if row["key"] == "memory.total":
            row["data"] = "8 GB"
check("report", reports, [("a row without its key", no_key),
                          ("memory.total as text", bad_bytes),
                          ("devices in a 1.1 report", devices_in_1_1),
                          ("a device without its kind", no_kind)])

# --- the comparison --------------------------------------------------------------------------
comparisons = []
pairs = [(machines[0], machines[1]), (machines[1], machines[2]), (machines[0], machines[3]),
         (machines[0], machines[0])]
for old, new in pairs:
    for extra in ([], ["--all"], ["--private", "--language", "Spanish"]):
        doc = run(["--compare", old, new, "--format", "json"] + extra, statuses=(0, 3))
        comparisons.append((f"{old} {new} {extra}", doc))
comparisons.append(("a tree against a recording",
                    run(["--root", tree, "--compare", "-", machines[0], "--format", "json"],
                        statuses=(0, 3))))
different = comparisons[0][1]
if not different or not different["sections"]:
    failures.append("compare: two different machines gave no differences")
else:
    absent_with_data = copy.deepcopy(different)
    absent_with_data["sections"][0]["rows"][0].update({"old": None, "old_data": 5})
    no_rows = copy.deepcopy(different)
    no_rows["sections"][0]["rows"] = []
    both_absent = copy.deepcopy(different)
    both_absent["sections"][0]["rows"][0].update(
        {"old": None, "new": None, "old_data": None, "new_data": None})
    added = {"change": "added", "kind": "gpu", "name": "GPU", "old": None,
             "new": {"kind": "gpu", "name": "GPU"}, "fields": []}
    with_device = copy.deepcopy(different)
    with_device["sections"][0]["devices"] = [added]
    only_device = copy.deepcopy(with_device)
    only_device["sections"][0]["rows"] = []
    comparisons += [("a device written by hand", with_device),
                    ("a section of devices alone", only_device)]
    added_with_old = copy.deepcopy(with_device)
    added_with_old["sections"][0]["devices"][0]["old"] = {"kind": "gpu", "name": "GPU"}
    changed_alike = copy.deepcopy(with_device)
    changed_alike["sections"][0]["devices"][0].update(
        {"change": "changed", "old": {"kind": "gpu", "name": "GPU"}})
    check("compare", comparisons, [("an absent side that has data", absent_with_data),
                                   ("a section without rows", no_rows),
                                   ("a row absent on both sides", both_absent),
                                   ("an added device with an old side", added_with_old),
                                   ("a changed device without fields", changed_alike)])

def columns():
    """Every row key of the reports that the program takes as a column."""
    keys = sorted({row["key"] for _, doc in reports if doc
                   for section in doc["sections"] for row in section["rows"]})
    taken = []
    for key in keys:
        done = subprocess.run([report, "--inventory", machines[0], "--columns", key],
                              capture_output=True)
        if done.returncode != 2:
            taken.append(key)
    if len(taken) < 100:
        failures.append(f"inventory: only {len(taken)} of {len(keys)} keys taken as columns")
    return taken


# --- the inventory ---------------------------------------------------------------------------
with tempfile.TemporaryDirectory() as folder:
    for m in machines:
        os.symlink(m, os.path.join(folder, os.path.basename(m)))
    inventories = [
        ("default columns", run(["--inventory", folder, "--format", "json"])),
        ("every key", run(["--inventory"] + machines +
                          ["--columns", ",".join(["file", "machine"] + columns()),
                           "--format", "json"])),
        ("private", run(["--inventory", folder, "--private", "--format", "json"])),
        ("device columns", run(["--inventory", folder, "--format", "json", "--columns",
                                "file,memory.slots,memory.free_slots,memory.max_capacity,"
                                "display.gpus,disks.models"])),
    ]
    counted = [{"file": "a.json", "memory.slots": 4, "memory.free_slots": 2,
                "memory.max_capacity": 68719476736, "display.gpus": "Intel UHD 630; GA106",
                "disks.models": "Samsung SSD 980"}]
    inventories.append(("device columns written by hand", counted))
good = inventories[1][1]
if not good or len(good) != len(machines):
    failures.append(f"inventory: {len(good or [])} lines for {len(machines)} machines")
else:
    with_list = copy.deepcopy(good)
    with_list[0]["disks.names"] = [{"label": "C"}]
    bad_column = copy.deepcopy(good)
    bad_column[0]["Disks Names"] = "C"
    slots_as_text = copy.deepcopy(counted)
    slots_as_text[0]["memory.free_slots"] = "2"
    check("inventory", inventories, [("a list left unfolded in a cell", with_list),
                                     ("a column that is no key", bad_column),
                                     ("an object instead of the list", good[0]),
                                     ("free slots as text", slots_as_text)])

for f in failures:
    print("FAIL:", f)
print(f"schemas: {len(failures)} failures")
sys.exit(1 if failures else 0)
