// The messages two games exchange, and their checked decoding: whatever arrives is untrusted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/net_link.h"

// No message is longer; anything longer is refused unread.
constexpr size_t kLongestMessage = kLongestNetMessage;
// The most steps of keys one message carries.
constexpr size_t kMostKeysPerMessage = 64;

struct NetMessage {
    enum class Kind : uint8_t { Hello = 1, Start = 2, Keys = 3, Hash = 4, Bye = 5, Busy = 6 };
    Kind Type = Kind::Hello;
    // Hello: the game version and the recording format each side plays by, and the machine
    // it runs on, whose word size and floating point decide the game's arithmetic.
    uint16_t Format = 0;
    std::string Version;
    std::string Machine;
    // Start: the game about to be played, as a recording with no steps.
    std::string Game;
    // Keys: the sender's keys for the steps First.., and how many of the receiver's steps
    // the sender holds without a gap.
    uint32_t Received = 0;
    uint32_t First = 0;
    std::vector<uint8_t> Keys;
    // Hash: the world's hash after Step steps. Bye: the sender leaves, summing the game up
    // after Step steps.
    uint32_t Step = 0;
    uint64_t Hash = 0;
};

std::string EncodeHello(uint16_t format, const std::string& version, const std::string& machine);
std::string EncodeStart(const std::string& game);
std::string EncodeKeys(uint32_t received, uint32_t first, const uint8_t* keys, size_t count);
std::string EncodeHash(uint32_t step, uint64_t hash);
std::string EncodeBye(uint32_t step);
// The host is already playing with someone else.
std::string EncodeBusy();

// False for anything that is not exactly one well-formed message.
bool DecodeMessage(const uint8_t* data, size_t size, NetMessage& message);
