# Shared by ./run and ./test: install what is missing, then configure and build into build/.
# Sourced, not run.

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libxcb1-dev zlib1g-dev
    fonts-liberation2 poppler-utils qpdf fp-utils-3.2.2 libbenchmark-dev
    python3 python3-fonttools imagemagick
    qt6-translations-l10n xdg-utils
    dpkg-dev desktop-file-utils appstream lintian
)

# install_missing [PACKAGE...]: the packages above unless others are named.
install_missing() {
    local wanted=("$@")
    [ ${#wanted[@]} -eq 0 ] && wanted=("${packages[@]}")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "This system has no apt-get. Install these packages by hand: ${missing[*]}" >&2
        exit 1
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Installing ${missing[*]} needs root, and this system has no sudo: run as root." >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq || { echo "apt-get update failed" >&2; exit 1; }
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" || { echo "Could not install: ${missing[*]}" >&2; exit 1; }
}

build_project() {
    local root="$1"
    if [ ! -f "$root/build/build.ninja" ]; then
        cmake -S "$root" -B "$root/build" -G Ninja || exit 1
    fi
    cmake --build "$root/build" || exit 1
}
