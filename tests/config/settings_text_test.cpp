#include "config/settings_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SettingsText, AngleEscapesReplaceEveryOccurrence) {
    EXPECT_EQ(EscapeAngles("<a><<b>>"), "&lt;a&gt;&lt;&lt;b&gt;&gt;");
    EXPECT_EQ(UnescapeAngles("&lt;a&gt;&lt;&lt;b&gt;&gt;"), "<a><<b>>");
    // Ampersands are not escaped, so a literal "&lt;" cannot survive a round trip.
    EXPECT_EQ(EscapeAngles("&lt;"), "&lt;");
    EXPECT_EQ(UnescapeAngles("&amp;lt;"), "&amp;lt;");
    // Each pass runs once over the text; what it produces is not looked at again.
    EXPECT_EQ(UnescapeAngles("&&lt;gt;"), "&<gt;");
    EXPECT_EQ(UnescapeAngles("&lt;lt;"), "<lt;");
}

TEST(SettingsText, SpaceEscapesReplaceEveryOccurrence) {
    EXPECT_EQ(EscapeSpaces(" a  b "), "%20a%20%20b%20");
    EXPECT_EQ(UnescapeSpaces("%20a%20%20b%20"), " a  b ");
    EXPECT_EQ(UnescapeSpaces("%2020"), " 20");
    EXPECT_EQ(EscapeSpaces("a\tb"), "a\tb");
}

TEST(SettingsText, TrimDropsControlCodesAndSpacesOnly) {
    EXPECT_EQ(Trim(std::string("\0\t\r\n a b \x1f", 10)), "a b");
    EXPECT_EQ(Trim(" \x7f "), "\x7f");
    EXPECT_EQ(Trim(" \xa0 "), "\xa0");
    EXPECT_EQ(Trim("   "), "");
}

}  // namespace
