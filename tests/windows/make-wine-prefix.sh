#!/bin/sh
# Creates the Wine prefix named by WINEPREFIX, or starts a fresh session in it.
# usage: make-wine-prefix.sh WINE   (an empty WINE: Wine was not found, the tests skip)
wine=$1
if [ -z "$wine" ] || [ ! -x "$wine" ]; then
  echo "SKIPPED: Wine not found; install it (scripts/install-deps windows) and configure again"
  exit 77
fi
export WINEDEBUG=-all
# A session of an earlier test run must end first: booting a running session again starts its
# services a second time, and the duplicates crash with messages on the tests' standard error.
"$(dirname "$wine")/wineserver" -w
exec "$wine" wineboot -i
