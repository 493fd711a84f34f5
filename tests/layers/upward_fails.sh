#!/bin/sh
# Builds the two targets that break the layering; each must fail for the
# reason it was written for.
build=${1:?usage: upward_fails.sh BUILD-DIR}
status=0
expect_failure() {
  target=$1 reason=$2
  if output=$(cmake --build "$build" --target "$target" 2>&1); then
    echo "FAIL: $target built, but it breaks the layering"
    status=1
  elif ! printf '%s\n' "$output" | grep -q "$reason"; then
    printf 'FAIL: %s failed, but not with "%s":\n%s\n' "$target" "$reason" "$output"
    status=1
  else
    echo "ok: $target fails with \"$reason\""
  fi
}
expect_failure layer_upward_include "plan/panel/frequency_engine.h: No such file"
expect_failure layer_upward_call "undefined reference to .qv::RecalculateFrequencies()"
exit $status
