#!/usr/bin/env bash
# Builds what the Debian package holds and the package with CPack, unpacks it with dpkg-deb and checks what
# a user's apt would install: every program under its command, stripped, with
# its debug symbols in the separate -dbgsym package; a valid menu entry with
# keywords, an icon at every size, a manual page and valid AppStream metadata
# for each; the copyright and a changelog of the package's version; no picture
# files; a Depends line that covers every library the programs load, Qt's
# platform plugins and the fonts, and no Conflicts.
# lintian's verdict on the same package is check_lintian.sh's.
#
#   check_package.sh <build dir> <scratch dir> <icon sizes, by commas> <commands, by commas>
#                    <other names, "<name>=<command>" by commas>
set -uo pipefail

build=$(cd "$1" && pwd) scratch=$2
IFS=, read -r -a sizes <<<"$3"
IFS=, read -r -a commands <<<"$4"
IFS=, read -r -a links <<<"${5:-}"
screenshots=$(cd "$(dirname "$0")/../../docs/screenshots" && pwd)
required=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins qt6-wayland
          fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in cmake cpack dpkg-deb dpkg dpkg-shlibdeps dpkg-parsechangelog readelf desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

rm -rf "$scratch" && mkdir -p "$scratch"
# cpack builds nothing itself: package_contents builds what the package holds.
if ! cmake --build "$build" -j2 --target package_contents >"$scratch/build.log" 2>&1; then
  cat "$scratch/build.log"
  echo "FAIL: the package's contents do not build"
  exit 1
fi
if ! (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1); then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
debs=("$scratch"/*.deb) ddebs=("$scratch"/*.ddeb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, found: ${debs[*]}"; exit 1; }
[ ${#ddebs[@]} -eq 1 ] && [ -f "${ddebs[0]}" ] || { echo "FAIL: expected one -dbgsym .ddeb, found: ${ddebs[*]}"; exit 1; }
deb=${debs[0]} ddeb=${ddebs[0]}
root=$scratch/root dbgroot=$scratch/dbgsym
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb cannot unpack $deb"; exit 1; }
dpkg-deb -x "$ddeb" "$dbgroot" || { echo "FAIL: dpkg-deb cannot unpack $ddeb"; exit 1; }
package=$(dpkg-deb -f "$deb" Package) version=$(dpkg-deb -f "$deb" Version)
echo "package: $(basename "$deb") and $(basename "$ddeb")"

# ---- Depends: the named packages, and a package for every library a program needs.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
depends_names=" $(echo "$depends" | sed -E 's/\([^)]*\)//g; s/[|,]/ /g') "
for p in "${required[@]}"; do
  [[ $depends_names == *" $p "* ]] || fail "Depends lacks $p"
done
# Every package dpkg-shlibdeps finds for the libraries the programs load, at a
# version no older than the symbols they use need.
version_in_depends() {
  local clause
  while read -r clause; do
    [ "${clause%% *}" = "$1" ] && echo "$clause" | sed -nE 's/.*\(>= *([^)]*)\).*/\1/p'
  done < <(echo "$depends" | tr ',' '\n' | sed 's/^ *//')
}
mkdir -p "$scratch/debian" && : >"$scratch/debian/control"
needed=$(cd "$scratch" && dpkg-shlibdeps -O "${commands[@]/#/root/usr/bin/}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$needed" ] || fail "dpkg-shlibdeps found no dependencies"
while read -r pkg version_needed; do
  have=$(version_in_depends "$pkg")
  if [ -z "$have" ]; then
    fail "the programs need $pkg (>= $version_needed), which Depends does not name with a version"
  elif ! dpkg --compare-versions "$have" ge "$version_needed"; then
    fail "the programs need $pkg (>= $version_needed); Depends asks only for $have"
  fi
done < <(echo "$needed" | tr ',' '\n' | sed -nE 's/^ *([^ ]+) *\(>= *([^)]*)\).*/\1 \2/p')
# No package of Debian's shares a file with this one, so it conflicts with none.
conflicts=$(dpkg-deb -f "$deb" Conflicts)
[ -z "$conflicts" ] || fail "the package conflicts with $conflicts"

# ---- The commands: every program, and nothing else, in /usr/bin: stripped,
# its debug symbols found by its build id in the -dbgsym package; and the
# programs' other names as links to them.
for c in "${commands[@]}"; do
  f=$root/usr/bin/$c
  if [ ! -x "$f" ] || [ -L "$f" ]; then
    fail "the package has no program usr/bin/$c"
    continue
  fi
  readelf -S "$f" | grep -qE '\.(debug_info|symtab)\b' && fail "usr/bin/$c is not stripped"
  id=$(readelf -n "$f" | sed -n 's/^ *Build ID: //p')
  debug=$dbgroot/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug
  if [ -z "$id" ]; then
    fail "usr/bin/$c has no build id"
  elif ! readelf -S "$debug" 2>/dev/null | grep -q '\.debug_info'; then
    fail "the -dbgsym package has no debug symbols for usr/bin/$c (build id $id)"
  fi
done
names=("${commands[@]}")
for link in "${links[@]}"; do
  name=${link%%=*} target=${link#*=}
  names+=("$name")
  [ "$(readlink "$root/usr/bin/$name")" = "$target" ] || fail "usr/bin/$name is not a link to $target"
done
for file in "$root"/usr/bin/*; do
  name=$(basename "$file")
  [[ " ${names[*]} " == *" $name "* ]] || fail "unexpected file in usr/bin: $name"
done
found=$(find "$root" -iname '*.bmp')
[ -z "$found" ] || fail "the pictures are compiled in, yet the package holds: $found"

# ---- A manual page for every command, links for the other names.
man1=$root/usr/share/man/man1
for n in "${names[@]}"; do
  page=$man1/$n.1.gz
  if [ ! -f "$page" ]; then
    fail "usr/bin/$n has no manual page"
  elif ! gzip -t "$page" 2>/dev/null; then
    fail "the manual page of $n is not gzip"
  elif ! zcat "$page" | grep -q '^\.SH NAME'; then
    fail "the manual page of $n has no NAME section"
  fi
done

# ---- The copyright, and a changelog whose newest entry is this version.
doc=$root/usr/share/doc/$package
head -1 "$doc/copyright" 2>/dev/null | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "usr/share/doc/$package/copyright is missing or not machine-readable"
changed=$(zcat "$doc/changelog.gz" 2>/dev/null | dpkg-parsechangelog -l - -S Version 2>/dev/null)
[ "$changed" = "$version" ] || fail "the changelog's newest entry is '$changed', the package's version $version"

# ---- A valid menu entry for each command, with its icon at every size and its
# AppStream metadata.
# The width and height of a PNG, from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
apps=$root/usr/share/applications
metainfo=$root/usr/share/metainfo
declare -A entry_of=()
for desktop in "$apps"/*.desktop; do
  [ -f "$desktop" ] || { fail "the package has no menu entries"; break; }
  name=$(basename "$desktop")
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "$name does not validate: $out"
  key() { sed -n "s/^$1=//p" "$desktop"; }
  exec_=$(key Exec)
  [ -x "$root/usr/bin/$exec_" ] || fail "$name starts '$exec_', which the package does not install"
  [ "$(key TryExec)" = "$exec_" ] || fail "$name: TryExec differs from Exec"
  [ -z "${entry_of[$exec_]:-}" ] || fail "$exec_ has two menu entries: ${entry_of[$exec_]} and $name"
  entry_of[$exec_]=$name
  for k in Name Comment 'Comment\[en\]' Keywords 'Keywords\[en\]'; do
    [ -n "$(key "$k")" ] || fail "$name has no $k"
  done
  [ "$(key Name)" != Form1 ] || fail "$name is called Form1 in the menu"
  [[ $(key Categories) =~ (^|;)(Game|Utility)(;|$) ]] || fail "$name is neither a Game nor a Utility"
  icon=$(key Icon)
  for s in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${s}x${s}/apps/$icon.png
    if [ ! -f "$png" ]; then
      fail "$name: no ${s}x${s} icon $icon"
    elif [ "$(png_size "$png")" != "${s}x${s}" ]; then
      fail "$name: the ${s}x${s} icon is $(png_size "$png")"
    fi
  done
  # The component of the same id, launched by this entry, listing its command,
  # with screenshots that are the README's pictures.
  id=${name%.desktop}
  xml=$metainfo/$id.metainfo.xml
  if [ ! -f "$xml" ]; then
    fail "$name has no AppStream metadata $id.metainfo.xml"
    continue
  fi
  grep -q "<id>$id</id>" "$xml" || fail "$id.metainfo.xml: its id is not $id"
  grep -q "<launchable type=\"desktop-id\">$name</launchable>" "$xml" || fail "$id.metainfo.xml does not launch $name"
  grep -q "<binary>$exec_</binary>" "$xml" || fail "$id.metainfo.xml does not provide $exec_"
  shots=$(sed -n 's|.*<image>.*/docs/screenshots/\(.*\)</image>.*|\1|p' "$xml")
  [ -n "$shots" ] || fail "$id.metainfo.xml shows no screenshot of the gallery"
  for shot in $shots; do
    file=$(printf '%b' "${shot//%/\\x}")
    [ -f "$screenshots/$file" ] || fail "$id.metainfo.xml shows $shot, which docs/screenshots does not hold"
  done
done
for c in "${commands[@]}"; do
  [ -n "${entry_of[$c]:-}" ] || fail "$c has no menu entry"
done
# appstreamcli names every problem, down to the pedantic; there must be none.
for xml in "$metainfo"/*.xml; do
  out=$(appstreamcli validate --pedantic --no-net "$xml" 2>&1)
  if [ $? -ne 0 ] || echo "$out" | grep -qE '^ *[EWIP]: '; then
    fail "$(basename "$xml") does not validate cleanly:"
    echo "$out"
  fi
done

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package holds ${#commands[@]} programs, their menu entries, icons, manual pages and AppStream metadata"
