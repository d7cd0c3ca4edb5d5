#!/usr/bin/env bash
# Trovia's latency as a user feels it, measured from X events under Xvfb (no window manager) with
# the shared launcher harness and synthetic desktop entries:
#   resident: the real hot key (Alt+Escape) to the window, then each typed key to the settled list;
#   cold:     process start to the window.
# rofi (drun, cache on) is measured in the same run, so the figures compare on a noisy machine.
# Usage: bench/latency.sh [builddir]   env: NS="1000 5000" RUNS=10 LATENCY_TOOL=<harness folder>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
tool=${LATENCY_TOOL:-$root/../shared/tools/latency}
[ -x "$build/trovia" ] || { echo "latency.sh: no trovia in $build (make build first)" >&2; exit 1; }
[ -x "$tool/bench_launcher.sh" ] || { echo "latency.sh: no harness at $tool" >&2; exit 1; }
command -v rofi >/dev/null || { echo "latency.sh: rofi is needed for the baseline (apt-get install rofi)" >&2; exit 1; }

export NS=${NS:-"1000 5000"} RUNS=${RUNS:-10}
# The field's echo of a typed character is small; the list's repaint is what settles.
export XBENCH_ARGS=${XBENCH_ARGS:-"--focus --min-area 20000"}
export RESULTS=${RESULTS:-/tmp/anchors/results/trovia-$(date +%Y%m%d-%H%M%S).jsonl}
mkdir -p "$(dirname "$RESULTS")"

# The hot key hides Trovia again between runs (Escape would only clear the typed text).
"$tool/bench_launcher.sh" --resident "$build/trovia --hidden" --hotkey alt+Escape \
    --hide-key alt+Escape
BASELINE=1 "$tool/bench_launcher.sh" --cold "$build/trovia"
