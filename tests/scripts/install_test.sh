#!/usr/bin/env bash
# The install step: the configurator installed into a scratch program
# folder, started there without a display from another current folder and
# then asked by the system to end, creates MASTER, PROJECTS, LANGUAGE and
# its settings file in the program folder and nothing anywhere else.
# Argument: the build folder.
set -uo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
scratch=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -f "$scratch/log" ] && { echo "--- program output:"; cat "$scratch/log"; }
  exit 1
}

program="$scratch/Program Folder"
cmake --install "$build" --prefix "$program" >"$scratch/install.log" 2>&1 || fail "cmake --install: $(cat "$scratch/install.log")"
[ -x "$program/Zelvator" ] || fail "no executable in the program folder"
[ "$(ls -A "$program")" = Zelvator ] || fail "the program folder holds more than the executable: $(ls -A "$program")"

mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere" || fail "no current folder"
QT_QPA_PLATFORM=offscreen "$program/Zelvator" >"$scratch/log" 2>&1 &
pid=$!

# Running and ready: the handler of SIGTERM is in place (SigCgt, bit 15).
ready=
for _ in $(seq 1200); do
  kill -0 "$pid" 2>/dev/null || fail "the program ended on its own"
  caught=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
  if [ -n "$caught" ] && (( (16#$caught >> 14) & 1 )); then ready=1; break; fi
  sleep 0.1
done
[ -n "$ready" ] || fail "the program did not come up within 120 s"
for d in MASTER PROJECTS LANGUAGE; do
  [ -d "$program/$d" ] || fail "$d was not created in the program folder"
done

kill -TERM "$pid"
wait "$pid"
rc=$?
pid=
[ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"
settings=$program/Zelvator.xml
[ -f "$settings" ] || fail "no settings file in the program folder"
grep -q "<Conf_Settings>" "$settings" || fail "the settings file is not the program's: $(cat "$settings")"
grep -q "<language>English</language>" "$settings" || fail "the settings file lacks the language: $(cat "$settings")"
[ -z "$(ls -A "$scratch/elsewhere")" ] || fail "files were created in the current folder: $(ls -A "$scratch/elsewhere")"
echo "ok"
