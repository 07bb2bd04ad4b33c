# Bash completion for score-rank: an option, or the one file to rank.

_score_rank()
{
	local cur=${COMP_WORDS[COMP_CWORD]} word options=1
	for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
		if [[ $options && $word == -- ]]; then
			options=
		elif [[ ! $options || $word != -?* ]]; then
			# A file is named already, and one is all it takes.
			COMPREPLY=()
			return
		fi
	done
	if [[ $options && $cur == -* ]]; then
		mapfile -t COMPREPLY < <(compgen -W '--help --version --' -- "$cur")
	else
		mapfile -t COMPREPLY < <(compgen -f -- "$cur")
	fi
}
complete -o filenames -F _score_rank score-rank
