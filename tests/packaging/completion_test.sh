#!/usr/bin/env bash
# The completion scripts as the shells load them, asked what a user's <TAB>
# offers: bash and fish complete each line of the table below (fish reports
# whole words, so what it offers is compared after the last '=' typed); zsh
# parses its script and registers it for both programs.
#   completion_test.sh DOCS-DIR   (bash/, fish/, zsh/ as the build writes them)
set -uo pipefail
docs=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
touch board.stp notes.txt
mkdir pictures

# Typed so far | what <TAB> offers, sorted, separated by spaces
cases=(
  "qv3380 ex|export export-json"
  "qv3380 --tr|--trace"
  "qv3380 --trace log ch|check"
  "qv3380 --trace=log ch|check"
  "qv3380 show --|--help --json"
  "qv3380 export board.stp --format |c csv dts hex i2c linux-firmware uboot"
  "qv3380 export board.stp --format=c|c csv"
  "qv3380 export board.stp --format c -o no|notes.txt"
  "qv3380 report board.stp --format |html md pdf png svg"
  "qv3380 solve board.stp --map |0 1 both"
  "qv3380 report board.stp --map |0 1"
  "qv3380 solve board.stp --out0 |"
  "qv3380 edit board.stp --copy-map |0:1 1:0"
  "qv3380 edit board.stp --set MAR|MARGIN="
  "qv3380 edit board.stp --set REFF|REFFREQ="
  "qv3380 edit board.stp --set MARGIN=|High Low"
  "qv3380 edit board.stp --set MARGIN=H|High"
  "qv3380 edit board.stp --set CrystalFreq=2|25MHz 27MHz"
  "qv3380 check b|board.stp"
  "qv3380 diff board.stp b|board.stp"
  "qv3380_gui --|--adapter --help --trace --version --write-screenshots"
  "qv3380_gui b|board.stp"
  "qv3380_gui --write-screenshots pi|pictures"
)

failures=0
check() {  # SHELL LINE EXPECTED GOT
  if [ "$3" != "$4" ]; then
    printf '%s: "%s<TAB>" offers [%s], expected [%s]\n' "$1" "$2" "$4" "$3" >&2
    failures=$((failures + 1))
  fi
}

# bash: COMP_WORDS as readline splits the line, '=' and ':' words of their own.
bash_offers() {
  local line=$1 part words=()
  local -a parts
  read -ra parts <<<"$line"
  [[ $line == *" " ]] && parts+=("")
  for part in "${parts[@]}"; do
    [[ -z $part ]] && words+=("")
    while [[ $part =~ ^([^=:]*)([=:])(.*)$ ]]; do
      [[ -n ${BASH_REMATCH[1]} ]] && words+=("${BASH_REMATCH[1]}")
      words+=("${BASH_REMATCH[2]}")
      part=${BASH_REMATCH[3]}
    done
    [[ -n $part ]] && words+=("$part")
  done
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  "_${words[0]}" 2>/dev/null
  printf '%s\n' "${COMPREPLY[@]}" | sed 's|/$||' | sort | paste -sd ' '
}

for program in qv3380 qv3380_gui; do
  # shellcheck disable=SC1090
  source "$docs/bash/$program" || { echo "bash: $program could not be loaded" >&2; exit 1; }
done
for entry in "${cases[@]}"; do
  check bash "${entry%%|*}" "${entry#*|}" "$(bash_offers "${entry%%|*}")"
done
# A ring item with spaces comes quoted for the shell.
check bash "--set Pll1OutputFormat=2xCMOS/2xCMOS" '2xCMOS/2xCMOS 2xCMOS/2xCMOS\ In\ Phase' \
  "$(bash_offers "qv3380 edit board.stp --set Pll1OutputFormat=2xCMOS/2xCMOS")"

if command -v fish >/dev/null; then
  for entry in "${cases[@]}"; do
    line=${entry%%|*}
    token=${line##* }
    prefix=
    [[ $token == *=* ]] && prefix=${token%=*}=
    got=$(fish --no-config -c "for p in $docs/fish/*.fish; source \$p; end
                               complete -C '$line'" | cut -f1 |
      while IFS= read -r offered; do printf '%s\n' "${offered#"$prefix"}"; done |
      sed 's|/$||' | sort | paste -sd ' ')
    check fish "$line" "${entry#*|}" "$got"
  done
else
  echo "fish is not installed: its completions are not tried" >&2
  failures=$((failures + 1))
fi

if command -v zsh >/dev/null; then
  for program in qv3380 qv3380_gui; do
    zsh -n "$docs/zsh/_$program" || failures=$((failures + 1))
  done
  registered=$(zsh -f -c "fpath=($docs/zsh \$fpath); autoload -Uz compinit
                          compinit -u -d $work/zcompdump; print \$_comps[qv3380] \$_comps[qv3380_gui]")
  check zsh "(compinit)" "_qv3380 _qv3380_gui" "$registered"
else
  echo "zsh is not installed: its completions are not tried" >&2
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
