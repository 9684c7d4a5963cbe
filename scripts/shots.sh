#!/usr/bin/env bash
# Renders the README's and the guide's pictures from the real program through the driver:
#   scripts/shots.sh BUILD [OUT]   (OUT defaults to docs/)
# Each `shot NAME.png` line of docs/shots/shots.qvs writes OUT/NAME.png, each of
# docs/shots/shots@2x.qvs the same on a screen of two device pixels to the pixel; the script
# fails when the driver fails or a named picture is missing afterwards.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-build}" && pwd)"
out="$(mkdir -p "${2:-$here/docs}" && cd "${2:-$here/docs}" && pwd)"
scripts=("$here/docs/shots/shots.qvs" "$here/docs/shots/shots@2x.qvs")
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The driver starts on fresh settings of its own: the pictures never depend on the user's.
# The screen is a desktop's (docs/shots/screen.json), so that windows docked beside the main
# window have room there as they would on a user's screen.
for script in "${scripts[@]}"; do
  scale=1
  case "$script" in *@2x.qvs) scale=2 ;; esac
  (cd "$out" && QT_QPA_PLATFORM="offscreen:configfile=$here/docs/shots/screen.json" \
      QT_SCALE_FACTOR=$scale "$build/bin/quorvanta-driver" \
      "$script" >"$work/driver.log") || {
    cat "$work/driver.log" >&2
    exit 1
  }
done

missing=0
for name in $(sed -n 's/^shot \([^ ]*\.png\).*/\1/p' "${scripts[@]}"); do
  if [ -s "$out/$name" ]; then
    echo "  $out/$name"
  else
    echo "missing: $out/$name" >&2
    missing=1
  fi
done
exit $missing
