/* A tiny UDP tool for the NAT lab.
 *   udp_probe send LOCAL_PORT HOST PORT WAIT_MS
 *     Sends a probe to HOST:PORT from LOCAL_PORT every 100 ms until something comes back or
 *     WAIT_MS pass, and prints "ADDRESS:PORT TEXT" for the first datagram that came back.
 *     After it hears something it sends three more, so a peer sending at the same time
 *     hears it too. Exits 0 when something came back, 1 when nothing did.
 *   udp_probe reflect ADDRESS PORT SECONDS
 *     Answers every probe-sized datagram on ADDRESS:PORT with its sender's address as text,
 *     like the meeting server would; at most 100 answers a second, and it stops by itself
 *     after SECONDS. */
#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>

/* Probes are this size, and an answer is never larger than the datagram it answers. */
enum { kProbeSize = 32, kMaxDatagram = 1500, kResendMs = 100, kAnswersPerSecond = 100 };

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

static long number(const char* text, long low, long high, const char* what) {
    char* end;
    errno = 0;
    const long value = strtol(text, &end, 10);
    if (errno || end == text || *end || value < low || value > high) {
        fprintf(stderr, "udp_probe: %s must be a number from %ld to %ld, not \"%s\"\n", what, low,
                high, text);
        exit(2);
    }
    return value;
}

static struct sockaddr_in address_of(const char* host, long port) {
    struct sockaddr_in address = {0};
    address.sin_family = AF_INET;
    address.sin_port = htons((unsigned short)port);
    if (inet_pton(AF_INET, host, &address.sin_addr) != 1) {
        fprintf(stderr, "udp_probe: \"%s\" is not an IPv4 address\n", host);
        exit(2);
    }
    return address;
}

static int bound_socket(struct sockaddr_in address) {
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s < 0 || bind(s, (const struct sockaddr*)&address, sizeof address) != 0) {
        fprintf(stderr, "udp_probe: cannot use port %u: %s\n", ntohs(address.sin_port),
                strerror(errno));
        exit(1);
    }
    return s;
}

/* "A.B.C.D:PORT" of an address; text must hold 22 bytes. */
static void address_text(const struct sockaddr_in* address, char* text, size_t size) {
    char ip[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &address->sin_addr, ip, sizeof ip);
    snprintf(text, size, "%s:%u", ip, ntohs(address->sin_port));
}

/* Waits up to timeout_ms for a datagram; returns its size, or -1 when none came. */
static long receive(int s, unsigned char* data, struct sockaddr_in* sender, double timeout_ms) {
    struct pollfd waiting = {s, POLLIN, 0};
    if (poll(&waiting, 1, timeout_ms > 0 ? (int)timeout_ms + 1 : 0) <= 0) return -1;
    socklen_t size = sizeof *sender;
    return (long)recvfrom(s, data, kMaxDatagram, MSG_DONTWAIT, (struct sockaddr*)sender, &size);
}

static int send_mode(char** argv) {
    const long local_port = number(argv[0], 1, 65535, "LOCAL_PORT");
    const struct sockaddr_in target = address_of(argv[1], number(argv[2], 1, 65535, "PORT"));
    const double deadline = now_ms() + (double)number(argv[3], 0, 60000, "WAIT_MS");
    struct sockaddr_in local = {0};
    local.sin_family = AF_INET;
    local.sin_port = htons((unsigned short)local_port);
    const int s = bound_socket(local);

    unsigned char probe[kProbeSize] = "pondlark lab probe";
    int heard = 0, sends_after = 3;
    while (now_ms() < deadline && (!heard || sends_after > 0)) {
        sendto(s, probe, sizeof probe, 0, (const struct sockaddr*)&target, sizeof target);
        if (heard) --sends_after;
        const double until = now_ms() + kResendMs;
        unsigned char data[kMaxDatagram];
        struct sockaddr_in sender;
        long size;
        while ((size = receive(s, data, &sender, until - now_ms())) >= 0) {
            if (heard) continue;
            heard = 1;
            char from[32], text[65];
            address_text(&sender, from, sizeof from);
            /* Only printable bytes of what came back, up to the first zero. */
            size_t n = 0;
            for (long i = 0; i < size && n < sizeof text - 1 && data[i]; ++i)
                text[n++] = data[i] >= 32 && data[i] < 127 ? (char)data[i] : '?';
            text[n] = 0;
            printf("%s %s\n", from, text);
            fflush(stdout);
        }
    }
    return heard ? 0 : 1;
}

static int reflect_mode(char** argv) {
    const int s = bound_socket(address_of(argv[0], number(argv[1], 1, 65535, "PORT")));
    const double end = now_ms() + 1e3 * (double)number(argv[2], 1, 3600, "SECONDS");
    double tokens = kAnswersPerSecond, last = now_ms();
    while (now_ms() < end) {
        unsigned char data[kMaxDatagram];
        struct sockaddr_in sender;
        const long size = receive(s, data, &sender, end - now_ms());
        const double now = now_ms();
        tokens += (now - last) * kAnswersPerSecond / 1e3;
        if (tokens > kAnswersPerSecond) tokens = kAnswersPerSecond;
        last = now;
        if (size < kProbeSize || tokens < 1) continue;
        tokens -= 1;
        char answer[32];
        address_text(&sender, answer, sizeof answer);
        sendto(s, answer, strlen(answer), 0, (const struct sockaddr*)&sender, sizeof sender);
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 6 && strcmp(argv[1], "send") == 0) return send_mode(argv + 2);
    if (argc == 5 && strcmp(argv[1], "reflect") == 0) return reflect_mode(argv + 2);
    fprintf(stderr,
            "usage: udp_probe send LOCAL_PORT HOST PORT WAIT_MS\n"
            "       udp_probe reflect ADDRESS PORT SECONDS\n");
    return 2;
}
