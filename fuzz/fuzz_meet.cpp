// Feeds arbitrary datagrams from four addresses into the meeting server, and each one to the
// datagram decoder. Whatever the decoder accepts must encode back to the same bytes; no
// answer may be longer than what it answers, and game traffic may only go between the four.
//
// The input is a run of records: a control byte, a length byte, then that many bytes. The
// control byte's low two bits pick the sender, the next two say what to send (the bytes as
// they are, or a Join with the last code the server gave, a Relay or a Done with the last
// session), and the top four let time pass.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "meet/meet_server.h"

namespace {

const MeetAddress kSenders[4] = {
    {0x0A000001, 7410}, {0x0A000001, 7411}, {0xC0A80002, 40000}, {0xCB007107, 50000}};

void Check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "fuzz_meet: %s\n", what);
    std::abort();
}

void CheckDecoder(const std::string& bytes) {
    MeetMessage m;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!DecodeMeet(data, bytes.size(), m) || m.Protocol != kMeetProtocol) return;
    Check(EncodeMeet(m) == bytes, "an accepted datagram encodes differently");
}

bool IsSender(const MeetAddress& address) {
    for (const MeetAddress& sender : kSenders) {
        if (sender == address) return true;
    }
    return false;
}

std::string Request(MeetMessage::Kind kind, const std::string& code, uint64_t session) {
    MeetMessage m;
    m.Type = kind;
    m.Code = code;
    m.Session = session;
    return EncodeMeet(m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t counter = 0;
    MeetServer server(
        MeetLimits{},
        [&counter](uint8_t* out, size_t length) {
            for (size_t i = 0; i < length; ++i) out[i] = counter++;
        },
        [](const std::string&) {});
    int64_t now = 0;
    std::string code;
    uint64_t session = 0;
    size_t pos = 0;
    while (pos + 2 <= size) {
        const uint8_t control = data[pos];
        size_t length = data[pos + 1];
        pos += 2;
        if (length > size - pos) length = size - pos;
        std::string bytes(reinterpret_cast<const char*>(data + pos), length);
        pos += length;

        const MeetAddress& from = kSenders[control & 3];
        const int action = (control >> 2) & 3;
        const int wait = control >> 4;
        now += wait == 15 ? 16 * 60 * 1000 : wait * 500;
        if (action == 1) bytes = Request(MeetMessage::Kind::Join, code, 0);
        if (action == 2) bytes = Request(MeetMessage::Kind::Relay, "", session);
        if (action == 3) bytes = Request(MeetMessage::Kind::Done, "", session);

        CheckDecoder(bytes);
        const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
        const bool ours = IsMeetDatagram(in, bytes.size());
        for (const MeetDatagram& out : server.Receive(in, bytes.size(), from, now)) {
            if (!ours) {
                Check(out.Bytes == bytes, "relayed bytes changed");
                Check(IsSender(out.To) && out.To != from, "relayed to a stranger or back");
                continue;
            }
            Check(out.Bytes.size() <= bytes.size(), "an answer longer than its request");
            Check(out.To == from, "an answer to someone who did not ask");
            MeetMessage answer;
            Check(DecodeMeet(reinterpret_cast<const uint8_t*>(out.Bytes.data()), out.Bytes.size(),
                             answer),
                  "an answer that does not decode");
            if (!answer.Code.empty()) code = answer.Code;
            if (answer.Session != 0) session = answer.Session;
        }
    }
    return 0;
}
