#include "network/net_messages.h"

namespace {

constexpr size_t kLongestVersion = 64;
// Step numbers stay far from wrapping: over a year of play at 60 steps a second.
constexpr uint32_t kLastStep = 1u << 31;

void Put(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Begin(NetMessage::Kind kind) {
    return std::string(1, static_cast<char>(kind));
}

// Reads little-endian fields; any read past the end marks the whole message bad.
struct Reader {
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    bool Bad = false;

    uint64_t Int(int bytes) {
        if (Size - Pos < static_cast<size_t>(bytes)) {
            Bad = true;
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= uint64_t{Data[Pos++]} << (8 * i);
        return value;
    }
    std::string Text(size_t length) {
        if (Size - Pos < length) {
            Bad = true;
            return {};
        }
        std::string text(reinterpret_cast<const char*>(Data + Pos), length);
        Pos += length;
        return text;
    }
    size_t Left() const { return Size - Pos; }
};

}  // namespace

std::string EncodeHello(uint16_t format, const std::string& version) {
    std::string out = Begin(NetMessage::Kind::Hello);
    const std::string shown = version.substr(0, kLongestVersion);
    Put(out, format, 2);
    Put(out, shown.size(), 1);
    return out + shown;
}

std::string EncodeStart(const std::string& game) {
    return Begin(NetMessage::Kind::Start) + game;
}

std::string EncodeKeys(uint32_t received, uint32_t first, const uint8_t* keys, size_t count) {
    std::string out = Begin(NetMessage::Kind::Keys);
    if (count > kMostKeysPerMessage) count = kMostKeysPerMessage;
    Put(out, received, 4);
    Put(out, first, 4);
    Put(out, count, 1);
    out.append(reinterpret_cast<const char*>(keys), count);
    return out;
}

std::string EncodeHash(uint32_t step, uint64_t hash) {
    std::string out = Begin(NetMessage::Kind::Hash);
    Put(out, step, 4);
    Put(out, hash, 8);
    return out;
}

bool DecodeMessage(const uint8_t* data, size_t size, NetMessage& message) {
    if (size == 0 || size > kLongestMessage) return false;
    Reader in{data, size};
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
            if (count == 0 || count > kMostKeysPerMessage || in.Bad || in.Left() != count) {
                return false;
            }
            if (message.Received > kLastStep || message.First > kLastStep - count) return false;
            message.Keys.assign(data + in.Pos, data + in.Pos + count);
            in.Pos += count;
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
    return !in.Bad && in.Left() == 0;
}
