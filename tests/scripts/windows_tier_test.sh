#!/usr/bin/env bash
# scripts/windows-tier with a probe that the kernel refuses and one that runs, with and without the
# forced way: the presets it answers and the reason it gives.
set -u
tier=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '\177ELF\0\0\0\0' >"$dir/refused"  # no valid ELF: every kernel says Exec format error
chmod +x "$dir/refused"

failures=0
expect() {  # forced way, probe, presets, words of the reason
  local out err
  out=$(VANTOR_WINDOWS_TIER=$1 "$tier" "$2" 2>"$dir/err")
  err=$(<"$dir/err")
  if [ "$out" != "$3" ] || [[ "$err" != *"$4"* ]]; then
    echo "FAIL: forced '$1', probe $2: got '$out' / '$err', want '$3' / '*$4*'"
    failures=$((failures + 1))
  fi
}
expect "" "$dir/refused" "windows-i686-inspect windows-x86_64" "refuses 32-bit programs ("
expect "" /bin/true windows-i686 "runs 32-bit programs"
expect x86_64 /bin/true "windows-i686-inspect windows-x86_64" "forces the 64-bit path"
expect i686 "$dir/refused" windows-i686 "forces the 32-bit path"
expect sparc /bin/true "" "takes i686 or x86_64"
echo "$((5 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
