# bash completion for kelpway: options, the values of --color= and --charset=, GPX files (DRW and
# MMK files after --to-gpx) in any letter case, and the colour operand. Plain bash; the helpers of
# the bash-completion package are used when they are loaded.

_kelpway_options='--routes --help --version --to-gpx --batch --color= --charset= --'
_kelpway_colors='1 2 3 4 5 6 7'
# kelpway takes these names in any letter case, and so does the completion.
_kelpway_charsets='CP932 Shift_JIS CP936 CP949 CP950 CP1250 CP1251 CP1252 CP1253 CP1254 CP1255
    CP1256 CP1257 CP1258 ISO-8859-1 ISO-8859-2 ISO-8859-3 ISO-8859-4 ISO-8859-5 ISO-8859-6
    ISO-8859-7 ISO-8859-8 ISO-8859-9 ISO-8859-10 ISO-8859-11 ISO-8859-13 ISO-8859-14 ISO-8859-15
    UTF-8'

# Sets the caller's words, cword, cur and prev from COMP_WORDS when the helpers are not loaded.
# Bash splits `--color=3` into `--color`, `=` and `3` (and `a:b` at its colon): such pieces are
# joined again, as `_init_completion -n =:` does.
_kelpway_words() {
    local i piece
    words=()
    for ((i = 0; i <= COMP_CWORD; i++)); do
        piece=${COMP_WORDS[i]}
        if ((i > 1)) && [[ $piece == [=:]* || ${COMP_WORDS[i - 1]} == *[=:] ]]; then
            words[-1]+=$piece
        else
            words+=("$piece")
        fi
    done
    cword=$((${#words[@]} - 1))
    cur=${words[cword]}
    prev=${words[cword - 1]}
}

# Adds to COMPREPLY the directories and the files whose names end in .EXT for one of the given
# extensions, in any letter case; without an extension, every file. compgen reads the word as the
# shell will, without its opening quote and backslashes; readline quotes what it inserts.
_kelpway_files() {
    local word=$cur ext pattern i c
    if [[ $word == \'* ]]; then
        word=${word#\'}
    else
        # shellcheck disable=SC2162 # read takes the backslashes away
        IFS= read word <<<"${word#\"}"
    fi
    compopt -o filenames 2>/dev/null
    if (($# == 0)); then
        mapfile -t COMPREPLY < <(compgen -f -- "$word")
        return
    fi
    mapfile -t COMPREPLY < <(compgen -d -- "$word")
    for ext; do
        pattern=
        for ((i = 0; i < ${#ext}; i++)); do
            c=${ext:i:1}
            pattern+="[${c,}${c^}]"
        done
        mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -X "!*.$pattern" -- "$word")
    done
}

_kelpway() {
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n =: || return
    else
        _kelpway_words
        # The target of a redirection is any file.
        if [[ $prev == *[\<\>] ]]; then
            _kelpway_files
            return
        fi
    fi

    # Options come first: every leading word that begins with --, up to -- or the first other word.
    local i options=1 to_gpx=0 batch=0 operands=0
    for ((i = 1; i < cword; i++)); do
        if ((options)) && [[ ${words[i]} == --* ]]; then
            case ${words[i]} in
                --) options=0 ;;
                --to-gpx) to_gpx=1 ;;
                --batch) batch=1 ;;
            esac
        elif [[ ${words[i]} == *[\<\>] ]]; then
            i=$((i + 1))  # and its target
        else
            options=0
            operands=$((operands + 1))
        fi
    done

    COMPREPLY=()
    local name value=${cur#*=}
    if ((options)) && [[ $cur == -* ]]; then
        case $cur in
            --color=*) mapfile -t COMPREPLY < <(compgen -P --color= -W "$_kelpway_colors" -- "$value") ;;
            --charset=*)
                for name in $_kelpway_charsets; do
                    [[ ${name,,} == "${value,,}"* ]] && COMPREPLY+=("--charset=$name")
                done
                ;;
            *)
                mapfile -t COMPREPLY < <(compgen -W "$_kelpway_options" -- "$cur")
                [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace 2>/dev/null
                ;;
        esac
    elif ((batch || operands == 0)); then
        if ((to_gpx)); then
            _kelpway_files drw mmk
        else
            _kelpway_files gpx
        fi
    elif ((operands == 1 && !to_gpx)); then
        mapfile -t COMPREPLY < <(compgen -W "$_kelpway_colors" -- "$cur")
    fi

    # Readline replaces only what follows the last = or : of the word: the rest stays.
    local piece=${COMP_WORDS[COMP_CWORD]}
    [[ $piece == *[!=:]* ]] || piece=
    if [[ $cur == *"$piece" && $cur != "$piece" ]]; then
        COMPREPLY=("${COMPREPLY[@]#"${cur%"$piece"}"}")
    fi
}

complete -F _kelpway kelpway
