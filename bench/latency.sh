#!/usr/bin/env bash
# Trovia's latency and memory as a user meets them, beside rofi in the same run, timed from X
# events (build/bench/latency_harness) on an Xvfb display of its own with no window manager, on a
# session bus of its own, in a temporary home whose only applications are N synthetic entries:
#   hot key:   `trovia --hidden` started once; the real hot key (Alt+Escape) to the window, then
#              "t" and "e", each to its list's first and settled repaint; Alt+Escape hides it;
#   rebuild:   the same, with the applications folder touched before each hot key, so Trovia
#              builds its catalogue again; 20 keys typed from the moment the window maps;
#   cold:      `trovia` started per run, to the window, then "t" and "e";
#   first key: `trovia` started per run, "t" typed as soon as the window shows its content;
#   rofi:      `rofi -show drun` with its desktop cache on, cold and first key;
#   floor:     bench/qt_widgets_floor, a Qt Widgets window with a field and a list of N names.
# Usage: bench/latency.sh [builddir]   env: NS="1000 5000" RUNS=10 TROVIA=<another trovia binary>
#   ROWS=hotkey: only the hot key row, for each of the binaries in TROVIA (several separated by
#   spaces: each step's build beside the others in one run), then the floor and rofi.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
harness=$build/bench/latency_harness
read -r -a trovias <<<"${TROVIA:-$build/trovia}"
trovia=${trovias[0]}
ROWS=${ROWS:-all}
for program in "${trovias[@]}" "$harness" "$build/bench/qt_widgets_floor"; do
    [ -x "$program" ] || { echo "latency.sh: no $program (make bench first)" >&2; exit 1; }
done
for tool in Xvfb dbus-daemon rofi; do
    command -v $tool >/dev/null || { echo "latency.sh: $tool is missing (scripts/install-deps)" >&2; exit 1; }
done
NS=${NS:-"1000 5000"}
RUNS=${RUNS:-10}

work=$(mktemp -d /tmp/trovia-latency.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export HOME=$work/home
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
export XDG_STATE_HOME=$HOME/.local/state XDG_RUNTIME_DIR=$work/runtime XDG_DATA_DIRS=$work/data
unset XDG_CURRENT_DESKTOP WAYLAND_DISPLAY DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN QT_QPA_PLATFORM
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" "$XDG_DATA_DIRS"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Icons, fonts, MIME data and schemas come from the system; the applications only from the run.
for shared in icons glib-2.0 mime fonts themes pixmaps; do
    [ -e /usr/share/$shared ] && ln -s /usr/share/$shared "$XDG_DATA_DIRS/$shared"
done
applications=$XDG_DATA_DIRS/applications

Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "latency.sh: Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
bus=$(dbus-daemon --config-file="$root/tests/session-bus.conf" --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
pids+=($(sed -n 2p <<<"$bus"))

measure() { "$harness" "$1" --runs "$RUNS" "${@:2}"; }
rofi=(rofi -show drun -drun-use-desktop-cache)
rofiKeys() {
    # rofi's first start builds its cache; the measured ones read it.
    "$harness" cold --runs 1 --warmup 0 --label cache -- "${rofi[@]}" >/dev/null
    rows_window+=("$(measure cold --label "rofi drun, cache on | $1" --keys "t e" -- "${rofi[@]}")")
}
rebuildKeys="t$(printf ' e BackSpace%.0s' $(seq 9)) e"
rows_window=() rows_rebuild=() rows_first=()
for n in $NS; do
    echo "latency.sh: $n entries" >&2
    "$harness" entries "$n" "$applications"
    for binary in "${trovias[@]}"; do
        rm -rf "$XDG_CACHE_HOME"/*
        label="Trovia, hot key"
        [ ${#trovias[@]} -gt 1 ] && label="Trovia ($(basename "$binary")), hot key"
        rows_window+=("$(measure resident --label "$label | $n" --hotkey alt+Escape \
            --keys "t e" -- "$binary" --hidden)")
    done
    if [ "$ROWS" = hotkey ]; then
        rows_window+=("$(measure cold --label "Qt Widgets alone, field and list | $n" \
            --keys "t e" -- "$build/bench/qt_widgets_floor" "$n")")
        rofiKeys "$n"
        continue
    fi
    rows_rebuild+=("$(measure resident --label "Trovia, hot key after a change | $n" \
        --hotkey alt+Escape --touch "$applications" --type-at map --key-quiet 30 \
        --keys "$rebuildKeys" -- "$trovia" --hidden)")
    rows_window+=("$(measure cold --label "Trovia, cold | $n" --keys "t e" -- "$trovia")")
    rows_first+=("$(measure cold --label "Trovia, cold | $n" --type-at paint --keys t \
        -- "$trovia")")
    rows_window+=("$(measure cold --label "Qt Widgets alone, field and list | $n" --keys "t e" \
        -- "$build/bench/qt_widgets_floor" "$n")")
    rofiKeys "$n"
    rows_first+=("$(measure cold --label "rofi drun, cache on | $n" --type-at paint --keys t \
        -- "${rofi[@]}")")
done

echo
echo "Window and keys (ms from the hot key or the start; key: first/settled repaint; medians of $RUNS):"
echo
echo "| | entries | map | settled | key \"t\" | key \"e\" | peak RSS (at the end) |"
echo "|---|---:|---:|---:|---:|---:|---:|"
printf '%s\n' "${rows_window[@]}"
[ "$ROWS" = hotkey ] && exit 0
echo
echo "Keys typed while the catalogue is built again (20 keys from the window's map, each to its"
echo "settled list; median / worst over all runs):"
echo
echo "| | entries | map | settled | keys median / worst | peak RSS (at the end) |"
echo "|---|---:|---:|---:|---:|---:|"
printf '%s\n' "${rows_rebuild[@]}"
echo
echo "First key after a cold start (typed when the window shows its content; key: first/settled):"
echo
echo "| | entries | map | window up | key \"t\" | peak RSS (at the end) |"
echo "|---|---:|---:|---:|---:|---:|"
printf '%s\n' "${rows_first[@]}"
