#!/bin/bash
# Runs vandirctl's bash completion as Tab would on a command line and prints
# what it offers, one a line.
# Usage: complete-words.bash COMPLETION_FILE WORD... (the last word is the one
#        being completed, "" for a new one; the first is the program)
completion=$1
shift
source /usr/share/bash-completion/bash_completion
source "$completion"
COMP_WORDS=("$@")
COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
COMP_LINE="${COMP_WORDS[*]}"
COMP_POINT=${#COMP_LINE}
_vandirctl "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
[[ ${#COMPREPLY[@]} -gt 0 ]] && printf '%s\n' "${COMPREPLY[@]}"
exit 0
