#include "network/net_messages.h"

#include "state/byte_codec.h"

namespace {

// A version or a machine name.
constexpr size_t kLongestName = 64;
// Step numbers stay far from wrapping: over a year of play at 60 steps a second.
constexpr uint32_t kLastStep = 1u << 31;

std::string Begin(NetMessage::Kind kind) {
    return std::string(1, static_cast<char>(kind));
}

}  // namespace

std::string EncodeHello(uint16_t format, const std::string& version, const std::string& machine) {
    std::string out = Begin(NetMessage::Kind::Hello);
    PutLittleEndian(out, format, 2);
    for (const std::string& text : {version, machine}) {
        const std::string shown = text.substr(0, kLongestName);
        PutLittleEndian(out, shown.size(), 1);
        out += shown;
    }
    return out;
}

std::string EncodeStart(const std::string& game) {
    return Begin(NetMessage::Kind::Start) + game;
}

std::string EncodeKeys(uint32_t received, uint32_t first, const uint8_t* keys, size_t count) {
    std::string out = Begin(NetMessage::Kind::Keys);
    if (count > kMostKeysPerMessage) count = kMostKeysPerMessage;
    PutLittleEndian(out, received, 4);
    PutLittleEndian(out, first, 4);
    PutLittleEndian(out, count, 1);
    out.append(reinterpret_cast<const char*>(keys), count);
    return out;
}

std::string EncodeHash(uint32_t step, uint64_t hash) {
    std::string out = Begin(NetMessage::Kind::Hash);
    PutLittleEndian(out, step, 4);
    PutLittleEndian(out, hash, 8);
    return out;
}

std::string EncodeBye(uint32_t step) {
    std::string out = Begin(NetMessage::Kind::Bye);
    PutLittleEndian(out, step, 4);
    return out;
}

std::string EncodeBusy() {
    return Begin(NetMessage::Kind::Busy);
}

bool DecodeMessage(const uint8_t* data, size_t size, NetMessage& message) {
    if (size == 0 || size > kLongestMessage) return false;
    ByteReader in(data, size);
    message = NetMessage{};
    message.Type = static_cast<NetMessage::Kind>(in.Int(1));
    switch (message.Type) {
        case NetMessage::Kind::Hello:
            message.Format = static_cast<uint16_t>(in.Int(2));
            for (std::string* text : {&message.Version, &message.Machine}) {
                const size_t length = in.Int(1);
                if (length > kLongestName) return false;
                *text = in.Text(length);
            }
            break;
        case NetMessage::Kind::Start:
            message.Game = in.Text(in.Left());
            if (message.Game.empty()) return false;
            break;
        case NetMessage::Kind::Keys: {
            message.Received = static_cast<uint32_t>(in.Int(4));
            message.First = static_cast<uint32_t>(in.Int(4));
            const size_t count = in.Int(1);
            if (count == 0 || count > kMostKeysPerMessage || in.Short() || in.Left() != count) {
                return false;
            }
            if (message.Received > kLastStep || message.First > kLastStep - count) return false;
            const std::string keys = in.Text(count);
            message.Keys.assign(keys.begin(), keys.end());
            break;
        }
        case NetMessage::Kind::Hash:
        case NetMessage::Kind::Bye:
            message.Step = static_cast<uint32_t>(in.Int(4));
            if (message.Type == NetMessage::Kind::Hash) message.Hash = in.Int(8);
            if (message.Step > kLastStep) return false;
            break;
        case NetMessage::Kind::Busy:
            break;
        default:
            return false;
    }
    return !in.Short() && in.Left() == 0;
}
