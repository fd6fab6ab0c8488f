// Feeds arbitrary bytes to the network message decoder; whatever it accepts must encode
// back to exactly the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "network/net_messages.h"

namespace {

std::string Encode(const NetMessage& m) {
    switch (m.Type) {
        case NetMessage::Kind::Hello:
            return EncodeHello(m.Format, m.Version, m.Machine);
        case NetMessage::Kind::Start:
            return EncodeStart(m.Game);
        case NetMessage::Kind::Keys:
            return EncodeKeys(m.Received, m.First, m.Keys.data(), m.Keys.size());
        case NetMessage::Kind::Hash:
            return EncodeHash(m.Step, m.Hash);
        case NetMessage::Kind::Bye:
            return EncodeBye(m.Step);
        case NetMessage::Kind::Busy:
            return EncodeBusy();
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NetMessage message;
    if (!DecodeMessage(data, size, message)) return 0;
    if (Encode(message) != std::string(reinterpret_cast<const char*>(data), size)) {
        std::fprintf(stderr, "fuzz_network: an accepted message encodes differently\n");
        std::abort();
    }
    return 0;
}
