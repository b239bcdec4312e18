# fish completion for hardlens, the window

complete -c hardlens -f
complete -c hardlens -l snapshot -r -F -d 'Show a recorded machine instead of this one'
complete -c hardlens -o platform -x -a 'xcb wayland offscreen' -d 'Qt platform plugin'
complete -c hardlens -s h -l help -d 'Print the help and exit'
complete -c hardlens -s V -l version -d 'Print the version and exit'
