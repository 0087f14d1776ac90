#!/usr/bin/env bash
# Smoke test of the Windows cross-builds.
#   scripts/windows-smoke.sh        check both DLLs' export and import tables, then run the
#                                   64-bit host and DLL under Wine, then the command window
#                                   and About dialog under Wine on Xvfb, with a screenshot
#                                   saved to build/mingw64/screenshots/ (R7_SCREENSHOT_DIR)
#   scripts/windows-smoke.sh --32   also run the 32-bit host and DLL under Wine (needs the
#                                   32-bit Wine loader: scripts/install-deps.sh wine32)
# Builds the mingw32 and mingw64 presets first (nothing to do when they are up to date).
set -euo pipefail
cd "$(dirname "$0")/.."

run32=0
for arg in "$@"; do
  case "$arg" in
    --32) run32=1 ;;
    -h|--help) sed -n '2,7p' "$0"; exit 0 ;;
    *) echo "windows-smoke: unknown option '$arg'" >&2; exit 2 ;;
  esac
done

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

for preset in mingw32 mingw64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done

# --- The export and import tables -------------------------------------------------------

# System DLLs the driver and the host may import; a MinGW runtime DLL (libstdc++, libgcc,
# libwinpthread) would be missing on the add-in's machine.
system_dlls='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|SHELL32|ADVAPI32|OLE32|VERSION|msvcrt)\.dll$'

check_tables() {  # objdump binary expected-exports(space-separated, sorted or empty)
  local objdump="$1" binary="$2" expected="$3" name
  local dump
  dump="$("$objdump" -p "$binary")"
  if [ -n "$expected" ]; then
    local exports
    exports="$(printf '%s\n' "$dump" |
      sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
      sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ' | sed 's/ $//')"
    if [ "$exports" = "$expected" ]; then
      pass "$(basename "$binary") exports exactly: $exports"
    else
      fail "$(basename "$binary") exports '$exports', expected '$expected'"
    fi
  fi
  local imports bad=()
  imports="$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u)"
  while read -r name; do
    [ -z "$name" ] && continue
    printf '%s\n' "$name" | grep -Eqi "$system_dlls" || bad+=("$name")
  done <<<"$imports"
  if [ "${#bad[@]}" -eq 0 ] && [ -n "$imports" ]; then
    pass "$(basename "$binary") imports only system DLLs: $(echo $imports)"
  else
    fail "$(basename "$binary") imports non-system DLLs: ${bad[*]:-(no import table)}"
  fi
}

exports='DLLCleanupFunc R7DLLInterface'
check_tables i686-w64-mingw32-objdump build/mingw32/bin/R7TESS32.DLL "$exports"
check_tables i686-w64-mingw32-objdump build/mingw32/bin/r7win.exe ""
check_tables x86_64-w64-mingw32-objdump build/mingw64/bin/R7TESS64.DLL "$exports"
check_tables x86_64-w64-mingw32-objdump build/mingw64/bin/r7win.exe ""

# --- Calls under Wine -------------------------------------------------------------------

scratch="$(mktemp -d)"
wineservers=()
xvfb_pid=""
cleanup() {
  local server
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  for server in "${wineservers[@]}"; do
    WINEPREFIX="${server#*:}" "${server%%:*}" -k 2>/dev/null || true
  done
  rm -rf "$scratch"
}
trap cleanup EXIT

# A fresh prefix; no Mono or Gecko installers, no debugger dialog on a crash.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

expect_call() {  # label loader bin-dir code expected-status expected-bytes(printf format)
  local label="$1" loader="$2" dir="$3" code="$4" want_status="$5" want_format="$6"
  local out="$scratch/out" want="$scratch/want" status=0
  printf "$want_format" >"$want"
  (cd "$dir" && timeout 600 "$loader" ./r7win.exe call "$code") >"$out" 2>>"$scratch/wine.log" ||
    status=$?
  if [ "$status" = "$want_status" ] && cmp -s "$out" "$want"; then
    pass "$label call $code: exit $status, output '$want_format'"
  else
    fail "$label call $code: exit $status (want $want_status), output:"
    od -c "$out" | head -8
    echo "   wanted:"
    od -c "$want" | head -8
    tail -5 "$scratch/wine.log"
  fi
}

expect_platform() {  # label loader bin-dir: the Win32 platform layer's own checks
  local label="$1" loader="$2" dir="$3" out="$scratch/platform" status=0
  (cd "$dir" && timeout 600 "$loader" ./r7win-platform-check.exe) >"$out" 2>>"$scratch/wine.log" ||
    status=$?
  local passed
  passed="$(grep -c '^ok' "$out" || true)"
  if [ "$status" = 0 ] && [ "$passed" -gt 0 ] && ! grep -q '^FAIL' "$out"; then
    pass "$label platform layer: $passed checks (profiles, files, libraries, locale, clipboard, clock)"
  else
    fail "$label platform layer: exit $status"
    grep -v '^ok' "$out" | sed 's/^/     /'
  fi
}

version='R7 DLL Version 4.0.0.4 for Tessary, Btrieve/Pervasive, August, 2002\r\n'
rejected='R7 [Tessary] The command/request was not processed -  '

run_under_wine() {  # label loader wineserver bin-dir [WINEARCH]
  local label="$1" loader="$2" server="$3" dir="$4" arch="${5:-}"
  if [ ! -x "$loader" ]; then
    fail "$label: no Wine loader at $loader"
    return
  fi
  export WINEPREFIX="$scratch/prefix-$label"
  if [ -n "$arch" ]; then export WINEARCH="$arch"; else unset WINEARCH; fi
  wineservers+=("$server:$WINEPREFIX")
  expect_call "$label" "$loader" "$dir" 125 0 "$version"
  expect_call "$label" "$loader" "$dir" 7 1 "$rejected"
  expect_platform "$label" "$loader" "$dir"
}

run_under_wine wine64 /usr/lib/wine/wine64 /usr/lib/wine/wineserver build/mingw64/bin

# --- The command window and the About dialog on a desktop ---------------------------------

# The headless runs above leave a wineserver without a display behind; a program started
# under Xvfb must get a server of its own.
expect_desktop() {  # label loader wineserver bin-dir
  local label="$1" loader="$2" server="$3" dir="$4"
  local out="$scratch/ui" shots="${R7_SCREENSHOT_DIR:-build/mingw64/screenshots}"
  if ! command -v Xvfb >/dev/null || ! command -v xwd >/dev/null || ! command -v pnmtopng >/dev/null; then
    fail "$label desktop: Xvfb, xwd or pnmtopng missing (scripts/install-deps.sh windows)"
    return
  fi
  WINEPREFIX="$scratch/prefix-$label" "$server" -k 2>/dev/null || true
  local display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
  local status=0 shot
  mkdir -p "$shots"
  shot="$(cd "$shots" && pwd)/command-window-about.png"
  rm -f "$shot"
  (cd "$dir" && DISPLAY="$display" WINEPREFIX="$scratch/prefix-$label" timeout 600 \
    "$loader" ./r7win-ui-check.exe --hold 3) >"$out" 2>>"$scratch/wine.log" &
  local check_pid=$!
  local i
  for i in $(seq 1 300); do
    grep -q '^ready' "$out" 2>/dev/null && break
    kill -0 "$check_pid" 2>/dev/null || break
    sleep 1
  done
  if grep -q '^ready' "$out"; then
    sleep 1
    xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$shot" 2>/dev/null || true
  fi
  wait "$check_pid" || status=$?
  WINEPREFIX="$scratch/prefix-$label" DISPLAY="$display" "$server" -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
  sed 's/^/     /' "$out"
  local passed
  passed="$(grep -c '^ok' "$out" || true)"
  if [ "$status" = 0 ] && [ "$passed" -gt 0 ] && ! grep -q '^FAIL' "$out"; then
    pass "$label desktop: code 8 shows the command window with R7DLLMenu; About opens from the menu ($passed checks)"
  else
    fail "$label desktop: exit $status"
  fi
  if [ -s "$shot" ]; then
    pass "$label desktop: screenshot saved to $shot ($(wc -c <"$shot") bytes)"
  else
    fail "$label desktop: no screenshot taken"
  fi
}

expect_desktop wine64 /usr/lib/wine/wine64 /usr/lib/wine/wineserver build/mingw64/bin
if [ "$run32" = 1 ]; then
  if [ -x /usr/lib/wine/wine ]; then
    run_under_wine wine32 /usr/lib/wine/wine /usr/lib/wine/wineserver build/mingw32/bin win32
  else
    fail "wine32: the 32-bit Wine loader is missing (scripts/install-deps.sh wine32 installs it)"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "windows-smoke: $failures check(s) failed" >&2
  exit 1
fi
echo "windows-smoke: all checks passed"
