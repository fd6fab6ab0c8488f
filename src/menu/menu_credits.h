// The credits ticker under the title: nine pairs of lines, each shown for a while.
#pragma once

#include <array>
#include <cstdint>

constexpr int32_t kCreditPairs = 9;

// First and second line of each pair, one after the other.
extern const std::array<const char*, 2 * kCreditPairs> CreditLines;

// Steps a pair stays up: longer texts stay longer to be read.
int32_t CreditDuration(int32_t pair);
// Fades in over the first 20 steps of a pair and out over its last 20.
double CreditOpacity(int32_t pair, int32_t timer);
