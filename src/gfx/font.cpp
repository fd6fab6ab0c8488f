#include "gfx/font.h"

#include <array>

namespace {

// Cells past the digits and letters, in the order the atlas holds them.
struct Extra {
    unsigned char byte;
    int cell;
};

constexpr Extra kExtras[] = {
    {0x2E, 36}, {0x3A, 37}, {0x2C, 38}, {0x3F, 39}, {0x21, 40}, {0xA5, 41}, {0xB9, 41}, {0xC6, 42},
    {0xE6, 42}, {0xCA, 43}, {0xEA, 43}, {0xA3, 44}, {0xB3, 44}, {0xD1, 45}, {0xF1, 45}, {0xD3, 46},
    {0xF3, 46}, {0x8C, 47}, {0x9C, 47}, {0x8F, 48}, {0x9F, 48}, {0xAF, 49}, {0xBF, 49}, {0x2D, 50},
    {0x2F, 51}, {0x40, 52}, {0x2B, 53}, {0x3D, 54}, {0x28, 55}, {0x29, 56}, {0x5B, 57}, {0x5D, 58},
    {0x5C, 59}, {0x27, 60}, {0x3B, 61}, {0xA9, 62}, {0x23, 64}, {0x24, 65}, {0x25, 66}, {0x5E, 67},
    {0x26, 68}, {0x2A, 69}, {0x5F, 70}, {0x60, 71}, {0x7E, 72}, {0x22, 73}, {0x3C, 74}, {0x3E, 75},
    {0x7C, 76}, {0x81, 77}, {0x82, 78},
};

std::array<int, 256> BuildTable() {
    std::array<int, 256> table;
    table.fill(-1);
    for (int c = '0'; c <= '9'; ++c) table[c] = c - '0';
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = 10 + c - 'A';
    for (int c = 'a'; c <= 'z'; ++c) table[c] = 10 + c - 'a';
    for (const Extra& e : kExtras) table[e.byte] = e.cell;
    return table;
}

const std::array<int, 256> kCells = BuildTable();

}  // namespace

int FontCell(unsigned char c) {
    return kCells[c];
}
