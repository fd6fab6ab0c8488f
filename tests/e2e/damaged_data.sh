#!/usr/bin/env bash
# Every texture and every sound sample, in turn missing, cut to half its size
# and cut inside its header: the game shows its message, found by caption and
# dismissed, ends with a failure status (never a signal) and leaves the
# settings file byte for byte as it was.
#
# Expectations:
# - texture missing, cut to half, or cut within its first 20 bytes: the
#   "ERROR" box, then exit status 1..127.
# - sample missing, or cut within its first 20 bytes (inside the RIFF and
#   format headers): the "Error" box, then exit status 1..127.
# - sample cut to half: libsndfile opens it and reads the frames that are
#   there, so it is still a usable, shorter sound. The game starts normally;
#   the test then closes it and expects exit status 0 and the settings file
#   written back unchanged.
#
# That makes 129 runs of about a second and a half each; they are shared
# between three games on three X servers, which keeps both cores busy.
source "$(dirname "$0")/lib.sh"
GAME=$1
WM_CLOSE=$2

TEXTURES=(font.tga ikonki.tga ripple.tga zaba.tga lisc2.tga
    tlo.tga tlo2jesien.tga tlo2zima.tga tlo2wiosna.tga)
SAMPLES=(hopgl.wav hop.wav splash.wav mlask1.wav mlask2.wav mlask3.wav gulp1.wav burp1.wav
    burp2.wav ptak1.wav ptak2.wav ptak3.wav ptak4.wav ptak5.wav ptak6.wav ptak7.wav ptak8.wav
    ptak9.wav ptak10.wav ptak11.wav ptak12.wav swierszcz1.wav swierszcz2.wav wiatr1.wav
    wrona1.wav wrona2.wav wrona3.wav zaby1.wav zaby2.wav zaby3.wav zaby4.wav muchy1.wav
    muchy2.wav deszcz.wav)
WORKERS=3

# One case per entry: file, then damage ("missing", "half" or "head:N").
cases=()
index=0
for file in "${TEXTURES[@]}" "${SAMPLES[@]}"; do
    # The header cut moves through every length from 0 to 19 bytes.
    cases+=("$file missing" "$file half" "$file head:$((index % 20))")
    index=$((index + 1))
done

# Damages one file of the worker's game folder.
damage() {
    local path=$1 how=$2
    case $how in
        missing) rm "$path" ;;
        half) truncate -s $(($(stat -c %s "$path") / 2)) "$path" ;;
        head:*) truncate -s "${how#head:}" "$path" ;;
    esac
}

# Runs one case in the worker's folder; prints a line and returns 1 on failure.
run_case() {
    local file=$1 how=$2 dir=$3 expect caption config outcome id name
    config="$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"
    case $file in
        *.tga) caption=ERROR ;;
        *) caption=Error ;;
    esac
    expect=box
    [ "$file" != "${file%.wav}" ] && [ "$how" = half ] && expect=start

    damage "$dir/game/data/$file" "$how"
    "$dir/game/pondlark" >"$dir/game.log" 2>&1 &
    GAME_PID=$!

    outcome=0
    GAME_STATUS=
    id=
    name=
    if [ "$expect" = box ]; then
        read -r id name < <(wait_window_or_exit "^$caption\$" 30 || true)
        if [ -z "$id" ]; then
            wait_exit 1 || true
            echo "FAIL $file $how: no \"$caption\" box (exit status ${GAME_STATUS:-running})"
            outcome=1
        elif ! dismiss_box_and_wait_exit "$caption"; then
            echo "FAIL $file $how: the game did not end after the message"
            outcome=1
        elif [ "$GAME_STATUS" = 0 ] || [ "$GAME_STATUS" -ge 128 ]; then
            echo "FAIL $file $how: exit status $GAME_STATUS"
            outcome=1
        fi
    else
        read -r id name < <(wait_window_or_exit '^(Pondlark Remake|Error|ERROR)$' 30 || true)
        if [ "$name" != "Pondlark Remake" ]; then
            echo "FAIL $file $how: expected a normal start, saw \"${name:-nothing}\""
            outcome=1
        else
            # Start-up is over once the loading window has closed.
            for _ in $(seq 100); do
                xdotool search --onlyvisible --name '^Pondlark Remake loading$' >/dev/null 2>&1 ||
                    break
                sleep 0.05
            done
            "$WM_CLOSE" "$id"
            if ! wait_exit 20; then
                echo "FAIL $file $how: the game did not end after the close request"
                outcome=1
            elif [ "$GAME_STATUS" != 0 ]; then
                echo "FAIL $file $how: exit status $GAME_STATUS after a normal close"
                outcome=1
            fi
        fi
    fi
    if [ -n "$GAME_PID" ]; then
        kill -9 "$GAME_PID" 2>/dev/null || true
        wait "$GAME_PID" 2>/dev/null || true
        GAME_PID=
    fi
    if ! cmp -s "$config" "$dir/before.cfg"; then
        echo "FAIL $file $how: settings file changed"
        outcome=1
    fi
    if compgen -G "$config.*.tmp" >/dev/null || [ -e "$config.bak" ]; then
        echo "FAIL $file $how: stray settings files left"
        outcome=1
    fi
    [ "$outcome" = 0 ] && echo "ok $file $how ($expect)"
    [ "$outcome" = 1 ] && sed 's/^/    game: /' "$dir/game.log" | tail -n 5
    cp "$dir/data/$file" "$dir/game/data/$file"
    write_example_settings "$config"
    return "$outcome"
}

# Runs its share of the cases on its own X server, game folder and HOME. The
# shares mix the kinds of damage, so that the slower normal starts are spread.
worker() {
    local number=$1 display=$2 dir="$WORK/worker$1" failed=0 i
    trap '[ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null || true' EXIT
    export DISPLAY=$display HOME=$dir/home
    mkdir -p "$dir/game" "$HOME"
    cp "$GAME" "$dir/game/"
    cp -r "$(dirname "$GAME")/data" "$dir/game/"
    # A pristine copy to restore each damaged file from.
    cp -r "$(dirname "$GAME")/data" "$dir/data"
    write_example_settings "$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg"
    cp "$HOME/.config/Grubwick/PondlarkRemake/Pondlark.cfg" "$dir/before.cfg"
    for ((i = 0; i < ${#cases[@]}; i++)); do
        # Three cases per file: the file's number plus the damage's picks the worker.
        [ $(((i / 3 + i % 3) % WORKERS)) = "$number" ] || continue
        # shellcheck disable=SC2086
        run_case ${cases[$i]} "$dir" || failed=1
    done
    return "$failed"
}

displays=()
for ((w = 0; w < WORKERS; w++)); do
    start_extra_x
    displays+=("$EXTRA_DISPLAY")
done

pids=()
for ((w = 0; w < WORKERS; w++)); do
    worker "$w" "${displays[$w]}" >"$WORK/worker$w.log" 2>&1 &
    pids+=($!)
done
failed=0
for ((w = 0; w < WORKERS; w++)); do
    wait "${pids[$w]}" || failed=1
done
cat "$WORK"/worker*.log | sort
runs=$(cat "$WORK"/worker*.log | grep -c '^\(ok\|FAIL\) ' || true)
[ "$runs" = "${#cases[@]}" ] || fail "only $runs of ${#cases[@]} runs reported"
[ "$failed" = 0 ] || fail "some damaged files were not handled as expected"
echo "damaged_data: passed (${#cases[@]} runs)"
