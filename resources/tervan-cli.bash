# bash completion of tervan-cli: its commands and options, the model names
# for --model and the settings keys for --set, as tervan-cli itself lists them.
_tervan_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local commands="convert receive send models keys help"
  local options="--ini --model --set --dxf-header --hvsd --seed --bffb --log-dir --port --known -q --quiet -h --help --version"
  case "$prev" in
    --ini|--dxf-header|--known)
      COMPREPLY=($(compgen -f -- "$cur"))
      return ;;
    --log-dir)
      COMPREPLY=($(compgen -d -- "$cur"))
      return ;;
    --port)
      COMPREPLY=($(compgen -f -- "${cur:-/dev/tty}"))
      return ;;
    --model)
      # Names end where two blanks begin ("Dini USB" has one), and go on
      # the command line with their blanks escaped.
      local name
      COMPREPLY=()
      while IFS= read -r name; do
        [[ $name == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
      done < <("${COMP_WORDS[0]}" models 2>/dev/null | sed -n 's/^\([^ ].*[^ ]\)  .*/\1/p')
      return ;;
    --set)
      COMPREPLY=($(compgen -S = -W "$("${COMP_WORDS[0]}" keys 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
      compopt -o nospace 2>/dev/null
      return ;;
    --seed|--bffb)
      return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  local i word have_command=
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case " $commands " in *" $word "*) have_command=$word ;; esac
  done
  if [ -z "$have_command" ]; then
    COMPREPLY=($(compgen -W "$commands" -- "$cur"))
  elif [ "$have_command" = help ]; then
    COMPREPLY=($(compgen -W "$commands" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -F _tervan_cli tervan-cli
