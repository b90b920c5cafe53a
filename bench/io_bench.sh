#!/usr/bin/env bash
# The whole command line on a 40000-day workbook, and workbook reading and saving side by side with the bare cost of inflating the sheet,
# openpyxl (read-only mode) reading the same cells, and libxlsxwriter writing the same
# cells. Installs the comparison tools (Debian python3-openpyxl, libxlsxwriter-dev) when
# missing.
#   bench/workbook_bench.sh           full figures
#   bench/workbook_bench.sh --short   a quick run that only proves it works
set -euo pipefail
cd "$(dirname "$0")/.."
short=${1:-}
if [[ "$short" != "--short" ]]; then
  for p in python3-openpyxl libxlsxwriter-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="${missing:-} $p"
  done
  if [[ -n "${missing:-}" ]]; then
    sudo=""; [[ $(id -u) -ne 0 ]] && sudo=sudo
    $sudo apt-get install -y -qq $missing >/dev/null
  fi
fi
scripts/setup build >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
book="$work/book40000.xlsx"
build/bench/bench_workbook --make-workbook "$book"
export TARNFLOW_BENCH_WORKBOOK="$book"

if [[ "$short" == "--short" ]]; then
  build/bench/bench_workbook --benchmark_min_time=0.01 >/dev/null
  build/cli/tarnflow run "$book" --measured --text-out "$work/run.csv" >/dev/null
  cp "$book" "$work/scenario.xlsx"
  build/cli/tarnflow compare "$book" "$work/scenario.xlsx" --measured >/dev/null
  echo "workbook benchmarks ran in short mode"
  exit 0
fi

best_of() {  # best wall time in ms of N runs of a command
  local n=$1; shift
  /usr/bin/python3 - "$n" "$@" <<'PY'
import subprocess, sys, time
n = int(sys.argv[1]); cmd = sys.argv[2:]
best = min((lambda: (lambda t: (subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL), time.perf_counter() - t)[1])(time.perf_counter()))() for _ in range(n))
print(f"{best * 1000:.0f} ms")
PY
}

echo "== TARNFLOW"
build/bench/bench_workbook --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | grep -E "_(median|min)|Benchmark"
echo "== bare inflate of the sheet XML (unzip -p, best of 5): $(best_of 5 sh -c "unzip -p '$book' xl/worksheets/sheet1.xml > /dev/null")"
cat > "$work/read.py" <<'PY'
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
ws = wb.worksheets[0]
cells = [ws[a].value for a in ("F1", "F2", "H2", "F3", "F17", "F18", "X17", "X18")]
for row in ws.iter_rows(min_row=5, max_row=14, min_col=6, max_col=26, values_only=True):
    cells.extend(row)
n = 0
for c, d, e, f in ws.iter_rows(min_row=25, min_col=3, max_col=6, values_only=True):
    if d is None:
        break
    n += 1
assert n == 40000, n
PY
echo "== openpyxl read-only, same cells (best of 3): $(best_of 3 /usr/bin/python3 "$work/read.py" "$book")"
if [[ -x build/bench/xlsxwriter_save ]]; then
  echo "== libxlsxwriter constant-memory, 31 x 40000 numbers (best of 3): $(best_of 3 build/bench/xlsxwriter_save "$work/lxw.xlsx")"
fi
echo "== tarnflow run --measured --text-out, 40000 days x 10 sub-areas (3 runs):"
for i in 1 2 3; do
  /usr/bin/python3 - build/cli/tarnflow run "$book" --measured --text-out "$work/run.csv" --timings <<'PY'
import subprocess, sys, time
t = time.perf_counter()
out = subprocess.run(sys.argv[1:], check=True, capture_output=True, text=True).stdout
print(f"   total {(time.perf_counter() - t) * 1000:.0f} ms;", out.strip().splitlines()[-1])
PY
done
for i in 1 2 3 4 5 6 7 8 9; do cp "$book" "$work/scenario$i.xlsx"; done
echo "== tarnflow compare --measured, 10 workbooks of 40000 days, $(nproc) cores (best of 3): $(best_of 3 build/cli/tarnflow compare "$book" "$work"/scenario?.xlsx --measured)"
