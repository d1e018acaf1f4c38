#!/usr/bin/env bash
# install_test.sh CMAKE BUILD_DIR SOURCE_DIR VERSION
# Installs into a temporary prefix, then checks the tree and uses the installed programs from
# an unrelated working folder, as someone who installed them would.
set -uo pipefail
# Under pipefail a reader that stops early (grep -q) can fail the whole check by killing the
# writer with SIGPIPE: outputs are matched whole, never piped into grep -q or head.
cmake=$1 build=$(realpath "$2") source=$(realpath "$3") version=$4

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

"$cmake" --install "$build" --prefix "$prefix" >"$tmp/log" 2>&1 || { cat "$tmp/log" >&2; echo "FAIL: install" >&2; exit 1; }
cd "$prefix" || exit 1

# The tree: exactly these files (Qt's catalogs and the desktop's caches are checked on their
# own below).
expected=(
    bin/tobirae bin/tobirae-cli
    share/applications/tobirae.desktop
    share/mime/packages/tobirae.xml
    share/man/man1/tobirae-cli.1
    share/icons/hicolor/scalable/apps/tobirae.svg
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/tobirae.png")
done
while IFS= read -r f; do expected+=("share/tobirae/help/$f"); done < <(cd "$source/help" && find . -type f -printf '%P\n')
for f in "$source"/examples/*.CLF "$source"/examples/*.ini "$source"/examples/*.png; do
    expected+=("share/tobirae/templates/$(basename "$f")")
done
diff <(printf '%s\n' "${expected[@]}" | sort) \
    <(find . \( -path ./share/tobirae/translations -o -name mimeinfo.cache -o \
        \( -path './share/mime/*' ! -path './share/mime/packages*' \) \) -prune \
        -o \( -type f -o -type l \) -printf '%P\n' | sort) >&2 ||
    fail "installed files differ from the expected tree (< missing, > unexpected)"
for size in 16 32 48 64 128 256; do
    [[ $(file -b "share/icons/hicolor/${size}x${size}/apps/tobirae.png") == "PNG image data, $size x $size,"* ]] ||
        fail "icon ${size}x${size} is not a PNG of that size"
done

# Qt's Japanese texts load only when every catalog that qt_ja.qm names is there too.
catalogs=share/tobirae/translations
if [ -f "$catalogs/qt_ja.qm" ] && [ -f "$catalogs/qtbase_ja.qm" ]; then
    for name in $(strings -e b "$catalogs/qt_ja.qm" | grep -x 'qt[a-z_]*_ja'); do
        [ -f "$catalogs/$name.qm" ] || fail "qt_ja.qm loads $name.qm, which is not installed"
    done
else
    fail "qt_ja.qm and qtbase_ja.qm are not installed"
fi

# Both programs answer without a display: an attempt to open one would fail here.
mkdir "$tmp/work" && cd "$tmp/work" || exit 1
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
[ "$("${nodisplay[@]}" "$prefix/bin/tobirae" --version 2>&1)" = "tobirae $version" ] ||
    fail "tobirae --version"
grep -q "^Usage: tobirae \[LAYOUT.CLF\]" <<<"$("${nodisplay[@]}" "$prefix/bin/tobirae" --help 2>&1)" ||
    fail "tobirae --help"
[ "$("$prefix/bin/tobirae-cli" --version 2>&1)" = "tobirae-cli $version" ] ||
    fail "tobirae-cli --version"

# Every template renders, its pictures found beside it, from this unrelated folder.
templates=0
for layout in "$prefix"/share/tobirae/templates/*.CLF; do
    templates=$((templates + 1))
    out=$(basename "$layout" .CLF).png
    if ! "$prefix/bin/tobirae-cli" render "$layout" --year 2027 --month 4 --dpi 20 --format png \
        -o "$out" 2>"$tmp/err" || [ -s "$tmp/err" ]; then
        fail "render $(basename "$layout"): $(cat "$tmp/err")"
    elif [[ $(file -b "$out") != "PNG image data,"* ]]; then
        fail "render $(basename "$layout") wrote $(file -b "$out")"
    fi
done
[ "$templates" -gt 0 ] || fail "no templates installed"

# Every option the command line explains is in the manual page too.
manual=$(sed 's/\\-/-/g' "$prefix/share/man/man1/tobirae-cli.1")
for command in "" days info to-json from-json render; do
    # shellcheck disable=SC2086 # no command is the top-level help
    for option in $("$prefix/bin/tobirae-cli" $command --help | grep -oE '^  (-[a-z], )?--?[a-z-]+' | grep -oE -- '--?[a-z-]+'); do
        grep -qF -- "$option" <<<"$manual" || fail "man page lacks $option of '$command --help'"
    done
done

# The menu entry and the file type it opens.
desktop=$prefix/share/applications/tobirae.desktop
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate"
grep -qx 'Exec=tobirae %f' "$desktop" || fail "the menu entry does not start the editor with a file"
mime=$prefix/share/mime/packages/tobirae.xml
xmllint --noout "$mime" || fail "the MIME type is not well-formed XML"
type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
grep -qx "MimeType=$type;" "$desktop" || fail "the menu entry does not open $type"
globs=$(xmllint --xpath '//*[local-name()="glob"]/@pattern' "$mime" | tr -d ' ')
for glob in '*.CLF' '*.clf'; do
    grep -qF "pattern=\"$glob\"" <<<"$globs" || fail "the MIME type lacks the pattern $glob"
done
# Installed into a prefix of its own, the desktop's caches know the type and who opens it.
grep -q "^[0-9]*:$type:\*\.clf$" "$prefix/share/mime/globs2" ||
    fail "the MIME database of the prefix was not refreshed"
grep -qx "$type=tobirae.desktop;" "$prefix/share/applications/mimeinfo.cache" ||
    fail "the desktop database of the prefix was not refreshed"

((failures == 0)) || exit 1
echo "installed tree, programs and $templates templates OK"
