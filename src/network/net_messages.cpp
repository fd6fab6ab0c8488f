#include "network/net_messages.h"

#include "state/byte_codec.h"

namespace {

constexpr size_t kLongestVersion = 64;
// Step numbers stay far from wrapping: over a year of play at 60 steps a second.
constexpr uint32_t kLastStep = 1u << 31;

std::string Begin(NetMessage::Kind kind) {
    return std::string(1, static_cast<char>(kind));
}

}  // namespace

std::string EncodeHello(uint16_t format, const std::string& version) {
    std::string out = Begin(NetMessage::Kind::Hello);
    const std::string shown = version.substr(0, kLongestVersion);
    PutLittleEndian(out, format, 2);
    PutLittleEndian(out, shown.size(), 1);
    return out + shown;
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

bool DecodeMessage(const uint8_t* data, size_t size, NetMessage& message) {
    if (size == 0 || size > kLongestMessage) return false;
    ByteReader in(data, size);
    message = NetMessage{};
    message.Type = static_cast<NetMessage::Kind>(in.Int(1));
    switch (message.Type) {
        case NetMessage::Kind::Hello: {
            message.Format = static_cast<uint16_t>(in.Int(2));
            const size_t length = in.Int(1);
            if (length > kLongestVersion) return false;
            message.Version = in.Text(length);
            break;
        }
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
            message.Step = static_cast<uint32_t>(in.Int(4));
            message.Hash = in.Int(8);
            if (message.Step > kLastStep) return false;
            break;
        default:
            return false;
    }
    return !in.Short() && in.Left() == 0;
}
