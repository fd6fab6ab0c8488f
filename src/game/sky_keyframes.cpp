#include "game/sky_keyframes.h"

namespace {

const double kGreyPercent[Sky::kKeyCount] = {100, 100, 50, 100, 100, 100, 100, 90,
                                             70,  40,  30, 50,  100, 100, 100};

// Zenith red, green, blue, then horizon red, green, blue.
const double kClear[Sky::kKeyCount][6] = {
    {0, 0, 0, 0, 0, 0},           {0, 0, 0, 0, 0, 0},
    {0.02, 0.05, 0.4, 0, 0, 0},   {0.05, 0.2, 0.9, 0, 0.1, 0.5},
    {0.3, 0.5, 1, 0.2, 0.3, 0.8}, {0.4, 0.7, 1, 0.2, 0.5, 0.9},
    {0.5, 0.8, 1, 0.6, 0.7, 1},   {0.3, 0.4, 0.6, 0.6, 0.8, 1},
    {0.2, 0.4, 0.7, 0.3, 0.7, 1}, {0.1, 0.3, 0.6, 1, 0.8, 0.1},
    {0, 0.2, 0.6, 1, 0.4, 0.1},   {0, 0.2, 0.5, 0.8, 0.2, 0},
    {0, 0.1, 0.2, 0, 0.2, 0.3},   {0, 0, 0.08, 0, 0, 0.12},
    {0, 0, 0, 0, 0, 0},
};

// Keys 2 to 13 of the grey sky, in bytes; the black keys are the clear table's.
const int kOvercast[12][6] = {
    {20, 26, 44, 0, 0, 0},        {86, 99, 114, 43, 47, 47},   {119, 125, 125, 75, 82, 90},
    {109, 115, 120, 61, 65, 65},  {157, 162, 168, 77, 77, 77}, {147, 147, 147, 60, 62, 62},
    {152, 163, 169, 84, 95, 103}, {118, 108, 99, 54, 51, 48},  {102, 94, 77, 49, 45, 45},
    {101, 80, 97, 38, 34, 34},    {58, 50, 35, 22, 20, 20},    {43, 36, 40, 13, 13, 13},
};

}  // namespace

void FillClearKeys(SkyKeyframe (&keys)[Sky::kKeyCount]) {
    for (int k = 0; k < Sky::kKeyCount; ++k) {
        const double* c = kClear[k];
        SetColor(keys[k].Zenith, c[0], c[1], c[2], 1);
        SetColor(keys[k].Horizon, c[3], c[4], c[5], 1);
        keys[k].GreyPercent = kGreyPercent[k];
    }
}

void FillOvercastKeys(SkyKeyframe (&keys)[Sky::kKeyCount]) {
    FillClearKeys(keys);
    for (int k = 2; k <= 13; ++k) {
        const int* c = kOvercast[k - 2];
        SetColorBytes(c[0], c[1], c[2], 255, keys[k].Zenith);
        SetColorBytes(c[3], c[4], c[5], 255, keys[k].Horizon);
    }
}
