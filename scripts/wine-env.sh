# Wine settings for running our programs: the build's own throwaway prefix,
# ANSI code page 936, no Mono/Gecko prompts, no Wine logging. Sourced.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

export WINEPREFIX=${TARNOVA_WINEPREFIX:-$TARNOVA_BUILD/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="

# zh_CN.UTF-8 makes Wine's ANSI code page 936 even where the locale is not
# generated; set per command so bash itself does not complain.
wine_cmd() { env LC_ALL=zh_CN.UTF-8 "$@"; }

# Creates the prefix once per build folder; concurrent callers wait.
ensure_wineprefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.tarnova-ready" ]; then
      rm -rf "$WINEPREFIX"
      wine_cmd wineboot -i >/dev/null 2>&1
      # Unmanaged windows: with no window manager on Xvfb, Wine would wait
      # two seconds for one whenever a top-level window is hidden.
      wine_cmd wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      wine_cmd wineserver -w
      touch "$WINEPREFIX/.tarnova-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
