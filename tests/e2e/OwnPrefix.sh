# Sourced by the whole-program test scripts: a copy of the base prefix for
# the script alone, without the cleaner's settings and trace file, removed
# when the script ends, and fail() for a failed check.
#   own_prefix BASE_PREFIX NAME PROGRAM    sets $prefix, makes it Wine's
#   prefix, and sets $windows_path, the program's path in it

own_prefix_cleanup() {
    (wine_env "$prefix" && wineserver -k) >/dev/null 2>&1 || true
    rm -rf "$prefix"
}

own_prefix() {
    local base=$1 name=$2 program=$3
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/veltrin-$name.XXXXXX")
    trap own_prefix_cleanup EXIT
    wine_prefix_ensure "$base"
    cp -a "$base/." "$prefix/"
    rm -f "$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt
    wine_env "$prefix"
    wine reg delete 'HKCU\Software\ZR\VeltrinPRO' /f >/dev/null 2>&1 || true
    windows_path=$(wine_link_program "$prefix" "$program")
}

fail() { echo "FAIL: $*" >&2; exit 1; }
