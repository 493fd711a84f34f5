#!/usr/bin/env bash
# qv3380 show --json against docs/plan.schema.json: a passing plan, one whose
# map not in use fails, and one with a divider of 0 (frequencies without a value).
set -euo pipefail
qv3380=$1 schema=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$qv3380" new -o "$work/plain.stp"
"$qv3380" edit "$work/plain.stp" --set PLL2N_M=104 --set SSCG=High -o "$work/map1.stp"
sed 's/^&h22,&b10000100/\&h22,\&b00000100/' "$work/plain.stp" >"$work/zero.stp"

for plan in plain map1 zero; do
  status=0
  "$qv3380" show --json "$work/$plan.stp" >"$work/$plan.json" || status=$?
  [ "$status" -le 3 ] || { echo "show $plan exited $status" >&2; exit 1; }
done

/usr/bin/python3 - "$schema" "$work"/plain.json "$work"/map1.json "$work"/zero.json <<'PY'
import json, sys
import jsonschema
schema = json.load(open(sys.argv[1]))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
for path in sys.argv[2:]:
    document = json.load(open(path))
    errors = sorted(validator.iter_errors(document), key=lambda e: list(e.path))
    for error in errors:
        print(f"{path}: {'/'.join(map(str, error.path))}: {error.message}", file=sys.stderr)
    if errors:
        sys.exit(1)
plain, map1, zero = (json.load(open(p)) for p in sys.argv[2:])
assert not plain["fails"] and map1["fails"], "map 1 failing fails the plan"
assert map1["maps"][1]["verdict"] == "fail" and map1["maps"][0]["in_use"]
assert zero["maps"][0]["outputs"][0]["frequency_hz"] is None, "V = 0 gives no frequency"
PY
