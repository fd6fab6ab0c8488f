// Talks to a running pondlark-meet on loopback as a host, a guest and a stranger: they meet,
// the relay carries game datagrams both ways and nothing to the stranger, and the guest ends
// the session. Prints what failed and exits 1, or exits 0.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "meet/e2e/meet_client.h"

namespace {

int Fail(const std::string& what) {
    std::fprintf(stderr, "meet_check: %s\n", what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: meet_check SERVER_PORT");
    const uint16_t port = static_cast<uint16_t>(std::atoi(argv[1]));
    MeetClient host(port, 0xA1), guest(port, 0xB2), stranger(port, 0xC3);
    if (!host.Ok() || !guest.Ok() || !stranger.Ok()) return Fail("no loopback sockets");
    std::string error;
    const uint64_t session = MeetThroughRelay(host, guest, error);
    if (session == 0) return Fail(error);

    MeetMessage request, answer;
    request.Type = MeetMessage::Kind::Register;
    if (!host.Ask(request, answer) || answer.Type != MeetMessage::Kind::Relaying ||
        answer.Session != session) {
        return Fail("the host's next Register is not answered by Relaying");
    }
    const std::string game = "\x0F\xFF game datagram";
    host.SendToServer(game);
    if (guest.Receive(1000) != game) return Fail("the host's datagram did not reach the guest");
    guest.SendToServer("reply");
    if (host.Receive(1000) != "reply") return Fail("the guest's datagram did not reach the host");
    stranger.SendToServer(game);
    if (!host.Receive(300).empty() || !guest.Receive(300).empty()) {
        return Fail("a stranger's datagram was relayed");
    }

    MeetMessage done;
    done.Type = MeetMessage::Kind::Done;
    done.Nonce = guest.Nonce();
    done.Session = session;
    guest.SendToServer(EncodeMeet(done));
    host.SendToServer(game);
    if (!guest.Receive(300).empty()) return Fail("the relay still carries after Done");
    return 0;
}
