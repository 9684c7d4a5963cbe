#!/usr/bin/env bash
# Starts Quorvanta. Without a display, renders the five pages to PNG files through the
# driver instead and says where they are.
set -euo pipefail
build=${1:-build}
bin="$build/bin"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/quorvanta"
fi

out="$(pwd)/shots"
mkdir -p "$out"
names=(taschenrechner formelrechner waehrungsrechner einheiten rohrauslegung)
script=""
for i in "${!names[@]}"; do
  script+="select pco_main $i"$'\n'"shot $out/$((i + 1))_${names[$i]}.png"$'\n'
done
printf '%s' "$script" | "$bin/quorvanta-driver"
echo "No display: the five pages were rendered to"
for i in "${!names[@]}"; do echo "  $out/$((i + 1))_${names[$i]}.png"; done
