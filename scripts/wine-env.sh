# Sourced: a Wine prefix inside the build tree, a Japanese locale and a
# virtual display. Call wine_env_up BUILD_DIR, and wine_env_down when done.

wine_env_up() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  export LC_ALL=ja_JP.UTF-8   # this alone gives code page 932
  RINBAN_XVFB_PID=
  if [ -z "${DISPLAY:-}" ] || [ -n "${RINBAN_OWN_DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    RINBAN_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 || { echo "wine-env: the virtual display did not start" >&2; return 1; }
  fi
  if [ ! -f "$WINEPREFIX/.rinban-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local reg="$WINEPREFIX/rinban.reg"
    printf '%s\r\n' 'REGEDIT4' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"MS PGothic"="IPAPGothic"' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' \
      '"MS UI Gothic"="IPAPGothic"' \
      '"MS Gothic"="IPAGothic"' \
      '"ＭＳ ゴシック"="IPAGothic"' '' \
      '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' \
      '"ShowCrashDialog"=dword:00000000' '' >"$reg.utf8"
    # regedit reads REGEDIT4 files in the ANSI code page, which is 932 here
    iconv -f UTF-8 -t CP932 "$reg.utf8" >"$reg"
    wine regedit "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.rinban-ready"
  fi
  wineserver -p
  # A virtual display has no window manager; Wine's managed windows then wait
  # for focus events that never come, about 2 s after every dialog.
  local managed=Y
  [ -n "$RINBAN_XVFB_PID" ] && managed=N
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f </dev/null >/dev/null 2>&1 || true
  # Start Wine's services now, detached from any pipe: ctest waits for every
  # process that holds its output pipe, and these outlive the test.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_env_down() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${RINBAN_XVFB_PID:-}" ]; then
    kill "$RINBAN_XVFB_PID" 2>/dev/null || true
    wait "$RINBAN_XVFB_PID" 2>/dev/null || true
  fi
}
