// The connection between two games, over ENet: one peer, a reliable channel and an
// unreliable one, and ENet's own time-outs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "input/net_link.h"

namespace platform {

// The UDP port a host listens on unless told otherwise.
constexpr uint16_t kDefaultPort = 7410;

// Listens for one player; null with the reason when the port cannot be had. With a meeting
// server's name, also looks that up (reported by a Found event).
std::unique_ptr<NetLink> ListenForPlayer(uint16_t port, const std::string& server,
                                         uint16_t serverPort, std::string& problem);
// Looks the host up and connects to it, both without holding the caller up; null with the
// reason when the network cannot be used at all.
std::unique_ptr<NetLink> JoinPlayer(const std::string& host, uint16_t port, std::string& problem);
// A guest that meets its host through a meeting server: the server's name is looked up
// (reported by a Found event) and the connection waits for ConnectTo.
std::unique_ptr<NetLink> JoinThroughServer(const std::string& server, uint16_t port,
                                           std::string& problem);


}  // namespace platform
