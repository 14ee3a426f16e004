# Sourced by the scripts that need a private X server. start_x_server [LOG]
# starts Xvfb on a display it picks itself (-displayfd: two servers started
# at once never take the same one), that does not reset when its first
# client leaves (-noreset), and exports DISPLAY; stop_x_server ends it.
start_x_server() {
    local display=
    exec {x_server_output}< <(exec Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp 2> "${1:-/dev/null}")
    x_server_pid=$!
    if ! read -r -t 30 display <&"$x_server_output" || [ -z "$display" ]; then
        stop_x_server
        echo "Xvfb did not start${1:+; see $1}" >&2
        return 1
    fi
    export DISPLAY=:$display
}

stop_x_server() {
    [ -n "${x_server_pid:-}" ] || return 0
    kill "$x_server_pid" 2> /dev/null || true
    while kill -0 "$x_server_pid" 2> /dev/null; do sleep 0.1; done
    exec {x_server_output}<&-
    x_server_pid=
}
