#include "render_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "game/sky.h"
#include "gfx/textures.h"
#include "gfx/view.h"
#include "platform/files.h"

std::unique_ptr<Application> RenderTest::app_;
std::unique_ptr<platform::GlWindow> RenderTest::window_;

void RenderTest::SetUpTestSuite() {
    // No display needed: SDL's offscreen driver gives a GL context through EGL.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    ASSERT_TRUE(platform::ChangeDirectory(PONDLARK_BUILD_DIR));
    ASSERT_TRUE(platform::InitVideo());
    app_ = std::make_unique<Application>();
    UseApp(app_.get());
    app_->Sky = std::make_unique<Sky>();
    window_ = std::make_unique<platform::GlWindow>();
    window_->SetCaption("render test");
    ASSERT_EQ(window_->CreateGL(1920, 1080), platform::GLStart::Ok);
    ASSERT_TRUE(LoadGameTextures());
    SetDrawingDefaults();
}

void RenderTest::TearDownTestSuite() {
    window_.reset();
    app_.reset();
    platform::ShutdownVideo();
}

void RenderTest::SetUp() {
    UseApp(app_.get());
    UseSize(800, 600);
}

// The surface is made once at the largest size; smaller frames use its lower-left corner.
void RenderTest::UseSize(int width, int height) {
    width_ = width;
    height_ = height;
}

Rgb RenderTest::Pixel(int x, int y) const {
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

void RenderTest::SaveFrame(const std::string& name) const {
    std::vector<unsigned char> pixels(static_cast<size_t>(width_) * height_ * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::filesystem::create_directories("render-out");
    std::FILE* file = std::fopen(("render-out/" + name + ".ppm").c_str(), "wb");
    if (!file) return;
    std::fprintf(file, "P6\n%d %d\n255\n", width_, height_);
    for (int row = height_ - 1; row >= 0; --row) {
        std::fwrite(pixels.data() + static_cast<size_t>(row) * width_ * 3, 1,
                    static_cast<size_t>(width_) * 3, file);
    }
    std::fclose(file);
}

::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance) {
    if (std::abs(actual.r - expected.r) <= tolerance &&
        std::abs(actual.g - expected.g) <= tolerance &&
        std::abs(actual.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << actual.r << ", " << actual.g << ", " << actual.b << "), expected ("
           << expected.r << ", " << expected.g << ", " << expected.b << ")";
}
