#!/usr/bin/env bash
# bench/largest_import.sh [LOW_SIDE HIGH_SIDE | --sides SIDE...]: the largest model the
# shipped 32-bit module imports. korvalume-host.exe (the win32 build, under wine, started as
# scripts/demo --win32 starts it) imports generated square grid OBJ files of SIDE x SIDE quads
# (2 x SIDE^2 triangles) through the tool button. A bisection on SIDE finds the largest grid
# whose import opens a whole document and the smallest that ends with an alert (defaults 1000
# and 4000, which must import and fail). Every run must end one of those two ways, with no
# leak, nothing left at the temporary path and the exit status of a normal run; any other end
# stops the search with the host's report. With --sides, only those grids are imported, each
# shown the same way. Scratch files go to /dev/shm (KV_BENCH_TMPDIR chooses another folder);
# each OBJ file is deleted after its run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/win32-run"
source "$root/scripts/bench-scratch"
sides=()
if [ "${1:-}" = --sides ]; then
  shift
  sides=("$@")
  [ ${#sides[@]} -gt 0 ] || { echo "--sides needs at least one side" >&2; exit 2; }
else
  low="${1:-1000}"
  high="${2:-4000}"
fi

"$root/scripts/setup"
# The grid maker and the launcher that measures a run: the native benchmark build.
native="$root/build/native-release"
cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_BENCH=ON \
  -DKV_BUILD_TESTS=OFF >/dev/null
cmake --build "$native" -j3 --target kv_make_grid_obj kv_run_measured >/dev/null
# The product tree, as scripts/demo --win32 builds it.
kv_win32_build "$root" 3

scratch="$(mktemp -d "$(kv_bench_scratch_root)/kv-largest.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/temp"

host="$kv_win32/bin/korvalume-host.exe"
# A 32-bit program that is not large-address-aware has 2 GB of address space, under wine too.
characteristics="$(i686-w64-mingw32-objdump -p "$host" | sed -n '/^Characteristics/,/^$/p')"
if grep -qi 'large address aware' <<<"$characteristics"; then
  echo "korvalume-host.exe: large-address-aware (4 GB of address space under 64-bit wine)"
else
  echo "korvalume-host.exe: not large-address-aware (2 GB of address space)"
fi
memory="$(awk '/^MemTotal:/ {printf "%d", $2 / 1048576}' /proc/meminfo)"  # kB to GB (2^30 bytes)
echo "machine: $(nproc) cores, $memory GB, $(wine --version)"

# run_side SIDE: one import of the SIDE x SIDE grid. Prints one row and sets verdict to
# "imported", "refused" or "FAULT".
run_side() {
  local side="$1"
  local triangles=$((2 * side * side))
  local obj="$scratch/grid-$side.obj"
  local report="$scratch/report-$side.txt"
  local stats="$scratch/stats-$side.txt"
  "$native/bin/kv_make_grid_obj" "$obj" "$triangles"
  local bytes
  bytes="$(stat -c %s "$obj")"
  local status=0
  kv_win32_launcher=("$native/bin/kv_run_measured" --detached korvalume-host.exe "$report" "$stats")
  kv_win32_import "$scratch/temp" --click ADBE:Korvalume --answer "$(winepath -w "$obj")" \
    2>"$scratch/stderr.txt" || status=$?
  rm -f "$obj"
  sed -i 's/\r$//' "$report"  # the Windows program ends its lines with CR LF
  local seconds=0 peak=0
  read -r seconds peak <"$stats" || true
  local documents alerts whole left prc
  documents="$(grep -c '^document ' "$report" || true)"
  alerts="$(grep -c '^alert: ' "$report" || true)"
  whole="$(grep -c "^document \"Model\": PRC stream [0-9]* bytes, model: $triangles triangles .*; coordinates cover every index" "$report" || true)"
  left="$(ls -A "$scratch/temp")"
  prc="$(sed -n 's/^document .*PRC stream \([0-9]*\) bytes.*/\1/p' "$report")"
  verdict=FAULT
  if [ "$status" = 0 ] && grep -qx 'leaks: none' "$report" && [ -z "$left" ]; then
    if [ "$documents" = 1 ] && [ "$whole" = 1 ] && [ "$alerts" = 0 ]; then
      verdict=imported
    elif [ "$documents" = 0 ] && [ "$alerts" = 1 ] && ! grep -q '^document not opened' "$report"; then
      verdict=refused
    fi
  fi
  printf '%6d %10d %11d  %-8s %11s %9d %7.1f  %s\n' "$side" "$triangles" "$bytes" "$verdict" \
    "${prc:--}" "$((peak / 1024))" "$seconds" \
    "$(grep -E '^(alert|document not opened)' "$report" | head -1)"
  if [ "$verdict" = FAULT ]; then
    echo "exit status $status; left at the temporary path: ${left:-nothing}; the host's report:"
    cat "$report" "$scratch/stderr.txt"
  fi
}

echo "  side  triangles   OBJ bytes  verdict  PRC bytes peak MiB       s  alert"
if [ ${#sides[@]} -gt 0 ]; then
  for side in "${sides[@]}"; do
    run_side "$side"
  done
  exit 0
fi
run_side "$low"
[ "$verdict" = imported ] || { echo "the low side $low must import" >&2; exit 1; }
cp "$scratch/report-$low.txt" "$scratch/imported.txt"
run_side "$high"
[ "$verdict" = refused ] || { echo "the high side $high must be refused" >&2; exit 1; }
cp "$scratch/report-$high.txt" "$scratch/refused.txt"
while [ $((high - low)) -gt 1 ]; do
  mid=$(((low + high) / 2))
  run_side "$mid"
  case "$verdict" in
    imported) low="$mid"; cp "$scratch/report-$mid.txt" "$scratch/imported.txt" ;;
    refused) high="$mid"; cp "$scratch/report-$mid.txt" "$scratch/refused.txt" ;;
    *) exit 1 ;;
  esac
done
echo
echo "largest imported: side $low, $((2 * low * low)) triangles"
grep -E '^(document|alert|leaks)' "$scratch/imported.txt"
echo "smallest refused: side $high, $((2 * high * high)) triangles"
grep -E '^(document|alert|leaks)' "$scratch/refused.txt"
