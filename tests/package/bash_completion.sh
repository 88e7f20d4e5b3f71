#!/usr/bin/env bash
# The bash completion offers kelpway's options, their values, the files each position takes and
# the colour operand, in plain bash and again with the bash-completion package's helpers loaded;
# every option that `kelpway --help` lists is among those it offers.
# Usage: bash_completion.sh KELPWAY COMPLETION_SCRIPT
set -o pipefail
kelpway=$(realpath "$1") script=$2
helpers=/usr/share/bash-completion/bash_completion
# shellcheck source=completion/kelpway.bash
source "$script" || exit 1

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
mkdir sub
touch -- --odd.gpx Track.gpx b.GPX c.Gpx 'with space.gpx' '12:30 walk.gpx' notes.txt route.xml sub/inner.gpx \
    BV100001.DRW BV100001.MMK bv100002.drw Bv100003.Mmk BV100004.txt

# Sets COMP_LINE, COMP_POINT, COMP_WORDS and COMP_CWORD as bash does for LINE with the cursor at
# its end: words end at blanks outside quotes and backslashes, and a run of = and : is a word of
# its own (`--color=3` gives `--color`, `=`, `3`).
set_line() {
    local line=$1 word="" quote="" i c
    COMP_LINE=$line COMP_POINT=${#line} COMP_WORDS=()
    for ((i = 0; i < ${#line}; i++)); do
        c=${line:i:1}
        if [[ -n $quote ]]; then
            word+=$c
            [[ $c == "$quote" ]] && quote=
        elif [[ $c == ' ' ]]; then
            [[ -n $word ]] && COMP_WORDS+=("$word")
            word=
        elif [[ $c == [=:] ]]; then
            [[ -n $word && $word != *[=:] ]] && { COMP_WORDS+=("$word"); word=; }
            word+=$c
        else
            [[ $word == *[=:] ]] && { COMP_WORDS+=("$word"); word=; }
            [[ $c == [\'\"] ]] && quote=$c
            [[ $c == \\ ]] && { c+=${line:i+1:1}; i=$((i + 1)); }
            word+=$c
        fi
    done
    COMP_WORDS+=("$word")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
}

# compopt works only while readline completes: here it records what it was asked for.
compopt() { local IFS=" "; compopt_given+="${compopt_given:+ }$*"; }

# Prints the candidates for LINE, sorted and joined by ";", then "|" and the compopt options given.
complete_line() {
    set_line "$1"
    COMPREPLY=() compopt_given=
    _kelpway
    printf '%s|%s\n' "$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ';')" "$compopt_given"
}

gpx='--odd.gpx;12:30 walk.gpx;Track.gpx;b.GPX;c.Gpx;sub;with space.gpx|-o filenames'
pairs='BV100001.DRW;BV100001.MMK;Bv100003.Mmk;bv100002.drw;sub|-o filenames'
colors='1;2;3;4;5;6;7|'
charsets='CP1250;CP1251;CP1252;CP1253;CP1254;CP1255;CP1256;CP1257;CP1258;CP932;CP936;CP949;CP950'
charsets+=';ISO-8859-1;ISO-8859-10;ISO-8859-11;ISO-8859-13;ISO-8859-14;ISO-8859-15;ISO-8859-2'
charsets+=';ISO-8859-3;ISO-8859-4;ISO-8859-5;ISO-8859-6;ISO-8859-7;ISO-8859-8;ISO-8859-9'
charsets+=';Shift_JIS;UTF-8|'
# LINE (the cursor at its end) and what is offered there.
cases=(
    'kelpway -'                          '--;--batch;--charset=;--color=;--help;--routes;--to-gpx;--version|'
    'kelpway --r'                        '--routes|'
    'kelpway --co'                       '--color=|-o nospace'
    'kelpway --c'                        '--charset=;--color=|'
    'kelpway --color='                   "$colors"
    'kelpway --color=3'                  '3|'
    'kelpway --charset='                 "$charsets"
    'kelpway --charset=CP125'            'CP1250;CP1251;CP1252;CP1253;CP1254;CP1255;CP1256;CP1257;CP1258|'
    'kelpway --charset=ISO-8859-1'       'ISO-8859-1;ISO-8859-10;ISO-8859-11;ISO-8859-13;ISO-8859-14;ISO-8859-15|'
    'kelpway --charset=Sh'               'Shift_JIS|'
    'kelpway --charset=shift'            'Shift_JIS|'
    'kelpway --charset=cp93'             'CP932;CP936|'
    'kelpway --color=3 --r'              '--routes|'
    'kelpway '                           "$gpx"
    'kelpway T'                          'Track.gpx|-o filenames'
    'kelpway with\ '                     'with space.gpx|-o filenames'
    "kelpway 'with"                      'with space.gpx|-o filenames'
    'kelpway 12:3'                       '30 walk.gpx|-o filenames'
    'kelpway sub/'                       'sub/inner.gpx|-o filenames'
    'kelpway --routes '                  "$gpx"
    'kelpway --charset=UTF-8 '           "$gpx"
    'kelpway --color=3 --charset=CP932 --routes ' "$gpx"
    'kelpway --to-gpx '                  "$pairs"
    'kelpway --to-gpx b'                 'bv100002.drw|-o filenames'
    'kelpway --batch --to-gpx BV100001.DRW ' "$pairs"
    'kelpway --batch Track.gpx b'        'b.GPX|-o filenames'
    'kelpway --batch Track.gpx b.GPX '   "$gpx"
    'kelpway Track.gpx '                 "$colors"
    'kelpway --color=3 Track.gpx '       "$colors"
    'kelpway Track.gpx 5'                '5|'
    'kelpway Track.gpx 5 '               '|'
    'kelpway Track.gpx --'               '|'
    'kelpway --to-gpx BV100001.DRW '     '|'
    'kelpway -- '                        "$gpx"
    'kelpway -- -'                       '--odd.gpx|-o filenames'
    'kelpway -- --r'                     '|-o filenames'
    'kelpway --routes -- Track.gpx '     "$colors"
    'kelpway Track.gpx > out.txt '       "$colors"
    'kelpway Track.gpx > n'              'notes.txt|-o filenames'
)

status=0
run_cases() {  # run_cases MODE
    local i got
    for ((i = 0; i < ${#cases[@]}; i += 2)); do
        got=$(complete_line "${cases[i]}")
        if [ "$got" != "${cases[i + 1]}" ]; then
            printf '%s: %s\n  offered:  %s\n  expected: %s\n' "$1" "${cases[i]}" "$got" "${cases[i + 1]}"
            status=1
        fi
    done
    # An option that --help lists but the completion does not know fails here.
    local option offered
    offered=";$(complete_line 'kelpway --' | cut -d'|' -f1);"
    for option in $("$kelpway" --help | grep -oE '^  --[a-z-]*=?'); do
        if [[ $offered != *";$option;"* ]]; then
            printf '%s: kelpway --help lists %s, the completion does not offer it\n' "$1" "$option"
            status=1
        fi
    done
}

run_cases "plain bash"
if [ -f "$helpers" ]; then
    # shellcheck source=/dev/null
    source "$helpers" || exit 1
    declare -F _init_completion >/dev/null || { echo "$helpers defines no _init_completion"; exit 1; }
    run_cases "with the bash-completion helpers"
else
    echo "bash-completion not installed: checked without its helpers"
fi
[ "$status" -eq 0 ] && echo "completion as expected in $(( ${#cases[@]} / 2 )) cases"
exit "$status"
