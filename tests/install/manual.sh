#!/usr/bin/env bash
# The manual page and the bash completion hold what `--help` shows: every subcommand at
# every level with each of its options, so they cannot drift from the command line.
set -u
fail() { echo "FAILED: $*"; exit 1; }
page=$(MANWIDTH=200 man -l "$MANUAL/dravick.1.gz" 2>&1) || fail "man: $page"
# shellcheck disable=SC1091
source "$MANUAL/dravick.bash"
complete_words() {
  COMP_WORDS=(dravick "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _dravick
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

# The subcommands and the option names that `dravick WORDS... --help` lists.
subcommands_of() {
  "$DRAVICK" "$@" --help | sed -n '/^Subcommands:/,$p' | sed -n 's/^  \([a-z][a-z0-9-]*\) .*/\1/p'
}
options_of() {
  "$DRAVICK" "$@" --help | sed -n '/^Options:/,/^$/p' | grep -o -- '^  -[^ ]*' |
    tr ',' '\n' | sed 's/^ *//' | grep -v '^$' | sort
}

checked=0
check_level() {
  local words=("$@") section
  if ((${#words[@]} == 0)); then
    section=$(sed -n '/^OPTIONS/,/^DRAVICK /p' <<<"$page")
  elif ((${#words[@]} == 1)); then
    local title="DRAVICK ${words[0]^^}"
    grep -qx "$title" <<<"$page" || fail "no section $title"
    section=$(sed -n "/^$title\$/,/^DRAVICK [A-Z]*\$\|^EXIT STATUS/p" <<<"$page")
  else
    section=$(sed -n "/^   dravick ${words[*]}\$/,/^   dravick \|^[A-Z]/p" <<<"$page")
    [ -n "$section" ] || fail "no subsection dravick ${words[*]}"
  fi
  local option
  for option in $(options_of "${words[@]}"); do
    grep -q -- "$option" <<<"$section" || fail "dravick ${words[*]}: $option not in the manual"
  done
  # Completing "-" offers exactly the options of the help.
  [ "$(complete_words "${words[@]}" -)" = "$(options_of "${words[@]}")" ] ||
    fail "dravick ${words[*]} -<TAB>: $(complete_words "${words[@]}" - | tr '\n' ' ')"
  local subs
  subs=$(subcommands_of "${words[@]}" | sort)
  if [ -n "$subs" ]; then
    [ "$(complete_words "${words[@]}" "" | grep -x -F "$subs")" = "$subs" ] ||
      fail "dravick ${words[*]} <TAB> lacks subcommands: $(complete_words "${words[@]}" "" | tr '\n' ' ')"
  fi
  checked=$((checked + 1))
  local sub
  for sub in $subs; do
    check_level "${words[@]}" "$sub"
  done
}
check_level
((checked > 10)) || fail "only $checked command levels found in the help"

# Values: an option of a fixed set offers its set, a number nothing, a name files.
[ "$(complete_words picture --format "" | tr '\n' ' ')" = "bw r5g6b5 r8g8b8 " ] ||
  fail "picture --format <TAB>: $(complete_words picture --format "")"
[ "$(complete_words font charset --set "" | tr '\n' ' ')" = "big5 gb2312 gb2312-trad gbk unicode " ] ||
  fail "font charset --set <TAB>: $(complete_words font charset --set "")"
[ -z "$(complete_words font string --font-size "")" ] || fail "font-size offers words"
(cd "$MANUAL" && [ "$(complete_words wav -o dravick.b)" = "dravick.bash" ]) || fail "-o offers no files"

# The desktop program's page names every subcommand of the command line.
gui=$(MANWIDTH=200 man -l "$MANUAL/dravick-gui.1.gz" 2>&1) || fail "man dravick-gui: $gui"
for sub in $(subcommands_of); do
  grep -q "dravick $sub" <<<"$gui" || fail "dravick-gui(1) lacks dravick $sub"
done
exit 0
