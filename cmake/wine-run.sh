#!/bin/sh
# Runs a Windows program under 64-bit Wine for CTest. Without a display a
# message box returns at once instead of waiting for a click, and Wine's
# diagnostics stay out of the test output.
unset DISPLAY
export WINEDEBUG=-all
wine=${TRALVEX_WINE64:-}
if [ -z "$wine" ]; then
  for candidate in /usr/lib/wine/wine64 /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64; do
    if [ -x "$candidate" ]; then wine=$candidate; break; fi
  done
fi
if [ -z "$wine" ]; then
  wine=$(dpkg -L wine64 2>/dev/null | grep '/wine64$' | head -n 1)
fi
if [ -z "$wine" ] || [ ! -x "$wine" ]; then
  echo "wine-run.sh: wine64 not found (install the wine64 package)" >&2
  exit 127
fi
exec "$wine" "$@"
