#!/usr/bin/env bash
# Every JSON document qv3380 prints against its schema in docs/, and in one key
# style: show (a passing plan, one whose map not in use fails, one with a
# divider of 0), solve and ssc for one map and both, diff of equal and
# different files, adapters with none present and, under the simulator, with
# one that opens and one that does not; the JSON definition against its own.
#   json_schemas_test.sh QV3380 DOCS [TOOLS/qv3380-sim]   (QV3380_SIM_HELPER set by CTest)
set -euo pipefail
qv3380=$1 docs=$2 sim=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$qv3380" new -o "$work/plain.stp"
"$qv3380" edit "$work/plain.stp" --set PLL2N_M=104 --set SSCG=High -o "$work/map1.stp"
sed 's/^&h22,&b10000100/\&h22,\&b00000100/' "$work/plain.stp" >"$work/zero.stp"

# NAME SCHEMA COMMAND...: the document COMMAND prints, whatever it exits with
# below 7, as $work/NAME.json, checked against docs/SCHEMA.schema.json.
documents=()
print() {
  local name=$1 schema=$2 status=0
  shift 2
  "$@" >"$work/$name.json" || status=$?
  [ "$status" -le 6 ] || { echo "$name: $* exited $status" >&2; exit 1; }
  documents+=("$schema" "$work/$name.json")
}
print plain plan "$qv3380" show --json "$work/plain.stp"
print map1 plan "$qv3380" show --json "$work/map1.stp"
print zero plan "$qv3380" show --json "$work/zero.stp"
print solve solve "$qv3380" solve "$work/plain.stp" --out0 156.25 --out2 161.1328125 --json
print solve-far solve "$qv3380" solve "$work/plain.stp" --out0 900 --json
print solve-both solve "$qv3380" solve "$work/plain.stp" --out0 125 --map both --json
print ssc ssc "$qv3380" ssc "$work/map1.stp" --downspread -0.5 --fmod 31.5 --json
print ssc-both ssc "$qv3380" ssc "$work/plain.stp" --pcie --map both --json
print diff diff "$qv3380" diff "$work/plain.stp" "$work/map1.stp" --json
print diff-zero diff "$qv3380" diff "$work/plain.stp" "$work/zero.stp" --json
print diff-equal diff "$qv3380" diff "$work/plain.stp" "$work/plain.stp" --json
print adapters-none adapters "$qv3380" adapters --json
print definition definition "$qv3380" export-json "$work/map1.stp" -o -
if [ -n "$sim" ]; then
  print adapters-two adapters "$sim" --adapters 2 --log /dev/null -- "$qv3380" adapters --json
  print adapters-refused adapters "$sim" --mode refuse --log /dev/null -- "$qv3380" adapters --json
fi

/usr/bin/python3 - "$docs" "${documents[@]}" <<'PY'
import json, re, sys
import jsonschema

docs, pairs = sys.argv[1], sys.argv[2:]
failed = False
# Keys whose names are the program's own: pins and controls by their constants.
NAMED = {"pins", "panel"}
SNAKE = re.compile(r"^[a-z][a-z0-9]*(_[a-z0-9]+)*$")

def keys(value, path=()):
    if isinstance(value, dict):
        for key, item in value.items():
            if not (path and path[-1] in NAMED):
                yield path, key
            yield from keys(item, path + (key,))
    elif isinstance(value, list):
        for item in value:
            yield from keys(item, path)

for schema_name, path in zip(pairs[::2], pairs[1::2]):
    schema = json.load(open(f"{docs}/{schema_name}.schema.json"))
    jsonschema.Draft202012Validator.check_schema(schema)
    document = json.load(open(path))
    for error in jsonschema.Draft202012Validator(schema).iter_errors(document):
        failed = True
        print(f"{path}: {'/'.join(map(str, error.path))}: {error.message}", file=sys.stderr)
    if schema_name == "definition":
        continue
    if list(document)[:2] != ["schema", "version"]:
        failed = True
        print(f"{path}: does not begin with its schema and version", file=sys.stderr)
    for where, key in keys(document):
        if not SNAKE.match(key):
            failed = True
            print(f"{path}: {'/'.join(where)}: {key} is not snake_case", file=sys.stderr)

def load(name):
    return json.load(open(next(p for p in pairs[1::2] if p.endswith(f"/{name}.json"))))

plain, map1, zero = load("plain"), load("map1"), load("zero")
assert not plain["fails"] and map1["fails"], "map 1 failing fails the plan"
assert map1["maps"][1]["verdict"] == "fail" and map1["maps"][0]["in_use"]
assert zero["maps"][0]["outputs"][0]["frequency_hz"] is None, "V = 0 gives no frequency"
assert [plan["map"] for plan in load("solve-both")["plans"]] == [0, 1]
assert not load("solve-far")["all_reachable"]
assert load("diff-equal")["equal"] and not load("diff")["equal"]
if any(p.endswith("/adapters-two.json") for p in pairs[1::2]):
    two, refused = load("adapters-two")["adapters"], load("adapters-refused")["adapters"]
    assert [a["serial"] for a in two] == ["MOCK0001", "MOCK0002"]
    assert refused[0]["why_not"] == "Permission denied", refused
sys.exit(failed)
PY
