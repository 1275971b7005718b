#!/usr/bin/env bash
# Builds what we ship (the release and windows-x64 presets) in two clones of
# HEAD at different paths and checks that every executable and package comes
# out byte-identical, then checks what the packages hold.
#
#   tests/check_release.sh
#
# The executables must not depend on when or where they were built, so they
# are built without SOURCE_DATE_EPOCH, a second apart. The packages take
# their timestamps from it: by default the time of the last commit.
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
unset SOURCE_DATE_EPOCH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

artefacts=(
  release/swap_values
  release/echo_integer
  release/console_basics-1.0.0-Linux.tar.gz
  release/console-basics_1.0.0_amd64.deb
  windows-x64/swap_values.exe
  windows-x64/echo_integer.exe
  windows-x64/console_basics-1.0.0-win64.zip
)

for clone in first second/at/another/depth; do
  git clone --quiet "$root" "$work/$clone"
  for preset in release windows-x64; do
    (
      cd "$work/$clone"
      cmake --preset "$preset" -DBUILD_TESTING=OFF
      cmake --build --preset "$preset"
      SOURCE_DATE_EPOCH=$epoch cpack --preset "$preset"
    ) > "$work/$preset.log" 2>&1 || { cat "$work/$preset.log"; exit 1; }
  done
  sleep 1
done

passed=0 failed=0
for artefact in "${artefacts[@]}"; do
  first=$work/first/build/$artefact
  second=$work/second/at/another/depth/build/$artefact
  if cmp --quiet "$first" "$second"; then
    echo "identical: $artefact $(sha256sum < "$first" | cut -c1-16)"
    passed=$((passed + 1))
  else
    echo "DIFFERENT: $artefact"
    failed=$((failed + 1))
  fi
done

# Lists the files in a package or an installed tree, without folders, sorted.
contents() {
  case $1 in
    *.tar.gz) tar -tzf "$1" ;;
    *.zip) unzip -Z1 "$1" ;;
    *.deb) dpkg-deb --fsys-tarfile "$1" | tar -t ;;
    *) (cd "$1" && find . -type f) ;;
  esac | grep -v '/$' | sed 's|^\./||' | sort
}

# expect <package or folder> <file>...: it holds exactly these files.
expect() {
  local where=$1
  shift
  local expected actual
  expected=$(printf '%s\n' "$@" | sort)
  actual=$(contents "$where")
  if [ "$actual" = "$expected" ]; then
    echo "holds what it should: ${where#"$work"/}"
    passed=$((passed + 1))
  else
    printf 'WRONG CONTENTS: %s\n--- expected\n%s\n--- actual\n%s\n' \
      "${where#"$work"/}" "$expected" "$actual"
    failed=$((failed + 1))
  fi
}

built=$work/first/build
doc=share/doc/console_basics
cmake --install "$built/release" --prefix "$work/installed" > /dev/null
expect "$work/installed" {bin/swap_values,bin/echo_integer,$doc/README.md,$doc/LICENSE}
expect "$built/release/console_basics-1.0.0-Linux.tar.gz" \
  console_basics-1.0.0-Linux/{bin/swap_values,bin/echo_integer,$doc/README.md,$doc/LICENSE}
expect "$built/release/console-basics_1.0.0_amd64.deb" \
  usr/{bin/swap_values,bin/echo_integer,$doc/README.md,$doc/LICENSE}
expect "$built/windows-x64/console_basics-1.0.0-win64.zip" \
  console_basics-1.0.0-win64/{bin/swap_values.exe,bin/echo_integer.exe,README.md,LICENSE}

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
