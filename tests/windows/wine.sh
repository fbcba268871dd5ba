#!/usr/bin/env bash
# Runs a Windows program of the build under wine, in the wine prefix that
# WINEPREFIX names (the tests' own, in the build folder), quietly and
# without the installers wine would offer for .NET and HTML.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name a wine prefix}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exec wine "$@"
