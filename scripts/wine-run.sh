#!/usr/bin/env bash
# Runs a Windows executable under wine64 with the prefix and display that the
# test script prepared (QL_WINEPREFIX, DISPLAY); falls back to a private prefix.
export WINEPREFIX="${QL_WINEPREFIX:-${WINEPREFIX:-$HOME/.cache/quillon-wine}}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
