#!/usr/bin/env bash
# The manual pages of kazudori-setup, in English and Japanese, list exactly
# the options that `kazudori-setup --help` names, in their synopsis and in
# their options section; the Japanese synopsis shows each usage line as the
# program prints it.
# Usage: tools/check-manpages.sh <kazudori-setup> <man folder>
set -euo pipefail
SETUP="$1"
MAN="$2"
fail() { echo "check-manpages: $*" >&2; exit 1; }

help="$(QT_QPA_PLATFORM=offscreen timeout 30 "$SETUP" --help)"
help_options="$(grep -oE -- '--[a-z]+' <<<"$help" | sort -u)"
[ -n "$help_options" ] || fail "kazudori-setup --help names no option"

# section <page> <title regex>: the roff source of that section.
section() { awk -v title="$2" '$0 ~ "^\\.SH " title "$" {on=1; next} /^\.SH/ {on=0} on' "$1"; }
roff_options() { { grep -oE -- '\\-\\-[a-z]+' || true; } | sed 's/\\//g' | sort -u; }
# The page as a reader sees it, without bold or underline.
rendered() { MANWIDTH=200 LC_ALL=C.UTF-8 man -E UTF-8 -l "$1" 2>/dev/null | sed 's/.\x08//g'; }

for page in "$MAN/man1/kazudori-setup.1:SYNOPSIS:OPTIONS" "$MAN/ja/man1/kazudori-setup.1:書式:オプション"; do
  IFS=: read -r file synopsis options <<<"$page"
  [ -f "$file" ] || fail "no manual page $file"
  diff -u <(echo "$help_options") <(section "$file" "$synopsis" | roff_options) \
    || fail "$file: its synopsis and kazudori-setup --help name different options"
  # The tag line after each .TP names the option it explains.
  diff -u <(echo "$help_options") <(section "$file" "$options" | awk 'tag {print} {tag = ($0 == ".TP")}' | roff_options) \
    || fail "$file: its options and kazudori-setup --help differ"
done

ja_synopsis="$(rendered "$MAN/ja/man1/kazudori-setup.1" | awk '/^書式/ {on=1; next} /^[^ ]/ {on=0} on' | tr -s ' ')"
while read -r line; do
  grep -qxF " $line" <<<"$ja_synopsis" || fail "the Japanese synopsis lacks the usage line \"$line\""
done < <(grep -E '^  kazudori-setup' <<<"$help" | tr -s ' ' | sed 's/^ //')
echo "check-manpages: ok ($(wc -w <<<"$help_options") options)"
