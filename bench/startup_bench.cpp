// The pieces of start-up, each on its own: the GL window, the nine textures (read, decode,
// upload with mipmaps), the audio device and the 34 samples, and the loading window with its
// fonts. SDL's offscreen driver and OpenAL Soft's null output stand in for a desktop.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "app/main_window.h"
#include "config/settings_store.h"
#include "gfx/texture_upload.h"
#include "gfx/textures.h"
#include "gfx/tga.h"
#include "gl_scene.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/loading_window.h"
#include "sound/sound.h"
#include "state/application.h"

namespace {

const char* const kTextureFiles[] = {"font.tga",       "ikonki.tga",   "ripple.tga",
                                     "zaba.tga",       "lisc2.tga",    "tlo.tga",
                                     "tlo2jesien.tga", "tlo2zima.tga", "tlo2wiosna.tga"};
const int kTextureSlots[] = {0, 2, 3, 5, 6, 7, 8, 9, 10};

// Settings from no file: every value at its default, as on a first start.
Application& BenchApp() {
    static Application app;
    UseApp(&app);
    if (!app.Config) app.Config = std::make_unique<Settings>("Pondlark.cfg", "");
    return app;
}

// One GL context for every texture benchmark.
GLScene& Scene() {
    static GLScene scene(800, 600);
    return scene;
}

void BM_CreateGLWindow(benchmark::State& state) {
    BenchApp();
    for (auto _ : state) {
        GLScene scene(800, 600);
        glFinish();
    }
}
BENCHMARK(BM_CreateGLWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// LoadTexture as start-up calls it, for all nine pictures.
void BM_LoadAllTextures(benchmark::State& state) {
    Application& app = BenchApp();
    Scene();
    for (auto _ : state) {
        if (!LoadGameTextures()) state.SkipWithError("a texture failed");
        glFinish();
        state.PauseTiming();
        glDeleteTextures(12, app.TextureNames);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadAllTextures)->Unit(benchmark::kMillisecond)->Iterations(5);

// Its parts: reading the files (in large blocks, as the game does), decoding them, and
// uploading with the mipmaps.
std::vector<uint8_t> ReadTextureFile(const char* name) {
    std::ifstream file(platform::ResolveDataPath(std::string("data\\") + name), std::ios::binary);
    std::vector<uint8_t> bytes;
    char block[1 << 16];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        bytes.insert(bytes.end(), block, block + file.gcount());
    }
    return bytes;
}

void BM_ReadTextureFiles(benchmark::State& state) {
    Scene();
    for (auto _ : state) {
        for (const char* name : kTextureFiles) {
            std::vector<uint8_t> bytes = ReadTextureFile(name);
            benchmark::DoNotOptimize(bytes.data());
        }
    }
}
BENCHMARK(BM_ReadTextureFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

std::vector<std::vector<uint8_t>> TextureFiles() {
    std::vector<std::vector<uint8_t>> files;
    for (const char* name : kTextureFiles) files.push_back(ReadTextureFile(name));
    return files;
}

void BM_DecodeTextures(benchmark::State& state) {
    Scene();
    const std::vector<std::vector<uint8_t>> files = TextureFiles();
    for (auto _ : state) {
        for (const std::vector<uint8_t>& bytes : files) {
            TgaImage image;
            TgaError error;
            DecodeTGA(bytes.data(), bytes.size(), image, error);
            benchmark::DoNotOptimize(image.Pixels.data());
        }
    }
}
BENCHMARK(BM_DecodeTextures)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UploadTexturesWithMipmaps(benchmark::State& state) {
    Application& app = BenchApp();
    Scene();
    std::vector<TgaImage> images;
    for (const std::vector<uint8_t>& bytes : TextureFiles()) {
        TgaError error;
        images.emplace_back();
        DecodeTGA(bytes.data(), bytes.size(), images.back(), error);
    }
    for (auto _ : state) {
        glGenTextures(12, app.TextureNames);
        for (size_t i = 0; i < images.size(); ++i) {
            const TgaImage& image = images[i];
            UploadTexture(kTextureSlots[i], image.Pixels.data(), image.Width, image.Height,
                          image.Bits, kTextureSlots[i] == 0 ? kTextureFont : kTextureOrdinary);
        }
        glFinish();
        state.PauseTiming();
        glDeleteTextures(12, app.TextureNames);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UploadTexturesWithMipmaps)->Unit(benchmark::kMillisecond)->Iterations(5);

// InitSound as start-up calls it: the device and the 34 samples.
void BM_InitSound(benchmark::State& state) {
    BenchApp();
    Scene();
    for (auto _ : state) {
        platform::OpenAlAudio audio;
        if (InitSound(audio)) state.SkipWithError("sound failed");
        state.PauseTiming();
        CloseSound();
        audio.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InitSound)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_OpenAudioDevice(benchmark::State& state) {
    BenchApp();
    for (auto _ : state) {
        platform::OpenAlAudio audio;
        audio.Init(44100, 32);
        state.PauseTiming();
        audio.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAudioDevice)->Unit(benchmark::kMillisecond)->Iterations(5);

// The loading window: fonts opened, painted once per bar step, hidden.
void BM_LoadingWindow(benchmark::State& state) {
    BenchApp();
    Scene();
    for (auto _ : state) {
        platform::LoadingWindow loading;
        loading.Show(LoadingWindowLook());
        for (int i = 0; i < 43; ++i) loading.StepProgress();
        loading.Close();
    }
}
BENCHMARK(BM_LoadingWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
