# Sourced by the whole-program test scripts: a copy of the base prefix for
# the script alone, without the cleaner's settings and trace file, removed
# with everything listed in $own_prefix_extra when the script ends, and
# fail() for a failed check.
#   own_prefix BASE_PREFIX NAME    sets $prefix and makes it Wine's prefix

own_prefix_extra=""

own_prefix_cleanup() {
    (wine_env "$prefix" && wineserver -k) >/dev/null 2>&1 || true
    # shellcheck disable=SC2086
    rm -rf "$prefix" $own_prefix_extra
}

own_prefix() {
    local base=$1 name=$2
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/veltrin-$name.XXXXXX")
    trap own_prefix_cleanup EXIT
    wine_prefix_ensure "$base"
    cp -a "$base/." "$prefix/"
    rm -f "$prefix"/drive_c/windows/[Tt]emp/allBuffs.txt
    wine_env "$prefix"
    wine reg delete 'HKCU\Software\ZR\VeltrinPRO' /f >/dev/null 2>&1 || true
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
