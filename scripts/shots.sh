#!/usr/bin/env bash
# Renders the README's and the guide's pictures from the real program through the driver:
#   scripts/shots.sh BUILD [OUT]   (OUT defaults to docs/)
# Each `shot NAME.png` line of docs/shots/shots.qvs writes OUT/NAME.png; the script fails
# when the driver fails or a named picture is missing afterwards.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-build}" && pwd)"
out="$(mkdir -p "${2:-$here/docs}" && cd "${2:-$here/docs}" && pwd)"
script="$here/docs/shots/shots.qvs"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The driver starts on fresh settings of its own: the pictures never depend on the user's.
# The screen is a desktop's (docs/shots/screen.json), so that windows docked beside the main
# window have room there as they would on a user's screen.
(cd "$out" && QT_QPA_PLATFORM="offscreen:configfile=$here/docs/shots/screen.json" \
    "$build/bin/quorvanta-driver" \
    "$script" >"$work/driver.log") || {
  cat "$work/driver.log" >&2
  exit 1
}

missing=0
for name in $(sed -n 's/^shot \([^ ]*\.png\).*/\1/p' "$script"); do
  if [ -s "$out/$name" ]; then
    echo "  $out/$name"
  else
    echo "missing: $out/$name" >&2
    missing=1
  fi
done
exit $missing
