#!/usr/bin/env bash
# Builds the Debian package and checks it as a user gets it: lintian has
# nothing to say, the AppStream entry validates, and in a fresh minimal
# Debian 12 root the package installs with apt, the program starts from its
# menu entry's Exec line under Xvfb, saves an icon and keeps its options in
# the user's configuration folder.
#
# Usage: scripts/check-package.sh [BUILD_DIR]        (root, or through sudo)
#
# The bare root (debootstrap --variant=minbase, from the mirror this machine's
# apt uses) and the packages apt downloads into it are kept in
# $PIKSELAR_CHECK_CACHE (/var/cache/pikselar-check), so later runs start from
# a fresh copy in seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=$(realpath "${1:-build}")
cache=${PIKSELAR_CHECK_CACHE:-/var/cache/pikselar-check}
metainfo=packaging/pl.pikselar.pikselar.metainfo.xml

step() { printf '== %s\n' "$*"; }
fail() { printf 'check-package: %s\n' "$*" >&2; exit 1; }

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

# ---- the package, lintian, AppStream (as the caller)

step "building the package"
# The program looks for its data at the prefix the build was configured for:
# the package's. A build configured before /usr was the default is moved to it
# (only the file that names the folder is compiled again).
cmake -S "$source_dir" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" >/dev/null
rm -f "$build"/pikselar_*.deb
(cd "$build" && cpack -G DEB) >"$build/check-package-cpack.log" 2>&1 \
  || { cat "$build/check-package-cpack.log" >&2; fail "cpack failed"; }
debs=("$build"/pikselar_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no package"
deb=${debs[0]}
echo "${deb#"$build"/}"

work=$(mktemp -d /tmp/pikselar-check.XXXXXX)
root=
xvfb_pid=
app_pid=
cleanup() {
  local status=$?
  set +e
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  if [ -n "$root" ]; then
    # Ours (proc, dev, the package cache) and any debootstrap left behind,
    # the deepest first.
    local m
    for m in $(awk -v r="$root/" 'index($5, r) == 1 { print $5 }' /proc/self/mountinfo | sort -r); do
      "${as_root[@]}" umount "$m" || "${as_root[@]}" umount -l "$m"
    done
    # Never delete through a mount that is still there (it would reach /dev).
    if awk -v r="$root/" 'index($5, r) == 1 { found = 1 } END { exit !found }' /proc/self/mountinfo; then
      echo "check-package: $root still has mounts; left in place" >&2
    else
      "${as_root[@]}" rm -rf --one-file-system "$root"
    fi
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

step "lintian"
# lintian refuses to be quiet as root ("running with root privileges is not
# recommended"): it reads a copy of the package as nobody.
chmod 755 "$work"
cp "$deb" "$work/pikselar.deb"
chmod 644 "$work/pikselar.deb"
if [ "$(id -u)" -eq 0 ]; then
  lint=$(cd "$work" && setpriv --reuid=nobody --regid=nogroup --clear-groups \
           env HOME="$work" lintian pikselar.deb 2>&1) || true
else
  lint=$(lintian "$work/pikselar.deb" 2>&1) || true
fi
[ -z "$lint" ] || fail "lintian: $lint"
echo "lintian: nothing to say"

step "AppStream"
dpkg-deb -x "$deb" "$work/unpacked"
installed_metainfo=$work/unpacked/usr/share/metainfo/${metainfo##*/}
[ -f "$installed_metainfo" ] || fail "the package does not install ${metainfo##*/}"
cmp -s "$metainfo" "$installed_metainfo" || fail "the package's ${metainfo##*/} differs"
validation=$(appstreamcli validate --no-net --pedantic "$installed_metainfo" 2>&1) \
  || fail "appstreamcli: $validation"
echo "$validation"
# Not even a pedantic note.
if grep -q '^[EWIP]: ' <<<"$validation"; then fail "appstreamcli has remarks"; fi

# ---- a fresh minimal Debian 12 (as root)

mirror() {
  # The first Debian archive that this machine's apt uses for bookworm.
  local f uri
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uri=$(awk 'BEGIN { RS = ""; FS = "\n" }
      { uri = ""; bookworm = 0
        for (i = 1; i <= NF; i++) {
          n = split($i, w, /[ \t]+/)
          if (w[1] == "URIs:") uri = w[2]
          if (w[1] == "Suites:") for (j = 2; j <= n; j++) if (w[j] == "bookworm") bookworm = 1
        }
        if (bookworm && uri != "") { print uri; exit } }' "$f")
    [ -n "$uri" ] && { echo "$uri"; return; }
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    uri=$(awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while (i < NF && $i !~ /\]$/) i++
                             if ($2 ~ /^\[/) i++
                             if ($(i + 1) == "bookworm") { print $i; exit } }' "$f")
    [ -n "$uri" ] && { echo "$uri"; return; }
  done
}

base=$cache/bookworm-minbase.tar
archives=$cache/archives
"${as_root[@]}" mkdir -p "$archives"
if [ ! -f "$base" ]; then
  uri=$(mirror)
  [ -n "$uri" ] || fail "no bookworm archive in /etc/apt/sources.list{,.d}"
  step "debootstrap --variant=minbase bookworm (once; kept in $cache)"
  fresh=$(mktemp -d /var/tmp/pikselar-bootstrap.XXXXXX)
  chmod 755 "$fresh"
  root=$fresh
  "${as_root[@]}" debootstrap --variant=minbase bookworm "$fresh" "$uri" >"$work/debootstrap.log" 2>&1 \
    || { tail -20 "$work/debootstrap.log" >&2; fail "debootstrap failed"; }
  "${as_root[@]}" tar -C "$fresh" -cf "$base.part" .
  "${as_root[@]}" mv "$base.part" "$base"
  "${as_root[@]}" rm -rf --one-file-system "$fresh"
  root=
fi

step "installing the package with apt into a fresh root"
root=$(mktemp -d /var/tmp/pikselar-root.XXXXXX)
"${as_root[@]}" tar -C "$root" -xf "$base"
"${as_root[@]}" chmod 755 "$root"   # a system's /: everyone passes through it
for m in proc dev var/cache/apt/archives; do
  case $m in
    proc) "${as_root[@]}" mount -t proc proc "$root/proc" ;;
    dev) "${as_root[@]}" mount --bind /dev "$root/dev" ;;
    *) "${as_root[@]}" mount --bind "$archives" "$root/$m" ;;
  esac
  mounted+=("$root/$m")
done
in_root() { "${as_root[@]}" chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
"${as_root[@]}" cp "$deb" "$root/tmp/pikselar.deb"
in_root apt-get update -qq >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; fail "apt-get update failed"; }
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q /tmp/pikselar.deb >>"$work/apt.log" 2>&1 \
  || { tail -30 "$work/apt.log" >&2; fail "apt could not install the package"; }
grep -E '^(Setting up pikselar|[0-9]+ upgraded)' "$work/apt.log" || true
for p in qt6-wayland adwaita-icon-theme hicolor-icon-theme qt6-translations-l10n; do
  in_root dpkg-query -W -f='${Status}\n' "$p" | grep -q 'install ok installed' \
    || fail "the recommended $p was not installed"
done
# Its data folder is the one it was built for, not one it falls back to.
strings -el "$root/usr/bin/pikselar" | grep -qx /usr/share/pikselar || fail "the program does not name /usr/share/pikselar"

step "starting the installed program from its menu entry under Xvfb"
user=uzytkownik
in_root useradd -m "$user"
home=/home/$user
in_root install -d -o "$user" -g "$user" -m 700 "$home/runtime"
entry=$root/usr/share/applications/pikselar.desktop
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = "pikselar %f" ] || fail "unexpected Exec line: $exec_line"
# Started with no file: the launcher drops %f.
read -r -a argv <<<"${exec_line//%f/}"

if [ -n "${PIKSELAR_CHECK_DISPLAY:-}" ]; then
  Xvfb ":$PIKSELAR_CHECK_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  echo "$PIKSELAR_CHECK_DISPLAY" >"$work/display"
  sleep 1
else
  # A free display, chosen by the server.
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
fi
display=:$(tr -d '\n' <"$work/display")
[ "$display" != ":" ] && kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=$display
# The server answers before the program is started, so that a failed start is
# the program's.
for _ in $(seq 200); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { cat "$work/xvfb.log" >&2; fail "Xvfb does not answer on $display"; }
# The X socket is an abstract one as well, which the chroot reaches unchanged.
"${as_root[@]}" chroot --userspec="$user:$user" "$root" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
  HOME="$home" DISPLAY="$display" XDG_RUNTIME_DIR="$home/runtime" "${argv[@]}" >"$work/app.log" 2>&1 &
app_pid=$!

wait_window() { # title: prints the id of a visible window with exactly that title
  local found
  for _ in $(seq 200); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1) || true
    [ -n "$found" ] && { echo "$found"; return 0; }
    kill -0 "$app_pid" 2>/dev/null || {
      cat "$work/app.log" >&2
      xdotool getdisplaygeometry >/dev/null 2>&1 && echo "(the display $display answers)" >&2
      fail "the program ended"
    }
    sleep 0.05
  done
  cat "$work/app.log" >&2
  fail "no window titled $1"
}
main=$(wait_window Pikselar)
sleep 0.5
icon=$(xprop -id "$main" -notype -f _NET_WM_ICON 32c ' = $0,$1' _NET_WM_ICON)
[ "$icon" = "_NET_WM_ICON = 32,32" ] || fail "window icon: $icon"
echo "window icon: 32 x 32, built in"

# The about window's page: a bare system has no launcher, so the program shows it.
xdotool windowfocus --sync "$main" key ctrl+a
about=$(wait_window "O programie")
sleep 0.3
import -window root "$build/check-package-about.png"
xdotool windowfocus --sync "$about" key alt+s
page=$(wait_window "Strona WWW")
import -window root "$build/check-package-page.png"
xdotool windowfocus --sync "$page" key Escape
xdotool windowfocus --sync "$about" key Escape
echo "Strona WWW: shown by the program"

# Ctrl+S: the save dialog, a name, Return.
xdotool windowfocus --sync "$main"
before=$(xdotool search --onlyvisible --name . | sort)
xdotool key ctrl+s
dialog=
for _ in $(seq 200); do
  dialog=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name . | sort) | head -1)
  [ -n "$dialog" ] && break
  sleep 0.05
done
[ -n "$dialog" ] || fail "Ctrl+S opened no dialog"
saved=$home/z-pakietu.ico
xdotool windowfocus --sync "$dialog" key ctrl+a type --delay 10 "$saved"
xdotool key Return
# Read inside the root: the user's home is not open to everyone.
size() { in_root stat -c %s "$saved" 2>/dev/null || echo none; }
for _ in $(seq 100); do
  [ "$(size)" = 766 ] && break
  sleep 0.05
done
[ "$(size)" = 766 ] || fail "saved file: $(size) bytes, not 766"
in_root cmp -s -n 126 /usr/share/pikselar/header.dat "$saved" \
  || fail "the saved file does not begin with header.dat"
echo "saved $saved: 766 bytes, beginning with header.dat"

# The session ends: the options go to the user's configuration folder.
kill -TERM "$app_pid"
wait "$app_pid" || fail "the program ended with $?"
app_pid=
in_root test -f "$home/.config/pikselar/opcje.dat" || fail "no options in ~/.config/pikselar/opcje.dat"
[ ! -e "$root/usr/share/pikselar/opcje.dat" ] || fail "options written into /usr/share/pikselar"
echo "options kept in ~/.config/pikselar/opcje.dat"
echo "check-package: passed"
