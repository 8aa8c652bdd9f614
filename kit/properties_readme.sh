#!/bin/bash
# The README's reference of every property and its default is what
# "vtrlkit properties" prints, between the lines
#   <!-- begin: vtrlkit properties -->  and  <!-- end: vtrlkit properties -->
# Checks that it is, or with --update writes it there.
# usage: properties_readme.sh VTRLKIT.EXE README WINE_RUN [--update]
set -u
vtrlkit=$1 readme=$2 wine_run=$3 mode=${4:-}
begin='<!-- begin: vtrlkit properties -->'
end='<!-- end: vtrlkit properties -->'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$wine_run" "$vtrlkit" properties > "$work/raw" 2> "$work/err"; then
  echo "FAILED: vtrlkit properties:"; cat "$work/err"; exit 1
fi
tr -d '\r' < "$work/raw" > "$work/generated"
[ -s "$work/generated" ] || { echo "FAILED: vtrlkit properties printed nothing"; exit 1; }
for c in TInstall TInstallFile TUninstallEXE TDialogManager TTranslator; do
  grep -qx "#### $c" "$work/generated" || { echo "FAILED: no section for $c"; exit 1; }
done
if [ "$(grep -cxF "$begin" "$readme")" != 1 ] || [ "$(grep -cxF "$end" "$readme")" != 1 ]; then
  echo "FAILED: $readme needs one line '$begin' and one line '$end'"; exit 1
fi

# The README with the lines between the markers replaced by the generated text.
awk -v begin="$begin" -v end="$end" -v gen="$work/generated" '
  $0 == begin { print; while ((getline line < gen) > 0) print line; skip = 1; next }
  $0 == end { skip = 0 }
  !skip { print }' "$readme" > "$work/readme"

if [ "$mode" = --update ]; then
  cmp -s "$work/readme" "$readme" || cp "$work/readme" "$readme"
  exit 0
fi
if ! diff -u "$readme" "$work/readme" > "$work/diff"; then
  echo "FAILED: the README's list of properties differs from what vtrlkit properties prints"
  echo "(a property or a default changed: run 'make readme-properties' and commit the README)"
  head -40 "$work/diff"
  exit 1
fi
echo "the README lists every property with the default vtrlkit properties reads"
