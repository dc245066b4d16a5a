#!/bin/sh
# Prepares a private system root in which the program can connect without a
# modem link or kernel PPP support:
#
#   tools/demodialer/make-demo-root.sh DIR [DEMODIALER]
#
# DIR gets the dialer and resolver files the program backs up and rewrites
# (etc/wvdial.conf, etc/ppp/options, etc/ppp/peers/wvdial, etc/resolv.conf),
# a var/run folder, usr/bin/wvdial linked to the demo dialer (default: the
# one in build/bin) and bin/kill linked to the system's kill. Existing files
# in DIR are kept. Then run e.g. `build/bin/velto --root DIR` together with
# `build/bin/modemsim --root DIR`.
set -eu

[ $# -ge 1 ] || { echo "usage: $0 DIR [DEMODIALER]" >&2; exit 2; }
root=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
demodialer=${2:-$here/build/bin/demodialer}
[ -x "$demodialer" ] || { echo "$0: no demo dialer at $demodialer (build the target demodialer)" >&2; exit 1; }
kill_program=/bin/kill
[ -x "$kill_program" ] || kill_program=/usr/bin/kill

mkdir -p "$root/etc/ppp/peers" "$root/var/run" "$root/usr/bin" "$root/bin" "$root/proc/net"

keep_or_write() { # FILE TEXT
    [ -e "$1" ] || printf '%s' "$2" > "$1"
}
keep_or_write "$root/etc/wvdial.conf" '[Dialer Defaults]
Modem = /dev/ttyUSB0
Baud = 115200
'
keep_or_write "$root/etc/ppp/options" '# pppd options
lock
'
keep_or_write "$root/etc/ppp/peers/wvdial" 'noauth
name wvdial
usepeerdns
'
keep_or_write "$root/etc/resolv.conf" 'nameserver 127.0.0.53
'
ln -sfn "$(cd "$(dirname "$demodialer")" && pwd)/$(basename "$demodialer")" "$root/usr/bin/wvdial"
ln -sfn "$kill_program" "$root/bin/kill"
echo "demo root ready: $root"
