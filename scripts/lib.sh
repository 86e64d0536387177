# Shared by scripts/run and scripts/test: installs what is missing and builds talvena.
# Sourced, not run.

TALVENA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages that building, running and testing talvena needs.
TALVENA_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libasound2-dev libfreetype-dev libfontconfig-dev fonts-liberation2 libpng-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
)

talvena_install_packages() {
    local missing=() package
    for package in "${TALVENA_PACKAGES[@]}"; do
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

# talvena_build PRESET: configure (once) and build with that CMake preset.
talvena_build() {
    local preset=$1
    cd "$TALVENA_ROOT"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -- -j"$(nproc)" | grep -v '^\[' || true
    test "${PIPESTATUS[0]}" -eq 0
}
