# A lab of network namespaces: an "internet", a meeting server on it, and homes behind
# every kind of router a player may have. Source it, then `lab_up`, `lab_run NS CMD...`,
# `lab_down`. Needs root, iproute2, iptables, nftables and miniupnpd. Every packet stays
# inside the namespaces: the internet namespace routes only to the lab's own segments
# and has no default route.
#
# Site     namespaces                       home address    router's outside
# public   pl-pub-r, pl-pub-h               10.1.0.2        10.99.1.2 (no NAT)
# cone     pl-cone1-r/-h, pl-cone2-r/-h     192.168.2/3.2   10.99.2/3.2 (MASQUERADE)
# symm.    pl-sym1-r/-h, pl-sym2-r/-h       192.168.4/5.2   10.99.4/5.2 (MASQUERADE --random-fully)
# upnp     pl-upnp-r, pl-upnp-h             192.168.6.2     11.0.0.2 (MASQUERADE + miniupnpd)
# carrier  pl-cgn-c, pl-cgn-r, pl-cgn-h     192.168.7.2     100.64.7.2, then 10.99.7.2
# two      pl-duo-r, pl-duo-a, pl-duo-b     192.168.8.2/.3  10.99.8.2 (MASQUERADE)
# server   in pl-net                        10.99.0.1 and a second host 10.99.0.3

LAB_PREFIX=pl-
LAB_NET=pl-net
LAB_SERVER=10.99.0.1
LAB_SERVER2=10.99.0.3
LAB_HOME_PUBLIC=pl-pub-h
LAB_HOME_CONE=pl-cone1-h
LAB_HOME_CONE2=pl-cone2-h
LAB_HOME_SYMMETRIC=pl-sym1-h
LAB_HOME_SYMMETRIC2=pl-sym2-h
LAB_HOME_UPNP=pl-upnp-h
LAB_HOME_CARRIER=pl-cgn-h
LAB_HOME_DUO_A=pl-duo-a
LAB_HOME_DUO_B=pl-duo-b
LAB_UPNP_ROUTER=pl-upnp-r
LAB_CARRIER_HOME_ROUTER=pl-cgn-r
# miniupnpd refuses an outside address in the private, carrier (100.64/10) and
# documentation ranges, since a mapping there could never be reached from the internet.
# 11.0.0.0/8 is ordinary public space; here it exists only on a veth between two of our
# namespaces, and no namespace has a route to the rest of it.
LAB_UPNP_OUTSIDE=11.0.0.2
LAB_UPNP_TABLE=pl_upnp
LAB_STATE=/run/pl-nat-lab

lab_run() {
    local ns=$1
    shift
    ip netns exec "$ns" "$@"
}

# Removes every namespace named with the lab's prefix, and the processes inside them, so a
# lab left by a killed run goes too.
lab_down() {
    # Whatever is already gone is fine, also in a caller that stops at the first failure.
    local -
    set +e
    local ns pid pids=()
    for ns in $(ip netns list 2>/dev/null | awk '{print $1}' | grep "^$LAB_PREFIX"); do
        pids+=($(ip netns pids "$ns" 2>/dev/null))
    done
    # A polite stop first: miniupnpd takes its forwards away as it goes.
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null; done
    for _ in $(seq 20); do
        pid=""
        for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && break || pid=""; done
        [ -z "$pid" ] && break
        sleep 0.1
    done
    for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null; done
    for ns in $(ip netns list 2>/dev/null | awk '{print $1}' | grep "^$LAB_PREFIX"); do
        ip netns del "$ns" 2>/dev/null
    done
    rm -rf "$LAB_STATE"
    return 0
}

lab_namespace() {
    ip netns add "$1" || return 1
    lab_run "$1" ip link set lo up
}

lab_forwarding() {
    lab_run "$1" sysctl -qw net.ipv4.ip_forward=1
}

# Joins namespace A (device DEV_A, address ADDR_A/24) to B (DEV_B, ADDR_B/24) by a veth.
lab_link() {
    local a=$1 dev_a=$2 addr_a=$3 b=$4 dev_b=$5 addr_b=$6
    ip link add "$dev_a" netns "$a" type veth peer name "$dev_b" netns "$b" || return 1
    lab_run "$a" ip addr add "$addr_a/24" dev "$dev_a" &&
        lab_run "$b" ip addr add "$addr_b/24" dev "$dev_b" &&
        lab_run "$a" ip link set "$dev_a" up &&
        lab_run "$b" ip link set "$dev_b" up
}

# A router namespace ROUTER on the internet as 10.99.N.2, with home HOME as 192.168.N.2.
lab_site() {
    local n=$1 router=$2 home=$3
    lab_namespace "$router" && lab_namespace "$home" && lab_forwarding "$router" &&
        lab_link "$LAB_NET" "site$n" "10.99.$n.1" "$router" wan "10.99.$n.2" &&
        lab_run "$router" ip route add default via "10.99.$n.1" &&
        lab_link "$router" lan "192.168.$n.1" "$home" eth0 "192.168.$n.2" &&
        lab_run "$home" ip route add default via "192.168.$n.1"
}

# Outgoing connections are rewritten to the router's address; nothing new comes in. A
# stranger's datagram is dropped unanswered, as home routers do: answered, it would leave a
# tracked connection on the router's own port that pushes the next outgoing mapping onto
# another port, and hole punching would never work through any router.
lab_masquerade() {
    local router=$1
    shift
    lab_run "$router" iptables -t nat -A POSTROUTING -o wan -j MASQUERADE "$@" &&
        lab_run "$router" iptables -A FORWARD -i wan -m conntrack --ctstate NEW -j DROP &&
        lab_run "$router" iptables -A INPUT -i wan -m conntrack --ctstate NEW -j DROP
}

lab_public_site() {
    lab_namespace pl-pub-r && lab_namespace "$LAB_HOME_PUBLIC" && lab_forwarding pl-pub-r &&
        lab_link "$LAB_NET" site1 10.99.1.1 pl-pub-r wan 10.99.1.2 &&
        lab_run pl-pub-r ip route add default via 10.99.1.1 &&
        lab_link pl-pub-r lan 10.1.0.1 "$LAB_HOME_PUBLIC" eth0 10.1.0.2 &&
        lab_run "$LAB_HOME_PUBLIC" ip route add default via 10.1.0.1 &&
        lab_run "$LAB_NET" ip route add 10.1.0.0/24 via 10.99.1.2
}

# Home router behind a carrier's router: two NAT layers, the middle one in 100.64/10.
lab_carrier_site() {
    lab_namespace pl-cgn-c && lab_namespace "$LAB_CARRIER_HOME_ROUTER" &&
        lab_namespace "$LAB_HOME_CARRIER" && lab_forwarding pl-cgn-c &&
        lab_forwarding "$LAB_CARRIER_HOME_ROUTER" &&
        lab_link "$LAB_NET" site7 10.99.7.1 pl-cgn-c wan 10.99.7.2 &&
        lab_run pl-cgn-c ip route add default via 10.99.7.1 &&
        lab_link pl-cgn-c lan 100.64.7.1 "$LAB_CARRIER_HOME_ROUTER" wan 100.64.7.2 &&
        lab_run "$LAB_CARRIER_HOME_ROUTER" ip route add default via 100.64.7.1 &&
        lab_link "$LAB_CARRIER_HOME_ROUTER" lan 192.168.7.1 "$LAB_HOME_CARRIER" eth0 192.168.7.2 &&
        lab_run "$LAB_HOME_CARRIER" ip route add default via 192.168.7.1 &&
        lab_masquerade pl-cgn-c && lab_masquerade "$LAB_CARRIER_HOME_ROUTER"
}

# Two players on one home network: a bridge in the router joins both.
lab_duo_site() {
    local home
    lab_namespace pl-duo-r && lab_forwarding pl-duo-r &&
        lab_link "$LAB_NET" site8 10.99.8.1 pl-duo-r wan 10.99.8.2 &&
        lab_run pl-duo-r ip route add default via 10.99.8.1 &&
        lab_run pl-duo-r ip link add lan type bridge &&
        lab_run pl-duo-r ip addr add 192.168.8.1/24 dev lan &&
        lab_run pl-duo-r ip link set lan up || return 1
    local n=2
    for home in "$LAB_HOME_DUO_A" "$LAB_HOME_DUO_B"; do
        lab_namespace "$home" &&
            ip link add "port$n" netns pl-duo-r type veth peer name eth0 netns "$home" &&
            lab_run pl-duo-r ip link set "port$n" master lan up &&
            lab_run "$home" ip addr add "192.168.8.$n/24" dev eth0 &&
            lab_run "$home" ip link set eth0 up &&
            lab_run "$home" ip route add default via 192.168.8.1 || return 1
        n=$((n + 1))
    done
    lab_masquerade pl-duo-r
}

# The router with miniupnpd. Its packaged nft_init.sh does not run as shipped, so the
# table and the chains miniupnpd fills are made here and named in its configuration.
lab_upnp_site() {
    local r=$LAB_UPNP_ROUTER t=$LAB_UPNP_TABLE
    lab_namespace "$r" && lab_namespace "$LAB_HOME_UPNP" && lab_forwarding "$r" &&
        lab_link "$LAB_NET" site6 11.0.0.1 "$r" wan "$LAB_UPNP_OUTSIDE" &&
        lab_run "$r" ip route add default via 11.0.0.1 &&
        lab_link "$r" lan 192.168.6.1 "$LAB_HOME_UPNP" eth0 192.168.6.2 &&
        lab_run "$LAB_HOME_UPNP" ip route add default via 192.168.6.1 || return 1
    lab_run "$r" nft -f - <<EOF || return 1
table inet $t {
    chain forward {
        type filter hook forward priority 0; policy drop;
        ct state established,related accept
        iifname "lan" accept
        jump ${t}_forward
    }
    chain ${t}_forward {
    }
    chain input {
        type filter hook input priority 0; policy accept;
        iifname "wan" ct state new drop
    }
    chain prerouting {
        type nat hook prerouting priority -100; policy accept;
        jump ${t}_prerouting
    }
    chain postrouting {
        type nat hook postrouting priority 100; policy accept;
        jump ${t}_postrouting
        oifname "wan" masquerade
    }
    chain ${t}_prerouting {
    }
    chain ${t}_postrouting {
    }
}
EOF
    cat >"$LAB_STATE/miniupnpd.conf" <<EOF
ext_ifname=wan
ext_ip=$LAB_UPNP_OUTSIDE
listening_ip=lan
http_port=0
enable_natpmp=yes
enable_upnp=yes
secure_mode=yes
system_uptime=yes
uuid=5c1ab0b2-8f4e-4f49-9c11-0a7d3e5b6a01
upnp_table_name=$t
upnp_nat_table_name=$t
upnp_forward_chain=${t}_forward
upnp_nat_chain=${t}_prerouting
upnp_nat_postrouting_chain=${t}_postrouting
allow 1024-65535 192.168.6.0/24 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
EOF
    lab_start_miniupnpd
}

# Starts the router's miniupnpd, answering UPnP and NAT-PMP.
lab_start_miniupnpd() {
    lab_run "$LAB_UPNP_ROUTER" miniupnpd -d -f "$LAB_STATE/miniupnpd.conf" \
        -P "$LAB_STATE/miniupnpd.pid" >"$LAB_STATE/miniupnpd.log" 2>&1 &
    disown
    # Ready once it listens for NAT-PMP on the home side.
    local _
    for _ in $(seq 50); do
        lab_run "$LAB_UPNP_ROUTER" ss -Hlun 'sport = :5351' | grep -q . && return 0
        sleep 0.1
    done
    echo "miniupnpd did not start:" >&2
    cat "$LAB_STATE/miniupnpd.log" >&2
    return 1
}

lab_build() {
    # The servers' addresses sit on the internet's loopback: this kernel has no dummy device.
    mkdir -p "$LAB_STATE" && lab_namespace "$LAB_NET" && lab_forwarding "$LAB_NET" &&
        lab_run "$LAB_NET" ip addr add "$LAB_SERVER/32" dev lo &&
        lab_run "$LAB_NET" ip addr add "$LAB_SERVER2/32" dev lo &&
        lab_public_site &&
        lab_site 2 pl-cone1-r "$LAB_HOME_CONE" && lab_masquerade pl-cone1-r &&
        lab_site 3 pl-cone2-r "$LAB_HOME_CONE2" && lab_masquerade pl-cone2-r &&
        lab_site 4 pl-sym1-r "$LAB_HOME_SYMMETRIC" && lab_masquerade pl-sym1-r --random-fully &&
        lab_site 5 pl-sym2-r "$LAB_HOME_SYMMETRIC2" && lab_masquerade pl-sym2-r --random-fully &&
        lab_carrier_site && lab_duo_site && lab_upnp_site
}

# Builds the whole lab, after clearing any left by an earlier run; on failure nothing is
# left behind. The lab also goes when the calling shell exits.
lab_up() {
    local tool
    for tool in ip iptables nft miniupnpd; do
        command -v "$tool" >/dev/null || {
            echo "nat lab: $tool is missing (scripts/setup.sh test installs it)" >&2
            return 1
        }
    done
    lab_down
    trap lab_down EXIT
    trap 'exit 130' INT TERM
    if ! lab_build; then
        echo "nat lab: could not build the lab" >&2
        lab_down
        return 1
    fi
}
