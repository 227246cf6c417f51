#!/usr/bin/env bash
# scripts/demo's arguments: which one is the model and which go to korvalume-host, in any
# order; and the host options that take a value, as read from the host's own usage text.
#   demo_args_test.sh ROOT HOST-COMMAND...
set -euo pipefail
root="$1"
shift
source "$root/scripts/demo-args"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

valued="$("$@" --help | demo_valued_options)"
for option in --handshake --refuse --version-answer --app-version --no-host-menu --click \
              --answer --fail-call --fail --stream-limit; do
  grep -qxF -- "$option" <<<"$valued" || fail "$option is not read as taking a value"
done
for flag in --refuse-own-menu --no-end-tools-group --log --help; do
  grep -qxF -- "$flag" <<<"$valued" && fail "$flag is read as taking a value"
done

# split MODEL HOST-ARGUMENTS -- DEMO-ARGUMENTS...
split() {
  local model="$1" host="$2"
  shift 3
  if ! demo_split_args "$valued" "$@"; then
    fail "[$*] refused"
    return
  fi
  [ "$demo_model" = "$model" ] || fail "[$*]: model [$demo_model], expected [$model]"
  [ "${demo_host_args[*]}" = "$host" ] ||
    fail "[$*]: host options [${demo_host_args[*]}], expected [$host]"
}
split "" "" --
split m.obj "" -- m.obj
split m.obj "" -- --win32 m.obj
split m.obj "--log" -- --log m.obj
split m.obj "--log" -- m.obj --log --win32
split m.obj "--app-version 8.0" -- --app-version 8.0 m.obj
split "" "--app-version 8.0 --log" -- --win32 --app-version 8.0 --log
split m.obj "--click ADBE:Korvalume_About --log" -- --click ADBE:Korvalume_About m.obj --log
split "my model.obj" "--answer other.obj" -- --answer other.obj "my model.obj"
split "" "--click" -- --click
split - "" -- -

if demo_split_args "$valued" a.obj --log b.obj 2>/dev/null; then
  fail "two models are taken"
fi

[ "$failures" -eq 0 ] && echo "demo arguments: all cases passed"
exit "$((failures > 0))"
