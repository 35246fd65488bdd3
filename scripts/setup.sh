#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Orlo Score
# needs, as root or through sudo. Does nothing but check when all is there.
set -euo pipefail

packages=(
    # build; libxlsxwriter writes the results and the export for spreadsheets
    g++ cmake ninja-build qt6-base-dev libxkbcommon-dev libsqlite3-dev libxlsxwriter-dev pkg-config
    # a linker several times quicker than ld with the test programs' debug information
    lld
    # the Tahoma-metric fonts the windows are laid out for
    fonts-wine
    # the results sheet: fonts for names in Latin, Greek, Cyrillic and CJK
    # scripts, and its test reading the PDF back as text
    fonts-dejavu-core fonts-droid-fallback poppler-utils
    # tests: a comma-decimal locale, a headless X server, a window manager,
    # outside keyboard and mouse, screenshots, fuzzing and sanitizers
    locales xvfb xauth openbox xdotool xclip x11-apps imagemagick clang libclang-rt-14-dev
    # reading an XLSX workbook back
    unzip
    # the journal checked by SQLite's own shell, and the file dialogs under
    # the GTK platform theme, in the journal's real-window test
    sqlite3 qt6-gtk-platformtheme
    # packaging and its checks, benchmarks
    dpkg-dev desktop-file-utils appstream libglib2.0-bin x11-utils libbenchmark-dev libxcb-shm0-dev
    # the manual page made from --help, the bash completion, Debian's package checker
    help2man man-db bash-completion lintian
    # the standings on the field's network: QR codes of its addresses (Qt
    # Network comes with qt6-base-dev); its browser test drives Debian's
    # Chromium from Node with playwright-core, which npm installs below
    libqrencode-dev chromium nodejs npm
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in "${packages[@]}"; do
    # A Node installed otherwise (NodeSource's nodejs brings its own npm and
    # conflicts with Debian's) serves the browser test as well.
    case $package in
    nodejs) command -v node >/dev/null && continue ;;
    npm) command -v npm >/dev/null && continue ;;
    esac
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -qq
    # What the packages merely recommend (ghostscript, translations, more
    # fonts and drivers) is neither built with nor tested against.
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The conversions are tested under a locale whose decimal mark is a comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    echo "setup: generating the de_DE.UTF-8 locale"
    as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
fi

# playwright-core for the browser test, at the version its lockfile pins; it
# downloads no browser, driving Debian's Chromium.
if [ ! -d "$(dirname "$0")/../tests/browser/node_modules/playwright-core" ]; then
    echo "setup: installing playwright-core for the browser test"
    (cd "$(dirname "$0")/../tests/browser" && npm ci --no-audit --no-fund --ignore-scripts)
fi
