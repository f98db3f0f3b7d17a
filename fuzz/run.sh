#!/usr/bin/env bash
# Runs every fuzz target for a bounded time: fuzz/run.sh BIN_DIR SECONDS
#
# Each target works on a scratch copy of its seed corpus, so the corpus in the repository never
# grows; the regression inputs are replayed first. Crashing inputs land in fuzz/findings/ and
# make the script exit non-zero.
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 BIN_DIR SECONDS" >&2
    exit 2
fi
bin_dir=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
findings=$here/findings
mkdir -p "$findings"

# Leaks inside system libraries are theirs (see lsan.supp), not findings.
export LSAN_OPTIONS=suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/qz-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# target  corpus  extra options
targets=(
    "fuzz_binary_form binary"
    "fuzz_text_form text -dict=$here/text.dict"
    "fuzz_form_file_text formtext -dict=$here/text.dict"
    "fuzz_package_file package"
    "fuzz_form_scanner scanner -dict=$here/text.dict"
    "fuzz_unit_source unit"
    "fuzz_mask_options mask -dict=$here/mask.dict"
    "fuzz_vars_json varsjson -dict=$here/json.dict"
    "fuzz_strings_files strings"
    "fuzz_rtf rtf -dict=$here/rtf.dict"
)

failed=()
for entry in "${targets[@]}"; do
    read -r target corpus extra <<<"$entry"
    exe=$bin_dir/$target
    if [ ! -x "$exe" ]; then
        echo "missing $exe" >&2
        failed+=("$target")
        continue
    fi
    work=$scratch/$corpus
    cp -r "$here/corpus/$corpus" "$work"
    seeds=("$work")
    [ -d "$here/regressions/$corpus" ] && seeds+=("$here/regressions/$corpus")
    log=$findings/$target.log
    echo "== $target for ${seconds}s (log: $log)"
    # Qt looks for a display or plugins only when asked; keep it headless anyway.
    QT_QPA_PLATFORM=offscreen "$exe" -max_total_time="$seconds" -max_len=65536 \
        -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/$target-" $extra "${seeds[@]}" >"$log" 2>&1
    status=$?
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$log"
    if [ $status -ne 0 ]; then
        echo "!! $target failed with status $status:" >&2
        grep -E 'ERROR|invariant broken|Test unit written|SUMMARY' "$log" | head -20 >&2
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found problems in: ${failed[*]} (see $findings)" >&2
    exit 1
fi
echo "no findings"
