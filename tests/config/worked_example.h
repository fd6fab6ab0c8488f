// The settings file a new player writes after raising NUMBER OF FROGS to 3,
// lowering SOUND VOLUME once, switching FROG COLLISION off and starting a game.
#pragma once

inline const char kWorkedExample[] =
    "<Game>\r\n"
    " <NumberOfFrogs type=\"Integer\">\r\n"
    "  3\r\n"
    " </NumberOfFrogs>\r\n"
    " <FrogsCollision type=\"Boolean\">\r\n"
    "  0\r\n"
    " </FrogsCollision>\r\n"
    " <StartingLevel type=\"Integer\">\r\n"
    "  1\r\n"
    " </StartingLevel>\r\n"
    "</Game>\r\n"
    "<Sound>\r\n"
    " <SoundVolume type=\"Integer\">\r\n"
    "  23\r\n"
    " </SoundVolume>\r\n"
    "</Sound>\r\n";
