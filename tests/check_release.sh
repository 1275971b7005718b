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

# Lists the files in a package, without directories, sorted.
contents() {
  case $1 in
    *.tar.gz) tar -tzf "$1" ;;
    *.zip) unzip -Z1 "$1" ;;
    *.deb) dpkg-deb --fsys-tarfile "$1" | tar -t ;;
  esac | grep -v '/$' | sed 's|^\./||' | sort
}

expect() {
  local package=$work/first/build/$1
  shift
  local expected actual
  expected=$(printf '%s\n' "$@" | sort)
  actual=$(contents "$package")
  if [ "$actual" = "$expected" ]; then
    echo "holds what it should: ${package##*/}"
    passed=$((passed + 1))
  else
    printf 'WRONG CONTENTS: %s\n--- expected\n%s\n--- actual\n%s\n' \
      "${package##*/}" "$expected" "$actual"
    failed=$((failed + 1))
  fi
}

# Lists the files under a folder, sorted.
installed() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }

doc=share/doc/console_basics
cmake --install "$work/first/build/release" --prefix "$work/installed" > /dev/null
expected=$(printf '%s\n' bin/swap_values bin/echo_integer $doc/README.md $doc/LICENSE | sort)
if [ "$(installed "$work/installed")" = "$expected" ]; then
  echo "cmake --install puts both programs in bin/"
  passed=$((passed + 1))
else
  printf 'WRONG INSTALL:\n%s\n' "$(installed "$work/installed")"
  failed=$((failed + 1))
fi
expect release/console_basics-1.0.0-Linux.tar.gz \
  console_basics-1.0.0-Linux/{bin/swap_values,bin/echo_integer,$doc/README.md,$doc/LICENSE}
expect release/console-basics_1.0.0_amd64.deb \
  usr/{bin/swap_values,bin/echo_integer,$doc/README.md,$doc/LICENSE}
expect windows-x64/console_basics-1.0.0-win64.zip \
  console_basics-1.0.0-win64/{bin/swap_values.exe,bin/echo_integer.exe,README.md,LICENSE}

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
