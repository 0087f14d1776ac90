#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer with AddressSanitizer and UBSan), makes each
# one's seed corpus from the project's own test cases, replays the findings kept as
# regression inputs, then runs every target for the given time.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (60 seconds per target; every target by default)
# R7_FUZZ_JOBS=N runs N worker processes per target (libFuzzer's -fork). A crash, a leak, a
# timeout or a broken property fails the run; its input is left in build/fuzz/findings/.
# Each target's corpus grows in build/fuzz/corpus/ from run to run.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${1:-60}"
shift || true

scripts/install-deps.sh linux fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build="$root/build/fuzz"
mapfile -t all_targets < <(sed -n 's/^\([a-z_]*\): .*/\1/p' fuzz/seed_sources.txt)
targets=("${@:-${all_targets[@]}}")

# Every string literal of the seed files (or each line of a text file, and the file whole)
# as one input, its C escapes undone.
make_seeds() {
  local target="$1" out="$build/seeds/$1" n=0 file literal
  rm -rf "$out" && mkdir -p "$out"
  for file in $(sed -n "s/^$target: //p" fuzz/seed_sources.txt); do
    case "$file" in
      *.txt | *.batch | *.clipboard)
        cp "$file" "$out/whole-$(basename "$file")"
        while IFS= read -r literal; do
          [ -n "$literal" ] && printf '%s' "$literal" >"$out/line-$((n++))"
        done <"$file"
        ;;
      *)
        while IFS= read -r literal; do
          literal="${literal:1:${#literal}-2}"
          [ -n "$literal" ] && printf '%b' "${literal//\\\"/\"}" >"$out/literal-$((n++))"
        done < <(grep -ohE '"([^"\\]|\\.)*"' "$file")
        ;;
    esac
  done
}

failed=()
total_runs=0
for target in "${targets[@]}"; do
  binary="$build/bin/fuzz-$target"
  [ -x "$binary" ] || { echo "fuzz: no target $target" >&2; exit 2; }
  make_seeds "$target"
  corpus="$build/corpus/$target" findings="$build/findings/$target" log="$build/logs/$target.log"
  mkdir -p "$corpus" "$findings" "$build/logs"
  # The targets' scratch files (R7.INI, the export's ledger) in memory when there is room.
  scratch="$build/tmp"
  [ -d /dev/shm ] && [ -w /dev/shm ] && scratch="/dev/shm/r7-fuzz-$$"
  export TMPDIR="$scratch/$target"
  rm -rf "$TMPDIR" && mkdir -p "$TMPDIR"

  # The findings of earlier runs, kept as regression inputs, must pass first.
  if [ -d "fuzz/regressions/$target" ] && ! "$binary" -runs=1 "fuzz/regressions/$target"/* \
      >"$log" 2>&1; then
    echo "fuzz: $target fails a regression input (see $log)" >&2
    failed+=("$target")
    continue
  fi

  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -print_final_stats=1
           -dict="fuzz/dict/$target.dict" -artifact_prefix="$findings/")
  [ -n "${R7_FUZZ_JOBS:-}" ] && options+=(-fork="$R7_FUZZ_JOBS" -ignore_crashes=0)
  if nice -n 10 "$binary" "${options[@]}" "$corpus" "$build/seeds/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    runs="${runs:-$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')}"
    total_runs=$((total_runs + ${runs:-0}))
    echo "fuzz: $target: ${runs:-?} runs in ${seconds}s, corpus $(ls "$corpus" | wc -l) inputs"
  else
    echo "fuzz: $target FOUND A FAULT (see $log; input in $findings/)" >&2
    grep -E 'ERROR|property failed|SUMMARY' "$log" | head -5 >&2 || true
    failed+=("$target")
  fi
  rm -rf "$TMPDIR"
done
rm -rf "/dev/shm/r7-fuzz-$$"

echo "fuzz: $total_runs runs over ${#targets[@]} targets"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
