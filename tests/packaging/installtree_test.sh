#!/bin/sh
# Builds the Debian package of a build folder, unpacks it into a scratch root and runs the
# programs from there: every file is present, the programs start without any library path set,
# and they find their tools, check-value module and ESCAPES.H in the unpacked tree.
# Usage: installtree_test.sh BUILD-FOLDER CPACK EXPECTED-FILES VERSION
set -eu
build=$1
cpack=$2
expected=$3
version=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unset LD_LIBRARY_PATH QT_PLUGIN_PATH || true
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config"
mkdir -p "$HOME" "$scratch/work"

fail() {
    echo "FAILED: $*"
    exit 1
}

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" \
    >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack could not build the package"
fi
set -- "$scratch"/package/marquis5300_*.deb
[ -f "$1" ] || fail "no package in $scratch/package"
deb=$1
[ "$(dpkg-deb -f "$deb" Package)" = marquis5300 ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in
*libqt6widgets6*) ;;
*) fail "dependencies not taken from the libraries: $depends" ;;
esac

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
missing=0
while read -r path; do
    # -e follows links, so the links of the tools folder must reach their files.
    if [ ! -e "$root/$path" ]; then
        echo "missing: $path"
        missing=1
    fi
done <"$expected"
[ $missing -eq 0 ] || fail "files missing from the package"

bin="$root/usr/bin"
"$bin/mq5300" --help >"$scratch/help.txt" || fail "mq5300 --help"
grep -q "usage: mq5300" "$scratch/help.txt" || fail "mq5300 --help printed no usage"
"$bin/Marquis5300" --version >"$scratch/version.txt" || fail "Marquis5300 --version"
grep -q "$version" "$scratch/version.txt" || fail "Marquis5300 --version: $(cat "$scratch/version.txt")"

# The check-value module of the tree: list reads the installed demo and checks each message.
demo="$root/usr/share/marquis5300/demo.src"
"$bin/mq5300" list "$demo" >"$scratch/list.txt" || fail "mq5300 list on the installed demo"
[ -s "$scratch/list.txt" ] || fail "mq5300 list printed nothing"
"$bin/mq5300" check "$demo" >"$scratch/check.txt" || fail "mq5300 check: $(cat "$scratch/check.txt")"

# The compiler, the assembler and ESCAPES.H of the tree.
cp "$demo" "$scratch/work/demo.src"
"$bin/mq5300" build "$scratch/work/demo.src" >"$scratch/build.txt" 2>&1 ||
    fail "mq5300 build: $(cat "$scratch/build.txt")"
[ -s "$scratch/work/demo.bin" ] || fail "mq5300 build wrote no demo.bin"

# The gauge library is reached through the programs' own search path, inside the tree.
for program in "$bin/gauge-gallery" $(find "$root" -name libqvgaugeplugin.so); do
    ldd "$program" | grep -q "libQVGAUG32.so.7 => $root/" ||
        fail "$program does not find libQVGAUG32 in the tree: $(ldd "$program" | grep QVGAUG32)"
done

# Without the tree's module the installed program says where it looked.
rm "$root/usr/lib/marquis5300/TessalyLibrary.so"
if "$bin/mq5300" list "$demo" >/dev/null 2>"$scratch/error.txt"; then
    fail "mq5300 list worked without the check-value module"
fi
grep -q "$root/usr/lib/marquis5300/TessalyLibrary.so" "$scratch/error.txt" ||
    fail "mq5300 looked for its module elsewhere: $(cat "$scratch/error.txt")"
echo "package $(basename "$deb") runs from a scratch root"
