#!/usr/bin/env bash
# Installs a build into a scratch prefix and runs the installed programs there, so that they
# are seen to find the op-amp library and the examples in the installed tree; then builds the
# Debian package and shows its dependencies.
# Usage: scripts/check-install.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
data="$prefix/share/veltranix"
example="$data/examples/sk_lowpass_gain.vxs"
for f in "$prefix/bin/veltranix" "$prefix/bin/veltranix-cli" "$data/vx_opamp.lib" "$example" \
         "$data/README.md" "$data/opamps.csv" \
         "$prefix/share/applications/veltranix.desktop" \
         "$prefix/share/icons/hicolor/scalable/apps/veltranix.svg" \
         "$prefix/share/mime/packages/veltranix.xml"; do
    [ -e "$f" ] || { echo "check-install: $f is not installed" >&2; exit 1; }
done

# The installed command line designs an installed example, and its netlist names the
# installed library.
"$prefix/bin/veltranix-cli" design "$example" --quiet --spice 1 --spice-dir "$prefix"
grep -qx ".LIB $data/vx_opamp.lib" "$prefix/sk_lowpass_gain.cir" || {
    echo "check-install: the netlist does not name the installed library:" >&2
    grep '^\.LIB' "$prefix/sk_lowpass_gain.cir" >&2
    exit 1
}
# It reads the installed catalogue, and the installed library holds its parts.
# Into a file: grep -q would end the pipe early, and pipefail take the writer's broken pipe
# for a failure.
"$prefix/bin/veltranix-cli" opamps --csv > "$prefix/opamps_list.csv"
grep -q '^OPA1611,' "$prefix/opamps_list.csv" || {
    echo "check-install: the installed command line does not list the catalogue" >&2
    exit 1
}
grep -q '^.SUBCKT OPA1611 ' "$data/vx_opamp.lib" || {
    echo "check-install: the installed library lacks the catalogue's parts" >&2
    exit 1
}
# The installed application, offscreen, with its settings in the scratch prefix.
HOME="$prefix" XDG_CONFIG_HOME="$prefix/config" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/veltranix" "$example" --screenshot "$prefix/window.png"
[ -s "$prefix/window.png" ] || { echo "check-install: no screenshot" >&2; exit 1; }
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/veltranix.desktop"
fi

(cd "$build" && cpack -G DEB > /dev/null)
package=$(ls -t "$build"/veltranix_*.deb | head -n 1)
echo "check-install: installed programs run; package $package"
dpkg-deb --field "$package" Depends Recommends
