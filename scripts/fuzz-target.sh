#!/usr/bin/env bash
# Runs one libFuzzer target from build/fuzz/<name>, where it finds its
# resources: ../guiRes there links to the fuzz build's copy, as ../guiRes
# does for the program in build/bin. Seeded from fuzz/corpus/<name>.
#
#   fuzz-target.sh run <target> <name> <seconds> <jobs>
#     new inputs go to build/fuzz/<name>/corpus, crashes to artifacts/, the
#     workers' logs (fuzz-<n>.log) to the folder itself
#   fuzz-target.sh check <target> <name> <runs>
#     a short run from the corpus alone, whose new inputs are dropped: it
#     fails unless the run covers more than the corpus does (a target whose
#     set-up failed returns at once on every input and covers nothing new).
#     It is bounded by a count of inputs past the corpus from a fixed seed,
#     not by seconds: on a loaded machine reading the corpus alone can take
#     longer than any short time, and the outcome must not hang on the load.
set -euo pipefail
mode=$1 target=$(realpath "$2") name=$3 bound=$4 jobs=${5:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build/fuzz/$name
seeds=$root/fuzz/corpus/$name
mkdir -p "$dir/corpus" "$dir/artifacts"

# The link is replaced by a rename, so targets started side by side never
# find it missing.
resources=$(dirname "$(dirname "$target")")/guiRes
link=$root/build/fuzz/guiRes
if [ "$(readlink "$link" 2>/dev/null)" != "$resources" ]; then
  ln -sfn "$resources" "$link.$$"
  mv -T "$link.$$" "$link"
fi
cd "$dir"

if [ "$mode" = run ]; then
  exec "$target" -max_total_time="$bound" -jobs="$jobs" -workers="$jobs" -artifact_prefix=artifacts/ \
    corpus "$seeds"
fi

fresh=$dir/check-corpus
log=$dir/check.log
rm -rf "$fresh"
mkdir -p "$fresh"
status=0
runs=$(( bound + $(find "$seeds" -type f | wc -l) ))
"$target" -seed=1 -runs="$runs" -artifact_prefix=artifacts/ "$fresh" "$seeds" >"$log" 2>&1 || status=$?
rm -rf "$fresh"
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log"
  echo "fuzz_$name stopped with status $status (log: $log)"
  exit 1
fi
# "#N INITED cov: C ft: F ..." once the corpus is read; the last "cov:" line
# is where the run ended.
read -r seedCov seedFt < <(sed -n 's/.*INITED cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p' "$log" | head -n 1)
read -r endCov endFt < <(sed -n 's/.* cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p' "$log" | tail -n 1)
echo "fuzz_$name: the corpus covers $seedCov edges ($seedFt features), $bound inputs past it $endCov ($endFt)"
if [ -z "${seedCov:-}" ] || [ "$endFt" -le "$seedFt" ]; then
  echo "fuzz_$name covered nothing beyond its corpus (log: $log)"
  exit 1
fi
