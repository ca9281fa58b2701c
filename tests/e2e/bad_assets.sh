#!/usr/bin/env bash
# Assets that cannot be read end the viewer with exit code 1 and an "Error" box that names the
# file and the reason; nothing aborts. The box goes to stderr under TAVRIN_NO_ERROR_BOX.
# Usage: bad_assets.sh TAVRIN   (from the source root, with a display)
set -euo pipefail
tavrin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TAVRIN_NO_ERROR_BOX=1

# Runs the viewer in a working folder whose gfx/ has one file replaced by $2 (a command that
# writes it), and checks the exit code and the error line $3.
check() {
    local file=$1 make=$2 expected=$3
    rm -rf "$work/gfx"
    cp -r gfx "$work/gfx"
    (cd "$work/gfx" && eval "$make")
    local code=0
    (cd "$work" && timeout 120 "$tavrin" >"$work/out.txt" 2>&1) || code=$?
    [ "$code" = 1 ] || { cat "$work/out.txt"; echo "FAIL: $file: exit code $code, not 1"; exit 1; }
    grep -qF "Error: $expected" "$work/out.txt" ||
        { cat "$work/out.txt"; echo "FAIL: $file: no line 'Error: $expected'"; exit 1; }
    echo "$file: exit code 1, $expected"
}

check wood.tga ': > wood.tga' "Cannot load texture from file 'gfx/wood.tga'! (the file is empty)"
check white_piece.tga 'head -c 5000 /dev/urandom > white_piece.tga' \
    "Cannot load texture from file 'gfx/white_piece.tga'! ("
# A run-length image of 23000 x 23000 pixels in a few bytes.
check red_wood.tga "printf '\\0\\0\\12\\0\\0\\0\\0\\0\\0\\0\\0\\0\\xd8\\x59\\xd8\\x59\\30\\0\\377\\1\\2\\3' > red_wood.tga" \
    "Cannot load texture from file 'gfx/red_wood.tga'! (23000 x 23000 pixels is larger than 16384 pixels on a side)"
# A 1 x 1 image of 16-bit true colour, a kind that is not read: the reason names it.
check wood.tga "printf '\\0\\0\\2\\0\\0\\0\\0\\0\\0\\0\\0\\0\\1\\0\\1\\0\\20\\40\\0\\0' > wood.tga" \
    "Cannot load texture from file 'gfx/wood.tga'! (16-bit true colour is not read, only 24- and 32-bit)"
check Pawn.obj ': > Pawn.obj' \
    "Cannot load the piece model 'gfx/Pawn.obj': COBJLoader::Load(): Model has no faces!"
check Knight.obj 'rm Knight.obj' \
    "Cannot load the piece model 'gfx/Knight.obj': No such file or directory (AFileReader::LoadFile(): Cannot determine file size!)"
echo PASS
