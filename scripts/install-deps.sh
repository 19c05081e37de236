#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
set -euo pipefail
# The desktop application: Qt 6 (Widgets, PrintSupport, Network, Test), Qt's German texts for
# its standard dialogs, and a font for drawing offscreen (tests, screenshots). The Debian
# package: dpkg-shlibdeps (dpkg-dev) for its dependencies, desktop-file-validate for its menu
# entry. The tests read the printed PDFs with poppler's pdftotext and pdfimages. The fuzz
# harnesses need clang and its libFuzzer runtime.
packages=(build-essential cmake libgtest-dev libbenchmark-dev clang-format locales ngspice libxml2-dev
    qt6-base-dev qt6-translations-l10n fontconfig fonts-dejavu-core dpkg-dev desktop-file-utils
    poppler-utils clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
# The number-text tests run once under a German locale (decimal comma in the C library).
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen
fi
# Offscreen drawing needs Qt's offscreen platform plugin and at least one font.
offscreen_plugin=$(dpkg -L libqt6gui6 2>/dev/null | grep -m1 '/platforms/libqoffscreen\.so$' || true)
if [ -z "$offscreen_plugin" ]; then
    echo "install-deps: Qt's offscreen platform plugin is missing" >&2
    exit 1
fi
if [ -z "$(fc-list 2>/dev/null | head -n 1)" ]; then
    echo "install-deps: no font is installed for offscreen drawing" >&2
    exit 1
fi
