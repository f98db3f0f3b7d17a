#!/usr/bin/env bash
# The main job on the bundled example project: every example form goes text -> binary ->
# resource -> text, and the result must be the text we started from.
set -euo pipefail
bin=${1:-build/bin}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for form in "$here"/forms/*.dfm; do
  name=$(basename "$form" .dfm)
  "$bin/qzpkg" form-to-text "$form" "$work/$name.txt"
  "$bin/qzpkg" form-to-binary "$work/$name.txt" "$work/$name.bin"
  "$bin/qzpkg" form-to-resource "$work/$name.bin" "$work/$name.res"
  "$bin/qzpkg" form-to-text "$work/$name.res" "$work/$name.back.txt"
  if cmp -s "$work/$name.txt" "$work/$name.back.txt"; then
    printf '%-24s text %6d B  binary %6d B  resource %6d B  round trip ok\n' "$name" \
      "$(stat -c %s "$work/$name.txt")" "$(stat -c %s "$work/$name.bin")" "$(stat -c %s "$work/$name.res")"
  else
    echo "$name: round trip changed the form" >&2
    diff "$work/$name.txt" "$work/$name.back.txt" >&2 || true
    status=1
  fi
done

# The example application's strings: a package file made from the text lists.
pkg="$work/Main.pst"
"$bin/qzpkg" new strings "$pkg" --name Main --description "Example application strings" >/dev/null
"$bin/qzpkg" strings-import "$pkg" --labels "$here/packages/labels.txt" >/dev/null
"$bin/qzpkg" strings-import "$pkg" --messages "$here/packages/messages.txt" >/dev/null
"$bin/qzpkg" strings-export "$pkg" --labels "$work/labels.txt" >/dev/null
if cmp -s "$here/packages/labels.txt" "$work/labels.txt"; then
  echo "Main.pst labels export gives back the imported text"
else
  echo "Main.pst: labels changed on the way through the package" >&2
  status=1
fi
"$bin/qzpkg" info "$pkg"
exit $status
