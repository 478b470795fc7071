#!/bin/sh
# Kill-and-check soak: runs `zxmaze-cli --count` again and again and kills it at moments drawn
# from a fixed seed, somewhere in a call's length. After every kill the listing must be either the
# file it replaced or one of the complete listings a call writes, never a torn one; and a
# temporary file, if a kill left one between naming it and renaming it, must be the killed
# writer's own (its process number in the name), so no later run can trip over it. Every tenth
# round, two writers race on the same listing and only one is killed.
#   tests/kill_soak.sh ZXMAZE-CLI [KILLS]
set -eu
cli=$1
kills=${2:-200}
runs=20
seed=1

work=$(mktemp -d "${TMPDIR:-/tmp}/zxmaze-kill-soak.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/ref" "$work/maps"
listing="$work/maps/labirint.txt"

fail() {
  echo "kill soak: $*" >&2
  exit 1
}

# The complete listings of one call, by their checksums; every call with the same seed writes
# the same ones in the same order.
start=$(date +%s%N)
(cd "$work/ref" && "$cli" --seed $seed --count $runs --output 'run{n}.txt' >/dev/null) || fail "the reference call failed"
length_us=$((($(date +%s%N) - start) / 1000))
for file in "$work"/ref/run*.txt; do
  lines=$(wc -l <"$file")
  crlf=$(grep -c "$(printf '\r')\$" "$file" || true)
  [ "$lines" -eq 66 ] && [ "$crlf" -eq 66 ] || fail "$file: $lines lines, $crlf ending in CR LF, not 66"
done
complete=$(cksum "$work"/ref/run*.txt | awk '{print $1 "-" $2}')
printf '; the listing before the soak\r\n' >"$listing"
old=$(cksum <"$listing" | awk '{print $1 "-" $2}')

# The kill moments, in microseconds after the start: a fixed seed, spread over a whole call.
awk -v n="$kills" -v span="$length_us" 'BEGIN { srand(20240611); for (i = 0; i < n; i++) printf "%d\n", rand() * span }' \
  >"$work/moments"

check() {
  now=$(cksum <"$listing" | awk '{print $1 "-" $2}')
  if [ "$now" = "$old" ]; then
    old_seen=$((old_seen + 1))
  elif printf '%s\n' "$complete" | grep -qx -- "$now"; then
    complete_seen=$((complete_seen + 1))
  else
    fail "round $round: the listing is torn ($(wc -c <"$listing") bytes)"
  fi
  for name in $(ls -A "$work/maps"); do
    [ "$name" = labirint.txt ] && continue
    case "$name" in
      ".labirint.txt.$1."*.tmp) leftovers=$((leftovers + 1)); rm -f "$work/maps/$name" ;;
      *) fail "round $round: a file no killed writer owns was left: $name" ;;
    esac
  done
}

round=0 old_seen=0 complete_seen=0 leftovers=0
while read -r moment; do
  round=$((round + 1))
  (cd "$work/maps" && exec "$cli" --seed $seed --count $runs >/dev/null 2>"$work/err") &
  writer=$!
  rival=""
  if [ $((round % 10)) -eq 0 ]; then
    (cd "$work/maps" && exec "$cli" --seed $seed --count $runs >/dev/null 2>"$work/rival-err") &
    rival=$!
  fi
  sleep "$(awk -v us="$moment" 'BEGIN { printf "%.6f", us / 1000000 }')"
  kill -KILL "$writer" 2>/dev/null || true
  status=0
  wait "$writer" 2>/dev/null || status=$?
  # A writer that finished before the kill must have finished well.
  [ "$status" -eq 0 ] || [ "$status" -eq 137 ] || fail "round $round: zxmaze-cli exited $status: $(cat "$work/err")"
  if [ -n "$rival" ]; then
    wait "$rival" || fail "round $round: the writer racing the killed one failed: $(cat "$work/rival-err")"
  fi
  check "$writer"
done <"$work/moments"

# A run after all that goes through and writes a complete listing.
(cd "$work/maps" && "$cli" --seed $seed --count 1 >/dev/null) || fail "a run after the soak failed"
now=$(cksum <"$listing" | awk '{print $1 "-" $2}')
[ "$now" = "$(printf '%s\n' "$complete" | head -n 1)" ] || fail "the run after the soak wrote a wrong listing"
echo "kill soak: $round kills in a call of ${length_us} us; listing afterwards: $old_seen times the one before," \
  "$complete_seen times a complete one; $leftovers temporary files of killed writers"
