#!/usr/bin/env bash
# Runs a test program in a Wine prefix made fresh for it and removed after
# it, with the setup program copied to C:\veltrin-setup\Veltrin-setup.exe:
#   InFreshPrefix.sh SOURCE_ROOT SETUP BASE_PREFIX PROGRAM [ARGUMENTS...]
# The pictures the program takes join those of the base prefix, the one the
# other tests run in.
set -euo pipefail
root=$1 setup=$2 base_prefix=$3 program=$4
shift 4
source "$root/scripts/lib/wine.sh"

folder=$(mktemp -d "${TMPDIR:-/tmp}/veltrin-fresh.XXXXXX")
prefix=$folder/prefix
cleanup() {
    wine_stop_server "$prefix"
    if [ -d "$prefix/drive_c/veltrin-artifacts" ]; then
        mkdir -p "$base_prefix/drive_c/veltrin-artifacts"
        cp -r "$prefix/drive_c/veltrin-artifacts/." "$base_prefix/drive_c/veltrin-artifacts/"
    fi
    rm -rf "$folder"
}
trap cleanup EXIT

wine_prefix_ensure "$prefix"
mkdir -p "$prefix/drive_c/veltrin-setup"
cp "$setup" "$prefix/drive_c/veltrin-setup/Veltrin-setup.exe"
wine_start_server "$prefix"
"$root/scripts/wine" "$prefix" "$program" "$@"
