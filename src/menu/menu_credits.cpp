#include "menu/menu_credits.h"

#include <cstring>

const std::array<const char*, 2 * kCreditPairs> CreditLines = {
    "",
    "",
    "A GAME BY",
    "THE POND CREW",
    "BASED ON LILY HOPPERS",
    "GRUBWICK 1999",
    "MUSIC BY",
    "MARLOW REEDSONG",
    "SOUNDS FROM",
    "THE GAME'S OWN SOUND GENERATOR",
    "GRAPHICS BY",
    "TILDA MOSSGROVE",
    "(C) 2026",
    "GRUBWICK",
    "FOR THE MANUAL,",
    "TYPE MAN PONDLARK",
    "THIS GAME IS",
    "FREEWARE",
};

int32_t CreditDuration(int32_t pair) {
    const auto length = std::strlen(CreditLines[2 * pair]) + std::strlen(CreditLines[2 * pair + 1]);
    return 3 * static_cast<int32_t>(length) + 230;
}

double CreditOpacity(int32_t pair, int32_t timer) {
    const int32_t duration = CreditDuration(pair);
    if (timer <= 20) return timer / 20.0;
    if (timer >= duration - 20) return (duration - timer) / 20.0;
    return 1;
}
