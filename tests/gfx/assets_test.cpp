#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/tga.h"

namespace {

TgaImage Decode(const std::string& name) {
    std::ifstream file(std::string(PONDLARK_DATA_DIR) + "/" + name, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    TgaImage image;
    TgaError error;
    EXPECT_TRUE(DecodeTGA(bytes.data(), bytes.size(), image, error))
        << name << ": " << error.Text;
    return image;
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

}  // namespace

TEST(GeneratedPictures, AtlasesSplitIntoWholeCells) {
    struct Atlas {
        const char* name;
        int columns, rows;
    } atlases[] = {{"font.tga", 8, 16}, {"ikonki.tga", 8, 8}, {"zaba.tga", 4, 4}};
    for (const Atlas& a : atlases) {
        TgaImage image = Decode(a.name);
        EXPECT_EQ(image.Bits, 32) << a.name;
        EXPECT_TRUE(PowerOfTwo(image.Width) && PowerOfTwo(image.Height)) << a.name;
        EXPECT_EQ(image.Width % a.columns, 0) << a.name;
        EXPECT_EQ(image.Height % a.rows, 0) << a.name;
        // Square cells, as the sprites are drawn square.
        EXPECT_EQ(image.Width / a.columns, image.Height / a.rows) << a.name;
    }
}

TEST(GeneratedPictures, BackgroundsAreTwoToOneWithATransparentSky) {
    for (const char* name : {"tlo.tga", "tlo2jesien.tga", "tlo2zima.tga", "tlo2wiosna.tga"}) {
        TgaImage image = Decode(name);
        ASSERT_EQ(image.Width, 2 * image.Height) << name;
        // Rows are bottom-up: the top row is sky, the bottom row is the bank.
        const size_t top = (static_cast<size_t>(image.Height) - 1) * image.Width * 4;
        EXPECT_EQ(image.Pixels[top + 3], 0) << name;
        EXPECT_EQ(image.Pixels[static_cast<size_t>(image.Width / 2) * 4 + 3 + image.Width * 4 * 8],
                  255)
            << name;
    }
}

TEST(GeneratedPictures, TintedPicturesAreLight) {
    // The game tints these with a colour, so their opaque texels must be light.
    for (const char* name : {"ripple.tga", "lisc2.tga"}) {
        TgaImage image = Decode(name);
        double sum = 0, weight = 0;
        for (size_t i = 0; i + 3 < image.Pixels.size(); i += 4) {
            const double alpha = image.Pixels[i + 3] / 255.0;
            sum += alpha * (image.Pixels[i] + image.Pixels[i + 1] + image.Pixels[i + 2]) / 3;
            weight += alpha;
        }
        ASSERT_GT(weight, 0) << name;
        EXPECT_GT(sum / weight, 110) << name;
    }
}
