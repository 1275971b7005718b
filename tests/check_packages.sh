#!/usr/bin/env bash
# Checks what we ship as its users meet it, from the packages that the
# release and windows-x64 workflows made:
#
# - what `cmake --install` and each package hold, file by file;
# - lintian's verdict on the .deb: no error and no warning;
# - the .deb installed with dpkg: both programs run from PATH, both man
#   pages show, and a purge leaves no file behind (as root only).
#
#   cmake --workflow --preset release && cmake --workflow --preset windows-x64
#   tests/check_packages.sh
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
release=$root/build/release
windows=$root/build/windows-x64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0 failed=0 skipped=0
pass() { echo "passed: $*"; passed=$((passed + 1)); }
fail() { echo "FAILED: $1"; shift; printf '%s\n' "$@"; failed=$((failed + 1)); }
skip() { echo "SKIPPED: $*"; skipped=$((skipped + 1)); }

# The names the build gave the packages, as cpack has them.
cpack_value() {
  sed -n "s/^set($2 \"\(.*\)\")\$/\1/p" "$1/CPackConfig.cmake"
}
for config in "$release" "$windows"; do
  if [ ! -f "$config/CPackConfig.cmake" ]; then
    echo "$config is not built: run the release and windows-x64 workflows first." >&2
    exit 1
  fi
done
package=$(cpack_value "$release" CPACK_DEBIAN_PACKAGE_NAME)
version=$(cpack_value "$release" CPACK_PACKAGE_VERSION)
tarball=$(cpack_value "$release" CPACK_PACKAGE_FILE_NAME)
zipball=$(cpack_value "$windows" CPACK_PACKAGE_FILE_NAME)
deb=$release/${package}_${version}_$(dpkg --print-architecture).deb

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
    pass "holds what it should: ${where#"$root"/}"
  else
    fail "wrong contents: ${where#"$root"/}" "--- expected" "$expected" "--- actual" "$actual"
  fi
}

programs=(bin/swap_values bin/echo_integer)
pages=(share/man/man1/swap_values.1.gz share/man/man1/echo_integer.1.gz)
docs=(share/doc/$package/{README.md,LICENSE,copyright,changelog.gz})
linux=("${programs[@]}" "${pages[@]}" "${docs[@]}")

cmake --install "$release" --prefix "$work/installed" > /dev/null
expect "$work/installed" "${linux[@]}"
expect "$release/$tarball.tar.gz" "${linux[@]/#/$tarball/}"
expect "$deb" "${linux[@]/#/usr/}" usr/share/lintian/overrides/$package
expect "$windows/$zipball.zip" "$zipball"/{bin/swap_values.exe,bin/echo_integer.exe,README.md,LICENSE}

if ! command -v lintian > /dev/null; then
  skip "lintian not found (Debian package lintian)"
elif report=$(lintian --fail-on error,warning "$deb" 2>&1); then
  pass "lintian: no error and no warning on ${deb#"$root"/}"
else
  fail "lintian: errors or warnings on ${deb#"$root"/}" "$report"
fi

# compare <what> <expected> <actual>
compare() {
  if [ "$2" = "$3" ]; then
    pass "$1"
  else
    fail "$1" "--- expected" "$2" "--- actual" "$3"
  fi
}

if [ "$(id -u)" -ne 0 ]; then
  skip "installing the .deb with dpkg needs root"
elif dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q ' installed$'; then
  skip "$package is installed on this machine already; it is left as it is"
elif ! command -v man > /dev/null; then
  skip "man not found (Debian package man-db)"
else
  dpkg --install "$deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
  dpkg-query --listfiles "$package" > "$work/files"

  compare "swap_values runs from PATH ($(command -v swap_values))" \
    "$(printf 'Before swapping.\na = 5, b = 10\n\nAfter swapping.\na = 10, b = 5\n_')" \
    "$(swap_values; echo _)"
  compare "echo_integer runs from PATH ($(command -v echo_integer))" \
    "Enter an integer: You entered 42" "$(echo 42 | echo_integer)"
  for program in swap_values echo_integer; do
    shown=$(MANWIDTH=80 man --warnings "$program" 2>&1)
    compare "man $program shows its page, with no warning" \
      "$(MANWIDTH=80 man --warnings --local-file "$release/doc/$program.1" 2>&1)" "$shown"
  done

  dpkg --purge "$package" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
  left=""
  while read -r path; do
    # A folder that still holds other packages' files stays, as it should.
    if [ -e "$path" ] && ! { [ -d "$path" ] && [ -n "$(ls -A "$path")" ]; }; then
      left+="$path"$'\n'
    fi
  done < "$work/files"
  compare "purging $package leaves no file behind" "" "$left"
fi

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
