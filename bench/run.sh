#!/usr/bin/env bash
# Conversion throughput on the generated form corpus, with the ratio of each conversion to a
# plain copy of the same bytes. Extra arguments go to bench_forms (--forms=N, --benchmark_*).
set -euo pipefail
bin=${1:-build/bin}
shift || true
if [ ! -x "$bin/bench_forms" ]; then
  echo "run.sh: $bin/bench_forms not found; build with -DQZ_BUILD_BENCH=ON" >&2
  exit 1
fi
exec "$bin/bench_forms" "$@"
