#!/usr/bin/env bash
# The main job on the example project examples/Demo: list the forms its Demo.dpr names, take every
# form through text, binary and resource form and back (the result must be what we started from),
# show what each package file the forms use holds, and carry the shared strings through their text
# format and back. Last it starts the designer on the project (headless without a display).
set -euo pipefail
bin=${1:-build/bin}
project=$(cd "$(dirname "$0")/Demo" && pwd)
dpr="$project/Demo.dpr"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# How a form file is stored, from its first bytes.
stored_as() {
  case "$(head -c 4 "$1" | od -An -tx1 | tr -d ' \n')" in
    54504630) echo binary ;;
    ff0a00*) echo resource ;;
    *) echo text ;;
  esac
}

# The units with a form: "Name in 'Name.pas' {FormName}" entries of the uses clause.
mapfile -t units < <(
  sed -n '/^uses/,/;/p' "$dpr" |
    grep -oE "[A-Za-z_][A-Za-z0-9_]* in '[^']+' *\{[A-Za-z_][A-Za-z0-9_]*\}"
)
if [ ${#units[@]} -eq 0 ]; then
  echo "$dpr lists no units with a form" >&2
  exit 1
fi

echo "Project $dpr"
printf '  %-12s %-14s %-16s %s\n' unit form "form file" "stored as"
forms=()
entry_re="^([A-Za-z0-9_]+) in '([^']+)' *[{]([A-Za-z0-9_]+)[}]$"
for entry in "${units[@]}"; do
  [[ $entry =~ $entry_re ]]
  unit=${BASH_REMATCH[1]} source=${BASH_REMATCH[2]} form=${BASH_REMATCH[3]}
  file="$project/${source%.pas}.dfm"
  if [ ! -f "$file" ]; then
    echo "$unit: the form file ${source%.pas}.dfm is missing" >&2
    status=1
    continue
  fi
  printf '  %-12s %-14s %-16s %s\n' "$unit" "$form" "${source%.pas}.dfm" "$(stored_as "$file")"
  forms+=("$file")
done

echo
echo "Round trips: text -> binary -> resource -> text"
texts=()
for form in "${forms[@]}"; do
  name=$(basename "$form" .dfm)
  "$bin/qzpkg" form-to-text "$form" "$work/$name.txt"
  texts+=("$work/$name.txt")
  "$bin/qzpkg" form-to-binary "$work/$name.txt" "$work/$name.bin"
  "$bin/qzpkg" form-to-resource "$work/$name.bin" "$work/$name.res"
  "$bin/qzpkg" form-to-text "$work/$name.res" "$work/$name.back.txt"
  if cmp -s "$work/$name.txt" "$work/$name.back.txt"; then
    printf '  %-14s text %6d B  binary %6d B  resource %6d B  ok\n' "$name.dfm" \
      "$(stat -c %s "$work/$name.txt")" "$(stat -c %s "$work/$name.bin")" \
      "$(stat -c %s "$work/$name.res")"
  else
    echo "$name.dfm: the round trip changed the form" >&2
    diff "$work/$name.txt" "$work/$name.back.txt" >&2 || true
    status=1
  fi
  # Forms are kept as the converters write them, so the stored file is one of the three.
  case $(stored_as "$form") in
    text) written="$work/$name.txt" ;;
    binary) written="$work/$name.bin" ;;
    resource) written="$work/$name.res" ;;
  esac
  if ! cmp -s "$form" "$written"; then
    echo "$name.dfm: the stored file is not what the converters write from it" >&2
    status=1
  fi
done

# The package files the forms keep their packages in ("FileName = 'Common.pst'").
echo
echo "Package files"
mapfile -t packages < <(cat "${texts[@]}" | grep -oE "FileName = '[^']+'" |
  sed -E "s/FileName = '([^']+)'/\1/" | sort -u)
for pkg in "${packages[@]}"; do
  echo
  if ! "$bin/qzpkg" info "$project/$pkg"; then
    status=1
  fi
done

# The shared strings through the text format people translate: exported, imported into a new
# package and exported again, each list must come back as it was.
echo
strings="$work/Common.pst"
"$bin/qzpkg" new strings "$strings" --name Common >/dev/null
for list in labels messages texts; do
  "$bin/qzpkg" strings-export "$project/Common.pst" --$list "$work/$list.txt" >/dev/null
  "$bin/qzpkg" strings-import "$strings" --$list "$work/$list.txt" >/dev/null
  "$bin/qzpkg" strings-export "$strings" --$list "$work/$list.again.txt" >/dev/null
  if cmp -s "$work/$list.txt" "$work/$list.again.txt"; then
    printf 'Common.pst %-8s %3d: exported, imported and exported again unchanged\n' "$list" \
      "$(wc -l <"$work/$list.txt")"
  else
    echo "Common.pst: the $list changed on the way through the text format" >&2
    status=1
  fi
done

# The designer on the project: on the display when there is one; without one it renders its main
# window into a picture, which proves that it starts, loads its package and opens the project.
echo
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting the designer on $dpr"
  "$bin/qzdesigner" "$dpr" || status=1
else
  echo "No display for the designer (neither DISPLAY nor WAYLAND_DISPLAY is set). It runs headless:"
  echo "  QT_QPA_PLATFORM=offscreen $bin/qzdesigner --screenshot out.png examples/Demo/Demo.dpr"
  if ! QT_QPA_PLATFORM=offscreen "$bin/qzdesigner" --screenshot "$work/designer.png" "$dpr" \
    2>"$work/designer.log"; then
    cat "$work/designer.log" >&2
    status=1
  fi
fi
exit $status
