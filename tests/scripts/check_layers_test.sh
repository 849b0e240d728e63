#!/usr/bin/env bash
# The layering check on small fixture trees (tests/data/layers/<case>/):
# each case, whether the check passes, and a line its report must hold.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=$here/../../scripts/check-layers
fixtures=$here/../data/layers

cases=(
  # case    passes  report line (a fixed string)
  "clean    yes     "
  "cycle    no      folder cycle: widgets -> core -> widgets (core/State.h:2)"
  "cycle    no      widgets/Grid.h:3: widgets may not include core/State.h"
  "upward   no      core/State.cpp:1: core may not include params/ParGen.h"
  # the rule files' shared facts stand on core and platform alone
  "rulefiles no     rulefiles/RuleFile.h:3: rulefiles may not include widgets/Grid.h"
  "qt       no      core/Texts.cpp:2: <QString> is a Qt or system header"
  "os       no      mbus/Scan.cpp:3: <unistd.h> is a Qt or system header"
  "unknown  no      tools/Tool.cpp: folder \"tools\" has no place in the layering"
)

failures=0
for c in "${cases[@]}"; do
  read -r name passes expected <<<"$c"
  out=$("$check" "$fixtures/$name" 2>&1)
  rc=$?
  if [ "$passes" = yes ] && [ $rc -ne 0 ]; then
    echo "FAIL $name: the check failed on a sound tree:"; echo "$out"; failures=$((failures + 1))
  elif [ "$passes" = no ] && [ $rc -ne 1 ]; then
    echo "FAIL $name: the check passed (exit $rc) a broken tree:"; echo "$out"; failures=$((failures + 1))
  elif [ -n "$expected" ] && ! grep -qF -- "$expected" <<<"$out"; then
    echo "FAIL $name: the report lacks \"$expected\":"; echo "$out"; failures=$((failures + 1))
  else
    echo "ok   $name ${expected:+($expected)}"
  fi
done
# A missing source root is an error of its own, not a pass.
"$check" "$fixtures/no-such-tree" >/dev/null 2>&1
[ $? -eq 2 ] || { echo "FAIL: a missing tree did not give exit 2"; failures=$((failures + 1)); }
exit $((failures > 0))
