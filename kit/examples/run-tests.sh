#!/usr/bin/env bash
# The example installer's own tests: each folder under roads/ is one road of
# QeltNSIS-example.nsi, run by bin/qelt-installer-test and compared with the
# road's expected.txt. Works from wherever the kit was unzipped.
#
# usage: Examples/run-tests.sh [QeltNSIS folder]
#   QeltNSIS folder: the unzipped QeltNSIS-<version>.zip (its Plugins/ and
#   Include/); without it the plug-in installed into NSIS is used.
# Reports go to ./qelt-test-out/<road> (QELT_EXAMPLES_OUT to change).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
kit=$(dirname "$here")
script=${QELT_EXAMPLE_SCRIPT:-$here/QeltNSIS-example.nsi}
common=(--quiet --define QELT_TRANSCRIPT=1 --define 'KEY_FOLDER=$EXEDIR\keys\')
if [ -n "${1:-}" ]; then
  plugin=$(cd "$1" && pwd)
  common+=(--plugins "$plugin/Plugins" --include "$plugin/Include")
fi
failed=0
for road in "$here"/roads/*/; do
  name=$(basename "$road")
  out=${QELT_EXAMPLES_OUT:-$PWD/qelt-test-out}/$name
  args=("${common[@]}" --plan "$road/plan.txt" --expect "$road/expected.txt" --out "$out")
  [ -d "$road/files" ] && args+=(--files "$road/files")
  [ -f "$road/world.cfg" ] && args+=(--world "$road/world.cfg")
  [ -f "$road/token.cfg" ] && args+=(--token "$road/token.cfg")
  if [ -f "$road/options" ]; then
    while read -ra line; do args+=("${line[@]}"); done < "$road/options"
  fi
  if "$kit/bin/qelt-installer-test" "${args[@]}" "$script"; then
    echo "ok      $name"
  else
    echo "FAILED  $name"
    failed=1
  fi
done
exit $failed
