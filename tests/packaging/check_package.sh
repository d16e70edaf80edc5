#!/usr/bin/env bash
# Builds the Debian package with CPack, unpacks it with dpkg-deb and checks what
# a user's apt would install: every program of the registry, stripped, a valid menu entry and
# an icon at every size for each, no picture files, and a Depends line that
# covers every library the programs load, Qt's platform plugins and the fonts.
#
#   check_package.sh <build dir> <scratch dir> <icon sizes, by commas> <programs, by commas>
set -uo pipefail

build=$(cd "$1" && pwd) scratch=$2
IFS=, read -r -a sizes <<<"$3"
IFS=, read -r -a programs <<<"$4"
required=(libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins
          fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in cpack dpkg-deb dpkg dpkg-shlibdeps readelf desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done

rm -rf "$scratch" && mkdir -p "$scratch"
if ! (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log 2>&1); then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
debs=("$scratch"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
root=$scratch/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb cannot unpack $deb"; exit 1; }
echo "package: $(basename "$deb")"

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
needed=$(cd "$scratch" && dpkg-shlibdeps -O "${programs[@]/#/root/usr/bin/}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$needed" ] || fail "dpkg-shlibdeps found no dependencies"
while read -r pkg version; do
  have=$(version_in_depends "$pkg")
  if [ -z "$have" ]; then
    fail "the programs need $pkg (>= $version), which Depends does not name with a version"
  elif ! dpkg --compare-versions "$have" ge "$version"; then
    fail "the programs need $pkg (>= $version); Depends asks only for $have"
  fi
done < <(echo "$needed" | tr ',' '\n' | sed -nE 's/^ *([^ ]+) *\(>= *([^)]*)\).*/\1 \2/p')

# ---- The programs: every one, and nothing else, in /usr/bin.
for p in "${programs[@]}"; do
  f=$root/usr/bin/$p
  if [ ! -x "$f" ]; then
    fail "the package has no program usr/bin/$p"
  elif readelf -S "$f" | grep -q '\.debug_info'; then
    fail "usr/bin/$p is not stripped"
  fi
done
extra=$(ls "$root/usr/bin" | grep -vxF -f <(printf '%s\n' "${programs[@]}"))
[ -z "$extra" ] || fail "unexpected files in usr/bin: $extra"
found=$(find "$root" -iname '*.bmp')
[ -z "$found" ] || fail "the pictures are compiled in, yet the package holds: $found"

# ---- A valid menu entry for each program, with its icon at every size.
# The width and height of a PNG, from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
apps=$root/usr/share/applications
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
  for k in Name Comment 'Comment\[en\]'; do
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
done
for p in "${programs[@]}"; do
  [ -n "${entry_of[$p]:-}" ] || fail "$p has no menu entry"
done

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the package holds ${#programs[@]} programs, their menu entries and icons"
