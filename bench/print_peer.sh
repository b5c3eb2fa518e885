#!/usr/bin/env bash
# print_peer.sh [ROWS...] -- the print benchmark side by side with gLabels 3 in one run.
#
# For each row count (default 1000 2000): writes the rows with the peer folder's make-data.py,
# prints them with our print path (bench_print_batch, Release build in build-bench/) and with
# the peer's run.sh (glabels-3-batch) on the same rows, checks the first and last pages of
# both PDFs with the peer's check-page.py, and prints one table: wall time, peak memory and
# PDF size of both, and how many times faster we are.
#
# Environment: PEER_BENCH     the peer folder (default ../shared/peer-bench beside the
#                             repository)
#              RUNS_DIR       where data, PDFs and logs go (default $TMPDIR/print-peer-runs)
#              PEER_MAX_ROWS  gLabels runs only up to this many rows (default 4000: it grows
#                             faster than linearly, 10,000 rows take minutes and gigabytes)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
PEER=${PEER_BENCH:-$ROOT/../shared/peer-bench}
RUNS=${RUNS_DIR:-${TMPDIR:-/tmp}/print-peer-runs}
PEER_MAX_ROWS=${PEER_MAX_ROWS:-4000}
if [[ $# -gt 0 ]]; then NS=("$@"); else NS=(1000 2000); fi

for n in "${NS[@]}"; do
    [[ "$n" =~ ^[0-9]+$ && "$n" -gt 0 ]] || { echo "row counts must be positive whole numbers: $n" >&2; exit 2; }
done
[[ -f "$PEER/make-data.py" && -f "$PEER/run.sh" && -f "$PEER/check-page.py" ]] || {
    echo "no peer benchmark folder at $PEER (set PEER_BENCH)" >&2
    exit 2
}
for tool in python3 pdfinfo pdftoppm pdftotext zbarimg /usr/bin/time; do
    command -v "$tool" >/dev/null || {
        echo "missing tool: $tool (apt-get install python3 poppler-utils zbar-tools time)" >&2
        exit 2
    }
done
have_peer=yes
if ! command -v glabels-3-batch >/dev/null; then
    have_peer=no
    echo "NOTE: glabels-3-batch is not installed (apt-get install glabels): only our side is measured." >&2
fi

cmake -S . -B build-bench -G Ninja -DGALAVITE_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target bench_print_batch >/dev/null
BENCH=$ROOT/build-bench/bench_print_batch
mkdir -p "$RUNS"
cd "$RUNS"

# check-page.py's "qr=10/10 code128=10/10 rows_match=yes text=10/10" -> "ok", else the
# checks that failed, such as "text=0/10".
verdict() {
    local failed=() token
    [[ -n "$1" ]] || { echo "no-check"; return; }
    for token in $1; do
        case $token in
        rows_match=yes) ;;
        rows_match=*) failed+=("cards") ;;
        *=*/*) [[ "${token#*=}" =~ ^([0-9]+)/([0-9]+)$ && ${BASH_REMATCH[1]} == "${BASH_REMATCH[2]}" ]] \
            || failed+=("$token") ;;
        esac
    done
    if [[ ${#failed[@]} -eq 0 ]]; then echo ok; else (IFS=,; echo "${failed[*]}"); fi
}

# The first and the last page of one PDF checked: "ok ok", or what failed on each.
check_pdf() { # pdf data rows
    local pages=$(( ($3 + 9) / 10 )) first last
    first=$(verdict "$(python3 "$PEER/check-page.py" "$1" "$2" 1 "check-$3" || true)")
    last=$(verdict "$(python3 "$PEER/check-page.py" "$1" "$2" "$pages" "check-$3" || true)")
    echo "$first $last"
}

# One untimed run of each first, so that every timed run starts with warm caches.
python3 "$PEER/make-data.py" 10 data-10.csv
"$BENCH" 10 ours-10.pdf data-10.csv >/dev/null 2>&1 || true
[[ $have_peer == yes ]] && { RUNS_DIR=$RUNS/peer "$PEER/run.sh" 10 >/dev/null 2>&1 || true; }

rows_out=()
for n in "${NS[@]}"; do
    data=data-$n.csv
    python3 "$PEER/make-data.py" "$n" "$data"

    /usr/bin/time -f '%e %M' -o "time-ours-$n.txt" "$BENCH" "$n" "ours-$n.pdf" "$data" >"ours-$n.log" 2>&1 \
        || echo "our run of $n rows failed: see $RUNS/ours-$n.log" >&2
    read -r our_wall our_kb <"time-ours-$n.txt" || true
    our_mib=$(awk -v k="$our_kb" 'BEGIN{printf "%.0f", k/1024}')
    our_mb=$(stat -c %s "ours-$n.pdf" 2>/dev/null | awk '{printf "%.2f", $1/1048576}')
    our_check=$(check_pdf "ours-$n.pdf" "$data" "$n")

    peer_wall=- peer_mib=- peer_mb=- peer_check=- ratio=-
    if [[ $have_peer == no ]]; then
        peer_check="glabels-3-batch missing"
    elif [[ $n -gt $PEER_MAX_ROWS ]]; then
        peer_check="skipped (> PEER_MAX_ROWS=$PEER_MAX_ROWS)"
    else
        # run.sh makes its own copy of the same deterministic rows.
        line=$(RUNS_DIR=$RUNS/peer "$PEER/run.sh" "$n" || true)
        peer_wall=$(sed -n 's/.* wall_s=\([0-9.]*\).*/\1/p' <<<"$line")
        peer_mib=$(sed -n 's/.* peak_rss_mb=\([0-9.]*\).*/\1/p' <<<"$line" | awk '{printf "%.0f", $1}')
        peer_mb=$(sed -n 's/.* pdf_mb=\([0-9.]*\).*/\1/p' <<<"$line")
        first=$(sed -n 's/.*page1: \(.*\) | last:.*/\1/p' <<<"$line")
        last=$(sed -n 's/.* | last: p[0-9]* \(.*\)$/\1/p' <<<"$line")
        peer_check="$(verdict "$first") $(verdict "${last:-$first}")"
        [[ -n "$peer_wall" ]] && ratio=$(awk -v p="$peer_wall" -v o="$our_wall" 'BEGIN{printf "%.1f x", p/o}')
    fi
    rows_out+=("$(printf '%7s | %7s %8s %8s  %-21s | %7s %8s %8s  %-21s | %s' "$n" \
        "$our_wall" "$our_mib" "$our_mb" "$our_check" "${peer_wall:--}" "${peer_mib:--}" "${peer_mb:--}" \
        "$peer_check" "$ratio")")
done

echo
echo "Print to PDF, CR80 card 10-up on A4, $(nproc) cores, $(date -u +%FT%TZ)"
echo "check: check-page.py on the first and the last page (ok, or the checks that failed)"
printf '%7s | %-47s | %-47s | %s\n' "" "Galavite" "gLabels 3 (glabels-3-batch)" ""
printf '%7s | %7s %8s %8s  %-21s | %7s %8s %8s  %-21s | %s\n' rows "wall s" "peak MiB" "PDF MiB" check \
    "wall s" "peak MiB" "PDF MiB" check "speed ratio"
printf '%s\n' "${rows_out[@]}"
[[ $have_peer == yes ]] || echo "gLabels 3 was not measured: glabels-3-batch is not installed (apt-get install glabels)."
echo "Files in $RUNS"
