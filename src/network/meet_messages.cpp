#include "network/meet_messages.h"

#include <cstring>

#include "state/byte_codec.h"

namespace {

void PutAddress(std::string& out, const MeetAddress& address) {
    PutLittleEndian(out, address.Ip, 4);
    PutLittleEndian(out, address.Port, 2);
}

MeetAddress ReadAddress(ByteReader& in) {
    MeetAddress address;
    address.Ip = static_cast<uint32_t>(in.Int(4));
    address.Port = static_cast<uint16_t>(in.Int(2));
    return address;
}

void PutCode(std::string& out, const std::string& code) {
    const std::string kept = code.substr(0, kCodeLength);
    PutLittleEndian(out, kept.size(), 1);
    out += kept;
}

bool ReadCode(ByteReader& in, std::string& code) {
    const size_t length = in.Int(1);
    if (length > kCodeLength) return false;
    code = in.Text(length);
    return true;
}

void PutCandidates(std::string& out, const std::vector<MeetAddress>& candidates) {
    const size_t count = candidates.size() < kMostCandidates ? candidates.size() : kMostCandidates;
    PutLittleEndian(out, count, 1);
    for (size_t i = 0; i < count; ++i) PutAddress(out, candidates[i]);
}

bool ReadCandidates(ByteReader& in, std::vector<MeetAddress>& candidates) {
    const size_t count = in.Int(1);
    if (count > kMostCandidates) return false;
    for (size_t i = 0; i < count && !in.Short(); ++i) candidates.push_back(ReadAddress(in));
    return true;
}

bool ReadFields(ByteReader& in, MeetMessage& m) {
    using Kind = MeetMessage::Kind;
    switch (m.Type) {
        case Kind::Register:
            return ReadCandidates(in, m.Candidates);
        case Kind::Registered:
            if (!ReadCode(in, m.Code)) return false;
            m.Seen = ReadAddress(in);
            m.SecondsLeft = static_cast<uint16_t>(in.Int(2));
            return true;
        case Kind::Join:
            return ReadCode(in, m.Code) && ReadCandidates(in, m.Candidates);
        case Kind::Peer:
            if (!ReadCandidates(in, m.Candidates)) return false;
            m.Other = ReadAddress(in);
            m.Session = in.Int(8);
            return true;
        case Kind::Probe: {
            m.Session = in.Int(8);
            const uint64_t answer = in.Int(1);
            m.Answer = answer == 1;
            return answer <= 1;
        }
        case Kind::Relay:
        case Kind::Relaying:
        case Kind::Done:
            m.Session = in.Int(8);
            return true;
        case Kind::Refused: {
            const uint64_t why = in.Int(1);
            m.Why = static_cast<MeetMessage::Reason>(why);
            return why >= static_cast<uint8_t>(MeetMessage::Reason::UnknownCode) &&
                   why <= static_cast<uint8_t>(MeetMessage::Reason::Expired);
        }
    }
    return false;
}

bool OnlyZeros(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0) return false;
    }
    return true;
}

}  // namespace

std::string ToString(const MeetAddress& address) {
    return std::to_string(address.Ip >> 24) + "." + std::to_string((address.Ip >> 16) & 0xFF) +
           "." + std::to_string((address.Ip >> 8) & 0xFF) + "." +
           std::to_string(address.Ip & 0xFF) + ":" + std::to_string(address.Port);
}

bool IsMeetDatagram(const uint8_t* data, size_t size) {
    return size >= sizeof(kMeetMagic) && std::memcmp(data, kMeetMagic, sizeof(kMeetMagic)) == 0;
}

bool IsMeetRequest(MeetMessage::Kind kind) {
    using Kind = MeetMessage::Kind;
    return kind == Kind::Register || kind == Kind::Join || kind == Kind::Relay ||
           kind == Kind::Done;
}

std::string EncodeMeet(const MeetMessage& m) {
    using Kind = MeetMessage::Kind;
    std::string out(kMeetMagic, sizeof(kMeetMagic));
    PutLittleEndian(out, m.Protocol, 1);
    PutLittleEndian(out, static_cast<uint8_t>(m.Type), 1);
    PutLittleEndian(out, m.Nonce, 8);
    switch (m.Type) {
        case Kind::Register:
            PutCandidates(out, m.Candidates);
            break;
        case Kind::Registered:
            PutCode(out, m.Code);
            PutAddress(out, m.Seen);
            PutLittleEndian(out, m.SecondsLeft, 2);
            break;
        case Kind::Join:
            PutCode(out, m.Code);
            PutCandidates(out, m.Candidates);
            break;
        case Kind::Peer:
            PutCandidates(out, m.Candidates);
            PutAddress(out, m.Other);
            PutLittleEndian(out, m.Session, 8);
            break;
        case Kind::Probe:
            PutLittleEndian(out, m.Session, 8);
            PutLittleEndian(out, m.Answer ? 1 : 0, 1);
            break;
        case Kind::Relay:
        case Kind::Relaying:
        case Kind::Done:
            PutLittleEndian(out, m.Session, 8);
            break;
        case Kind::Refused:
            PutLittleEndian(out, static_cast<uint8_t>(m.Why), 1);
            break;
    }
    if (IsMeetRequest(m.Type)) out.resize(kMeetRequestSize, '\0');
    return out;
}

bool DecodeMeet(const uint8_t* data, size_t size, MeetMessage& message) {
    message = MeetMessage{};
    if (!IsMeetDatagram(data, size) || size > kLongestMeetMessage) return false;
    ByteReader in(data, size, sizeof(kMeetMagic));
    message.Protocol = static_cast<uint8_t>(in.Int(1));
    message.Type = static_cast<MeetMessage::Kind>(in.Int(1));
    if (in.Short()) return false;
    // What follows may be laid out otherwise in another version; the kind is enough to refuse.
    if (message.Protocol != kMeetProtocol) return true;
    const bool request = IsMeetRequest(message.Type);
    if (request && size != kMeetRequestSize) return false;
    if (!request && size > kMeetRequestSize) return false;
    message.Nonce = in.Int(8);
    if (!ReadFields(in, message) || in.Short()) return false;
    return request ? OnlyZeros(data + in.Pos(), in.Left()) : in.AtEnd();
}
