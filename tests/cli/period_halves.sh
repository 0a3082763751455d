#!/usr/bin/env bash
# A long period is written a buffer of rows at a time: its rows are those of
# its two halves one after the other, none lost, repeated or out of order
# where a buffer was handed on.
#   period_halves.sh ORV-CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
# 40 birthdays a year over ten thousand years: some 400,000 rows, 9 MB.
{
  printf '<BEGIN:DATA:FILE:VERSION>3.0\r\n'
  for ((i = 0; i < 40; i++)); do
    printf '<BEGIN>\r\n<NAME>Person %d\r\n<DAY>%d\r\n<MONTH>%d\r\n<YEAR>1\r\n<END>\r\n' "$i" $((i % 28 + 1)) $((i % 12 + 1))
  done
  printf '<END:FILE>\r\n'
} >"$work/data/data.orv"
run() { "$cli" --data-folder "$work/data" --settings-file /nonexistent/settings.reg --today 2026-12-06 \
  --set IncBirth=1 --set IncHint=1 period "$1" "$2"; }
run 0001-01-01 9999-12-31 >"$work/whole"
{ run 0001-01-01 5000-12-31; run 5001-01-01 9999-12-31; } >"$work/halves"
rows=$(wc -l <"$work/whole")
(( rows > 300000 )) || { echo "only $rows rows"; exit 1; }
cmp "$work/whole" "$work/halves"
