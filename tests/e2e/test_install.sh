#!/usr/bin/env bash
# The game installed as a package lays it out (cmake --install into a fresh prefix, not the
# configured one): the program, its shaders and models, the launcher, the menu entry, the
# icon, the manual page, the copyright file, the changelog and the AppStream metainfo. The
# .deb that cpack makes from the same build passes lintian without an error or a warning
# and depends on the packages of every library the program links. The installed launcher,
# found on the PATH and started from an unrelated folder, runs the installed program in
# the installed data folder: the intro picture shows, and Escape ends the game with
# status 0.
source "$(dirname "$0")/lib.sh"

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$(cd "$(dirname "$E2E_GAME")/.." && pwd)
prefix="$E2E_TMP/prefix"
data="$prefix/share/games/zarnhold"
program="$prefix/lib/games/zarnhold/zarnhold"

cmake --install "$build_dir" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
  { cat "$E2E_TMP/install.log"; fail "cmake --install into $prefix"; }
pass "installed into a fresh prefix"

# --- The layout ---------------------------------------------------------------------
[ -x "$prefix/games/zarnhold" ] || fail "no launcher at games/zarnhold"
[ -x "$program" ] || fail "no program at lib/games/zarnhold/zarnhold"
for shader in "$source_dir"/shaders/*; do
  cmp -s "$shader" "$data/$(basename "$shader")" || fail "shader $(basename "$shader") not installed as built"
done
diff -r --exclude=.stamp "$build_dir/game/External" "$data/External" >"$E2E_TMP/diff.log" ||
  { cat "$E2E_TMP/diff.log"; fail "the installed External/ differs from the build's"; }
[ ! -e "$data/External/Models/.stamp" ] || fail "the build's stamp was installed"
pass "program, shaders and generated models in the Debian games layout"

desktop="$prefix/share/applications/zarnhold.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
for line in '[Desktop Entry]' Type=Application Name=Zarnhold Exec=zarnhold Icon=zarnhold \
  'Categories=Game;ActionGame;'; do
  grep -qxF -- "$line" "$desktop" || fail "the desktop entry lacks '$line'"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the entry"
fi
pass "desktop entry runs zarnhold with the zarnhold icon, in Game;ActionGame;"

# The icon must decode without a single complaint (a bad CRC or Adler-32 is one), be the
# size its folder names, be transparent outside its tile and show the blue crystal on dark
# stone.
icon="$prefix/share/icons/hicolor/128x128/apps/zarnhold.png"
[ -f "$icon" ] || fail "no icon"
format=$(identify -regard-warnings -format '%m %wx%h' "$icon" 2>&1) || fail "icon does not decode: $format"
[ "$format" = "PNG 128x128" ] || fail "icon is '$format', not a 128x128 PNG"
pixel() { convert "$icon" -format "%[fx:$1]" info:; }
[ "$(pixel 'p{0,0}.a < 0.01 && p{127,127}.a < 0.01')" = 1 ] || fail "icon corners are not transparent"
[ "$(pixel 'p{64,64}.a > 0.99 && p{12,64}.a > 0.99')" = 1 ] || fail "icon tile is not opaque"
[ "$(pixel 'p{64,64}.b > 0.6 && p{64,64}.b > p{64,64}.r + 0.2')" = 1 ] || fail "icon centre is not the blue crystal"
[ "$(pixel 'p{12,64}.intensity < 0.3')" = 1 ] || fail "icon edge is not dark stone"
pass "icon is a valid 128x128 PNG: blue crystal on a dark tile, transparent corners"

# --- The manual page, the copyright file and the changelog -----------------------------
manual="$prefix/share/man/man6/zarnhold.6.gz"
[ -f "$manual" ] || fail "no manual page at share/man/man6/zarnhold.6.gz"
gzip -t "$manual" || fail "the manual page is not a whole gzip file"
# As man shows it, in plain ASCII and wide enough that no option is broken over lines;
# man's and groff's warnings (an unknown macro, a line that cannot be set) fail it.
LC_ALL=C MANWIDTH=200 man --warnings -l "$manual" >"$E2E_TMP/manual.txt" 2>"$E2E_TMP/manual.err" ||
  fail "man cannot show the manual page"
[ ! -s "$E2E_TMP/manual.err" ] || { cat "$E2E_TMP/manual.err"; fail "man warns about the manual page"; }
grep -q '^ *zarnhold - ' "$E2E_TMP/manual.txt" || fail "the manual page's NAME does not name zarnhold"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS CONTROLS FILES 'EXIT STATUS'; do
  grep -qx "$section" "$E2E_TMP/manual.txt" || fail "the manual page has no $section section"
done
grep -q 'goal crystal at the far end of the dungeon' "$E2E_TMP/manual.txt" ||
  fail "the manual page's DESCRIPTION does not give the goal"
# Every option the program's usage names is an entry of OPTIONS.
awk '/^OPTIONS$/ { on = 1; next } /^[A-Z]/ { on = 0 } on' "$E2E_TMP/manual.txt" >"$E2E_TMP/options.txt"
# The synopsis: the lines before the first option's own line.
usage_options=$("$program" --help | sed '/^  -/,$d' | grep -o -- '--[a-z-]*')
[ -n "$usage_options" ] || fail "the program's usage names no option"
for option in $usage_options; do
  grep -qE -- "^ +(-[a-z], )?$option( |$)" "$E2E_TMP/options.txt" ||
    fail "the manual page's OPTIONS has no entry for $option"
done
for key in Space Enter 'W / S' 'A / D' mouse 'left button' 'right button' M F1 F2 Tab F3 F11 Escape \
  'left stick' 'right stick' A 'right trigger' 'left trigger' Back; do
  awk '/^CONTROLS$/ { on = 1; next } /^[A-Z]/ { on = 0 } on' "$E2E_TMP/manual.txt" |
    grep -qE "^ +$key( |$)" || fail "the manual page's CONTROLS has no entry for $key"
done
pass "manual page zarnhold(6): every section, every option of the usage ($(echo $usage_options)), every control"

copyright="$prefix/share/doc/zarnhold/copyright"
[ -f "$copyright" ] || fail "no copyright file at share/doc/zarnhold/copyright"
head -1 "$copyright" | grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in Debian's machine-readable format"
holders=$(sed -n 's/^Copyright (c) //p' "$source_dir/LICENSE")
[ "$holders" = "2026 The Zarnhold developers" ] || fail "LICENSE names '$holders' as the holders"
for line in 'Upstream-Name: Zarnhold' 'Files: *' "Copyright: $holders" 'License: Expat'; do
  grep -qxF -- "$line" "$copyright" || fail "the copyright file lacks '$line'"
done
# The Expat paragraph, its continuation lines unfolded, is LICENSE's text word for word.
awk 'seen && /^ / { line = substr($0, 2); print (line == "." ? "" : line) } /^License: Expat$/ { seen++ }' \
  "$copyright" >"$E2E_TMP/expat.txt"
sed -n '/^Permission is hereby granted/,$p' "$source_dir/LICENSE" >"$E2E_TMP/license.txt"
[ -s "$E2E_TMP/license.txt" ] || fail "LICENSE does not hold the MIT licence's text"
diff "$E2E_TMP/license.txt" "$E2E_TMP/expat.txt" ||
  fail "the copyright file's Expat text is not LICENSE's"
pass "copyright file in Debian's format: $holders, the full Expat text of LICENSE"

changelog="$prefix/share/doc/zarnhold/changelog.gz"
[ -f "$changelog" ] || fail "no changelog at share/doc/zarnhold/changelog.gz"
zcat "$changelog" >"$E2E_TMP/changelog" || fail "the changelog is not a gzip file"
changelog_version=$(dpkg-parsechangelog -l "$E2E_TMP/changelog" -S Version) ||
  fail "dpkg-parsechangelog cannot read the changelog"
cmp -s "$E2E_TMP/changelog" "$source_dir/packaging/changelog" || fail "the changelog is not packaging/changelog"
pass "changelog.gz, version $changelog_version"

# The software centres' listing: valid AppStream (checked without the network, which would
# fetch the screenshot), launching the installed menu entry, at the changelog's version, its
# screenshot the README's.
command -v appstreamcli >/dev/null || fail "appstreamcli (Debian's appstream) is needed to check the metainfo"
metainfo="$prefix/share/metainfo/org.example.zarnhold.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream metainfo at share/metainfo/"
appstreamcli validate --strict --no-net "$metainfo" >"$E2E_TMP/appstream.log" 2>&1 ||
  { cat "$E2E_TMP/appstream.log"; fail "appstreamcli validate refuses the metainfo"; }
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ -f "$prefix/share/applications/$launchable" ] || fail "the metainfo launches '$launchable', which is not installed"
release=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' "$metainfo" | head -1)
[ "$release" = "$changelog_version" ] || fail "the metainfo's newest release is '$release', the changelog's $changelog_version"
image=$(sed -n 's:.*<image>https\?\://[^/]*/\(.*\)</image>.*:\1:p' "$metainfo")
[ -n "$image" ] && [ -f "$source_dir/$image" ] || fail "the metainfo's screenshot '$image' is no file of the sources"
pass "AppStream metainfo valid (appstreamcli --strict), launching $launchable, release $release, screenshot $image"

# --- The Debian package ---------------------------------------------------------------
# cpack reuses the build (its first step builds only what is out of date) and leaves the
# package and its staging folder in the test's own folder.
(cd "$build_dir" && cpack -G DEB -B "$E2E_TMP/package") >"$E2E_TMP/cpack.log" 2>&1 ||
  { cat "$E2E_TMP/cpack.log"; fail "cpack -G DEB"; }
debs=("$E2E_TMP"/package/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "$changelog_version" ] || fail "the package is version $version, the changelog $changelog_version"
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$E2E_TMP/contents.txt"
for path in ./usr/games/zarnhold ./usr/lib/games/zarnhold/zarnhold ./usr/share/man/man6/zarnhold.6.gz \
  ./usr/share/doc/zarnhold/copyright ./usr/share/doc/zarnhold/changelog.gz \
  ./usr/share/metainfo/org.example.zarnhold.metainfo.xml; do
  grep -qxF "$path" "$E2E_TMP/contents.txt" || fail "the package lacks $path"
done
pass "cpack made $(basename "$deb") with the program, the launcher, the manual page, the docs and the metainfo"

# Debian's checker: any error (E:) or warning (W:) fails the package.
lintian "$deb" >"$E2E_TMP/lintian.log" 2>&1
lintian_status=$?
sed 's/^/  lintian: /' "$E2E_TMP/lintian.log"
if grep -qE '^[EW]: ' "$E2E_TMP/lintian.log" || [ "$lintian_status" -ne 0 ]; then
  fail "lintian reports errors or warnings (status $lintian_status)"
fi
pass "lintian: no error, no warning"

# dpkg-shlibdeps names the packages of what the program links: every library the program
# needs comes from a package the Depends line names.
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
# True when Depends names a package matching the pattern $1 (with or without a version).
depends_on() { echo ", $depends," | grep -qE ", $1( \([^)]*\))?,"; }
needed=$(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }')
[ -n "$needed" ] || fail "objdump finds no library the program needs"
for library in $needed; do
  path=$(ldd "$program" | awk -v l="$library" '$1 == l { print $3 }')
  [ -n "$path" ] || fail "ldd does not find $library"
  owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")" 2>/dev/null) ||
    fail "no Debian package holds $library ($path)"
  owner=${owner%%:*}
  # The package's name as a pattern: libstdc++6's pluses and dots stand for themselves.
  depends_on "$(printf '%s' "$owner" | sed 's/[.+]/\\&/g')" ||
    fail "the program links $library, but Depends does not name its package $owner"
done
depends_on 'libglfw3' || fail "Depends does not name libglfw3"
depends_on 'libglew[0-9.]+' || fail "Depends does not name libglew"
depends_on 'libbullet[0-9.]+' || fail "Depends does not name libbullet"
if echo "$needed" | grep -q '^libopenal\.so'; then
  depends_on 'libopenal[0-9]+' || fail "the program links OpenAL, but Depends does not name libopenal"
  pass "Depends names the package of every library the program links, OpenAL's included"
else
  pass "Depends names the package of every library the program links (it does not link OpenAL)"
fi

# --- The installed launcher plays the installed game ------------------------------------
intro=$(cd "$data" && reference_picture Intro)
elsewhere="$E2E_TMP/elsewhere"
mkdir -p "$elsewhere"
cd "$elsewhere"
export PATH="$prefix/games:$PATH"
[ "$(command -v zarnhold)" = "$prefix/games/zarnhold" ] || fail "the launcher is not the zarnhold on the PATH"
E2E_GAME=zarnhold

start_xvfb
start_game
wait_for_window
# The launcher hands its process over to the program, so the game's process is the one
# started: the installed program, running in the installed data folder.
[ "$(readlink -f "/proc/$E2E_GAME_PID/exe")" = "$(readlink -f "$program")" ] ||
  fail "the running program is $(readlink -f "/proc/$E2E_GAME_PID/exe"), not the installed one"
[ "$(readlink -f "/proc/$E2E_GAME_PID/cwd")" = "$(readlink -f "$data")" ] ||
  fail "the game runs in $(readlink -f "/proc/$E2E_GAME_PID/cwd"), not its data folder"
pass "the launcher runs the installed program in the installed data folder"

wait_until "the intro picture" screen_shows "$intro"
save_shot installed-intro
pass "intro picture on screen from the installed game"

hold_key_until Escape "the game to exit" game_exited
wait_for_exit
[ "$E2E_STATUS" -eq 0 ] || fail "exit status $E2E_STATUS"
output_has "You filthy rat! You ended the game!" || fail "no closing line"
pass "Escape ends the installed game with status 0"
