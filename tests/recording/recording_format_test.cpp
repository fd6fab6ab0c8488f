#include "recording/recording_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/player_input.h"

namespace {

struct Played {
    std::vector<std::vector<int>> Keys;
    std::vector<int32_t> Views;
};

Played PlayAll(const Recording& recording) {
    Played played;
    RecordingPlayback playback(recording);
    KeyStates keys{};
    int32_t view = 0;
    while (playback.Next(keys, view)) {
        std::vector<int> down;
        for (int code = 0; code < 256; ++code) {
            if (keys[code] & 0x80) down.push_back(code);
        }
        played.Keys.push_back(down);
        played.Views.push_back(view);
    }
    return played;
}

RecordingHeader Header() {
    RecordingHeader header;
    header.GameVersion = "1.2.3";
    header.Seed = 0xDEADBEEF;
    header.Settings.NumberOfFrogs = -7;
    header.Settings.FrogsCollision = false;
    header.Settings.StartingLevel = 39;
    header.Settings.Colors = {13, 12, 11, 10, 9, 8};
    header.Settings.Controls = {4, 3, 2, 1, 0, -1};
    header.StartKeys[1] = header.StartKeys[29] = 0x80;
    header.ViewWidth = 853;
    return header;
}

// Steps: nothing, then Up and a key the game never reads, Up held across a flush and a view
// change, then Escape alone at another view width.
std::string Encoded(bool complete) {
    StepEncoder encoder(853);
    KeyStates keys{};
    encoder.Add(keys, 853);
    keys[200] = keys[0x2E] = 0x80;
    for (int i = 0; i < 3; ++i) encoder.Add(keys, 853);
    std::string bytes = EncodeHeader(Header()) + encoder.Take();
    encoder.Add(keys, 640);
    keys[200] = 0;
    keys[1] = 0x81;
    encoder.Add(keys, 1066);
    bytes += encoder.Take();
    return complete ? bytes + StepEncoder::EndMark() : bytes;
}

using Keys = std::vector<std::vector<int>>;

TEST(RecordingFormat, StepsAndSettingsComeBackAsTheyWentIn) {
    Recording recording;
    std::string problem;
    ASSERT_EQ(ParseRecording(Encoded(true), recording, problem), RecordingRead::Ok) << problem;
    EXPECT_TRUE(recording.Complete);
    const RecordingHeader& header = recording.Header;
    EXPECT_EQ(header.GameVersion, "1.2.3");
    EXPECT_EQ(header.Seed, 0xDEADBEEFu);
    EXPECT_EQ(header.Settings.NumberOfFrogs, -7);
    EXPECT_FALSE(header.Settings.FrogsCollision);
    EXPECT_EQ(header.Settings.StartingLevel, 39);
    EXPECT_EQ(header.Settings.Colors[5], 8);
    EXPECT_EQ(header.Settings.Controls[5], -1);
    EXPECT_EQ(header.StartKeys, Header().StartKeys);
    const Played played = PlayAll(recording);
    EXPECT_EQ(played.Keys, (Keys{{}, {200}, {200}, {200}, {200}, {1}}));
    EXPECT_EQ(played.Views, (std::vector<int32_t>{853, 853, 853, 853, 640, 1066}));
}

// Format 1 had no starting keys: its files play with every key up at the start.
TEST(RecordingFormat, FormatOneFilesStillPlay) {
    const std::string good = Encoded(true);
    const size_t header = EncodeHeader(Header()).size();
    std::string formatOne = good.substr(0, header - 7) + good.substr(header - 4);
    formatOne[19] = 1;
    Recording recording;
    std::string problem;
    ASSERT_EQ(ParseRecording(formatOne, recording, problem), RecordingRead::Ok) << problem;
    EXPECT_EQ(recording.Header.StartKeys, KeyStates{});
    EXPECT_EQ(recording.Header.ViewWidth, 853);
    EXPECT_EQ(PlayAll(recording).Keys.size(), 6u);
}

TEST(RecordingFormat, TenMinutesOfBusyPlayStayUnderAHundredKilobytes) {
    StepEncoder encoder(640);
    KeyStates keys{};
    std::string bytes;
    uint32_t state = 1;
    for (int step = 0; step < 36000; ++step) {
        // Some key changes about five times a second; a flush every second.
        state = state * 1664525u + 1013904223u;
        if (state % 12 == 0) keys[(state >> 20) % 2 ? 200 : 157] ^= 0x80;
        encoder.Add(keys, 640);
        if (step % 60 == 59) bytes += encoder.Take();
    }
    EXPECT_LT(bytes.size(), 100u * 1024);
}

TEST(RecordingFormat, EveryKeyTheGameReadsIsKept) {
    InstallKeyTable();
    for (const auto& keys : KeyTable) {
        for (uint8_t code : keys) EXPECT_EQ(IsRecordedKey(code), code != 0) << int{code};
    }
    for (uint8_t code : {kEscapeKey, kEnterKey, kKeypadEnterKey, kLeftAltKey, kRightAltKey}) {
        EXPECT_TRUE(IsRecordedKey(code)) << int{code};
    }
}

TEST(RecordingFormat, ACutFileKeepsTheStepsItHas) {
    const std::string whole = Encoded(false);
    Recording recording;
    std::string problem;
    ASSERT_EQ(ParseRecording(whole, recording, problem), RecordingRead::Ok);
    EXPECT_FALSE(recording.Complete);
    EXPECT_EQ(PlayAll(recording).Keys.size(), 6u);
    // Cut inside the last block: its steps are gone, the earlier ones stay.
    ASSERT_EQ(ParseRecording(whole.substr(0, whole.size() - 1), recording, problem),
              RecordingRead::Ok);
    EXPECT_EQ(PlayAll(recording).Keys, (Keys{{}, {200}, {200}, {200}, {200}}));
}

TEST(RecordingFormat, FilesThatAreNotRecordingsOrAreDamagedAreRefused) {
    const std::string good = Encoded(true);
    const size_t header = EncodeHeader(Header()).size();
    struct Case {
        std::string Bytes;
        RecordingRead Expected;
        std::string Problem;
    };
    std::string otherVersion = good;
    otherVersion[19] = 3;
    std::string badView = good;
    badView[header - 2] = 0x7F;
    const std::vector<Case> cases = {
        {"", RecordingRead::NotARecording, "is not a Pondlark recording"},
        {"<Game>\r\n", RecordingRead::NotARecording, "is not a Pondlark recording"},
        {otherVersion, RecordingRead::OtherVersion, "is a recording of format 3"},
        {good.substr(0, header - 1), RecordingRead::Damaged, "header is cut short"},
        {good.substr(0, header - 6) + "\x2E" + good.substr(header - 5), RecordingRead::Damaged,
         "never reads held"},
        {badView, RecordingRead::Damaged, "view width is impossible"},
        {good + "x", RecordingRead::Damaged, "more after its end"},
        {good.substr(0, header) + "\x02\x01\x2E", RecordingRead::Damaged, "never reads"},
        {good.substr(0, header) + "\xFF\xFF\xFF\xFF\xFF\x01", RecordingRead::Damaged, "too long"},
        {good.substr(0, header) + "\xFF\xFF\xFF\xFF\x0F", RecordingRead::Damaged,
         "impossibly long"},
    };
    for (const Case& c : cases) {
        Recording recording;
        std::string problem;
        EXPECT_EQ(ParseRecording(c.Bytes, recording, problem), c.Expected) << problem;
        EXPECT_NE(problem.find(c.Problem), std::string::npos) << problem;
    }
}

}  // namespace
