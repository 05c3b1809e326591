# Shared by the scripts that run Windows programs: the private Wine prefix.
# Source it; it defines functions only.

# The environment of every Wine process: the given prefix, quiet, no proxies,
# and no shell integration (menu entries and file associations would land in
# the host's home folder).
wine_env() {
    WINEPREFIX=$(realpath -m "$1")
    export WINEPREFIX
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
    unset http_proxy https_proxy no_proxy HTTP_PROXY HTTPS_PROXY NO_PROXY
}

# Creates the prefix once. Drive Z: (the host's root) is removed so that
# nothing that walks drives ever sees the host; only C: stays.
wine_prefix_ensure() {
    local prefix=$1
    [ -f "$prefix/.veltrin-ready" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.veltrin-ready" ]; then
            echo "Creating the Wine prefix $prefix" >&2
            wine_env "$prefix"
            wine wineboot -i >/dev/null 2>&1
            wineserver -w
            rm -f "$prefix/dosdevices/z:"
            # Every window opens inside a Wine desktop window as large as the
            # test display. On a bare X server, with no window manager to
            # answer, Wine waits up to two seconds on every window shown or
            # hidden; inside its own desktop it waits on none.
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 \
                /f >/dev/null 2>&1
            wineserver -w
            mkdir -p "$prefix/drive_c/veltrin"
            touch "$prefix/.veltrin-ready"
        fi
    ) 9>"$prefix.lock"
}

# Links every program of the folder of $1, and the help file, into
# C:\veltrin, so that a program finds what is built beside it. Prints the
# Windows path of $1, linked under a name of its own when a Windows version
# is asked for: Wine keeps that setting per program name.
wine_link_program() {
    local prefix=$1 program=$2 winver=${3:-}
    local dir name target
    dir=$(cd "$(dirname "$program")" && pwd)
    name=$(basename "$program")
    target="$prefix/drive_c/veltrin"
    mkdir -p "$target"
    for file in "$dir"/*.exe "$dir"/*.chm; do
        if [ -e "$file" ]; then
            ln -sfn "$file" "$target/$(basename "$file")"
        fi
    done
    # The plugins that come with the program, in the cleaner's default plugin
    # folder beside it; a real folder of that name stays as it is.
    if [ -d "$dir/Plugins" ] && { [ -L "$target/Plugins" ] || [ ! -e "$target/Plugins" ]; }; then
        ln -sfn "$dir/Plugins" "$target/Plugins"
    fi
    if [ -n "$winver" ]; then
        local versioned="${name%.exe}.$winver.exe"
        ln -sfn "$dir/$name" "$target/$versioned"
        if [ ! -f "$target/.$versioned.version" ]; then
            wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$versioned" /v Version \
                /d "$winver" /f >/dev/null 2>&1
            touch "$target/.$versioned.version"
        fi
        name=$versioned
    fi
    echo "C:\\veltrin\\$name"
}

# Keeps one wineserver running for the prefix until wine_stop_server, and
# starts Wine's services now rather than from the first test program.
wine_start_server() {
    (
        wine_env "$1"
        wineserver -p
        wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
    )
}

wine_stop_server() {
    (wine_env "$1" && wineserver -k) 2>/dev/null || true
}
