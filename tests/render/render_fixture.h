// A hidden GL window with the game's textures loaded, for drawing known scenes.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "platform/window.h"
#include "state/application.h"

struct Rgb {
    int r, g, b;
};

class RenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // The client size of the next frame, at most 1920 x 1080.
    void UseSize(int width, int height);
    // Reads one pixel of the back buffer, y counted from the bottom.
    Rgb Pixel(int x, int y) const;
    // Keeps a picture of the back buffer for a person to look at.
    void SaveFrame(const std::string& name) const;

    int width_ = 800;
    int height_ = 600;
    static std::unique_ptr<Application> app_;
    static std::unique_ptr<platform::GlWindow> window_;
};

// True when the channel is within the tolerance of the expected value (0..255).
::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance);
