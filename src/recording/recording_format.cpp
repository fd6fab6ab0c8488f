#include "recording/recording_format.h"

#include <cstring>

namespace {

const char kMagic[] = "Pondlark recording\n";
constexpr size_t kMagicSize = sizeof kMagic - 1;

// The widest view a window of 8192 x 64 pixels could have.
constexpr int32_t kWidestView = 480 * 128;
// The keys the game reads, in this format: the two schemes' keys of the key table, Escape,
// Return, keypad Enter and both Alt keys. A game that reads another key needs a new format.
constexpr uint8_t kRecordedKeys[] = {1,  17, 28,  29,  30,  31,  32,  56,  72, 75,
                                     77, 80, 156, 157, 184, 200, 203, 205, 208};

// A run longer than this would be years of play: only a damaged file claims one.
constexpr uint32_t kLongestRun = 1u << 30;

void PutInt(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Seven bits a byte, low first; the top bit says another byte follows.
void PutVarint(std::string& out, uint32_t value) {
    while (value >= 0x80) {
        out += static_cast<char>(0x80 | (value & 0x7F));
        value >>= 7;
    }
    out += static_cast<char>(value);
}

// Walks the bytes of a recording; a read past the end sets `Short` and gives 0.
struct ByteCursor {
    const std::string& Bytes;
    size_t Pos = 0;
    bool Short = false;

    bool AtEnd() const { return Pos >= Bytes.size(); }
    uint32_t Int(int bytes) {
        if (Bytes.size() - Pos < static_cast<size_t>(bytes)) {
            Short = true;
            Pos = Bytes.size();
            return 0;
        }
        uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<uint32_t>(static_cast<uint8_t>(Bytes[Pos++])) << (8 * i);
        }
        return value;
    }
    // False for a number longer than 32 bits can hold.
    bool Varint(uint32_t& value) {
        value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const uint32_t byte = Int(1);
            if (Short) return true;
            if (shift == 28 && byte > 0x0F) return false;
            value |= (byte & 0x7F) << shift;
            if (!(byte & 0x80)) return true;
        }
        return false;
    }
};

bool ReadHeader(ByteCursor& in, RecordingHeader& header) {
    const uint32_t versionLength = in.Int(1);
    if (in.Bytes.size() - in.Pos < versionLength) return false;
    header.GameVersion = in.Bytes.substr(in.Pos, versionLength);
    in.Pos += versionLength;
    header.Seed = in.Int(4);
    RecordedSettings& settings = header.Settings;
    settings.NumberOfFrogs = static_cast<int32_t>(in.Int(4));
    settings.FrogsCollision = in.Int(1) != 0;
    settings.StartingLevel = static_cast<int32_t>(in.Int(4));
    for (int32_t& color : settings.Colors) color = static_cast<int32_t>(in.Int(4));
    for (int32_t& control : settings.Controls) control = static_cast<int32_t>(in.Int(4));
    header.ViewWidth = static_cast<int32_t>(in.Int(4));
    return !in.Short;
}

bool SensibleViewWidth(int32_t width) {
    return width >= 1 && width <= kWidestView;
}

// Reads one block; false with `problem` set when it makes no sense. A block cut off by the
// end of the file leaves `in.Short` set.
bool ReadBlock(ByteCursor& in, uint32_t head, RecordedBlock& block, std::string& problem) {
    block.Run = head >> 1;
    if (block.Run > kLongestRun) {
        problem = "is damaged: a run of steps is impossibly long";
        return false;
    }
    if (head & 1) {
        uint32_t width = 0;
        if (!in.Varint(width) || (!in.Short && !SensibleViewWidth(static_cast<int32_t>(width)))) {
            problem = "is damaged: a view width is impossible";
            return false;
        }
        block.ViewWidth = static_cast<int32_t>(width);
    }
    const uint32_t count = in.Int(1);
    for (uint32_t i = 0; i < count && !in.Short; ++i) {
        const uint8_t code = static_cast<uint8_t>(in.Int(1));
        if (in.Short) break;
        if (!IsRecordedKey(code)) {
            problem = "is damaged: it presses a key the game never reads";
            return false;
        }
        block.Changed.push_back(code);
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
    PutInt(out, kRecordingFormat, 2);
    const std::string version = header.GameVersion.substr(0, 255);
    PutInt(out, static_cast<uint32_t>(version.size()), 1);
    out += version;
    PutInt(out, header.Seed, 4);
    const RecordedSettings& settings = header.Settings;
    PutInt(out, static_cast<uint32_t>(settings.NumberOfFrogs), 4);
    PutInt(out, settings.FrogsCollision ? 1 : 0, 1);
    PutInt(out, static_cast<uint32_t>(settings.StartingLevel), 4);
    for (int32_t color : settings.Colors) PutInt(out, static_cast<uint32_t>(color), 4);
    for (int32_t control : settings.Controls) PutInt(out, static_cast<uint32_t>(control), 4);
    PutInt(out, static_cast<uint32_t>(header.ViewWidth), 4);
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
    PutInt(bytes_, static_cast<uint32_t>(changed_.size()), 1);
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

RecordingRead ParseRecording(const std::string& bytes, Recording& recording, std::string& problem) {
    recording = Recording{};
    if (bytes.compare(0, kMagicSize, kMagic) != 0) {
        problem = "is not a Pondlark recording";
        return RecordingRead::NotARecording;
    }
    ByteCursor in{bytes, kMagicSize};
    const uint32_t format = in.Int(2);
    if (!in.Short && format != kRecordingFormat) {
        problem = "is a recording of format " + std::to_string(format) +
                  ", and this game plays only format " + std::to_string(kRecordingFormat);
        return RecordingRead::OtherVersion;
    }
    if (in.Short || !ReadHeader(in, recording.Header)) {
        problem = "is damaged: its header is cut short";
        return RecordingRead::Damaged;
    }
    if (!SensibleViewWidth(recording.Header.ViewWidth)) {
        problem = "is damaged: its view width is impossible";
        return RecordingRead::Damaged;
    }
    uint64_t steps = 0;
    while (!in.AtEnd()) {
        uint32_t head = 0;
        if (!in.Varint(head)) {
            problem = "is damaged: a number in it is too long";
            return RecordingRead::Damaged;
        }
        if (in.Short) break;
        if (head == 0) {
            if (!in.AtEnd()) {
                problem = "is damaged: there is more after its end";
                return RecordingRead::Damaged;
            }
            recording.Complete = true;
            break;
        }
        RecordedBlock block;
        if (!ReadBlock(in, head, block, problem)) return RecordingRead::Damaged;
        // A block the end of the file cut off is dropped: the recording was cut short.
        if (in.Short) break;
        steps += block.Run;
        if (steps > INT32_MAX) {
            problem = "is damaged: it claims more steps than a game can have";
            return RecordingRead::Damaged;
        }
        recording.Blocks.push_back(std::move(block));
    }
    return RecordingRead::Ok;
}

RecordingPlayback::RecordingPlayback(const Recording& recording)
    : recording_(recording), viewWidth_(recording.Header.ViewWidth) {}

bool RecordingPlayback::Next(KeyStates& keys, int32_t& viewWidth) {
    while (block_ < recording_.Blocks.size()) {
        const RecordedBlock& block = recording_.Blocks[block_];
        if (usedInBlock_ == 0) {
            for (uint8_t code : block.Changed) keys_[code] ^= 0x80;
            if (block.ViewWidth != 0) viewWidth_ = block.ViewWidth;
        }
        if (usedInBlock_ < block.Run) {
            ++usedInBlock_;
            keys = keys_;
            viewWidth = viewWidth_;
            return true;
        }
        ++block_;
        usedInBlock_ = 0;
    }
    return false;
}
