# Sourced: a Wine prefix inside the build tree, a Japanese locale and a
# virtual display. Call wine_env_up BUILD_DIR, and wine_env_down when done.

RINBAN_TEST_FONT="Rinban Test PGothic"
RINBAN_TEST_FONT_FILE=rinban-test-pgothic.ttf

# Imports registry lines (after REGEDIT4) into the prefix. regedit reads
# REGEDIT4 files in the ANSI code page, which is 932 here.
wine_reg_import() {
  local reg="$WINEPREFIX/rinban.reg"
  printf '%s\r\n' 'REGEDIT4' '' "$@" '' | iconv -f UTF-8 -t CP932 >"$reg"
  wine regedit "$reg" </dev/null >/dev/null 2>&1
}

# The face Wine draws for the window's font ("ＭＳ Ｐゴシック"): the test
# font unless another is named, as the layout test with a taller face does.
wine_fonts_use() {
  local face=${1:-$RINBAN_TEST_FONT}
  wine_reg_import '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    "\"MS PGothic\"=\"$face\"" "\"ＭＳ Ｐゴシック\"=\"$face\"" '"MS UI Gothic"="IPAPGothic"' \
    '"MS Gothic"="IPAGothic"' '"ＭＳ ゴシック"="IPAGothic"'
}

wine_env_up() {
  local build=$1
  export WINEPREFIX="$build/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  # This alone gives code page 932. Quiet: a shell started before setup made
  # the locale keeps failing to load it, though Wine's processes do not.
  { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
  RINBAN_XVFB_PID=
  if [ -z "${DISPLAY:-}" ] || [ -n "${RINBAN_OWN_DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
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
    wine_reg_import '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000'
    wineserver -w
    touch "$WINEPREFIX/.rinban-ready"
  fi
  # The window's font: a copy of IPA PGothic with the real font's metrics
  # (text height = character height), made once per prefix and put in place
  # every time, should a stopped test have left another face there.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/$RINBAN_TEST_FONT_FILE" ]; then
    mkdir -p "$fonts"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/metric-font.py" \
      /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf "$fonts/$RINBAN_TEST_FONT_FILE" "$RINBAN_TEST_FONT"
  fi
  wineserver -p
  wine_fonts_use
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
