// The four seasons' colours. They are a little brighter than life: the game darkens the
// landscape by the light of the hour.
#include "landscape.h"

namespace {

Foliage Leaves(int dark, int mid, int light, float density) {
    return {Hex(dark), Hex(mid), Hex(light), density};
}

Palette Summer() {
    Palette p{};
    p.mountains = Hex(0x8CA6C0);
    p.farHills = Hex(0x7E9E8C);
    p.hills = Hex(0x5E9440);
    p.hillsLit = Hex(0x8CBC58);
    p.fields[0] = Hex(0xC8C060);
    p.fields[1] = Hex(0x78AC44);
    p.fields[2] = Hex(0xA4BC54);
    p.woods = Hex(0x3A6A30);
    p.bank = Hex(0x4C8A2C);
    p.bankLit = Hex(0x84BC48);
    p.mud = Hex(0x4A4028);
    p.bark = Hex(0x4A3A2C);
    p.birchBark = Hex(0xE8E4DA);
    p.broadleaf[0] = Leaves(0x24501C, 0x3C7A28, 0x6CA83C, 1);
    p.broadleaf[1] = Leaves(0x2C5A20, 0x4C8A30, 0x84B848, 1);
    p.broadleaf[2] = Leaves(0x1E4A22, 0x356E34, 0x5E9A48, 1);
    p.birch = Leaves(0x3C6A24, 0x64A038, 0x9CCC58, 0.85f);
    p.conifer = Leaves(0x163A24, 0x24583A, 0x3C7A4C, 1);
    p.reed = Hex(0x5C9030);
    p.reedTip = Hex(0x9CC060);
    p.cattail = Hex(0x5A3820);
    p.flowers[0] = Hex(0xFFFFFF);
    p.flowers[1] = Hex(0xF8D838);
    p.flowers[2] = Hex(0xC878E0);
    p.flowerAmount = 0.5f;
    p.snow = false;
    return p;
}

Palette Autumn() {
    Palette p{};
    p.mountains = Hex(0xA09CB4);
    p.farHills = Hex(0x9C8C84);
    p.hills = Hex(0x9C7A40);
    p.hillsLit = Hex(0xC8A058);
    p.fields[0] = Hex(0x8A6040);
    p.fields[1] = Hex(0xB89450);
    p.fields[2] = Hex(0x70583C);
    p.woods = Hex(0x8A4A24);
    p.bank = Hex(0x8A7434);
    p.bankLit = Hex(0xC0A456);
    p.mud = Hex(0x4A3824);
    p.bark = Hex(0x3E3028);
    p.birchBark = Hex(0xE4DED2);
    p.broadleaf[0] = Leaves(0x8A3410, 0xD06A1C, 0xF0A040, 0.8f);
    p.broadleaf[1] = Leaves(0x9A6A10, 0xD8A828, 0xF4D060, 0.7f);
    p.broadleaf[2] = Leaves(0x6A2014, 0xA83C20, 0xD87040, 0.4f);
    p.birch = Leaves(0xA07810, 0xE0B828, 0xFADC68, 0.6f);
    p.conifer = Leaves(0x1C3A26, 0x2C5438, 0x44704A, 1);
    p.reed = Hex(0xA88C48);
    p.reedTip = Hex(0xD8C07C);
    p.cattail = Hex(0x4A2C18);
    p.flowerAmount = 0;
    p.snow = false;
    return p;
}

Palette Winter() {
    Palette p{};
    p.mountains = Hex(0xB8C8E0);
    p.farHills = Hex(0xC8D4E4);
    p.hills = Hex(0xD8E0EC);
    p.hillsLit = Hex(0xF8FAFF);
    p.fields[0] = Hex(0xF0F4FA);
    p.fields[1] = Hex(0xE2E8F2);
    p.fields[2] = Hex(0xF8FAFE);
    p.woods = Hex(0x6A6672);
    p.bank = Hex(0xD6DEEA);
    p.bankLit = Hex(0xFAFCFF);
    p.mud = Hex(0x7A8494);
    p.bark = Hex(0x2E2A2A);
    p.birchBark = Hex(0xD8D8D4);
    p.broadleaf[0] = Leaves(0, 0, 0, 0);
    p.broadleaf[1] = Leaves(0, 0, 0, 0);
    p.broadleaf[2] = Leaves(0, 0, 0, 0);
    p.birch = Leaves(0, 0, 0, 0);
    p.conifer = Leaves(0x14301E, 0x20462E, 0x34603E, 1);
    p.reed = Hex(0xA8986C);
    p.reedTip = Hex(0xD0C49C);
    p.cattail = Hex(0x4A3424);
    p.flowerAmount = 0;
    p.snow = true;
    return p;
}

Palette Spring() {
    Palette p{};
    p.mountains = Hex(0x98B0CC);
    p.farHills = Hex(0x8CAE9C);
    p.hills = Hex(0x78B048);
    p.hillsLit = Hex(0xA8D468);
    p.fields[0] = Hex(0xE8DC48);
    p.fields[1] = Hex(0x90C454);
    p.fields[2] = Hex(0xB4D46C);
    p.woods = Hex(0x4C8438);
    p.bank = Hex(0x5CA034);
    p.bankLit = Hex(0x9CD05C);
    p.mud = Hex(0x4C4230);
    p.bark = Hex(0x4A3C30);
    p.birchBark = Hex(0xECE8DE);
    p.broadleaf[0] = Leaves(0x3C7A24, 0x68AC38, 0xA4D860, 0.75f);
    p.broadleaf[1] = Leaves(0xC8B4C0, 0xF4ECF0, 0xFFFFFF, 0.8f);
    p.broadleaf[2] = Leaves(0xD07898, 0xF4A8C0, 0xFFD8E4, 0.8f);
    p.birch = Leaves(0x5C9A2C, 0x8CC848, 0xC0E478, 0.55f);
    p.conifer = Leaves(0x183E26, 0x285C3A, 0x40784C, 1);
    p.reed = Hex(0x74B038);
    p.reedTip = Hex(0xB4DC70);
    p.cattail = Hex(0x6A4A2C);
    p.flowers[0] = Hex(0xFFFFFF);
    p.flowers[1] = Hex(0xFFE040);
    p.flowers[2] = Hex(0xF088B0);
    p.flowerAmount = 1;
    p.snow = false;
    return p;
}

}  // namespace

Palette SeasonPalette(Season season) {
    switch (season) {
        case Season::kAutumn:
            return Autumn();
        case Season::kWinter:
            return Winter();
        case Season::kSpring:
            return Spring();
        default:
            return Summer();
    }
}
