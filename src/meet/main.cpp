// pondlark-meet: the meeting server that introduces a host and a guest behind home routers.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "meet/meet_server.h"
#include "platform/clock.h"
#include "platform/secure_random.h"
#include "platform/stop_signals.h"
#include "platform/udp_socket.h"

namespace {

constexpr int kWaitMs = 1000;
// Longer than anything the server relays, so what it reads is never cut.
constexpr size_t kBufferSize = 2048;

const char kUsage[] =
    "Usage: pondlark-meet [--port N]\n"
    "Introduces the two sides of a Pondlark network game, and relays their game when\n"
    "no direct path opens. Listens on UDP port 7411 unless --port gives another.\n"
    "  --port N     the UDP port to listen on (1 to 65535)\n"
    "  --help       print this text and exit\n"
    "  --version    print the version and exit\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "pondlark-meet: %s\nTry pondlark-meet --help.\n", message.c_str());
    return 2;
}

bool ReadPort(const char* text, uint16_t& port) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > 65535) return false;
    port = static_cast<uint16_t>(value);
    return true;
}

int64_t NowMs() {
    return platform::MonotonicNanoseconds() / 1000000;
}

MeetAddress ToMeet(const platform::UdpEndpoint& endpoint) {
    return MeetAddress{endpoint.Ip, endpoint.Port};
}

}  // namespace

int main(int argc, char** argv) {
    uint16_t port = kMeetPort;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("pondlark-meet %s\n", PONDLARK_VERSION);
            return 0;
        }
        if (argument != "--port") return Fail("unknown argument " + argument);
        if (i + 1 >= argc) return Fail("--port needs a number");
        if (!ReadPort(argv[++i], port)) return Fail(std::string("not a port: ") + argv[i]);
    }

    platform::UdpSocket socket;
    if (!socket.Open(port)) {
        std::fprintf(stderr, "pondlark-meet: %s\n", socket.Error().c_str());
        return 2;
    }
    platform::CatchStopSignals();
    MeetServer server(MeetLimits{}, platform::FillSecureRandom,
                      [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    std::fprintf(stderr, "pondlark-meet %s: listening on UDP port %u\n", PONDLARK_VERSION,
                 static_cast<unsigned>(socket.Port()));

    uint8_t buffer[kBufferSize];
    while (!platform::StopRequested()) {
        platform::UdpEndpoint from;
        const long size = socket.Receive(buffer, sizeof(buffer), from, kWaitMs);
        if (size < 0) {
            server.Sweep(NowMs());
            continue;
        }
        for (const MeetDatagram& out :
             server.Receive(buffer, static_cast<size_t>(size), ToMeet(from), NowMs())) {
            socket.Send(platform::UdpEndpoint{out.To.Ip, out.To.Port},
                        reinterpret_cast<const uint8_t*>(out.Bytes.data()), out.Bytes.size());
        }
    }
    std::fprintf(stderr, "pondlark-meet: stopped\n");
    return 0;
}
