#include "meet/token_bucket.h"

TokenBucket::TokenBucket(uint32_t amount, int64_t period_ms, uint32_t burst, int64_t now_ms)
    : amount_(amount),
      period_(period_ms > 0 ? static_cast<uint64_t>(period_ms) : 1),
      most_(uint64_t{burst} * period_),
      parts_(most_),
      last_(now_ms) {}

void TokenBucket::Refill(int64_t now_ms) {
    if (now_ms <= last_) return;
    // Waiting longer than it takes to fill up changes nothing; cutting the wait there keeps
    // the product below from overflowing after a long quiet spell.
    const uint64_t waited = static_cast<uint64_t>(now_ms - last_);
    const uint64_t filling = amount_ > 0 ? most_ / amount_ + 1 : 0;
    const uint64_t counted = waited < filling ? waited : filling;
    last_ = now_ms;
    parts_ += counted * amount_;
    if (parts_ > most_) parts_ = most_;
}

bool TokenBucket::Has(int64_t now_ms, uint32_t count) {
    Refill(now_ms);
    return parts_ >= uint64_t{count} * period_;
}

bool TokenBucket::Take(int64_t now_ms, uint32_t count) {
    if (!Has(now_ms, count)) return false;
    parts_ -= uint64_t{count} * period_;
    return true;
}
