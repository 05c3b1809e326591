#!/usr/bin/env bash
# Runs a whole-program test in a Wine prefix of its own, removed after it; the pictures it takes
# join those of the base prefix.
#   OwnPrefix.sh SOURCE_ROOT BASE_PREFIX SETUP TEST.exe: the test program in a fresh prefix, with
#     SETUP and the files it holds (the programs folder beside it) in C:\veltrin-setup
#   OwnPrefix.sh SOURCE_ROOT BASE_PREFIX VELTRIN_EXE TEST.sh: the test script, sourced, in a copy
#     of the base prefix without the cleaner's settings and trace file; it finds Wine's prefix
#     in $prefix, the cleaner's path in it in $windows_path, and fail() for a failed check
set -euo pipefail
root=$1 base_prefix=$2 program=$3 test=$4
source "$root/scripts/lib/wine.sh"

folder=$(mktemp -d "${TMPDIR:-/tmp}/veltrin-prefix.XXXXXX")
prefix=$folder/prefix
trap 'wine_stop_server "$prefix"
    cp -rT "$prefix/drive_c/veltrin-artifacts" "$base_prefix/drive_c/veltrin-artifacts" 2>/dev/null || true
    rm -rf "$folder"' EXIT
if [[ $test == *.exe ]]; then
    wine_prefix_ensure "$prefix"
    install -D -t "$prefix/drive_c/veltrin-setup" "$program" "$(dirname "$program")"/programs/*
    wine_start_server "$prefix"
    "$root/scripts/wine" "$prefix" "$test"
else
    wine_prefix_ensure "$base_prefix"
    cp -a "$base_prefix/." "$prefix/"
    rm -f "$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt
    wine_env "$prefix"
    wine reg delete 'HKCU\Software\ZR\VeltrinPRO' /f >/dev/null 2>&1 || true
    windows_path=$(wine_link_program "$prefix" "$program")
    fail() { echo "FAIL: $*" >&2; exit 1; }
    source "$test"
fi
