#!/usr/bin/env bash
# The bash completion and the manual pages against the tool they describe: every command
# and option `tomelin-cli help` names is completed and documented, board names (which hold
# spaces) complete to words the shell reads back as the name, and the pages format without
# warnings.
#
#   completion_test.sh TOMELIN_CLI PACKAGING_DIR
set -uo pipefail

cli=$1
packaging=$2
failures=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what" >&2
        failures=$((failures + 1))
    fi
}

# shellcheck source=/dev/null
source "$packaging/tomelin-cli.bash" || { echo "FAIL: the completion does not load" >&2; exit 1; }
[[ $(complete -p tomelin-cli) == *"-F _tomelin_cli"* ]] || { echo "FAIL: not registered" >&2; exit 1; }

# Completes the last of the words given after the tool's name; the replies, one a line.
complete_words() {
    COMP_WORDS=("$cli" "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _tomelin_cli
    ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}"
}
offers() {  # offers REPLY WORD...
    local reply=$1
    shift
    local replies
    replies=$(complete_words "$@")
    grep -qxF -- "$reply" <<<"$replies"
}

help=$("$cli" help) || { echo "FAIL: $cli help" >&2; exit 1; }
commands=$(sed -n 's/^  tomelin-cli \([a-z]*\).*/\1/p' <<<"$help" | sort -u)
[[ $(wc -l <<<"$commands") -ge 7 ]] || { echo "FAIL: too few commands in help" >&2; exit 1; }

for command in $commands; do
    check "the command $command is completed" offers "$command" "${command:0:2}"
    usage=$(grep "^  tomelin-cli $command " <<<"$help"; grep -x "  tomelin-cli $command" <<<"$help")
    for option in $(grep -oE -- '--[a-z0-9-]+' <<<"$usage" | sort -u); do
        if [[ $command == store ]]; then
            check "store set offers $option" offers "$option" store set key name value ""
        elif [[ $command == tune ]]; then
            tune_offers() { offers "$1" tune generate "" || offers "$1" tune fit data.txt ""; }
            check "tune generate or fit offers $option" tune_offers "$option"
        else
            check "$command offers $option" offers "$option" "$command" ""
        fi
    done
done
for sub in list get set delete; do
    check "store offers $sub" offers "$sub" store ""
done
check "tune offers generate and fit" \
    diff <(complete_words tune "" | sort) <(printf '%s\n' fit generate)
check "tune fit offers only --epochs after its file" \
    diff <(complete_words tune fit data.txt "") <(echo --epochs)
not() { ! "$@"; }
check "an option already given is not offered again" not offers --show play --show ""
check "boards takes nothing" test -z "$(complete_words boards "")"

check "--logic offers star and cross" \
    diff <(complete_words play --logic "" | sort) <(printf '%s\n' cross star)
check "--p2 offers the four levels" \
    diff <(complete_words play --p2 "" | sort) <(printf '%s\n' beginner genius master pro)
check "match --opponent offers the three old levels" \
    diff <(complete_words match --opponent "" | sort) <(printf '%s\n' beginner genius pro)
check "match offers its board, logic and jobs options" \
    diff <(complete_words match "" | sort) \
    <(printf '%s\n' --board --clock --games --jobs --logic --movetime --opponent --seed --weights)
check "--p1 completes a prefix" diff <(complete_words play --p1 g) <(echo genius)
check "--player offers 1 and 2" diff <(complete_words moves --player "") <(printf '%s\n' 1 2)

# Board names: every built-in board is offered, and a reply read back by the shell is the
# name itself, spaces and all.
mapfile -t boards < <("$cli" boards | cut -f1)
((${#boards[@]} >= 2)) || { echo "FAIL: $cli boards lists too few boards" >&2; exit 1; }
mapfile -t replies < <(complete_words play --board "")
check "every board is offered" test "${#replies[@]}" -eq "${#boards[@]}"
spaced=
for i in "${!boards[@]}"; do
    name=${boards[i]}
    [[ $name == *" "* ]] && spaced=$name
    eval "read_back=(${replies[i]:-})"
    check "the reply for \"$name\" reads back as one word, the name" \
        test "${#read_back[@]}:${read_back[0]:-}" == "1:$name"
done
if [[ -n $spaced ]]; then
    prefix=${spaced%% *}
    mapfile -t replies < <(complete_words play --board "$prefix")
    check "a prefix of \"$spaced\" completes it" test "${#replies[@]}" -ge 1
    eval "read_back=(${replies[0]:-})"
    check "the completed prefix reads back as \"$spaced\"" \
        test "${#read_back[@]}:${read_back[0]:-}" == "1:$spaced"
    mapfile -t replies < <(complete_words play --board "\"$prefix")
    check "a quoted prefix completes inside the quotes" test "${replies[0]:-}" == "\"$spaced\""
    rest=${spaced#* }
    mapfile -t replies < <(complete_words play --board "$prefix\\ ${rest:0:1}")
    eval "read_back=(${replies[0]:-})"
    check "a prefix with an escaped space completes \"$spaced\"" \
        test "${#read_back[@]}:${read_back[0]:-}" == "1:$spaced"
fi
check "no board matches nonsense" test -z "$(complete_words play --board Qzx)"

# The manual pages: every command and option of the help and of the README's block for
# the tool, and no formatting warnings.
if command -v man >/dev/null; then
    for page in tomelin.6 tomelin-cli.6; do
        warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' man --warnings -E UTF-8 -l -Tutf8 -Z \
            "$packaging/$page" 2>&1 >/dev/null)
        check "$page formats without warnings: $warnings" test -z "$warnings"
    done
    text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$packaging/tomelin-cli.6" 2>/dev/null | col -b)
    readme=$(sed -n '/^tomelin-cli boards/,/^```/p' "$(dirname "$packaging")/README.md")
    for word in $commands $(grep -ohE -- '--[a-z0-9-]+' <<<"$help$readme" | sort -u); do
        check "tomelin-cli(6) documents $word" grep -qE -- "(^|[^a-z-])$word([^a-z-]|$)" <<<"$text"
    done
    game=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$packaging/tomelin.6" 2>/dev/null | col -b)
    for name in "${boards[@]}"; do
        check "tomelin(6) names the board $name" grep -qF -- "$name" <<<"$game"
    done
else
    echo "man is not installed: the manual pages are not checked"
fi

((failures == 0)) || { echo "$failures check(s) failed" >&2; exit 1; }
echo "PASSED"
