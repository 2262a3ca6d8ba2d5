#!/bin/sh
# The file type of scripts, as file managers see it through the shared MIME database: a file is a
# script when its text starts with "#define Display_type", whatever it is called; other *.src
# files keep the type they had before.
# Usage: filetype_test.sh MIME-XML DEMO-SCRIPT
set -eu
mimeXml=$(realpath "$1")
demo=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir -p "$scratch/share/mime/packages" "$scratch/home" "$scratch/files"
cp "$mimeXml" "$scratch/share/mime/packages/marquis5300.xml"
XDG_DATA_DIRS="$scratch/share" update-mime-database "$scratch/share/mime" >/dev/null

cd "$scratch/files"
cp "$demo" demo.src
printf '#define Display_type (5320)\r\n#pragma version 2\r\n' > SHOP.SRC
printf '#define Display_type (5360)\n' > script-without-extension
printf 'WAIS source\n:database-name "demo"\n' > other.src
printf '# notes\n#define Display_type (5320)\n' > late-define.src

typeOf() {
    XDG_DATA_HOME="$scratch/home" XDG_DATA_DIRS="$scratch/share:/usr/share" GIO_USE_VFS=local \
        gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'
}

failed=0
expect() {
    actual=$(typeOf "$1")
    if [ "$actual" != "$2" ]; then
        echo "$1: $actual, expected $2"
        failed=1
    fi
}
script=text/x-marquis5300-script
expect demo.src $script
expect SHOP.SRC $script
expect script-without-extension $script
expect other.src application/x-wais-source
expect late-define.src application/x-wais-source
exit $failed
