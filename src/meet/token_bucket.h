// A rate limit: tokens come back at a steady rate up to a burst, and each use takes some.
#pragma once

#include <cstdint>

class TokenBucket {
public:
    // Gives back `amount` tokens every `period_ms`, holding at most `burst`; starts full.
    TokenBucket(uint32_t amount, int64_t period_ms, uint32_t burst, int64_t now_ms);

    // Takes `count` tokens if there are that many.
    bool Take(int64_t now_ms, uint32_t count = 1);
    bool Has(int64_t now_ms, uint32_t count = 1);

private:
    void Refill(int64_t now_ms);

    // Tokens are counted in 1/period_ms parts, so refilling needs no division.
    uint64_t amount_;
    uint64_t period_;
    uint64_t most_;
    uint64_t parts_;
    int64_t last_;
};
