#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillery Pro under Wine on this machine's
# display, with every font of the machine, in a Wine prefix of its own (build/run-prefix)
# that the tests never touch. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QL_BUILD_DIR:-build}"
mkdir -p "$build"
build="$(cd "$build" && pwd)"

# Set-up runs again only when its script or the installed packages changed.
setup_key() { echo "$(sha256sum scripts/setup.sh | cut -d' ' -f1) $(stat -c %Y /var/lib/dpkg/status 2>/dev/null)"; }
if [ "$(cat "$build/.setup-done" 2>/dev/null)" != "$(setup_key)" ]; then
  bash scripts/setup.sh
  setup_key >"$build/.setup-done"
fi

# Wine draws its windows on an X display.
if [ -z "${QL_RUN_VIRTUAL:-}" ]; then
  if [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<'MSG'
No display: DISPLAY is not set, so Quillery Pro cannot show its window here.
To see it, run this command in a graphical session (an X desktop, or Wayland with Xwayland),
over "ssh -X" from a machine with an X server, or in a remote desktop (VNC, RDP).
Starting it on a virtual display (Xvfb) instead, where its window is not visible.
MSG
    exec env QL_RUN_VIRTUAL=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
  fi
  if ! said="$(xdpyinfo -display "$DISPLAY" 2>&1 >/dev/null)"; then
    # Xlib names refusals (authorisation); a missing server it does not name.
    reason="$(grep -v -e 'unable to open display' -e '^\s*$' <<<"$said" | paste -sd' ' || true)"
    if [ -z "$reason" ]; then
      num="${DISPLAY#*:}"
      num="${num%%.*}"
      if [[ "$DISPLAY" == :* || "$DISPLAY" == unix:* ]] && [ ! -S "/tmp/.X11-unix/X$num" ]; then
        reason="no X server runs there (no socket /tmp/.X11-unix/X$num)"
      else
        reason="the X server does not answer"
      fi
    fi
    echo "Cannot open display \"$DISPLAY\": $reason." >&2
    echo "Check that its X server runs and that this user may use it (xhost, XAUTHORITY)." >&2
    exit 1
  fi
fi

bash scripts/build.sh --target QuilleryPro XMoorline qlprobe
bin="$build/bin"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# The machine's own font set (its fontconfig configuration), not the tests' fixed one, and
# Wine's own fonts, which frame controls draw their glyphs with.
export FONTCONFIG_FILE="${FONTCONFIG_FILE:-$PWD/scripts/run-fonts.conf}"
export WINEPREFIX="${WINEPREFIX:-$build/run-prefix}"
export WINEARCH=win32 WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX (once)..." >&2
  wineboot -i >/dev/null 2>&1
fi
# The library's classes are registered again whenever the library was rebuilt.
if [ ! "$WINEPREFIX/.xmoorline-registered" -nt "$bin/XMoorline.dll" ]; then
  if wine regsvr32 /s "$(winpath "$bin/XMoorline.dll")"; then
    touch "$WINEPREFIX/.xmoorline-registered"
  else
    echo "XMoorline.dll could not be registered; the program creates its classes from the copy beside it." >&2
  fi
fi

if [ -z "${QL_RUN_VIRTUAL:-}" ]; then
  exec wine "$bin/QuilleryPro.exe" "$@"
fi

# On the virtual display: wait for the main window, take a picture of it, close it.
shot="$build/run-screenshot.png"
rm -f "$shot"
set +e
wine "$bin/qlprobe.exe" start --caption "Quillery Pro " --shot "$(winpath "$shot")" --close --timeout 120 \
  -- "$(winpath "$bin/QuilleryPro.exe")" "$@" >/dev/null
rc=$?
set -e
# The display ends with this script; Wine's desktop process must not outlive it.
timeout 60 wineserver -w || true
if [ -f "$shot" ]; then
  echo "Quillery Pro ran on a virtual display, where its window is not visible;" >&2
  echo "a picture of that screen is saved in $shot, and the program was closed again." >&2
else
  echo "Quillery Pro ran on a virtual display; no picture of it could be taken." >&2
fi
exit "$rc"
