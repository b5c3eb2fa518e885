#!/usr/bin/env bash
# Peak memory of opening a design with a large rows table, by two builds of the benchmark in one
# run (an older build first, then this one), against the same file:
#   bench/design_rows.sh OLD_BENCH NEW_BENCH [ROWS [CELLS CHARACTERS]]
# With CELLS and CHARACTERS each row holds that many cells of that many characters (12 cells of
# 1 character is the shape that costs the most per byte of file); without, one column of names.
set -euo pipefail
old=$1 new=$2 rows=${3:-1000000}
shift $(($# < 3 ? $# : 3))
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$new" --write-rows "$rows" "$folder/rows.dcard" "$@"
for build in "$old" "$new"; do
  echo "== $build"
  /usr/bin/time -f "   %e s wall, maximum resident %M KiB" "$build" --open "$folder/rows.dcard"
done
