#!/bin/sh
# Does Corvella's Debian package bring everything Corvella needs at run time?
#
# A Qt program loads much of itself only when it runs: the display plugin,
# the SQLite driver, image formats, the SVG icon engine, print support, and
# fonts to draw its text with. None of these shows in the program's own
# libraries, so the package's dependencies can miss one and nothing notices
# on a developer's machine, where they are all installed anyway. This check
# installs the package the way a careful user does
# (apt-get install --no-install-recommends) into a minimal Debian 12 system
# (debootstrap --variant=minbase bookworm), starts Corvella there on a
# virtual screen and sees that it comes up and finds all it needs.
#
# How to run it (as root, on Debian 12, with network access to a Debian
# mirror; it is not part of the test run):
#
#     ./corvella.sh package
#     sudo packaging/check-minimal-install.sh [build/corvella_<version>_<arch>.deb]
#
# It installs what it needs itself (debootstrap, xvfb, xdotool, imagemagick,
# lintian). The first run makes the minimal system, which takes a few
# minutes; it is kept in $CORVELLA_MINBASE (default
# /var/tmp/corvella-minbase-bookworm) and copied afresh for every check, so
# each check starts from the untouched minimal system.
#
# Settings, from the environment:
#   MIRROR            the Debian mirror (default: the one in
#                     /etc/apt/sources.list*, else http://deb.debian.org/debian)
#   CORVELLA_MINBASE  where the minimal system is kept
#   OUT               where the log, the screenshot and the list of installed
#                     packages go (default: a folder in /var/tmp, printed)
#   KEEP=1            keep the copied system afterwards, to look around in
#
# It ends with status 0 and "PASS" when Corvella's main window came up, stayed
# up, copied its database into the user's folder and no plugin, driver or
# font was missing; otherwise "FAIL: <why>" and status 1.
set -eu

if [ "$(id -u)" -ne 0 ]; then
    echo "Run this as root (debootstrap, mount and chroot need it)." >&2
    exit 2
fi

cd "$(dirname "$0")/.."
deb="${1:-}"
if [ -z "$deb" ]; then
    # shellcheck disable=SC2012
    deb=$(ls -t build/corvella_*.deb 2>/dev/null | head -n 1 || true)
fi
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "No package found: make one with ./corvella.sh package, or name it." >&2
    exit 2
fi
deb=$(readlink -f "$deb")

tools=""
for t in debootstrap:debootstrap Xvfb:xvfb xdotool:xdotool import:imagemagick lintian:lintian; do
    command -v "${t%%:*}" >/dev/null 2>&1 || tools="$tools ${t#*:}"
done
if [ -n "$tools" ]; then
    echo "Installing:$tools"
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $tools
fi

# The mirror this machine's apt uses, so the minimal system gets the same
# packages.
apt_sources() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v '^[[:space:]]*#'
}
if [ -z "${MIRROR:-}" ]; then
    MIRROR=$(apt_sources | grep -Eo 'https?://[^ ]*/debian/?( |$)' | head -n 1 | tr -d ' ' || true)
    MIRROR="${MIRROR:-http://deb.debian.org/debian}"
fi
SECURITY=$(apt_sources | grep -Eo 'https?://[^ ]*/debian-security/?' | head -n 1 || true)
SECURITY="${SECURITY:-http://deb.debian.org/debian-security}"

base="${CORVELLA_MINBASE:-/var/tmp/corvella-minbase-bookworm}"
if [ ! -f "$base/etc/debian_version" ]; then
    echo "Making a minimal Debian 12 system in $base (from $MIRROR)..."
    rm -rf "$base.partial"
    debootstrap --variant=minbase bookworm "$base.partial" "$MIRROR"
    mv "$base.partial" "$base"
fi

OUT="${OUT:-$(mktemp -d /var/tmp/corvella-check-result.XXXXXX)}"
mkdir -p "$OUT"
work=$(mktemp -d /var/tmp/corvella-check.XXXXXX)
root="$work/root"
xvfb_pid=""
app_pid=""
mounted=""

cleanup() {
    for pid in $app_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for m in $mounted; do
        umount -l "$m" 2>/dev/null || true
    done
    if [ "${KEEP:-0}" = 1 ]; then
        echo "The system checked is kept in $root." >&2
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT INT TERM

fail() {
    echo "FAIL: $*"
    echo "(log, screenshot and package list in $OUT)"
    exit 1
}

echo "Copying the minimal system..."
cp -a "$base" "$root"
mount -t proc proc "$root/proc" && mounted="$root/proc $mounted"
mount --bind /dev "$root/dev" && mounted="$root/dev $mounted"
mount --bind /dev/pts "$root/dev/pts" && mounted="$root/dev/pts $mounted"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cat >"$root/etc/apt/sources.list" <<EOF
deb $MIRROR bookworm main
deb $MIRROR bookworm-updates main
deb $SECURITY bookworm-security main
EOF

in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"
}

echo "Installing $(basename "$deb") with --no-install-recommends..."
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "/tmp/$(basename "$deb")" >"$OUT/apt.log" 2>&1 || {
    cat "$OUT/apt.log"
    fail "the package does not install"
}
# shellcheck disable=SC2016
in_root dpkg-query -W -f '${Package} ${Version}\n' >"$OUT/installed.txt"
echo "$(wc -l <"$OUT/installed.txt") packages in the system."

# The SQLite driver, without a display: the tool makes a database with it.
in_root env QT_DEBUG_PLUGINS=1 corvella-mkdb /tmp/probe.cvl >"$OUT/mkdb.log" 2>&1 ||
    fail "corvella-mkdb cannot make a database: $(cat "$OUT/mkdb.log")"

# A user of the system, who starts Corvella for the first time.
in_root useradd --create-home --uid 4711 keeper
in_root install -d -m 0700 -o keeper /run/user/4711

# The virtual screen runs outside; its socket is shared into the system.
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" && mounted="$root/tmp/.X11-unix $mounted"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.2
done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=":$(cat "$work/display")"

echo "Starting Corvella on $display..."
chroot --userspec=4711:4711 "$root" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME=/home/keeper \
    USER=keeper XDG_RUNTIME_DIR=/run/user/4711 DISPLAY="$display" QT_DEBUG_PLUGINS=1 \
    corvella >"$OUT/corvella.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 60); do
    kill -0 "$app_pid" 2>/dev/null || break
    window=$(DISPLAY="$display" xdotool search --onlyvisible --name '^Corvella' 2>/dev/null |
        head -n 1 || true)
    [ -n "$window" ] && break
    sleep 1
done
sleep 3 # the splash goes, the main window settles
DISPLAY="$display" import -window root "$OUT/screen.png" 2>/dev/null || true

kill -0 "$app_pid" 2>/dev/null || fail "Corvella ended at once: $(tail -n 5 "$OUT/corvella.log")"
[ -n "$window" ] || fail "no Corvella window came up within a minute"

# What a missing package shows as. (Qt also tries libXcursor for the
# desktop's cursor theme and does without it: that one is no fault.)
for sign in "Could not load the Qt platform plugin" "Could not find the Qt platform plugin" \
    "driver not loaded" "plugins/.*cannot load" "plugins/.*failed" \
    "Cannot find font directory" "Fontconfig error"; do
    if grep -qi "$sign" "$OUT/corvella.log"; then
        fail "$(grep -i -m 1 "$sign" "$OUT/corvella.log")"
    fi
done
# The first start copies the pristine database into the user's folder.
[ -s "$root/home/keeper/.local/share/Corvella/CORVELLA.CVL" ] ||
    fail "no database was copied into the user's folder"
# The plugins it loaded: the display, the SVG pictures and icons, and (in
# the tool) the SQLite driver.
for plugin in platforms/libqxcb imageformats/libqsvg iconengines/libqsvgicon \
    sqldrivers/libqsqlite; do
    grep -q "$plugin.so\" loaded library" "$OUT/corvella.log" "$OUT/mkdb.log" ||
        fail "the plugin $plugin was not loaded"
done
# The plugins the program uses are there.
if ! in_root sh -c 'ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so \
        /usr/lib/*/qt6/plugins/sqldrivers/libqsqlite.so \
        /usr/lib/*/qt6/plugins/imageformats/libqsvg.so \
        /usr/lib/*/qt6/plugins/iconengines/libqsvgicon.so \
        /usr/lib/*/qt6/plugins/printsupport/libcupsprintersupport.so' >/dev/null 2>&1; then
    fail "a plugin is missing from the system: $(in_root sh -c 'ls /usr/lib/*/qt6/plugins/*/' 2>&1 | tr '\n' ' ')"
fi
# Every plugin in the system loads: no library it needs is missing.
# shellcheck disable=SC2016
missing=$(in_root sh -c 'for f in /usr/lib/*/qt6/plugins/*/*.so; do
        ldd "$f" | grep -q "not found" && echo "$f: $(ldd "$f" | grep "not found" | tr -s " \t" " ")"
    done' || true)
[ -z "$missing" ] || fail "plugins that cannot load: $missing"

echo "lintian:"
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with the package"

echo "PASS: Corvella started in a minimal Debian 12 system (window $window on $display)."
echo "(log, screenshot and package list in $OUT)"
