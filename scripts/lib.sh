# Shared by scripts/run and scripts/test: installs what is missing and builds talvena.
# Sourced, not run.

TALVENA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages that building, running and testing talvena needs.
TALVENA_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libasound2-dev libfreetype-dev libfontconfig-dev fonts-liberation2 libpng-dev
    qt6-l10n-tools qt6-translations-l10n python3
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils
    desktop-file-utils appstream
)

# What scripts/package needs besides them: dpkg-shlibdeps and file for CPack's dependency search.
TALVENA_PACKAGING_PACKAGES=(dpkg-dev file)

# What scripts/validate needs besides them: matplotlib for the plot.
TALVENA_VALIDATE_PACKAGES=(python3-matplotlib)

# What scripts/fuzz needs besides them: clang with its fuzzer and sanitizer run-times.
TALVENA_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# talvena_install_packages [PACKAGE...]: installs those of the packages that are missing, by
# default TALVENA_PACKAGES.
talvena_install_packages() {
    local wanted=("$@") missing=() package
    [ ${#wanted[@]} -eq 0 ] && wanted=("${TALVENA_PACKAGES[@]}")
    for package in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# Installs what making the Debian package needs beyond the ordinary build.
talvena_install_packaging_packages() {
    talvena_install_packages "${TALVENA_PACKAGING_PACKAGES[@]}"
}

# Installs what the validation needs beyond the ordinary build.
talvena_install_validate_packages() {
    talvena_install_packages "${TALVENA_VALIDATE_PACKAGES[@]}"
}

# Installs what the fuzz targets need beyond the ordinary build.
talvena_install_fuzz_packages() {
    talvena_install_packages "${TALVENA_FUZZ_PACKAGES[@]}"
}

# talvena_build PRESET: configure (once) and build with that CMake preset.
talvena_build() {
    local preset=$1
    cd "$TALVENA_ROOT"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -- -j"$(nproc)" | grep -v '^\[' || true
    test "${PIPESTATUS[0]}" -eq 0
}

# talvena_demo EXECUTABLE FOLDER: the scripted demonstration demo/start-screen.script, run
# headless on the virtual clock in a few seconds. The trace, the snapshots and the program's
# output go to FOLDER (created when missing). Its data folder is FOLDER/data, which starts each
# run with a copy of the sample history demo/sample-history.rtr as its talvena.rtr. Says where
# they are, and returns the program's exit code.
talvena_demo() {
    local executable=$1 folder=$2 status=0
    mkdir -p "$folder/data" && folder=$(cd "$folder" && pwd) || return
    cp "$TALVENA_ROOT/demo/sample-history.rtr" "$folder/data/talvena.rtr" || return
    # Qt wants a private runtime folder; a root shell without a session has none.
    local runtime=${XDG_RUNTIME_DIR:-}
    if [ -z "$runtime" ]; then
        runtime="$folder/.runtime"
        mkdir -p "$runtime" && chmod 700 "$runtime" || return
    fi
    XDG_RUNTIME_DIR="$runtime" timeout -k 5 60 "$executable" --headless --virtual-clock \
        --seed 5 --start-time 2026-12-10T10:00:00 --data-dir "$folder/data" \
        --script "$TALVENA_ROOT/demo/start-screen.script" --trace "$folder/trace.txt" \
        --snapshot-dir "$folder" >"$folder/output.txt" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        echo "talvena ended with code $status; what it wrote is in $folder/output.txt:" >&2
        cat "$folder/output.txt" >&2
        return "$status"
    fi
    echo "The demonstration's trace and snapshots are in $folder:"
    (cd "$folder" && ls -1 trace.txt ./*.png) | sed 's|^\./||; s|^|  |'
    echo "docs/demo.md tells what they show."
}
