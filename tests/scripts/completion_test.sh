#!/usr/bin/env bash
# The shell completions of hardlens-report and hardlens: bash's is driven as bash drives it
# (COMP_WORDS, COMP_CWORD, the function `complete -p` names) for a set of command lines; fish's
# answers `complete -C`; zsh's and fish's parse; and the inventory columns all three offer are
# exactly the keys hardlens-report takes.
#   completion_test.sh COMPLETIONS_DIR HARDLENS_REPORT TEST_DATA
set -uo pipefail
export LC_ALL=C
dir=$1 report=$2 data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if [ ! -f /usr/share/bash-completion/bash_completion ]; then
  echo "bash-completion is not installed (scripts/test.sh installs it)"
  exit 1
fi
# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion
source "$dir/hardlens-report.bash"
source "$dir/hardlens.bash"
# Outside a real completion bash refuses compopt; what it would set does not change the list.
compopt() { :; }

for program in hardlens-report hardlens; do
  registered=$(complete -p "$program" 2>&1)
  [[ $registered == "complete -F _${program//-/_} $program" ]] ||
    fail "complete -p $program: $registered"
done

# Completes LINE (the cursor at its end) as bash would: words split at blanks and at the
# characters of COMP_WORDBREAKS that matter here ('='); prints the candidates sorted, one line.
complete_bash() {
  local line=$1 word
  COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=()
  for word in $line; do
    if [[ $word == *=* ]]; then
      COMP_WORDS+=("${word%%=*}" "=" "${word#*=}")
    else
      COMP_WORDS+=("$word")
    fi
  done
  [[ $line == *" " ]] && COMP_WORDS+=("")
  [[ $line == *= ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  local function
  function=$(complete -p "${COMP_WORDS[0]}" | sed -E 's/.*-F ([^ ]+) .*/\1/')
  "$function" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}

mkdir "$work/folder"
touch "$work/pc1.json" "$work/notes.txt"

while IFS='|' read -r line expected; do
  [ -n "$line" ] || continue
  line=${line//@/$work}
  expected=${expected//@/$work}
  got=$(complete_bash "$line")
  [ "$got" = "$expected" ] || fail "bash: '$line' completes to '$got', expected '$expected'"
done <<'CASES'
hardlens-report --lang|--language
hardlens-report --ver|--version
hardlens-report --c|--capture --columns --compare
hardlens-report --language |Dutch English Spanish en es nl
hardlens-report --language=Sp|Spanish
hardlens-report --skin P|Pink
hardlens-report --format |html json text
hardlens-report --inventory @ --format |csv html json
hardlens-report --section 1|1 10 11 12 13 14 15 16
hardlens-report --inventory @ --columns machine,memory.to|machine,memory.total
hardlens-report --inventory @ --columns=fi|file
hardlens-report --inventory @ --columns bios.rel|bios.release_date
hardlens-report --snapshot @/|@/folder @/notes.txt @/pc1.json
hardlens-report --root @/|@/folder
hardlens-report --compare @/p|@/pc1.json
hardlens-report --compare - @/p|@/pc1.json
hardlens-report --inventory @/f|@/folder
hardlens-report --private |
hardlens --sn|--snapshot
hardlens --snapshot @/pc|@/pc1.json
hardlens -platform w|wayland
CASES

# The columns: the same list in the three scripts, every one taken by the program, and every key
# of the test machines' reports that the program takes as a column listed.
bash_keys=$(tr -s ' \n' '\n\n' <<<"$_hardlens_report_columns" | sed '/^$/d' | sort)
zsh_keys=$(sed -n '/^columns=(/,/)/p' "$dir/_hardlens-report" | tr -d '()' | sed 's/columns=//' |
  tr -s ' \n' '\n\n' | sed '/^$/d' | sort)
fish_keys=$(awk '/for key in/ { on = 1 } on { print; if ($0 !~ /\\$/) exit }' \
  "$dir/hardlens-report.fish" | sed -e 's/for key in//' -e 's/\\//g' | tr -s ' \n' '\n\n' |
  sed '/^$/d' | sort)
[ "$bash_keys" = "$zsh_keys" ] || fail "zsh's columns differ from bash's"
[ "$bash_keys" = "$fish_keys" ] || fail "fish's columns differ from bash's"
[ "$(wc -l <<<"$bash_keys")" -gt 100 ] || fail "only $(wc -l <<<"$bash_keys") columns listed"

"$report" --inventory "$work/none.json" --columns "$(paste -sd, <<<"$bash_keys")" >/dev/null 2>"$work/err"
[ $? -ne 2 ] || fail "hardlens-report refuses a listed column: $(cat "$work/err")"
for machine in rich desktop devices; do
  "$report" --snapshot "$data/machines/$machine.json" --format json
done | grep -o '"key": *"[a-z_.0-9]*"' | sed -E 's/.*"([^"]+)"$/\1/' | sort -u >"$work/keys"
[ -s "$work/keys" ] || fail "no keys in the test machines' reports"
while read -r key; do
  grep -qx -- "$key" <<<"$bash_keys" && continue
  "$report" --inventory "$work/none.json" --columns "$key" >/dev/null 2>&1
  [ $? -eq 2 ] || fail "column $key is taken by hardlens-report but not completed"
done <"$work/keys"

# zsh and fish: their scripts parse, and fish completes as bash does.
for f in _hardlens-report _hardlens; do
  if command -v zsh >/dev/null; then zsh -n "$dir/$f" || fail "zsh cannot parse $f"; fi
done
if command -v fish >/dev/null; then
  for f in hardlens-report.fish hardlens.fish; do
    fish -n "$dir/$f" || fail "fish cannot parse $f"
  done
  fish_complete() {
    fish -N -c "source $dir/hardlens-report.fish; source $dir/hardlens.fish; complete -C '$1'" |
      cut -f1 | sort | paste -sd' '
  }
  while IFS='|' read -r line expected; do
    [ -n "$line" ] || continue
    got=$(fish_complete "$line")
    [ "$got" = "$expected" ] || fail "fish: '$line' completes to '$got', expected '$expected'"
  done <<'CASES'
hardlens-report --skin P|Pink
hardlens-report --language D|Dutch
hardlens-report --inventory x --format |csv html json
hardlens-report --columns machine,memory.to|machine,memory.total
hardlens --sn|--snapshot
CASES
else
  echo "fish not installed: its completion was not tried"
fi
command -v zsh >/dev/null || echo "zsh not installed: its completion was not parsed"

[ "$failures" -eq 0 ] && echo "completion: all checks passed"
exit $((failures > 0))
