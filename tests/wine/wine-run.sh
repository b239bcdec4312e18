#!/bin/sh
# Runs one Windows program under wine with a hard time limit, so that a stuck program or server
# ends the test instead of the whole run. WINEPREFIX comes from the test's environment.
#   wine-run.sh PROGRAM [ARGS...]   run a program
#   wine-run.sh --stop              stop the prefix's wineserver (none running is fine)
set -e
: "${WINEPREFIX:?WINEPREFIX must name the prefix of this build}"
if [ "$1" = "--stop" ]; then
  timeout -k 5 60 "${HARDLENS_WINESERVER:-wineserver}" -k 2>/dev/null || true
  # -k only asks; wait until the server has really gone.
  timeout -k 5 60 "${HARDLENS_WINESERVER:-wineserver}" -w 2>/dev/null || true
  exit 0
fi
exec timeout -k 10 "${HARDLENS_WINE_TIMEOUT:-150}" "${HARDLENS_WINE:-wine}" "$@"
