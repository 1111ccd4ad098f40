#!/bin/sh
# Makes the Octave package ovrix-<version>.tar.gz from this tree:
#
#   pkg/dist.sh [OUTPUT_DIR]        (default: the current folder)
#
# The version is the CMake project's (CMakeLists.txt), or OVRIX_VERSION. The
# package holds DESCRIPTION, COPYING, INDEX, NEWS; inst/ with the help files,
# the sample bitstream and the examples; doc/ with the virtual card's page; and
# src/ with the sources of the gateway, the commands, the virtual card, the
# event layer and the ovrix_vcard helper, plus the Makefile pkg install runs.
# Prints the path of the tarball.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-.}
mkdir -p "$out"
out=$(cd "$out" && pwd)

version=${OVRIX_VERSION:-$(sed -n 's/^project(ovrix VERSION \([0-9][0-9.]*\).*/\1/p' "$top/CMakeLists.txt")}
if [ -z "$version" ]; then
  echo "dist: cannot read the project version from $top/CMakeLists.txt" >&2
  exit 1
fi
date=$(git -C "$top" log -1 --format=%cs 2>/dev/null || date +%Y-%m-%d)
name=ovrix-$version

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root=$stage/$name
mkdir -p "$root/inst/examples" "$root/src/tools" "$root/doc"

sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$date/" "$top/pkg/DESCRIPTION.in" > "$root/DESCRIPTION"
cp "$top/pkg/COPYING" "$top/pkg/INDEX" "$top/pkg/NEWS" "$root/"
cp "$top/pkg/Makefile" "$root/src/Makefile"

cp "$top"/mex/help/*.m "$top/examples/ovrix_sample.bit" "$root/inst/"
# examples/ is on the path while pkg install indexes the help, so the demo
# goes as ovrix_demo.m: demo.m would shadow Octave's own demo function.
for example in "$top"/examples/*.m; do
  case $(basename "$example") in
    demo.m) cp "$example" "$root/inst/examples/ovrix_demo.m" ;;
    *) cp "$example" "$root/inst/examples/" ;;
  esac
done
cp "$top/examples/ovrix_sample.bit" "$root/inst/examples/"
cp "$top/doc/virtual-card.md" "$root/doc/"

# The C sources, in the tree's own layout (no build files).
(cd "$top" && find gateway commands platform -name '*.[ch]') | while read -r file; do
  mkdir -p "$root/src/$(dirname "$file")"
  cp "$top/$file" "$root/src/$file"
done
cp "$top/tools/ovrix_vcard.c" "$root/src/tools/"

tar -C "$stage" -czf "$out/$name.tar.gz" --owner=0 --group=0 --sort=name "$name"
echo "$out/$name.tar.gz"
