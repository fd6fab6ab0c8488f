#include "recording/recording_format.h"

#include <cstring>
#include <utility>

#include "state/byte_codec.h"
#include "state/view_layout.h"

namespace {

const char kMagic[] = "Pondlark recording\n";
constexpr size_t kMagicSize = sizeof kMagic - 1;

// The keys the game reads, in this format: the two schemes' keys of the key table, Escape,
// Return, keypad Enter and both Alt keys. A game that reads another key needs a new format.
constexpr uint8_t kRecordedKeys[] = {1,  17, 28,  29,  30,  31,  32,  56,  72, 75,
                                     77, 80, 156, 157, 184, 200, 203, 205, 208};

// A run longer than this would be years of play: only a damaged file claims one.
constexpr uint32_t kLongestRun = 1u << 30;

// The held keys as a count and their codes.
void PutKeys(std::string& out, const KeyStates& keys) {
    std::string codes;
    for (uint8_t code : kRecordedKeys) {
        if (keys[code] & 0x80) codes += static_cast<char>(code);
    }
    PutLittleEndian(out, static_cast<uint32_t>(codes.size()), 1);
    out += codes;
}

bool ReadKeys(ByteReader& in, KeyStates& keys) {
    const uint32_t count = in.Int(1);
    if (count > sizeof kRecordedKeys) return false;
    for (uint32_t i = 0; i < count && !in.Short(); ++i) {
        const uint8_t code = static_cast<uint8_t>(in.Int(1));
        if (!in.Short() && !IsRecordedKey(code)) return false;
        keys[code] = 0x80;
    }
    return true;
}

bool SensibleViewWidth(int32_t width) {
    return width >= kNarrowestView && width <= kWidestView;
}

RecordingRead ReadHeader(ByteReader& in, uint32_t format, RecordingHeader& header,
                         std::string& problem) {
    header.GameVersion = in.Text(in.Int(1));
    header.Seed = in.Int(4);
    GameSettings& settings = header.Settings;
    settings.NumberOfFrogs = static_cast<int32_t>(in.Int(4));
    settings.FrogsCollision = in.Int(1) != 0;
    settings.StartingLevel = static_cast<int32_t>(in.Int(4));
    for (int32_t& color : settings.Colors) color = static_cast<int32_t>(in.Int(4));
    for (int32_t& control : settings.Controls) control = static_cast<int32_t>(in.Int(4));
    if (format >= 2 && !ReadKeys(in, header.StartKeys)) {
        problem = "is damaged: it starts with a key the game never reads held";
        return RecordingRead::Damaged;
    }
    header.ViewWidth = static_cast<int32_t>(in.Int(4));
    if (in.Short()) {
        problem = "is damaged: its header is cut short";
        return RecordingRead::Damaged;
    }
    if (!SensibleViewWidth(header.ViewWidth)) {
        problem = "is damaged: its view width is impossible";
        return RecordingRead::Damaged;
    }
    return RecordingRead::Ok;
}

// Reads the rest of a block whose head is read, toggling its keys and setting its view;
// false with `problem` set when it makes no sense. A block cut off by the end of the file
// leaves the reader short.
bool ReadBlock(ByteReader& in, uint32_t head, KeyStates& keys, int32_t& viewWidth,
               std::string& problem) {
    if ((head >> 1) > kLongestRun) {
        problem = "is damaged: a run of steps is impossibly long";
        return false;
    }
    if (head & 1) {
        uint32_t width = 0;
        if (!in.Varint(width) || (!in.Short() && !SensibleViewWidth(static_cast<int32_t>(width)))) {
            problem = "is damaged: a view width is impossible";
            return false;
        }
        viewWidth = static_cast<int32_t>(width);
    }
    const uint32_t count = in.Int(1);
    for (uint32_t i = 0; i < count && !in.Short(); ++i) {
        const uint8_t code = static_cast<uint8_t>(in.Int(1));
        if (in.Short()) break;
        if (!IsRecordedKey(code)) {
            problem = "is damaged: it presses a key the game never reads";
            return false;
        }
        keys[code] ^= 0x80;
    }
    return true;
}

}  // namespace

bool IsRecordedKey(uint8_t code) {
    for (uint8_t key : kRecordedKeys) {
        if (key == code) return true;
    }
    return false;
}

std::string EncodeHeader(const RecordingHeader& header) {
    std::string out(kMagic, kMagicSize);
    PutLittleEndian(out, kRecordingFormat, 2);
    const std::string version = header.GameVersion.substr(0, 255);
    PutLittleEndian(out, static_cast<uint32_t>(version.size()), 1);
    out += version;
    PutLittleEndian(out, header.Seed, 4);
    const GameSettings& settings = header.Settings;
    PutLittleEndian(out, static_cast<uint32_t>(settings.NumberOfFrogs), 4);
    PutLittleEndian(out, settings.FrogsCollision ? 1 : 0, 1);
    PutLittleEndian(out, static_cast<uint32_t>(settings.StartingLevel), 4);
    for (int32_t color : settings.Colors) PutLittleEndian(out, static_cast<uint32_t>(color), 4);
    for (int32_t control : settings.Controls)
        PutLittleEndian(out, static_cast<uint32_t>(control), 4);
    PutKeys(out, header.StartKeys);
    PutLittleEndian(out, static_cast<uint32_t>(header.ViewWidth), 4);
    return out;
}

StepEncoder::StepEncoder(int32_t viewWidth) : viewWidth_(viewWidth) {}

void StepEncoder::Add(const KeyStates& keys, int32_t viewWidth) {
    std::vector<uint8_t> changed;
    for (uint8_t code : kRecordedKeys) {
        const uint8_t down = keys[code] & 0x80;
        if (down != keys_[code]) {
            changed.push_back(code);
            keys_[code] = down;
        }
    }
    const bool viewChanged = viewWidth != viewWidth_;
    if (run_ > 0 && changed.empty() && !viewChanged) {
        ++run_;
        return;
    }
    // The block held back so far ends with the width it had.
    if (run_ > 0) CloseBlock();
    viewWidth_ = viewWidth;
    changed_ = std::move(changed);
    viewChanged_ = viewChanged;
    run_ = 1;
}

void StepEncoder::CloseBlock() {
    PutVarint(bytes_, run_ << 1 | (viewChanged_ ? 1 : 0));
    if (viewChanged_) PutVarint(bytes_, static_cast<uint32_t>(viewWidth_));
    PutLittleEndian(bytes_, static_cast<uint32_t>(changed_.size()), 1);
    for (uint8_t code : changed_) bytes_ += static_cast<char>(code);
    changed_.clear();
    viewChanged_ = false;
    run_ = 0;
}

std::string StepEncoder::Take() {
    if (run_ > 0) CloseBlock();
    std::string bytes;
    bytes.swap(bytes_);
    return bytes;
}

std::string StepEncoder::EndMark() {
    return std::string(1, '\0');
}

RecordingRead ParseRecording(std::string bytes, Recording& recording, std::string& problem) {
    recording = Recording{};
    recording.Bytes = std::move(bytes);
    if (recording.Bytes.compare(0, kMagicSize, kMagic) != 0) {
        problem = "is not a Pondlark recording";
        return RecordingRead::NotARecording;
    }
    ByteReader in(recording.Bytes, kMagicSize);
    const uint32_t format = in.Int(2);
    if (!in.Short() && (format < 1 || format > kRecordingFormat)) {
        problem = "is a recording of format " + std::to_string(format) +
                  ", and this game plays only formats 1 to " + std::to_string(kRecordingFormat);
        return RecordingRead::OtherVersion;
    }
    const RecordingRead header = ReadHeader(in, format, recording.Header, problem);
    if (header != RecordingRead::Ok) return header;
    recording.StepsStart = recording.StepsEnd = in.Pos();
    KeyStates keys{};
    int32_t viewWidth = 0;
    uint64_t steps = 0;
    while (!in.AtEnd()) {
        uint32_t head = 0;
        if (!in.Varint(head)) {
            problem = "is damaged: a number in it is too long";
            return RecordingRead::Damaged;
        }
        if (in.Short()) break;
        if (head == 0) {
            if (!in.AtEnd()) {
                problem = "is damaged: there is more after its end";
                return RecordingRead::Damaged;
            }
            recording.Complete = true;
            break;
        }
        if (!ReadBlock(in, head, keys, viewWidth, problem)) return RecordingRead::Damaged;
        // A block the end of the file cut off is dropped: the recording was cut short.
        if (in.Short()) break;
        steps += head >> 1;
        if (steps > INT32_MAX) {
            problem = "is damaged: it claims more steps than a game can have";
            return RecordingRead::Damaged;
        }
        recording.StepsEnd = in.Pos();
    }
    return RecordingRead::Ok;
}

RecordingPlayback::RecordingPlayback(const Recording& recording)
    : recording_(recording), pos_(recording.StepsStart), viewWidth_(recording.Header.ViewWidth) {}

bool RecordingPlayback::Next(KeyStates& keys, int32_t& viewWidth) {
    while (leftInBlock_ == 0) {
        if (pos_ >= recording_.StepsEnd) return false;
        ByteReader in(recording_.Bytes, pos_);
        uint32_t head = 0;
        std::string problem;
        in.Varint(head);
        ReadBlock(in, head, keys_, viewWidth_, problem);
        pos_ = in.Pos();
        leftInBlock_ = head >> 1;
    }
    --leftInBlock_;
    keys = keys_;
    viewWidth = viewWidth_;
    return true;
}
