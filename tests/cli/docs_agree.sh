#!/usr/bin/env bash
# orv-cli --help, its manual page and its bash completion name the same
# options and commands, and every name the completion offers to --set is one
# that orv-cli knows.   docs_agree.sh ORV-CLI MANPAGE COMPLETION
set -euo pipefail
cli=$1 page=$2 completion=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# The words the help text lists in one of its sections ("Options", "Commands").
help_words() {
  "$cli" --help | awk -v s="$1" '$0 ~ "^" s {f = 1; next} f && /^$/ {exit} f && /^  [a-z-]/ {print $1}' | sort -u
}
# The first word of each tagged paragraph (.TP) of a manual page section.
man_words() {
  awk -v s="$1" '/^\.SH / {f = ($2 == s); next} f && tp {print; tp = 0} f && /^\.TP/ {tp = 1}' "$page" |
    sed -E 's/^\.[A-Z]+ +//; s/\\-/-/g; s/"//g; s/\\f[BIR]//g' | awk '{print $1}' | sort -u
}
completion_words() {
  sed -n "s/^ *local $1=\"\(.*\)\"$/\1/p" "$completion" | tr ' ' '\n' | sort -u
}

compare() {
  if ! diff -u --label "$2" --label "$4" <(echo "$1") <(echo "$3"); then status=1; fi
}
help_options=$(help_words Options)
help_commands=$(help_words Commands)
[[ -n $help_options && -n $help_commands ]] || { echo "no options or commands found in --help" >&2; exit 1; }
compare "$help_options" "--help options" "$(man_words OPTIONS)" "manual page options"
compare "$help_commands" "--help commands" "$(man_words COMMANDS)" "manual page commands"
compare "$help_options" "--help options" "$(completion_words options)" "completion options"
compare "$help_commands" "--help commands" "$(completion_words commands)" "completion commands"

for name in $(completion_words settings); do
  # A value of the wrong kind is refused too; only an unknown name matters here.
  out=$("$cli" --data-folder "$work" --settings-file "$work/settings.reg" --set "$name=0" week 2024-01-01 2>&1 || true)
  if [[ $out == *"unknown setting"* ]]; then
    echo "completion offers --set $name, which orv-cli does not know" >&2
    status=1
  fi
done
exit $status
