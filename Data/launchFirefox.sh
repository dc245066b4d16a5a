#!/bin/sh
# Opens a web address or a local file (the help) in the user's browser.
# Velto Modem Connection starts it with one argument: the address or path.
#
# The program usually runs with administrator rights (it rewrites the dialer
# configuration). A browser should not: when started through sudo, the page
# is opened as the user who called sudo.
[ $# -eq 1 ] || { echo "usage: $0 ADDRESS-OR-FILE" >&2; exit 2; }
target=$1

as_user() {
    if [ "$(id -u)" = 0 ] && [ -n "${SUDO_USER:-}" ] && command -v sudo >/dev/null 2>&1; then
        sudo -u "$SUDO_USER" -- "$@"
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
