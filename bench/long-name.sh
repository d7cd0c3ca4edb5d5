#!/usr/bin/env bash
# How long one keystroke takes when an entry's Name is 50 MB: the time from typing a letter until
# the result list shows, and until Escape (answered only once the list is drawn) clears it again.
# Usage: tests/with-x-session --wm bench/long-name.sh [build/trovia]   env: SIZE=50000000
set -eu
trovia=$(realpath "${1:-build/trovia}")
work=$(mktemp -d /tmp/trovia-long-name.XXXXXX)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export XDG_CACHE_HOME=$work/home/.cache XDG_DATA_DIRS=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_DIRS/applications"
mkdir -m 700 "$XDG_RUNTIME_DIR"
{
    printf '[Desktop Entry]\nType=Application\nExec=true\nName=Q'
    head -c "${SIZE:-50000000}" /dev/zero | tr '\0' 'q'
    printf '\n'
} >"$XDG_DATA_DIRS/applications/huge.desktop"

shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# Waits up to 120 s for the condition; false when it never held.
wait_for() { for _ in $(seq 1 2400); do "$@" && return 0; sleep 0.05; done; return 1; }
seconds() { echo "$(date +%s.%N) - $start" | bc; }

"$trovia" 2>/dev/null &
pid=$!
wait_for shown Trovia
sleep 8 # the catalogue build reads the 50 MB entry first
start=$(date +%s.%N)
xdotool type q
wait_for shown 'Trovia Results' && echo "letter to list shown: $(seconds) s"
xdotool key Escape
if wait_for eval '! shown "Trovia Results"'; then
    echo "letter to list cleared by Escape: $(seconds) s"
else
    echo "list not cleared after $(seconds) s"
fi
