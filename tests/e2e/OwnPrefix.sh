#!/usr/bin/env bash
# Runs a whole-program test script in a copy of the base prefix for the
# script alone, without the cleaner's settings and trace file, removed after
# it. The script finds Wine's prefix in $prefix, the cleaner's path in it in
# $windows_path, and fail() for a failed check.
#   OwnPrefix.sh SOURCE_ROOT VELTRIN_EXE BASE_PREFIX SCRIPT
set -euo pipefail
root=$1 program=$2 base_prefix=$3
source "$root/scripts/lib/wine.sh"

prefix=$(mktemp -d "${TMPDIR:-/tmp}/veltrin-prefix.XXXXXX")
trap 'wine_stop_server "$prefix"; rm -rf "$prefix"' EXIT
wine_prefix_ensure "$base_prefix"
cp -a "$base_prefix/." "$prefix/"
rm -f "$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt
wine_env "$prefix"
wine reg delete 'HKCU\Software\ZR\VeltrinPRO' /f >/dev/null 2>&1 || true
windows_path=$(wine_link_program "$prefix" "$program")
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$4"
