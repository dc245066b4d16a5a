#!/bin/sh
# Opens a web address or a local file (the help) in the user's browser.
# Velto Modem Connection starts it with one argument: the address or path.
#
# The program usually runs with administrator rights (it rewrites the dialer
# configuration). A browser should not: when started through sudo or pkexec
# (the menu entry), the page is opened as the user who started it.
[ $# -eq 1 ] || { echo "usage: $0 ADDRESS-OR-FILE" >&2; exit 2; }
target=$1

as_user() {
    user=
    if [ "$(id -u)" = 0 ]; then
        if [ -n "${SUDO_USER:-}" ]; then
            user=$SUDO_USER
        elif [ -n "${PKEXEC_UID:-}" ]; then
            user=$(id -nu "$PKEXEC_UID" 2>/dev/null) || user=
        fi
    fi
    if [ -n "$user" ] && [ "$user" != root ] && command -v runuser >/dev/null 2>&1; then
        runuser -u "$user" -- "$@"
    else
        "$@"
    fi
}

for browser in xdg-open firefox firefox-esr x-www-browser sensible-browser chromium; do
    if command -v "$browser" >/dev/null 2>&1; then
        as_user "$browser" "$target" >/dev/null 2>&1 &
        exit 0
    fi
done
echo "no web browser found to open $target" >&2
exit 1
