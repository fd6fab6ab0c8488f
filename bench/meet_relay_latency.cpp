// What the meeting server's relay adds to a datagram's trip on loopback: round trips host →
// server → guest → server → host against host → guest → host, taken in turn, paced under
// the relay's rate limit. The guest is a thread of its own that echoes whatever comes to
// where it came from, so both ways wake another process or thread as a real pair would.
// Prints medians and 99th percentiles in microseconds.
// Usage: meet_relay_latency SERVER_PORT [ROUND_TRIPS]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "meet_client.h"

namespace {

using Clock = std::chrono::steady_clock;

// Under the relay's 250 datagrams a second per side.
constexpr auto kPace = std::chrono::milliseconds(5);

platform::UdpEndpoint ToEndpoint(const MeetAddress& address) {
    return platform::UdpEndpoint{address.Ip, address.Port};
}

// One round trip in microseconds; negative when the datagram went missing.
double RoundTrip(MeetClient& host, const MeetClient& guest, bool relayed) {
    const std::string keys(24, 'k');
    const auto start = Clock::now();
    if (relayed) {
        host.SendToServer(keys);
    } else {
        host.Send(ToEndpoint(guest.Address()), keys);
    }
    if (host.Receive(1000).empty()) return -1;
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void Echo(MeetClient& guest, const std::atomic<bool>& stop) {
    while (!stop) {
        platform::UdpEndpoint from;
        const std::string bytes = guest.Receive(100, &from);
        if (!bytes.empty()) guest.Send(from, bytes);
    }
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(share * (values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: meet_relay_latency SERVER_PORT [ROUND_TRIPS]\n");
        return 2;
    }
    const uint16_t port = static_cast<uint16_t>(std::atoi(argv[1]));
    const int trips = argc > 2 ? std::atoi(argv[2]) : 2000;
    MeetClient host(port, 0x5151), guest(port, 0x6262);
    std::string error;
    if (!host.Ok() || !guest.Ok() || MeetThroughRelay(host, guest, error) == 0) {
        std::fprintf(stderr, "meet_relay_latency: %s\n", error.c_str());
        return 1;
    }
    std::atomic<bool> stop{false};
    std::thread echo(Echo, std::ref(guest), std::cref(stop));
    std::vector<double> direct, relayed;
    int lost = 0;
    for (int i = 0; i < trips; ++i) {
        for (bool through_server : {false, true}) {
            const double us = RoundTrip(host, guest, through_server);
            if (us < 0) {
                ++lost;
            } else {
                (through_server ? relayed : direct).push_back(us);
            }
        }
        std::this_thread::sleep_for(kPace);
    }
    stop = true;
    echo.join();
    if (direct.empty() || relayed.empty()) {
        std::fprintf(stderr, "meet_relay_latency: every datagram was lost\n");
        return 1;
    }
    const double direct_median = Percentile(direct, 0.5), direct_99 = Percentile(direct, 0.99);
    const double relayed_median = Percentile(relayed, 0.5), relayed_99 = Percentile(relayed, 0.99);
    std::printf("meet relay, %d round trips each, %d lost\n", trips, lost);
    std::printf("direct round trip:  median %7.1f us, 99th percentile %7.1f us\n", direct_median,
                direct_99);
    std::printf("relayed round trip: median %7.1f us, 99th percentile %7.1f us\n", relayed_median,
                relayed_99);
    // A round trip crosses the relay twice. The tails are the machine's scheduling more than
    // the relay, so only the medians are set against each other.
    std::printf("added per datagram: median %7.1f us\n", (relayed_median - direct_median) / 2);
    return 0;
}
