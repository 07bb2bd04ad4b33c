# Bash completion for score-rank: an option, or the one file to rank.

_score_rank()
{
	local cur=${COMP_WORDS[COMP_CWORD]} word options=1 column=
	for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
		if [[ $column ]]; then
			column=
		elif [[ $options && $word == -- ]]; then
			options=
		elif [[ $options && $word == --column ]]; then
			column=1
		elif [[ ! $options || $word != -?* ]]; then
			# A file is named already, and one is all it takes.
			COMPREPLY=()
			return
		fi
	done
	if [[ $column ]]; then
		# A column's number or header: nothing to offer.
		COMPREPLY=()
	elif [[ $options && $cur == -* ]]; then
		mapfile -t COMPREPLY < <(compgen -W '--help --version --column --' -- "$cur")
	else
		mapfile -t COMPREPLY < <(compgen -f -- "$cur")
	fi
}
complete -o filenames -F _score_rank score-rank
