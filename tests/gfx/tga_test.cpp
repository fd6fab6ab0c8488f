#include "gfx/tga.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "../config/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// The 18-byte header of a true-colour file, followed by an identification field.
Bytes Header(int type, int width, int height, int bits, int descriptor = 0, int idLength = 0) {
    Bytes bytes(18, 0);
    bytes[0] = static_cast<uint8_t>(idLength);
    bytes[2] = static_cast<uint8_t>(type);
    bytes[12] = static_cast<uint8_t>(width & 255);
    bytes[13] = static_cast<uint8_t>(width >> 8);
    bytes[14] = static_cast<uint8_t>(height & 255);
    bytes[15] = static_cast<uint8_t>(height >> 8);
    bytes[16] = static_cast<uint8_t>(bits);
    bytes[17] = static_cast<uint8_t>(descriptor);
    bytes.insert(bytes.end(), idLength, 0xEE);
    return bytes;
}

Bytes Join(Bytes head, const Bytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Decodes bytes that must be a good file.
TgaImage Decoded(const Bytes& file) {
    TgaImage image;
    TgaError error;
    EXPECT_TRUE(DecodeTGA(file.data(), file.size(), image, error)) << error.Text;
    return image;
}

// Decodes bytes that must be refused, returning the message shown.
TgaError Refused(const Bytes& file) {
    TgaImage image;
    image.Width = 77;  // a failed read leaves the caller's image alone
    TgaError error;
    EXPECT_FALSE(DecodeTGA(file.data(), file.size(), image, error));
    EXPECT_EQ(image.Width, 77);
    EXPECT_TRUE(image.Pixels.empty());
    return error;
}

// An error under the common caption.
std::string Message(const Bytes& file) {
    const TgaError error = Refused(file);
    EXPECT_EQ(error.Caption, "ERROR");
    return error.Text;
}

TEST(TgaDecode, UncompressedSwapsBlueAndRedAndKeepsAlphaFourth) {
    const TgaImage image = Decoded(Join(Header(2, 2, 1, 32), {10, 20, 30, 40, 50, 60, 70, 80}));
    EXPECT_EQ(image.Pixels, (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
    EXPECT_EQ(image.Width, 2);
    EXPECT_EQ(image.Height, 1);
    EXPECT_EQ(image.Bits, 32);
    EXPECT_EQ(image.Format, TgaFormat::RGBA);
}

TEST(TgaDecode, TwentyFourBitsGiveThreeBytesPerPixel) {
    const TgaImage image = Decoded(Join(Header(2, 1, 2, 24), {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(image.Pixels, (Bytes{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(image.Bits, 24);
    EXPECT_EQ(image.Format, TgaFormat::RGB);
}

TEST(TgaDecode, WidthAndHeightAreLittleEndian) {
    const TgaImage image = Decoded(Join(Header(2, 258, 257, 24), Bytes(258 * 257 * 3)));
    EXPECT_EQ(image.Width, 258);
    EXPECT_EQ(image.Height, 257);
    EXPECT_EQ(image.Pixels.size(), 258u * 257 * 3);
}

TEST(TgaDecode, RunPacketRepeatsOnePixel) {
    const TgaImage image = Decoded(Join(Header(10, 2, 2, 32), {0x83, 1, 2, 3, 4}));
    EXPECT_EQ(image.Pixels, (Bytes{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4}));
}

TEST(TgaDecode, RawPacketCopiesPixelsInOrder) {
    const TgaImage image = Decoded(
        Join(Header(10, 2, 2, 32), {0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(image.Pixels, (Bytes{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));
}

TEST(TgaDecode, PacketsMixAndCrossRows) {
    const TgaImage image =
        Decoded(Join(Header(10, 3, 2, 24), {0x00, 1, 2, 3, 0x83, 4, 5, 6, 0x00, 7, 8, 9}));
    EXPECT_EQ(image.Pixels, (Bytes{3, 2, 1, 6, 5, 4, 6, 5, 4, 6, 5, 4, 6, 5, 4, 9, 8, 7}));
}

TEST(TgaDecode, BytesAfterTheImageAreIgnored) {
    const TgaImage image = Decoded(Join(Header(10, 1, 1, 24), {0x80, 1, 2, 3, 0x80, 9, 9, 9}));
    EXPECT_EQ(image.Pixels, (Bytes{3, 2, 1}));
}

TEST(TgaDecode, OpenErrorNamesThePath) {
    const TgaError error = TgaOpenError("data\\tlo.tga");
    EXPECT_EQ(error.Caption, "ERROR");
    EXPECT_EQ(error.Text, "Nie mozna otworzyc tekstury! data\\tlo.tga");
}

TEST(TgaMessages, TypeOtherThanTwoOrTenIsAnInvalidImage) {
    const TgaError error = Refused(Header(3, 2, 2, 32));
    EXPECT_EQ(error.Caption, "Invalid Image");
    EXPECT_EQ(error.Text, "TGA file be type 2 or type 10\r\nJest=3");
    EXPECT_EQ(Refused(Header(0, 2, 2, 32)).Text, "TGA file be type 2 or type 10\r\nJest=0");
    EXPECT_EQ(Refused(Header(255, 2, 2, 32)).Text, "TGA file be type 2 or type 10\r\nJest=255");
}

TEST(TgaMessages, ShortHeaders) {
    const Bytes header = Header(2, 2, 2, 32);
    EXPECT_EQ(Message({}), "Could not read file header");
    EXPECT_EQ(Message(Bytes(header.begin(), header.begin() + 11)), "Could not read file header");
    // Twelve bytes are enough to judge the type, even when the info block is missing.
    EXPECT_EQ(Refused(Bytes{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}).Caption, "Invalid Image");
    EXPECT_EQ(Message(Bytes(header.begin(), header.begin() + 12)), "Could not read info header");
    EXPECT_EQ(Message(Bytes(header.begin(), header.begin() + 17)), "Could not read info header");
}

TEST(TgaMessages, BadTextureInformation) {
    EXPECT_EQ(Message(Join(Header(2, 0, 2, 32), Bytes(64))), "Invalid texture information");
    EXPECT_EQ(Message(Join(Header(10, 2, 0, 32), Bytes(64))), "Invalid texture information");
    EXPECT_EQ(Message(Join(Header(2, 2, 2, 16), Bytes(64))), "Invalid texture information");
    EXPECT_EQ(Message(Join(Header(2, 2, 2, 8), Bytes(64))), "Invalid texture information");
}

TEST(TgaMessages, ShortUncompressedData) {
    EXPECT_EQ(Message(Join(Header(2, 2, 1, 32), {10, 20, 30, 40, 50, 60, 70})),
              "Could not read image data");
    EXPECT_EQ(Message(Header(2, 2, 1, 24)), "Could not read image data");
}

TEST(TgaMessages, ShortRunLengthData) {
    // Nothing where the first packet header should be, then a run that stops one pixel short.
    EXPECT_EQ(Message(Header(10, 2, 2, 32)), "Could not read RLE header");
    EXPECT_EQ(Message(Join(Header(10, 2, 2, 24), {0x82, 1, 2, 3})), "Could not read RLE header");
    EXPECT_EQ(Message(Join(Header(10, 2, 2, 32), {0x03, 1, 2, 3, 4, 5, 6, 7})),
              "Could not read image data");
    EXPECT_EQ(Message(Join(Header(10, 2, 2, 32), {0x83, 1, 2, 3})), "Could not read from file");
    EXPECT_EQ(Message(Join(Header(10, 2, 2, 24), {0x83})), "Could not read from file");
}

TEST(TgaMessages, PacketRunningPastTheImageIsTooManyPixels) {
    EXPECT_EQ(Message(Join(Header(10, 2, 2, 32), {0x84, 1, 2, 3, 4})), "Too many pixels read");
    EXPECT_EQ(Message(Join(Header(10, 1, 1, 24), {0xFF, 1, 2, 3})), "Too many pixels read");
    EXPECT_EQ(Message(Join(Header(10, 2, 1, 24), {0x00, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9})),
              "Too many pixels read");
    // The overrun pixel is read before the image is found full, as the reader always did.
    EXPECT_EQ(Message(Join(Header(10, 1, 1, 24), {0x01, 1, 2, 3})), "Could not read image data");
}

TEST(TgaMessages, HugeDimensionsWithLittleDataFailWithoutReservingTheWholePicture) {
    EXPECT_EQ(Message(Join(Header(2, 65535, 65535, 32), Bytes(100))), "Could not read image data");
    EXPECT_EQ(Message(Join(Header(10, 65535, 65535, 32), {0xFF, 1, 2, 3, 4})),
              "Could not read RLE header");
    EXPECT_EQ(Message(Join(Header(10, 65535, 65535, 24), {0x7F, 1, 2})),
              "Could not read image data");
}

TEST(TgaMends, IdentificationFieldIsSkipped) {
    const TgaImage image =
        Decoded(Join(Header(2, 2, 1, 32, 0, 5), {10, 20, 30, 40, 50, 60, 70, 80}));
    EXPECT_EQ(image.Pixels, (Bytes{30, 20, 10, 40, 70, 60, 50, 80}));
    const TgaImage rle = Decoded(Join(Header(10, 2, 1, 24, 0, 255), {0x81, 1, 2, 3}));
    EXPECT_EQ(rle.Pixels, (Bytes{3, 2, 1, 3, 2, 1}));
}

TEST(TgaMends, IdentificationFieldCountsTowardsTheData) {
    Bytes file = Header(2, 1, 1, 24, 0, 5);
    file.resize(file.size() - 2);  // the field itself is cut short
    EXPECT_EQ(Message(file), "Could not read image data");
    EXPECT_EQ(Message(Header(10, 1, 1, 24, 0, 9)), "Could not read RLE header");
}

TEST(TgaMends, TopDownRowsAreTurnedBottomUp) {
    const Bytes rows = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6};
    const Bytes bottomUp = {5, 5, 5, 6, 6, 6, 3, 3, 3, 4, 4, 4, 1, 1, 1, 2, 2, 2};
    EXPECT_EQ(Decoded(Join(Header(2, 2, 3, 24, 0x20), rows)).Pixels, bottomUp);
    EXPECT_EQ(Decoded(Join(Header(2, 2, 3, 24, 0x00), rows)).Pixels, rows);
    // Alpha depth and the right-to-left bit do not turn the picture.
    EXPECT_EQ(Decoded(Join(Header(2, 2, 3, 24, 0x18), rows)).Pixels, rows);
    const Bytes packets = {0x05, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 6};
    EXPECT_EQ(Decoded(Join(Header(10, 2, 3, 24, 0x28), packets)).Pixels, bottomUp);
}

// ImageMagick's convert, or empty when it is not installed.
std::string ConvertProgram() {
    if (fs::exists("/usr/bin/convert")) return "/usr/bin/convert";
    if (std::system("command -v convert >/dev/null 2>&1") == 0) return "convert";
    return "";
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A 7 x 4 picture, top row first, red green blue alpha: every pixel distinct but
// for one row-long run, so run-length files hold both kinds of packet.
Bytes SourcePicture() {
    Bytes rgba;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool run = y == 2;
            rgba.push_back(static_cast<uint8_t>(run ? 200 : 10 + 35 * x));
            rgba.push_back(static_cast<uint8_t>(run ? 100 : 20 + 60 * y));
            rgba.push_back(static_cast<uint8_t>(run ? 50 : (x * 29 + y * 71) % 256));
            rgba.push_back(static_cast<uint8_t>(run ? 255 : 40 + 30 * x + 5 * y));
        }
    }
    return rgba;
}

// How one test file is made and what its header must say.
struct ConvertCase {
    const char* Name;
    const char* Options;
    int Type;
    int Bits;
    bool TopDown;
    int IdLength;
};

// Names the case in failure reports instead of dumping its bytes.
void PrintTo(const ConvertCase& c, std::ostream* out) {
    *out << c.Name;
}

class TgaFromImageMagick : public ::testing::TestWithParam<ConvertCase> {
protected:
    void SetUp() override {
        Convert = ConvertProgram();
        if (Convert.empty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
    }

    // Runs convert with the arguments; the test fails when it does.
    void Run(const std::string& arguments) {
        const std::string command = Convert + " " + arguments + " 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    std::string Convert;
    TempFolder Temp;
};

TEST_P(TgaFromImageMagick, DecodesAsImageMagickReadsItBottomRowFirst) {
    const ConvertCase& c = GetParam();
    const fs::path source = Temp.Path / "source.pam";
    const fs::path tga = Temp.Path / "picture.tga";
    const fs::path raw = Temp.Path / "expected.rgba";
    const Bytes picture = SourcePicture();
    WriteBytes(source, "P7\nWIDTH 7\nHEIGHT 4\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" +
                           std::string(picture.begin(), picture.end()));
    ASSERT_NO_FATAL_FAILURE(Run(Quoted(source) + " " + c.Options + " " + Quoted(tga)));
    // ImageMagick keeps a TGA's rows in file order and notes the origin apart;
    // -auto-orient applies it, giving the picture as seen, top row first.
    ASSERT_NO_FATAL_FAILURE(
        Run(Quoted(tga) + " -auto-orient -depth 8 " + Quoted("rgba:" + raw.string())));

    const std::string fileText = ReadBytes(tga);
    const Bytes file(fileText.begin(), fileText.end());
    ASSERT_GE(file.size(), 18u);
    EXPECT_EQ(file[0], c.IdLength);
    EXPECT_EQ(file[2], c.Type);
    EXPECT_EQ(file[16], c.Bits);
    EXPECT_EQ((file[17] & 0x20) != 0, c.TopDown) << "descriptor " << int{file[17]};

    const std::string seen = ReadBytes(raw);
    ASSERT_EQ(seen.size(), 7u * 4 * 4);
    const size_t bytesPerPixel = c.Bits / 8;
    Bytes expected;
    for (int row = 3; row >= 0; --row) {
        for (int x = 0; x < 7; ++x) {
            const size_t at = (row * 7 + x) * 4;
            expected.insert(expected.end(), seen.begin() + at, seen.begin() + at + bytesPerPixel);
        }
    }

    const TgaImage image = Decoded(file);
    EXPECT_EQ(image.Width, 7);
    EXPECT_EQ(image.Height, 4);
    EXPECT_EQ(image.Bits, c.Bits);
    EXPECT_EQ(image.Format, c.Bits == 32 ? TgaFormat::RGBA : TgaFormat::RGB);
    EXPECT_EQ(image.Pixels, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TgaFromImageMagick,
    ::testing::Values(
        ConvertCase{"Rgba", "-type TrueColorAlpha", 2, 32, false, 0},
        ConvertCase{"RgbaRle", "-type TrueColorAlpha -compress RLE", 10, 32, false, 0},
        ConvertCase{"Rgb", "-alpha off -type TrueColor", 2, 24, false, 0},
        ConvertCase{"RgbRle", "-alpha off -type TrueColor -compress RLE", 10, 24, false, 0},
        ConvertCase{"RgbaTopDown", "-orient TopLeft -type TrueColorAlpha", 2, 32, true, 0},
        ConvertCase{"RgbaRleTopDown", "-orient TopLeft -type TrueColorAlpha -compress RLE", 10, 32,
                    true, 0},
        ConvertCase{"RgbTopDown", "-orient TopLeft -alpha off -type TrueColor", 2, 24, true, 0},
        ConvertCase{"RgbRleTopDown", "-orient TopLeft -alpha off -type TrueColor -compress RLE", 10,
                    24, true, 0},
        // ImageMagick writes a picture's comment into the identification field.
        ConvertCase{"RgbaWithComment", "-set comment 'pond lark' -type TrueColorAlpha", 2, 32,
                    false, 9},
        ConvertCase{"RgbRleWithComment",
                    "-set comment 'pond lark' -alpha off -type TrueColor -compress RLE", 10, 24,
                    false, 9}),
    [](const ::testing::TestParamInfo<ConvertCase>& info) { return info.param.Name; });

}  // namespace
