#include "sound_file.h"

#include <sndfile.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace {

// Handed to the encoders in modest pieces: the Vorbis encoder sets aside stack room for
// all it is handed at once.
constexpr size_t kPiece = 4096;

// libsndfile draws an Ogg stream's serial number from the clock; a fixed one makes the
// same music give the same file in every build.
constexpr int kOggSerial = 1;

bool WritePage(FILE* out, const ogg_page& page) {
    return std::fwrite(page.header, 1, page.header_len, out) ==
               static_cast<size_t>(page.header_len) &&
           std::fwrite(page.body, 1, page.body_len, out) == static_cast<size_t>(page.body_len);
}

// The Vorbis encoder and its Ogg stream, from the headers to the last page.
class OggVorbisWriter {
public:
    OggVorbisWriter() {
        vorbis_info_init(&info_);
        vorbis_comment_init(&comment_);
        ogg_stream_init(&stream_, kOggSerial);
    }
    ~OggVorbisWriter() {
        if (started_) {
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
        }
        ogg_stream_clear(&stream_);
        vorbis_comment_clear(&comment_);
        vorbis_info_clear(&info_);
    }
    OggVorbisWriter(const OggVorbisWriter&) = delete;
    OggVorbisWriter& operator=(const OggVorbisWriter&) = delete;

    bool Start(FILE* out, double quality) {
        if (vorbis_encode_init_vbr(&info_, 2, kSampleRate, static_cast<float>(quality)) != 0)
            return false;
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        started_ = true;
        ogg_packet headers[3];
        vorbis_analysis_headerout(&dsp_, &comment_, &headers[0], &headers[1], &headers[2]);
        for (ogg_packet& header : headers) ogg_stream_packetin(&stream_, &header);
        // The headers get pages of their own, as players expect.
        ogg_page page;
        while (ogg_stream_flush(&stream_, &page)) {
            if (!WritePage(out, page)) return false;
        }
        return true;
    }

    bool Add(FILE* out, const float* left, const float* right, size_t count) {
        float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
        std::copy_n(left, count, buffer[0]);
        std::copy_n(right, count, buffer[1]);
        vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
        return WriteFinishedPages(out);
    }

    // Ending the stream lets the stream give out its last page.
    bool Finish(FILE* out) {
        vorbis_analysis_wrote(&dsp_, 0);
        return WriteFinishedPages(out);
    }

private:
    bool WriteFinishedPages(FILE* out) {
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
                ogg_stream_packetin(&stream_, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream_, &page)) {
                    if (!WritePage(out, page)) return false;
                }
            }
        }
        return true;
    }

    vorbis_info info_;
    vorbis_comment comment_;
    vorbis_dsp_state dsp_;
    vorbis_block block_;
    ogg_stream_state stream_;
    bool started_ = false;
};

}  // namespace

bool WriteWav(const std::string& path, const Samples& sound) {
    SF_INFO info{};
    info.samplerate = kSampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const sf_count_t total = static_cast<sf_count_t>(sound.size());
    const bool written = sf_writef_float(file, sound.data(), total) == total;
    if (!written)
        std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), sf_strerror(file));
    return sf_close(file) == 0 && written;
}

bool WriteOgg(const std::string& path, const Samples& left, const Samples& right, double quality) {
    FILE* out = std::fopen(path.c_str(), "wb");
    bool written = out != nullptr;
    if (out) {
        OggVorbisWriter writer;
        written = writer.Start(out, quality);
        for (size_t at = 0; written && at < left.size(); at += kPiece) {
            const size_t count = std::min(kPiece, left.size() - at);
            written = writer.Add(out, left.data() + at, right.data() + at, count);
        }
        written = written && writer.Finish(out);
        written = std::fclose(out) == 0 && written;
    }
    if (!written) std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return written;
}
