// Our TGA reader against stb_image on the same 1024 x 512 picture (a game background),
// run-length encoded and uncompressed. The two decoders take turns on every iteration so
// that a busy machine slows both alike; the ratio is ours / stb_image.
#include <benchmark/benchmark.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/tga.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The 18-byte header of a bottom-up true-colour file with no identification field.
std::vector<uint8_t> Header(uint8_t type, int width, int height, int bits) {
    std::vector<uint8_t> header(18, 0);
    header[2] = type;
    header[12] = static_cast<uint8_t>(width);
    header[13] = static_cast<uint8_t>(width >> 8);
    header[14] = static_cast<uint8_t>(height);
    header[15] = static_cast<uint8_t>(height >> 8);
    header[16] = static_cast<uint8_t>(bits);
    header[17] = bits == 32 ? 8 : 0;
    return header;
}

// Encodes a decoded picture as a type 10 file: runs of equal pixels as run packets, the
// rest as raw packets, no packet crossing a row (as TGA writers do).
std::vector<uint8_t> EncodeRunLength(const TgaImage& image) {
    const size_t bpp = image.Bits / 8;
    std::vector<uint8_t> out = Header(10, image.Width, image.Height, image.Bits);
    auto filePixel = [&](const uint8_t* p) {
        out.insert(out.end(), {p[2], p[1], p[0]});
        if (bpp == 4) out.push_back(p[3]);
    };
    for (int y = 0; y < image.Height; ++y) {
        const uint8_t* row = image.Pixels.data() + static_cast<size_t>(y) * image.Width * bpp;
        auto same = [&](int a, int b) {
            return std::memcmp(row + a * bpp, row + b * bpp, bpp) == 0;
        };
        int x = 0;
        while (x < image.Width) {
            int run = 1;
            while (x + run < image.Width && run < 128 && same(x, x + run)) ++run;
            if (run > 1) {
                out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
                filePixel(row + x * bpp);
                x += run;
                continue;
            }
            int raw = 1;
            while (x + raw < image.Width && raw < 128 &&
                   !(x + raw + 1 < image.Width && same(x + raw, x + raw + 1))) {
                ++raw;
            }
            out.push_back(static_cast<uint8_t>(raw - 1));
            for (int i = 0; i < raw; ++i) filePixel(row + (x + i) * bpp);
            x += raw;
        }
    }
    return out;
}

std::vector<uint8_t> EncodeUncompressed(const TgaImage& image) {
    const size_t bpp = image.Bits / 8;
    std::vector<uint8_t> out = Header(2, image.Width, image.Height, image.Bits);
    for (size_t i = 0; i < image.Pixels.size(); i += bpp) {
        const uint8_t* p = &image.Pixels[i];
        out.insert(out.end(), {p[2], p[1], p[0]});
        if (bpp == 4) out.push_back(p[3]);
    }
    return out;
}

const TgaImage& Background() {
    static TgaImage image = [] {
        TgaImage decoded;
        TgaError error;
        const std::vector<uint8_t> file = ReadFile(PONDLARK_DATA_DIR "/tlo.tga");
        if (!DecodeTGA(file.data(), file.size(), decoded, error)) {
            std::fprintf(stderr, "cannot read tlo.tga: %s\n", error.Text.c_str());
            std::exit(1);
        }
        return decoded;
    }();
    return image;
}

double Median(std::vector<double>& values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void Race(benchmark::State& state, const std::vector<uint8_t>& file) {
    std::vector<double> ours, stb;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        TgaImage image;
        TgaError error;
        if (!DecodeTGA(file.data(), file.size(), image, error)) state.SkipWithError("ours failed");
        benchmark::DoNotOptimize(image.Pixels.data());
        ours.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());

        start = Clock::now();
        int width = 0, height = 0, channels = 0;
        stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                                &height, &channels, 0);
        if (!pixels) state.SkipWithError("stb_image failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
        stb.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    const double oursMedian = Median(ours);
    const double stbMedian = Median(stb);
    state.counters["file_kB"] = static_cast<double>(file.size()) / 1024;
    state.counters["ours_ms"] = oursMedian;
    state.counters["stb_ms"] = stbMedian;
    state.counters["ours_over_stb"] = oursMedian / stbMedian;
}

void BM_TgaRunLength(benchmark::State& state) {
    static const std::vector<uint8_t> file = EncodeRunLength(Background());
    Race(state, file);
}
BENCHMARK(BM_TgaRunLength)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_TgaUncompressed(benchmark::State& state) {
    static const std::vector<uint8_t> file = EncodeUncompressed(Background());
    Race(state, file);
}
BENCHMARK(BM_TgaUncompressed)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

BENCHMARK_MAIN();
