# Shared by the shell tests: expect DESCRIPTION CONDITION... counts a failure
# in $failures and says which, so one run reports every broken expectation.
failures=0

expect() {
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what" >&2
    failures=$((failures + 1))
  fi
}
