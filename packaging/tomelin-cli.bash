# bash completion for tomelin-cli                            -*- shell-script -*-
# Commands, their options, the option values and the built-in board names (asked of the
# tool itself, so they follow its version).

_tomelin_cli_board_names()
{
    local tool=${COMP_WORDS[0]}
    command -v -- "$tool" >/dev/null 2>&1 || tool=tomelin-cli
    "$tool" boards 2>/dev/null | cut -f1
}

# Offers the board names that start with the word being completed. Names hold spaces, so
# each reply is escaped for the shell unless the word was opened with a quote.
_tomelin_cli_boards()
{
    local cur=$1 quote= word name escaped
    case $cur in
        \"* | \'*) quote=${cur:0:1} word=${cur:1} ;;
        *) word=${cur//\\/} ;;
    esac
    while IFS= read -r name; do
        [[ -n $name && $name == "$word"* ]] || continue
        if [[ -n $quote ]]; then
            COMPREPLY+=("$quote$name$quote")
        else
            escaped=$(printf '%s' "$name" | sed 's/[][ \\"'\''$`!&;|<>()*?#~{}]/\\&/g')
            COMPREPLY+=("$escaped")
        fi
    done < <(_tomelin_cli_board_names)
}

_tomelin_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    local commands="boards play moves match perft bench store records uai tune help --help --version"
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}

    # The value of the option just typed.
    case $prev in
        --board)
            [[ $command == play || $command == match ]] && _tomelin_cli_boards "$cur"
            return
            ;;
        --logic)
            COMPREPLY=($(compgen -W "star cross" -- "$cur"))
            return
            ;;
        --p1 | --p2)
            COMPREPLY=($(compgen -W "beginner pro genius master" -- "$cur"))
            return
            ;;
        --opponent)
            COMPREPLY=($(compgen -W "beginner pro genius" -- "$cur"))
            return
            ;;
        --clock)
            COMPREPLY=($(compgen -W "cpu wall" -- "$cur"))
            return
            ;;
        --player)
            COMPREPLY=($(compgen -W "1 2" -- "$cur"))
            return
            ;;
        --strength)
            COMPREPLY=($(compgen -W "0 1 2 3 4" -- "$cur"))
            return
            ;;
        --board-string | --fen | --seed | --games | --max-moves | --depth | --last | --movetime | --jobs | --weights | --nodes | --random-plies | --epochs)
            return
            ;;
        --pgn)
            [[ $command == play ]] && COMPREPLY=($(compgen -f -- "$cur"))
            return
            ;;
    esac

    local options=
    case $command in
        play)
            options="--board --board-string --logic --p1 --p2 --seed --games --show --max-moves --movetime --record --resume --pgn"
            ;;
        moves)
            options="--board-string --fen --logic --player --strength --last --movetime --depth"
            ;;
        match)
            options="--games --movetime --seed --opponent --jobs --board --logic --clock --weights"
            ;;
        perft)
            options="--board-string --fen --logic --player --depth"
            ;;
        records)
            options="--pgn"
            ;;
        bench)
            options="--master --verbose"
            ;;
        tune)
            if ((COMP_CWORD == 2)); then
                COMPREPLY=($(compgen -W "generate fit" -- "$cur"))
                return
            fi
            if [[ ${COMP_WORDS[2]} == fit ]]; then
                if ((COMP_CWORD == 3)); then
                    COMPREPLY=($(compgen -f -- "$cur"))
                    return
                fi
                options="--epochs"
            else
                options="--games --nodes --seed --random-plies"
            fi
            ;;
        store)
            if ((COMP_CWORD == 2)); then
                COMPREPLY=($(compgen -W "list get set delete" -- "$cur"))
                return
            fi
            [[ ${COMP_WORDS[2]} == set ]] && options="--int"
            ;;
    esac
    # Options already given are not offered again (a repeated option is refused).
    local given word left=
    for word in $options; do
        for given in "${COMP_WORDS[@]:2:COMP_CWORD-2}"; do
            [[ $given == "$word" ]] && continue 2
        done
        left+=" $word"
    done
    [[ -n $left ]] && COMPREPLY=($(compgen -W "$left" -- "$cur"))
}
complete -F _tomelin_cli tomelin-cli
