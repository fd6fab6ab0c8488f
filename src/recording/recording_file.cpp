#include "recording/recording_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Steps between flushes: one second of play.
constexpr int32_t kFlushEvery = 60;
// A recording grows by about 1 kB a minute of play, and by 11 kB a minute when a key changes
// on every step; 16 MB is a day of such play, and weeks of ordinary play.
constexpr std::uintmax_t kLargestRecording = std::uintmax_t{16} << 20;

}  // namespace

RecordingWriter::~RecordingWriter() {
    if (file_) std::fclose(file_);
}

bool RecordingWriter::CanWrite(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    const bool existed = fs::exists(status);
    // A folder, a device or a pipe (which would block until somebody reads it) is no place
    // for a recording.
    if (existed && !fs::is_regular_file(status)) return false;
    // Appending changes nothing in a file that is there.
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return false;
    std::fclose(file);
    if (!existed) fs::remove(path, error);
    return true;
}

bool RecordingWriter::Begin(const std::string& path, const RecordingHeader& header) {
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    encoder_ = StepEncoder(header.ViewWidth);
    stepsSinceFlush_ = 0;
    if (!file_) return false;
    Write(EncodeHeader(header));
    return true;
}

void RecordingWriter::Step(const KeyStates& keys, int32_t viewWidth) {
    if (!file_) return;
    encoder_.Add(keys, viewWidth);
    if (++stepsSinceFlush_ < kFlushEvery) return;
    stepsSinceFlush_ = 0;
    Write(encoder_.Take());
}

void RecordingWriter::Finish() {
    if (!file_) return;
    Write(encoder_.Take() + StepEncoder::EndMark());
    if (file_ && std::fclose(file_) != 0) {
        std::fprintf(stderr, "Pondlark Remake: the recording %s could not be finished.\n",
                     path_.c_str());
    }
    file_ = nullptr;
}

// A failed write (a full disk) stops the recording; the game goes on.
bool RecordingWriter::Write(const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() &&
        std::fflush(file_) == 0) {
        return true;
    }
    std::fprintf(stderr, "Pondlark Remake: writing the recording %s failed: %s; it stops here.\n",
                 path_.c_str(), std::strerror(errno));
    std::fclose(file_);
    file_ = nullptr;
    return false;
}

RecordingRead LoadRecording(const std::string& path, Recording& recording, std::string& sentence) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    std::string problem;
    std::string bytes;
    if (error) {
        problem = "cannot be read: " + error.message();
    } else if (size > kLargestRecording) {
        problem = "is far too large to be a recording";
    } else if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        bytes.resize(static_cast<size_t>(size));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        if (std::ferror(file)) problem = "cannot be read: " + std::string(std::strerror(errno));
        std::fclose(file);
    } else {
        problem = "cannot be read: " + std::string(std::strerror(errno));
    }
    RecordingRead read = RecordingRead::Unreadable;
    if (problem.empty()) read = ParseRecording(std::move(bytes), recording, problem);
    if (read != RecordingRead::Ok) sentence = "The file " + path + " " + problem + ".";
    return read;
}
