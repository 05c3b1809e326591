# Shared by the scripts that build: where the build trees are and how each is
# configured. Source it; it defines functions and variables only.

VELTRIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
VELTRIN_BUILD=${VELTRIN_BUILD:-$VELTRIN_ROOT/build}
VELTRIN_JOBS=${VELTRIN_JOBS:-$(nproc 2>/dev/null || echo 2)}

# Whether this machine runs 32-bit x86 code: a 96-byte i386 program that only
# exits. Some kernels are built or booted without 32-bit support; there the
# 32-bit Wine cannot start at all.
can_run_32bit() {
    local probe
    probe=$(mktemp)
    echo 'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhdAAAAXQAAAAUAAAAAEAAAuAEAAAAx282A' \
        | base64 -d >"$probe"
    chmod +x "$probe"
    local ok=1
    "$probe" 2>/dev/null && ok=0
    rm -f "$probe"
    return $ok
}

# The architecture whose build the tests run under Wine: the shipped i686
# build where 32-bit code runs, otherwise the same sources built for x86_64.
# VELTRIN_TEST_ARCH overrides the choice.
test_arch() {
    if [ -n "${VELTRIN_TEST_ARCH:-}" ]; then
        echo "$VELTRIN_TEST_ARCH"
    elif can_run_32bit; then
        echo i686
    else
        echo x86_64
    fi
}

# build_windows ARCH [TARGET...]: configures build/ARCH and builds the given
# targets, or everything (both programs and every test) when none is given.
# On MSYS2 the compilers of its mingw32 shell build natively.
build_windows() {
    local arch=$1
    shift
    local setup=(-G "Unix Makefiles"
        -DCMAKE_TOOLCHAIN_FILE="$VELTRIN_ROOT/cmake/toolchain-$arch-w64-mingw32.cmake")
    is_msys && setup=(-G "MSYS Makefiles")
    cmake -S "$VELTRIN_ROOT" -B "$VELTRIN_BUILD/$arch" "${setup[@]}" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRIN_BUILD_TESTS=ON >/dev/null
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --build "$VELTRIN_BUILD/$arch" -j "$VELTRIN_JOBS" "${targets[@]}"
}

# build_native: the portable core with the sanitizers, its tests and the fuzzer.
build_native() {
    CC=clang CXX=clang++ cmake -S "$VELTRIN_ROOT" -B "$VELTRIN_BUILD/native" -G "Unix Makefiles" \
        -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$VELTRIN_BUILD/native" -j "$VELTRIN_JOBS"
}

# Whether this is Windows with MSYS2 rather than Linux.
is_msys() {
    case "$(uname -s)" in
        MINGW* | MSYS*) return 0 ;;
        *) return 1 ;;
    esac
}
