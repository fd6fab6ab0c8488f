#!/usr/bin/env bash
# Only src/platform/ may talk to SDL, OpenAL, libsndfile, ENet, the router libraries or the OS directly, and includes
# run one way: a folder includes only itself and the folders below it in this order.
set -u
root=${1:-.}
rooms=(state config input sound platform gfx game recording menu network meet app)
status=0

pattern='#[[:space:]]*include[[:space:]]*[<"](SDL|AL/|sndfile|unistd|fcntl|dirent|pthread|sys/|poll|signal\.h|termios|dlfcn|pwd\.h|X11/|EGL/|GL/glx|enet/|miniupnpc/|natpmp|netinet/|arpa/|netdb)'
hits=$(grep -rnE "$pattern" "$root/src" --include='*.[ch]' --include='*.[ch]pp' 2>/dev/null |
    grep -v "^$root/src/platform/")
if [ -n "$hits" ]; then
    echo "Platform headers outside src/platform/:"
    echo "$hits"
    status=1
fi

rank() {
    local i
    for i in "${!rooms[@]}"; do [ "${rooms[$i]}" = "$1" ] && echo "$i" && return; done
    echo -1
}
for folder in "$root"/src/*/; do
    room=$(basename "$folder")
    own=$(rank "$room")
    [ "$own" -ge 0 ] || { echo "src/$room is not in the include order"; status=1; continue; }
    while IFS=: read -r file line target; do
        [ "$(rank "$target")" -le "$own" ] && continue
        echo "src/$room includes a folder above it: ${file#"$root"/}:$line ($target)"
        status=1
    done < <(grep -rnoE '#[[:space:]]*include[[:space:]]*"[a-z_]+/' "$folder" |
        sed -E 's#^([^:]*):([0-9]+):.*"([a-z_]+)/$#\1:\2:\3#')
done
[ "$status" -eq 0 ] && echo "include rooms: clean"
exit "$status"
