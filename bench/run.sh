#!/usr/bin/env bash
# Conversion throughput on the generated form corpus and load/save speed of generated package
# files, each with its ratio to a plain copy or read of the same bytes, then the Packages
# Manager's Scan and Scan Counter on a generated project against grep, the string translators'
# merged id list against reading the two packages, and the menus editor on a large menu against
# opening it. Extra arguments go to the
# benchmark that knows them: --forms=N and --write_corpus=DIR to bench_forms, --labels=N,
# --images=N and --write_packages=DIR to bench_packages, --manager_forms=N (as --forms), --runs=N
# and --write_project=DIR to bench_manager, --seed=N to all three, anything else (--benchmark_*) to
# the first two; --components=N and --convert_forms=N to bench_convert. Then the label and
# message pickers on a large strings package against filling a
# bare model, and the package synchronizer against loading and saving the same files
# (--picker_labels=N, --sync_labels=N; --seed=N goes to both); the region designer's fill and
# masks to regions (--seed=N); the vars package editor on a package of 20,000 variables in 2,000
# folders (--var_groups=N, --var_subfolders=N); the designer on a form of 2,000 labels on 100
# panels (--form_panels=N, --form_labels=N).
set -euo pipefail
bin=${1:-build/bin}
shift || true
for b in bench_forms bench_packages bench_manager bench_convert bench_pickers bench_sync bench_regions \
    bench_vars_editor bench_designer bench_strings bench_menus; do
  if [ ! -x "$bin/$b" ]; then
    echo "run.sh: $bin/$b not found; build with -DQZ_BUILD_BENCH=ON" >&2
    exit 1
  fi
done
forms=()
packages=()
manager=()
convert=()
regions=()
pickers=()
sync=()
vars=()
designer=()
for arg in "$@"; do
  case $arg in
    --components=* | --convert_forms=*) convert+=("$arg") ;;
    --picker_labels=*) pickers+=("--labels=${arg#--picker_labels=}") ;;
    --sync_labels=*) sync+=("--labels=${arg#--sync_labels=}") ;;
    --manager_forms=*) manager+=("--forms=${arg#--manager_forms=}") ;;
    --runs=* | --write_project=*) manager+=("$arg") ;;
    --seed=*)
      forms+=("$arg")
      packages+=("$arg")
      manager+=("$arg")
      convert+=("$arg")
      regions+=("$arg")
      pickers+=("$arg")
      sync+=("$arg")
      ;;
    --forms=* | --write_corpus=*) forms+=("$arg") ;;
    --var_groups=* | --var_subfolders=*) vars+=("$arg") ;;
    --form_panels=* | --form_labels=*) designer+=("$arg") ;;
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
"$bin/bench_convert" "${convert[@]}"
echo
"$bin/bench_pickers" "${pickers[@]}"
echo
"$bin/bench_sync" "${sync[@]}"
echo
"$bin/bench_regions" "${regions[@]}"
echo
"$bin/bench_vars_editor" "${vars[@]}"
echo
"$bin/bench_designer" "${designer[@]}"
echo
"$bin/bench_strings"
echo
"$bin/bench_menus"
