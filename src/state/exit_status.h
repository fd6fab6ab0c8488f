// The program's exit statuses, as the README and the man page list them.
#pragma once

enum ExitStatus : int {
    // The game ended (ABORT GAME on either side, or the window closed), or waiting was
    // cancelled.
    kExitOk = 0,
    // The game could not start: no display, a missing data file.
    kExitCannotStart = 1,
    // The command line, the recording file or the port was refused.
    kExitRefused = 2,
    kExitBadRecording = 3,
    // Nobody answered a join in time, the address was not found, or the host is busy.
    kExitNobodyAnswered = 4,
    // The other player's game is another version, or runs on another kind of machine.
    kExitOtherVersion = 5,
    // The other player left, or was silent for 5 seconds.
    kExitOtherPlayerLeft = 6,
    // The two games went apart.
    kExitGamesWentApart = 7,
};
