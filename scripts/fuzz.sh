#!/usr/bin/env bash
# Fuzz campaigns with libFuzzer. Builds the `fuzz` preset (clang, every
# library instrumented, ASan and UBSan), runs a target (or all of them) for a
# number of executions on both cores, starting from its checked-in corpus,
# its regressions and its build-time seeds, then minimises the corpus back
# into tests/<layer>/fuzz/corpus/<target>. Prints executions, coverage edges
# and findings per target; the inputs of findings are kept in
# build/fuzz/findings/<target>.
#
#   scripts/fuzz.sh TARGET|all [EXECUTIONS]      default 1000000
#   scripts/fuzz.sh --harness-only TARGET|all
#
# Edges are those the corpus covers once the campaign is over, split by where
# their code lives: the code under test, the harness and its stand-ins
# (tests/), and the C++ library's templates. --harness-only runs no
# campaign: it builds build/fuzz-harness, where only the entry points are
# instrumented, and counts the edges the same corpus covers there, which is
# what libFuzzer would see of the harness alone. QL_FUZZ_JOBS (default 2)
# sets the worker processes, QL_FUZZ_NICE (default 10) their niceness.
set -uo pipefail
cd "$(dirname "$0")/.."

harness_only=0
if [ "${1:-}" = "--harness-only" ]; then
  harness_only=1
  shift
fi
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
which_targets=$1
executions=${2:-1000000}
jobs=${QL_FUZZ_JOBS:-2}
niceness=${QL_FUZZ_NICE:-10}
if ! [[ "$executions" =~ ^[0-9]+$ ]] || [ "$executions" -lt 1 ]; then
  echo "fuzz: EXECUTIONS must be a positive number, not '$executions'" >&2
  exit 2
fi

# clang and its libFuzzer and sanitizer runtimes; the ordinary build needs neither.
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "fuzz: missing packages: ${missing[*]}; run as root or install them" >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" || exit 1
fi

if [ $harness_only -eq 1 ]; then
  build=build/fuzz-harness
  cmake --preset fuzz -B "$build" -DQL_FUZZ_COVERAGE=harness -Wno-dev >/dev/null || exit 1
else
  build=build/fuzz
  cmake --preset fuzz -Wno-dev >/dev/null || exit 1
fi
nice -n "$niceness" cmake --build "$build" --target fuzz_targets -j"$jobs" >"$build/fuzz-build.log" 2>&1 || {
  tail -30 "$build/fuzz-build.log"
  echo "fuzz: the build failed (log: $build/fuzz-build.log)" >&2
  exit 1
}

list="$build/fuzz-targets.tsv"
if [ "$which_targets" != "all" ] && ! cut -f1 "$list" | grep -qx "$which_targets"; then
  echo "fuzz: no target '$which_targets'; the targets are: $(cut -f1 "$list" | tr '\n' ' ')" >&2
  exit 2
fi

work=$(mktemp -d /tmp/quillon-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT

summary=()
status=0
while IFS=$'\t' read -r name executable corpus regressions process_runs flags seeds; do
  [ "$which_targets" = "all" ] || [ "$which_targets" = "$name" ] || continue
  run="$work/$name"
  mkdir -p "$run/new" "$run/seeds" "$run/artifacts" "$run/merged"
  IFS=';' read -ra seed_files <<<"$seeds"
  for f in "${seed_files[@]}"; do
    [ -n "$f" ] && cp "$f" "$run/seeds/$(basename "$(dirname "$f")")-$(basename "$f")"
  done
  inputs=("$run/new" "$run/seeds")
  for dir in "$corpus" "$regressions"; do
    [ -d "$dir" ] && inputs+=("$dir")
  done

  target_flags=()
  [ "$flags" = "-" ] || IFS=';' read -ra target_flags <<<"$flags"

  if [ $harness_only -eq 1 ]; then
    done_runs=-
    findings=-
  else
    # Each worker process fuzzes on its own, sharing what it finds through the
    # first input folder. A target whose inputs leave state for the process
    # (registered plug-in classes) runs in fresh processes of a fixed number
    # of executions instead, so that state never piles up.
    per_process=$(( (executions + jobs - 1) / jobs ))
    [ "$process_runs" = "-" ] || [ "$process_runs" -ge "$per_process" ] || per_process=$process_runs
    processes=$(( (executions + per_process - 1) / per_process ))
    echo "== $name: $executions executions in $processes processes on $jobs workers"
    (cd "$run" && nice -n "$niceness" "$executable" -jobs="$processes" -workers="$jobs" -runs="$per_process" \
      -timeout=10 -rss_limit_mb=2048 "${target_flags[@]}" -artifact_prefix="$run/artifacts/" "${inputs[@]}" \
      >"$run/log" 2>&1)
    # A process that stopped early (a finding) counts the executions it made.
    done_runs=0
    stats=
    for log in "$run"/fuzz-*.log; do
      [ -f "$log" ] || continue
      last=$(grep -E '^#[0-9]+[[:space:]]' "$log" | tail -1)
      [ -n "$last" ] || continue
      stats=$last
      done_runs=$(( done_runs + $(sed -E 's/^#([0-9]+).*/\1/' <<<"$last") ))
    done
    cat "$run"/fuzz-*.log >>"$run/log" 2>/dev/null
    findings=$(find "$run/artifacts" -type f | wc -l)
    if [ -z "$stats" ]; then
      tail -20 "$run/log"
      echo "fuzz: $name printed no statistics" >&2
      status=1
    fi
    if [ "$findings" -gt 0 ]; then
      mkdir -p "$build/findings/$name"
      cp "$run/artifacts"/* "$build/findings/$name/"
      cp "$run/log" "$build/findings/$name/campaign.log"
      status=1
    fi
    # The smallest set of the corpus, the new inputs and the seeds that
    # covers what they all cover; regressions stay as they are.
    merge_inputs=("$run/new" "$run/seeds")
    [ -d "$corpus" ] && merge_inputs+=("$corpus")
    nice -n "$niceness" "$executable" -merge=1 -timeout=10 -rss_limit_mb=2048 "$run/merged" "${merge_inputs[@]}" \
      >"$run/merge.log" 2>&1
    if [ -n "$(ls -A "$run/merged")" ]; then
      mkdir -p "$corpus"
      rm -f "$corpus"/*
      cp "$run/merged"/* "$corpus/"
    else
      tail -20 "$run/merge.log"
      echo "fuzz: minimising the corpus of $name failed; the corpus is left as it was" >&2
      status=1
    fi
  fi
  # The edges the corpus covers: libFuzzer's count once it has run every
  # input, and the same edges summed by the source file of their function.
  measured=("$run/seeds")
  for dir in "$corpus" "$regressions"; do
    [ -d "$dir" ] && measured+=("$dir")
  done
  nice -n "$niceness" "$executable" -runs=0 -print_coverage=1 -rss_limit_mb=2048 "${measured[@]}" \
    >"$run/coverage" 2>&1
  edges=$(sed -nE 's/^#[0-9]+[[:space:]]+INITED cov: ([0-9]+) .*/\1/p' "$run/coverage")
  read -r tested harness library < <(awk -v root="$PWD/" -f scripts/fuzz-edges.awk "$run/coverage")
  summary+=("$(printf '%-22s %12s %7s %7s %8s %8s %9s %7s' "$name" "${done_runs:-?}" "${edges:-?}" \
    "${tested:-?}" "${harness:-?}" "${library:-?}" "$findings" "$(ls "$corpus" 2>/dev/null | wc -l)")")
done <"$list"

echo
printf '%-22s %12s %7s %7s %8s %8s %9s %7s\n' target executions edges tested harness "C++ lib" findings corpus
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] || echo "fuzz: see the messages above; findings are in $build/findings"
exit $status
