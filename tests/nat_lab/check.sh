#!/usr/bin/env bash
# Brings the NAT lab up and shows that each router behaves as its kind is named, where
# hole punching opens a path and where it cannot, and that the game's port mapping gets a
# forward from a real UPnP / NAT-PMP router and takes it away again. Prints a table.
# Usage: check.sh UDP_PROBE MAP_PROBE (as root; exits 77, skipped, otherwise)
set -u
probe=$1
map_probe=$2
here=$(cd "$(dirname "$0")" && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "nat lab: skipped: it needs root to make network namespaces"
    exit 77
fi
# shellcheck source=tests/nat_lab/lab.sh
. "$here/lab.sh"
if ! ip netns add pl-try 2>/dev/null; then
    echo "nat lab: cannot make network namespaces on this machine (ip netns add failed)"
    exit 1
fi
ip netns del pl-try
lab_up || exit 1
out=$LAB_STATE/check
mkdir -p "$out"

passed=0
failed=0
rows=()
# Notes one row of the table: what was checked, what it should show, what it showed, and
# whether the condition (the remaining arguments, a command run in the caller's variables)
# held.
verdict() {
    local _what=$1 _expected=$2 _seen=$3 _result=ok
    shift 3
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        _result=FAILED
    fi
    rows+=("$(printf '%-36s %-30s %-38s %s' "$_what" "$_expected" "$_seen" "$_result")")
}

# Two stand-ins for the meeting server, on two addresses, for the whole run; lab_down
# stops them.
ip netns exec "$LAB_NET" "$probe" reflect "$LAB_SERVER" 7411 240 &
disown
ip netns exec "$LAB_NET" "$probe" reflect "$LAB_SERVER2" 7411 240 &
disown
sleep 0.2

# The address a reflector saw for NS sending from LOCAL_PORT, or "none".
seen_from() {
    local text
    text=$(lab_run "$1" "$probe" send "$2" "$3" 7411 2000 | awk '{print $2}')
    echo "${text:-none}"
}

# Both sides send to each other at once, from LOCAL_PORT: "A heard / B heard" (or none).
punch() {
    local ns_a=$1 to_a=$2 ns_b=$3 to_b=$4 port=$5
    lab_run "$ns_a" "$probe" send "$port" "${to_b%:*}" "${to_b#*:}" 3000 >"$out/punch_a" &
    local a=$!
    lab_run "$ns_b" "$probe" send "$port" "${to_a%:*}" "${to_a#*:}" 3000 >"$out/punch_b"
    wait "$a"
    local heard_a heard_b
    heard_a=$(awk '{print $1}' "$out/punch_a")
    heard_b=$(awk '{print $1}' "$out/punch_b")
    echo "${heard_a:-none} / ${heard_b:-none}"
}

same() { [ "$1" = "$2" ]; }
port_of() { echo "${1#*:}"; }
ip_of() { echo "${1%:*}"; }

routes_out=$(lab_run "$LAB_NET" ip route show default)
verdict "internet: no route out of the lab" "no default route" "${routes_out:-none}" \
    same "$routes_out" ""

seen=$(seen_from "$LAB_HOME_PUBLIC" 5000 "$LAB_SERVER")
verdict "public home: no NAT" "10.1.0.2:5000" "$seen" same "$seen" 10.1.0.2:5000

one=$(seen_from "$LAB_HOME_CONE" 5000 "$LAB_SERVER")
two=$(seen_from "$LAB_HOME_CONE" 5000 "$LAB_SERVER2")
verdict "cone: two destinations" "one public port" "$one / $two" \
    eval '[ "$one" = "$two" ] && [ "$(ip_of "$one")" = 10.99.2.2 ]'

one=$(seen_from "$LAB_HOME_SYMMETRIC" 5000 "$LAB_SERVER")
two=$(seen_from "$LAB_HOME_SYMMETRIC" 5000 "$LAB_SERVER2")
verdict "symmetric: two destinations" "two public ports" "$one / $two" \
    eval '[ "$(ip_of "$one")" = 10.99.4.2 ] && [ "$(ip_of "$two")" = 10.99.4.2 ] &&
        [ "$(port_of "$one")" != "$(port_of "$two")" ]'

middle=$(lab_run "$LAB_CARRIER_HOME_ROUTER" ip -4 -o addr show wan | awk '{print $4}')
seen=$(seen_from "$LAB_HOME_CARRIER" 5000 "$LAB_SERVER")
verdict "carrier NAT: two layers" "router 100.64, seen as carrier" "router ${middle%/*}, seen $seen" \
    eval '[ "${middle#100.64.}" != "$middle" ] && [ "$(ip_of "$seen")" = 10.99.7.2 ]'

a=$(seen_from "$LAB_HOME_CONE" 6000 "$LAB_SERVER")
b=$(seen_from "$LAB_HOME_CONE2" 6000 "$LAB_SERVER")
heard=$(punch "$LAB_HOME_CONE" "$a" "$LAB_HOME_CONE2" "$b" 6000)
verdict "hole punch: cone and cone" "both hear the other" "$heard" same "$heard" "$b / $a"

a=$(seen_from "$LAB_HOME_SYMMETRIC" 6000 "$LAB_SERVER")
b=$(seen_from "$LAB_HOME_SYMMETRIC2" 6000 "$LAB_SERVER")
heard=$(punch "$LAB_HOME_SYMMETRIC" "$a" "$LAB_HOME_SYMMETRIC2" "$b" 6000)
verdict "hole punch: symmetric and symm." "neither hears (relay needed)" "$heard" \
    same "$heard" "none / none"

heard=$(punch "$LAB_HOME_DUO_A" 192.168.8.2:6000 "$LAB_HOME_DUO_B" 192.168.8.3:6000 6000)
verdict "two players behind one router" "each other's local address" "$heard" \
    same "$heard" "192.168.8.3:6000 / 192.168.8.2:6000"

# The router's table holds a forward of PORT while it exists.
forwarded() {
    lab_run "$LAB_UPNP_ROUTER" nft list table inet "$LAB_UPNP_TABLE" | grep -q "dport $1 "
}

# map_probe in the UPnP home maps PORT; a datagram from the internet must reach it through
# the forward and come back, and the forward must go when map_probe ends.
mapping_works() {
    local method=$1 port=$2 log=$out/map_$2
    lab_run "$LAB_HOME_UPNP" timeout 30 "$map_probe" "$port" 10 >"$log" 2>&1 &
    local pid=$! _ address="" during=no echoed after=no
    for _ in $(seq 100); do
        address=$(sed -n 's/^public address: //p' "$log")
        [ -n "$address" ] || ! kill -0 "$pid" 2>/dev/null && break
        sleep 0.1
    done
    forwarded "$port" && during=yes
    echoed=$(lab_run "$LAB_NET" "$probe" send 7000 "${address%:*}" "${address#*:}" 3000)
    wait "$pid"
    forwarded "$port" || after=yes
    verdict "$method mapping from the upnp home" "public address: $LAB_UPNP_OUTSIDE:$port" \
        "$(head -n1 "$log")" grep -qx "public address: $LAB_UPNP_OUTSIDE:$port" "$log"
    verdict "  by" "$method" "$(sed -n "s/^method: //p" "$log")" \
        grep -q "^method: $method," "$log"
    verdict "  router's table while mapped" "forward of port $port" "forward: $during" \
        same "$during" yes
    verdict "  datagram from the internet" "echoed from $LAB_UPNP_OUTSIDE:$port" \
        "${echoed:-nothing}" same "$echoed" "$LAB_UPNP_OUTSIDE:$port pondlark lab probe"
    verdict "  router's table after exit" "no forward" "removed: $after" same "$after" yes
}

mapping_works UPnP 7410
lab_restart_miniupnpd no || exit 1
mapping_works NAT-PMP 7412
lab_restart_miniupnpd yes || exit 1

lab_run "$LAB_HOME_CONE" timeout 30 "$map_probe" 7410 1 >"$out/map_cone" 2>&1
status=$?
verdict "mapping in the cone home (no router)" "failed" "$(cat "$out/map_cone")" \
    eval '[ "$status" -eq 1 ] && grep -q "^mapping failed after" "$out/map_cone"'

echo
printf '%-36s %-30s %-38s %s\n' check expected seen result
printf '%s\n' "${rows[@]}"
echo "nat lab: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
