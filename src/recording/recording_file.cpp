#include "recording/recording_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Steps between flushes: one second of play.
constexpr int32_t kFlushEvery = 60;
// Far beyond any game anybody plays (a day of play is about 15 MB).
constexpr std::uintmax_t kLargestRecording = std::uintmax_t{64} << 20;

}  // namespace

RecordingWriter::~RecordingWriter() {
    if (file_) std::fclose(file_);
}

bool RecordingWriter::CanWrite(const std::string& path) {
    std::error_code error;
    const bool existed = fs::exists(path, error);
    if (existed && fs::is_directory(path, error)) return false;
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
    return file_ && Write(EncodeHeader(header));
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
    if (problem.empty()) read = ParseRecording(bytes, recording, problem);
    if (read != RecordingRead::Ok) sentence = "The file " + path + " " + problem + ".";
    return read;
}
