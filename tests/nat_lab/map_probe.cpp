// Asks the router to forward a UDP port with PortMapping, prints the public address, then
// waits for one datagram sent to it from outside and sends it back.
//   map_probe PORT WAIT_SECONDS
// Exits 0 when a datagram came through the forward, 1 when the mapping failed or nothing
// came, 2 on bad arguments. The mapping goes when it exits.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/mapping_status.h"
#include "platform/port_mapping.h"

namespace {

volatile std::sig_atomic_t stopping = 0;

void Stop(int) {
    stopping = 1;
}

long Number(const char* text, long low, long high, const char* what) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) {
        std::fprintf(stderr, "map_probe: %s must be a number from %ld to %ld, not \"%s\"\n", what,
                     low, high, text);
        std::exit(2);
    }
    return value;
}

// Waits for a datagram and sends the same bytes back; true when one came.
bool EchoOne(int s, long wait_seconds) {
    for (long slice = 0; slice < wait_seconds * 10 && !stopping; ++slice) {
        pollfd waiting{s, POLLIN, 0};
        if (poll(&waiting, 1, 100) <= 0) continue;
        unsigned char data[1500];
        sockaddr_in sender{};
        socklen_t size = sizeof sender;
        const ssize_t got =
            recvfrom(s, data, sizeof data, 0, reinterpret_cast<sockaddr*>(&sender), &size);
        if (got < 0) continue;
        sendto(s, data, static_cast<size_t>(got), 0, reinterpret_cast<sockaddr*>(&sender), size);
        std::printf(
            "received %zd bytes from %s\n", got,
            platform::AddressText(ntohl(sender.sin_addr.s_addr), ntohs(sender.sin_port)).c_str());
        return true;
    }
    std::printf("nothing came within %ld s\n", wait_seconds);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: map_probe PORT WAIT_SECONDS\n");
        return 2;
    }
    const auto port = static_cast<uint16_t>(Number(argv[1], 1, 65535, "PORT"));
    const long wait_seconds = Number(argv[2], 1, 600, "WAIT_SECONDS");
    std::signal(SIGINT, Stop);
    std::signal(SIGTERM, Stop);

    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        std::perror("map_probe: cannot use the port");
        return 1;
    }

    const auto start = std::chrono::steady_clock::now();
    platform::PortMapping mapping(port);
    platform::MappingStatus status = mapping.Poll();
    while (status.state == platform::MappingState::kPending && !stopping) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        status = mapping.Poll();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status.state != platform::MappingState::kMapped) {
        std::printf("mapping failed after %.1f s: %s\n", seconds, status.reason.c_str());
        return 1;
    }
    std::printf("%s\nmethod: %s, after %.1f s\n", platform::PublicAddressLine(status).c_str(),
                platform::MethodName(status.method), seconds);
    std::fflush(stdout);
    const bool came = EchoOne(s, wait_seconds);
    close(s);
    return came ? 0 : 1;
}
