#!/usr/bin/env bash
# Only src/platform/ may talk to SDL, OpenAL, libsndfile or the OS directly.
set -u
root=${1:-.}
pattern='#[[:space:]]*include[[:space:]]*[<"](SDL|AL/|sndfile|unistd|fcntl|dirent|pthread|sys/|poll|signal\.h|termios|dlfcn|pwd\.h|X11/|EGL/|GL/glx)'
hits=$(grep -rnE "$pattern" "$root/src" --include='*.[ch]' --include='*.[ch]pp' 2>/dev/null |
    grep -v "^$root/src/platform/")
if [ -n "$hits" ]; then
    echo "Platform headers outside src/platform/:"
    echo "$hits"
    exit 1
fi
echo "include rooms: clean"
