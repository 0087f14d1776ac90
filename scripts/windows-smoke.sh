#!/usr/bin/env bash
# Smoke test of the Windows cross-builds.
#   scripts/windows-smoke.sh        check both DLLs' export and import tables, then run the
#                                   64-bit host and DLL under Wine; then, on a desktop of
#                                   Xvfb: the command window and the
#                                   About dialog, the user-interface seam's checks, the
#                                   tutorial worksheet and every dialog script of
#                                   tests/dialogs/, each compared byte for byte with what
#                                   r7 answers on Linux, with a screenshot of each dialog
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

for preset in mingw32 mingw64 linux; do
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

# --- On a desktop: the dialogs, the seam, the worksheet, the scripts -------------------

# One desktop for everything below: Xvfb, with Wine drawing the windows' frames and
# captions itself ("Managed" off: no window manager steals the activation in the middle of
# a script, and a hidden window does not wait for one); a Wine prefix of its own (the
# headless runs above leave a wineserver without a display behind).
desktop_prefix=""
start_desktop() {  # label loader server
  local label="$1" loader="$2" server="$3"
  if ! command -v Xvfb >/dev/null || ! command -v xwd >/dev/null || ! command -v xwininfo >/dev/null ||
    ! command -v pnmtopng >/dev/null; then
    fail "$label desktop: Xvfb, xwd, xwininfo or pnmtopng missing (scripts/install-deps.sh windows)"
    return 1
  fi
  export DISPLAY=":$((90 + RANDOM % 100))"
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
  desktop_prefix="$scratch/prefix-$label-desktop"
  export WINEPREFIX="$desktop_prefix"
  wineservers+=("$server:$WINEPREFIX")
  "$loader" wineboot -i >/dev/null 2>>"$scratch/wine.log" || true
  "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>>"$scratch/wine.log" || true
  "$server" -w 2>/dev/null || true
  return 0
}

stop_desktop() {  # server
  WINEPREFIX="$desktop_prefix" "$1" -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# A path of this machine as Wine's programs see it, through drive Z:.
windows_path() {
  printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"
}

# The desktop as a person sees it, cut to the windows on it (the empty root is black): the
# screen, with each of r7win's windows pasted over it from its own image, bottom to top.
# Under Xvfb, a dialog that Wine maps over another of the same program can stay black on
# the screen although the window itself holds its painted image.
screenshot() {  # file
  local screen="$scratch/screen.pnm" window="$scratch/window.pnm" id x y
  xwd -root -silent -display "$DISPLAY" | xwdtopnm >"$screen" 2>/dev/null || return 0
  # xwininfo lists the top windows topmost first; only r7win's named, mapped ones.
  xwininfo -root -children -display "$DISPLAY" 2>/dev/null |
    sed -n 's/^ *\(0x[0-9a-f]*\) "[^"]*": ("r7win.exe".*/\1/p' | tac |
    while read -r id; do
      local info
      info="$(xwininfo -id "$id" -display "$DISPLAY" 2>/dev/null)" || continue
      grep -q 'Map State: IsViewable' <<<"$info" || continue
      x="$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")"
      y="$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")"
      [ "$x" -ge 0 ] && [ "$y" -ge 0 ] || continue
      xwd -id "$id" -silent -display "$DISPLAY" 2>/dev/null | xwdtopnm >"$window" 2>/dev/null &&
        pnmpaste "$window" "$x" "$y" "$screen" >"$screen.next" 2>/dev/null &&
        mv "$screen.next" "$screen"
    done
  pnmcrop -black <"$screen" 2>/dev/null | pnmtopng >"$1" 2>/dev/null || true
}

shots="$(mkdir -p "${R7_SCREENSHOT_DIR:-build/mingw64/screenshots}" &&
  cd "${R7_SCREENSHOT_DIR:-build/mingw64/screenshots}" && pwd)"

# The command window with R7DLLMenu and the About dialog opened through the menu's item.
expect_desktop() {  # label loader bin-dir
  local label="$1" loader="$2" dir="$3" out="$scratch/ui" status=0 shot="$shots/command-window-about.png"
  rm -f "$shot"
  (cd "$dir" && timeout 600 "$loader" ./r7win-ui-check.exe --hold 3) >"$out" 2>>"$scratch/wine.log" &
  local check_pid=$! i
  for i in $(seq 1 300); do
    grep -q '^ready' "$out" 2>/dev/null && break
    kill -0 "$check_pid" 2>/dev/null || break
    sleep 1
  done
  if grep -q '^ready' "$out"; then
    sleep 1
    screenshot "$shot"
  fi
  wait "$check_pid" || status=$?
  sed 's/^/     /' "$out"
  local passed
  passed="$(grep -c '^ok' "$out" || true)"
  if [ "$status" = 0 ] && [ "$passed" -gt 0 ] && ! grep -q '^FAIL' "$out"; then
    pass "$label desktop: code 8 shows the command window with R7DLLMenu; About opens from the menu ($passed checks)"
  else
    fail "$label desktop: exit $status"
  fi
  if [ -s "$shot" ]; then
    pass "$label desktop: screenshot saved to $shot"
  else
    fail "$label desktop: no screenshot taken"
  fi
}

# The seam's checks on real Win32 dialogs: every notification and every kind of control.
expect_seam() {  # label loader bin-dir
  local label="$1" loader="$2" dir="$3" out="$scratch/seam" status=0
  (cd "$dir" && timeout 600 "$loader" ./r7win-seam-check.exe) >"$out" 2>>"$scratch/wine.log" ||
    status=$?
  local passed
  passed="$(grep -c '^ok' "$out" || true)"
  if [ "$status" = 0 ] && [ "$passed" -gt 0 ] && ! grep -q '^FAIL' "$out"; then
    pass "$label seam: the test dialog passes every check on real Win32 controls ($passed checks)"
  else
    fail "$label seam: exit $status"
    grep -v '^ok' "$out" | sed 's/^/     /'
  fi
}

# R7.INI for both hosts: on Linux in a directory named by R7_WINDIR, under Wine in the
# prefix's Windows directory, with the same System Directory seen through drive Z:.
write_ini() {  # file system-directory
  printf '[R7 for Tessary]\r\nSystem Directory=%s\r\nCompany=00\r\nCurrent Year=2002\r\nRounding=1\r\nNA Label=0\r\nFinancial Entities File in GL Path=1\r\n' \
    "$2" >"$1"
}

linux_bin=build/linux/bin
ledger_system="$scratch/system"
mkdir -p "$scratch/linux-windir"

# A fresh tutorial company and R7.INI for each host's run of a script: scripts save R7.INI
# and change the company's own files (its budgets, its entities file).
fresh_system() {
  rm -rf "$ledger_system"
  "$linux_bin/r7-ledger" build examples/tutorial.json "$ledger_system" >/dev/null
  write_ini "$scratch/linux-windir/R7.INI" "$ledger_system"
  if [ -n "$desktop_prefix" ]; then
    mkdir -p "$desktop_prefix/drive_c/windows"
    write_ini "$desktop_prefix/drive_c/windows/R7.INI" "$(windows_path "$ledger_system")"
  fi
}
fresh_system

# A script names the system directory as %SYSTEM%: each host gets its own path for it (the
# Linux one, or the same directory through drive Z:), and %SYSTEM% is put back wherever that
# path shows in the output (escaped as the output escapes backslashes), so that both hosts
# answer alike.
with_system() {  # path: the script's lines on standard input, with %SYSTEM% filled in
  local line
  while IFS= read -r line || [ -n "$line" ]; do printf '%s\n' "${line//%SYSTEM%/"$1"}"; done
}
system_marked() {  # path-as-printed: the output on standard input, the path marked again
  local line
  while IFS= read -r line || [ -n "$line" ]; do printf '%s\n' "${line//"$1"/%SYSTEM%}"; done
}

# Runs a script under r7win, line by line, so that a "# screenshot NAME" line can catch
# the desktop as the line before it left it; other "#" lines are comments for both hosts.
run_script_under_wine() {  # loader bin-dir script output clipboard [clipboard-in]
  local loader="$1" dir="$2" script="$3" output="$4" clipboard="$5" line answer
  local system printed start=()
  system="$(windows_path "$ledger_system")"
  printed="${system//\\/\\\\}"
  if [ -n "${6:-}" ]; then start=(--clipboard-in "$(windows_path "$6")"); fi
  : >"$output"
  coproc WINE_HOST { cd "$dir" && exec timeout 600 "$loader" ./r7win.exe --clipboard "$clipboard" "${start[@]}" batch 2>>"$scratch/wine.log"; }
  local to="${WINE_HOST[1]}" from="${WINE_HOST[0]}"
  while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
      "# screenshot "*)
        sleep 1
        screenshot "$shots/${line#\# screenshot }.png"
        continue ;;
      "#"*) continue ;;
    esac
    printf '%s\n' "${line//%SYSTEM%/"$system"}" >&"$to"
    # What showed itself comes first; the line's own answer ends its output.
    while IFS= read -r answer <&"$from"; do
      printf '%s\n' "${answer//"$printed"/%SYSTEM%}" >>"$output"
      case "$answer" in box$'\t'* | file$'\t'* | folder$'\t'*) ;; *) break ;; esac
    done
  done <"$script"
  exec {to}>&-
  # The end of its input ends r7win, as a host that lets the driver go without a
  # cleanup call: it must exit promptly, not hang in the libraries' teardown.
  local pid="$WINE_HOST_PID" waited=0
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 60 ]; do
    sleep 0.5
    waited=$((waited + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$(basename "$script" .batch): r7win did not exit 30 s after its input ended"
    kill "$pid" 2>/dev/null || true
  fi
  wait "$pid" 2>/dev/null || true
}

# One script under r7 on Linux and under r7win in Wine: the same output, line for line,
# and the same clipboard. A .clipboard file beside the script is the clipboard's text at
# its start.
expect_script() {  # label loader bin-dir script
  local label="$1" loader="$2" dir="$3" script="$4" name
  name="$(basename "$script" .batch)"
  local linux_out="$scratch/$name.linux" wine_out="$scratch/$name.wine"
  local start="${script%.batch}.clipboard" linux_start=()
  # Absolute: r7win runs in its own directory and reads it through drive Z:.
  if [ -f "$start" ]; then start="$(realpath "$start")"; linux_start=(--clipboard-in "$start"); else start=""; fi
  fresh_system
  grep -v '^#' "$script" | with_system "$ledger_system" |
    R7_WINDIR="$scratch/linux-windir" "$linux_bin/r7" --clipboard "$linux_out.clip" \
      "${linux_start[@]}" batch 2>/dev/null | system_marked "$ledger_system" >"$linux_out" || true
  fresh_system
  run_script_under_wine "$loader" "$dir" "$script" "$wine_out" "$scratch/$name.wine.clip" "$start"
  if cmp -s "$linux_out" "$wine_out" && cmp -s "$linux_out.clip" "$scratch/$name.wine.clip"; then
    pass "$label script $name: r7win answers $(wc -l <"$wine_out") lines and the clipboard as r7 does"
  else
    fail "$label script $name: r7win and r7 differ"
    { diff "$linux_out" "$wine_out" || true; } | head -20 | sed 's/^/     /'
    { cmp "$linux_out.clip" "$scratch/$name.wine.clip" 2>&1 || true; } | sed 's/^/     /'
  fi
}

# The tutorial worksheet through the Windows driver and the Windows stand-in record manager.
expect_worksheet() {  # label loader bin-dir
  local label="$1" loader="$2" dir="$3"
  cp examples/tutorial-calls.txt "$scratch/tutorial.batch"
  expect_script "$label" "$loader" "$dir" "$scratch/tutorial.batch"
}

if start_desktop wine64 /usr/lib/wine/wine64 /usr/lib/wine/wineserver; then
  expect_desktop wine64 /usr/lib/wine/wine64 build/mingw64/bin
  expect_seam wine64 /usr/lib/wine/wine64 build/mingw64/bin
  expect_worksheet wine64 /usr/lib/wine/wine64 build/mingw64/bin
  for script in ${R7_SMOKE_SCRIPTS:-tests/dialogs/*.batch}; do
    expect_script wine64 /usr/lib/wine/wine64 build/mingw64/bin "$script"
  done
  # Every template a person can see (a launcher of no size shows nothing).
  for template in $(sed -n 's/^R7_DIALOG(\([A-Z_]*\), *[1-9].*/\1/p' src/resources/dialogs/*.inc); do
    png="$shots/$(echo "$template" | tr 'A-Z_' 'a-z-').png"
    if [ -s "$png" ]; then
      pass "wine64 screenshot of $template: $png"
    else
      fail "wine64 screenshot of $template: none (a script of tests/dialogs/ takes it)"
    fi
  done
  stop_desktop /usr/lib/wine/wineserver
fi
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
