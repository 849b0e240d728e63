#!/usr/bin/env bash
# Independent check of XML files the tests wrote: every *.xml file of the
# folder must be well-formed for xmllint (Debian package libxml2-utils,
# installed by scripts/install-deps). Fails when xmllint is missing, when
# the folder holds none of the files named after it, or when a file is not
# well-formed.
# Arguments: the folder, then the names (without .xml) that must be there.
set -uo pipefail
dir=${1:?usage: xmllint_files.sh FOLDER NAME...}
shift
command -v xmllint >/dev/null || { echo "FAIL: xmllint is missing (scripts/install-deps installs libxml2-utils)"; exit 1; }
status=0
for name in "$@"; do
  [ -f "$dir/$name.xml" ] || { echo "FAIL: $dir/$name.xml was not written"; status=1; }
done
shopt -s nullglob
files=("$dir"/*.xml)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no XML file in $dir"; exit 1; }
for f in "${files[@]}"; do
  xmllint --noout "$f" || { echo "FAIL: $f is not well-formed"; status=1; }
done
[ $status -eq 0 ] && echo "${#files[@]} files well-formed"
exit $status
