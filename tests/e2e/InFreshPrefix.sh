#!/usr/bin/env bash
# Runs a test program in a Wine prefix made fresh for it and removed after
# it, with the setup program SETUP and the files it holds, those of the
# programs folder beside it, in C:\veltrin-setup; the pictures the program
# takes join those of the base prefix, where the other tests run.
#   InFreshPrefix.sh SOURCE_ROOT SETUP BASE_PREFIX PROGRAM
set -euo pipefail
root=$1 setup=$2 base_prefix=$3 program=$4
source "$root/scripts/lib/wine.sh"

folder=$(mktemp -d "${TMPDIR:-/tmp}/veltrin-fresh.XXXXXX")
prefix=$folder/prefix
trap 'wine_stop_server "$prefix"
    cp -rT "$prefix/drive_c/veltrin-artifacts" "$base_prefix/drive_c/veltrin-artifacts" 2>/dev/null || true
    rm -rf "$folder"' EXIT
wine_prefix_ensure "$prefix"
mkdir -p "$prefix/drive_c/veltrin-setup"
cp "$setup" "$(dirname "$setup")"/programs/* "$prefix/drive_c/veltrin-setup/"
wine_start_server "$prefix"
"$root/scripts/wine" "$prefix" "$program"
