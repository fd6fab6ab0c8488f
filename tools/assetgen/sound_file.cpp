#include "sound_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

bool Write(const std::string& path, int format, int channels, const std::vector<float>& frames,
           std::optional<double> quality) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (quality) sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &*quality, sizeof *quality);
    // In modest pieces: the Vorbis encoder sets aside stack room for all it is handed at once.
    constexpr sf_count_t kPiece = 4096;
    const sf_count_t total = static_cast<sf_count_t>(frames.size() / channels);
    bool written = true;
    for (sf_count_t at = 0; at < total && written; at += kPiece) {
        const sf_count_t count = std::min(kPiece, total - at);
        written = sf_writef_float(file, frames.data() + at * channels, count) == count;
    }
    if (!written)
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), sf_strerror(file));
    return sf_close(file) == 0 && written;
}

}  // namespace

bool WriteWav(const std::string& path, const Samples& sound) {
    return Write(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, sound, std::nullopt);
}

bool WriteOgg(const std::string& path, const Samples& left, const Samples& right, double quality) {
    std::vector<float> frames(left.size() * 2);
    for (size_t i = 0; i < left.size(); ++i) {
        frames[2 * i] = left[i];
        frames[2 * i + 1] = right[i];
    }
    return Write(path, SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, frames, quality);
}
