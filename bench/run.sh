#!/usr/bin/env bash
# Conversion throughput on the generated form corpus and load/save speed of generated package
# files, each with its ratio to a plain copy or read of the same bytes, then the Packages
# Manager's Scan and Scan Counter on a generated project against grep, and the menus editor on a
# large menu against opening it. Extra arguments go to the
# benchmark that knows them: --forms=N and --write_corpus=DIR to bench_forms, --labels=N,
# --images=N and --write_packages=DIR to bench_packages, --manager_forms=N (as --forms), --runs=N
# and --write_project=DIR to bench_manager, --seed=N to all three, anything else (--benchmark_*) to
# the first two.
set -euo pipefail
bin=${1:-build/bin}
shift || true
for b in bench_forms bench_packages bench_manager bench_menus; do
  if [ ! -x "$bin/$b" ]; then
    echo "run.sh: $bin/$b not found; build with -DQZ_BUILD_BENCH=ON" >&2
    exit 1
  fi
done
forms=()
packages=()
manager=()
for arg in "$@"; do
  case $arg in
    --manager_forms=*) manager+=("--forms=${arg#--manager_forms=}") ;;
    --runs=* | --write_project=*) manager+=("$arg") ;;
    --seed=*)
      forms+=("$arg")
      packages+=("$arg")
      manager+=("$arg")
      ;;
    --forms=* | --write_corpus=*) forms+=("$arg") ;;
    --labels=* | --images=* | --write_packages=*) packages+=("$arg") ;;
    *)
      forms+=("$arg")
      packages+=("$arg")
      ;;
  esac
done
"$bin/bench_forms" "${forms[@]}"
echo
"$bin/bench_packages" "${packages[@]}"
echo
"$bin/bench_manager" "${manager[@]}"
echo
"$bin/bench_menus"
