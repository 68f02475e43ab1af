#!/usr/bin/env bash
# check-completion.sh COMPLETION_FILE
# Completes vantric-batch command lines with the bash completion file, as bash would on Tab,
# with an lpstat of the test's own that knows two queues.
set -u
completion=$1
failures=0
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
cat >"$bin/lpstat" <<'LPSTAT'
#!/bin/sh
[ "$1" = -e ] && printf 'DeskA\nDeskB\n'
LPSTAT
chmod +x "$bin/lpstat"
PATH=$bin:$PATH

# shellcheck source=/dev/null
source "$completion"

# complete LINE EXPECTED: LINE's last word is the one completed ("" for a new word).
complete_line() {
    local line=$1 expected=$2
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _vantric_batch vantric-batch "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | tr '\n' ' ')
    got=${got% }
    if [ "$got" != "$expected" ]; then
        echo "FAIL: '$line' completes to '$got', not '$expected'"
        failures=$((failures + 1))
    fi
}

complete_line 'vantric-batch ' '--help --version multi overweight single'
complete_line 'vantric-batch m' 'multi'
complete_line 'vantric-batch single 5 --printer ' 'DeskA DeskB default'
complete_line 'vantric-batch single 5 --printer Desk' 'DeskA DeskB'
complete_line 'vantric-batch single 5 --pa' '--pages --paper'
complete_line 'vantric-batch multi 3 --fr' '--from'
complete_line 'vantric-batch single 3 --fr' ''
complete_line 'vantric-batch multi 3 --copies ' ''
complete_line 'vantric-batch single 5 --printer DeskA --no' '--no-fit --no-wait'
complete_line 'vantric-batch single 5 --printer DeskA --wait ' ''
complete_line 'vantric-batch single 5 --paper le' 'legal letter'
complete_line 'vantric-batch single 120 --la' '--labels'
complete_line 'vantric-batch multi 30 5 --st' '--start-slot'
complete_line 'vantric-batch overweight --st' ''
complete_line 'vantric-batch single 40 --start-slot ' '1 2 3 4'

[ $failures -eq 0 ] || { echo "$failures completion(s) wrong"; exit 1; }
echo "completion ok"
