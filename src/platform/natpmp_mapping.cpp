#include "platform/natpmp_mapping.h"

#include <arpa/inet.h>
#include <sys/select.h>

#include <algorithm>

namespace platform {

namespace {

// A renewal or a removal waits this long for the router.
constexpr std::chrono::seconds kAgainWait{1};
constexpr int kTimedOut = 1;

// True for the codes that mean an answer came back and said no.
bool RouterSpoke(int code) {
    return code == NATPMP_ERR_UNSUPPORTEDVERSION || code == NATPMP_ERR_UNSUPPORTEDOPCODE ||
           (code <= NATPMP_ERR_UNDEFINEDERROR && code >= NATPMP_ERR_OUTOFRESOURCES);
}

}  // namespace

NatPmpMapping::~NatPmpMapping() {
    Remove();
    if (open_) closenatpmp(&natpmp_);
}

MappingStatus NatPmpMapping::Map(uint16_t port, int lease_seconds, Clock::time_point deadline) {
    if (initnatpmp(&natpmp_, 0, 0) != 0) return FailedStatus("no gateway");
    open_ = true;
    natpmpresp_t response{};
    if (sendpublicaddressrequest(&natpmp_) < 0) return FailedStatus("cannot send");
    const int answer = Answer(NATPMP_RESPTYPE_PUBLICADDRESS, deadline, &response);
    if (answer != 0) return FailedStatus(RouterSpoke(answer) ? "router refused" : "no answer");
    const uint32_t public_ip = ntohl(response.pnu.publicaddress.addr.s_addr);
    if (!IsPublicIpv4(public_ip)) return FailedStatus("router is behind another NAT");

    private_port_ = port;
    public_port_ = port;
    lease_seconds_ = lease_seconds;
    if (!RequestMapping(lease_seconds, deadline)) return FailedStatus("router refused the port");
    return MappedStatus(MappingMethod::kNatPmp, public_ip, public_port_);
}

bool NatPmpMapping::Renew() {
    return mapped_ && RequestMapping(lease_seconds_, Clock::now() + kAgainWait);
}

void NatPmpMapping::Remove() {
    if (!mapped_) return;
    RequestMapping(0, Clock::now() + kAgainWait);
    mapped_ = false;
}

bool NatPmpMapping::RequestMapping(int lease_seconds, Clock::time_point deadline) {
    if (sendnewportmappingrequest(&natpmp_, NATPMP_PROTOCOL_UDP, private_port_, public_port_,
                                  static_cast<uint32_t>(lease_seconds)) < 0) {
        return false;
    }
    natpmpresp_t response{};
    if (Answer(NATPMP_RESPTYPE_UDPPORTMAPPING, deadline, &response) != 0) return false;
    if (response.pnu.newportmapping.privateport != private_port_) return false;
    if (lease_seconds > 0) {
        // The router may pick another outside port; renewals ask for that one.
        public_port_ = response.pnu.newportmapping.mappedpublicport;
        mapped_ = public_port_ != 0;
    }
    return mapped_ || lease_seconds == 0;
}

int NatPmpMapping::Answer(int type, Clock::time_point deadline, natpmpresp_t* response) {
    for (;;) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return kTimedOut;
        // libnatpmp says when its next resend is due (past, when overdue); never wait past the
        // deadline.
        timeval wait{};
        getnatpmprequesttimeout(&natpmp_, &wait);
        const auto left_us = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
        const long long wait_us = std::max<long long>(
            0, std::min<long long>(left_us, wait.tv_sec * 1000000LL + wait.tv_usec));
        wait.tv_sec = static_cast<time_t>(wait_us / 1000000);
        wait.tv_usec = static_cast<suseconds_t>(wait_us % 1000000);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(natpmp_.s, &readable);
        select(natpmp_.s + 1, &readable, nullptr, nullptr, &wait);
        const int result = readnatpmpresponseorretry(&natpmp_, response);
        // A datagram from anyone but the gateway is ignored; an answer to another question
        // means a router that cannot be trusted.
        if (result == NATPMP_TRYAGAIN || result == NATPMP_ERR_WRONGPACKETSOURCE) continue;
        if (result < 0) return result;
        if (response->type == type) return 0;
        return NATPMP_ERR_UNSUPPORTEDOPCODE;
    }
}

}  // namespace platform
