#!/usr/bin/env bash
# Builds what we ship (the release and windows-x64 presets) twice with
# Debian's reprotest, from a clean clone of HEAD, changing between the two
# builds everything that reprotest can change here, and checks that every
# executable and package comes out byte-identical.
#
#   tests/check_reproducible.sh
#
# The packages take their time stamps from SOURCE_DATE_EPOCH: by default the
# time of the last commit.
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
for tool in reprotest disorderfs faketime diffoscope; do
  if ! command -v "$tool" > /dev/null; then
    echo "SKIPPED: $tool not found (Debian packages reprotest, disorderfs, faketime, diffoscope-minimal)"
    exit 0
  fi
done

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone --quiet "$root" "$work/source"

variations=(
  +all
  # Each build would run as another user and group, from a list of
  # accounts that must be set up beforehand; a fresh CI machine has none.
  -user_group
)

build='for preset in release windows-x64; do
  cmake --preset $preset -DBUILD_TESTING=OFF &&
  cmake --build --preset $preset &&
  cpack --preset $preset || exit 1
done > build.log 2>&1 || { cat build.log; exit 1; }'

artefacts=(
  build/release/swap_values
  build/release/echo_integer
  build/release/*.tar.gz
  build/release/*.deb
  build/windows-x64/swap_values.exe
  build/windows-x64/echo_integer.exe
  build/windows-x64/*.zip
)

status=0
(
  cd "$work/source"
  reprotest --verbosity 1 --variations "$(IFS=,; echo "${variations[*]}")" \
    --store-dir "$work/store" "$build" "${artefacts[*]}"
) > "$work/reprotest.log" 2>&1 || status=$?
grep -E '^INFO:reprotest(.build)?:(build "|[A-Z_]+ variation)' "$work/reprotest.log" || true

# A verdict for each artefact, from the two builds that reprotest kept.
passed=0 failed=0
for pattern in "${artefacts[@]}"; do
  control=$(compgen -G "$work/store/control/source-root/$pattern" || true)
  experiment=$(compgen -G "$work/store/experiment-1/source-root/$pattern" || true)
  name=${control#"$work"/store/control/source-root/}
  if [ -z "$control" ] || [ -z "$experiment" ]; then
    echo "MISSING: $pattern"
    failed=$((failed + 1))
  elif cmp --quiet "$control" "$experiment"; then
    echo "identical: $name $(sha256sum < "$control" | cut -c1-16)"
    passed=$((passed + 1))
  else
    echo "DIFFERENT: $name"
    failed=$((failed + 1))
  fi
done

if [ "$status" -ne 0 ] || [ "$failed" -ne 0 ]; then
  cat "$work/reprotest.log"
fi
echo "$passed identical, $failed not (reprotest exit status $status)"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
