/* A slow, lossy link on loopback: datagrams between the first client that writes to
 * LISTEN_PORT and the server on TARGET_PORT wait DELAY_MS each way, and each is dropped
 * with a seeded chance, so a run can be repeated. SIGTERM stops it and prints the counts.
 * Usage: udp_relay LISTEN_PORT TARGET_PORT DELAY_MS LOSS_PERCENT SEED [LISTEN_IP TARGET_IP]
 * (both on loopback unless given, as inside the lab's namespaces). */
#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>

/* ENet never sends more than 4096 bytes in one datagram. */
enum { kMaxDatagram = 4096, kMaxQueued = 1024, kToServer = 0, kToClient = 1 };

typedef struct {
    double due;
    int direction;
    size_t size;
    unsigned char data[kMaxDatagram];
} Datagram;

/* One queue for both ways: every datagram waits the same delay, so due times never go back. */
static Datagram queue[kMaxQueued];
static size_t head, queued;
static volatile sig_atomic_t stopping;

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec * 1e-6;
}

static void stop(int signal_number) {
    (void)signal_number;
    stopping = 1;
}

static long number(const char* text, long low, long high, const char* what) {
    char* end;
    errno = 0;
    const long value = strtol(text, &end, 10);
    if (errno || end == text || *end || value < low || value > high) {
        fprintf(stderr, "udp_relay: %s must be a number from %ld to %ld, not \"%s\"\n", what, low,
                high, text);
        exit(2);
    }
    return value;
}

static struct sockaddr_in endpoint(const char* ip, long port) {
    struct sockaddr_in address = {0};
    address.sin_family = AF_INET;
    address.sin_port = htons((unsigned short)port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (ip && inet_pton(AF_INET, ip, &address.sin_addr) != 1) {
        fprintf(stderr, "udp_relay: \"%s\" is not an IPv4 address\n", ip);
        exit(2);
    }
    return address;
}

int main(int argc, char** argv) {
    if (argc != 6 && argc != 8) {
        fprintf(stderr, "usage: udp_relay LISTEN_PORT TARGET_PORT DELAY_MS LOSS_PERCENT SEED"
                        " [LISTEN_IP TARGET_IP]\n");
        return 2;
    }
    const struct sockaddr_in listen_address =
        endpoint(argc == 8 ? argv[6] : NULL, number(argv[1], 1, 65535, "LISTEN_PORT"));
    const struct sockaddr_in server =
        endpoint(argc == 8 ? argv[7] : NULL, number(argv[2], 1, 65535, "TARGET_PORT"));
    const long delay = number(argv[3], 0, 10000, "DELAY_MS");
    const long loss = number(argv[4], 0, 100, "LOSS_PERCENT");
    srand((unsigned)number(argv[5], 0, 2147483647, "SEED"));

    /* The client talks to one socket; the server sees the other as the client. */
    const int sockets[2] = {socket(AF_INET, SOCK_DGRAM, 0), socket(AF_INET, SOCK_DGRAM, 0)};
    if (sockets[0] < 0 || sockets[1] < 0 ||
        bind(sockets[0], (const struct sockaddr*)&listen_address, sizeof listen_address) != 0 ||
        connect(sockets[1], (const struct sockaddr*)&server, sizeof server) != 0) {
        fprintf(stderr, "udp_relay: cannot use port %s: %s\n", argv[1], strerror(errno));
        return 1;
    }
    struct sigaction action = {0};
    action.sa_handler = stop;
    sigaction(SIGTERM, &action, NULL);
    sigaction(SIGINT, &action, NULL);

    struct sockaddr_in client = {0};
    int have_client = 0;
    unsigned long forwarded[2] = {0}, dropped[2] = {0};
    struct pollfd waiting[2] = {{sockets[0], POLLIN, 0}, {sockets[1], POLLIN, 0}};
    while (!stopping) {
        int timeout = -1;
        if (queued) {
            const double left = queue[head].due - now_ms();
            timeout = left > 0 ? (int)left + 1 : 0;
        }
        if (poll(waiting, 2, timeout) < 0 && errno != EINTR) break;

        for (int from = 0; from < 2; ++from) {
            /* Reading also clears an error left by a datagram nobody took. */
            if (!(waiting[from].revents & (POLLIN | POLLERR))) continue;
            unsigned char data[kMaxDatagram];
            struct sockaddr_in sender;
            socklen_t sender_size = sizeof sender;
            const ssize_t size = recvfrom(sockets[from], data, sizeof data, MSG_DONTWAIT,
                                          (struct sockaddr*)&sender, &sender_size);
            if (size < 0) continue;
            if (from == 0 && !have_client) {
                client = sender;
                have_client = 1;
            }
            /* Strangers on the listening port are not part of the link. */
            if (from == 0 && (sender.sin_port != client.sin_port ||
                              sender.sin_addr.s_addr != client.sin_addr.s_addr))
                continue;
            const int direction = from == 0 ? kToServer : kToClient;
            if (rand() % 100 < loss || queued == kMaxQueued) {
                ++dropped[direction];
                continue;
            }
            Datagram* slot = &queue[(head + queued++) % kMaxQueued];
            slot->due = now_ms() + (double)delay;
            slot->direction = direction;
            slot->size = (size_t)size;
            memcpy(slot->data, data, (size_t)size);
        }

        while (queued && queue[head].due <= now_ms()) {
            const Datagram* out = &queue[head];
            if (out->direction == kToServer) {
                send(sockets[1], out->data, out->size, 0);
            } else {
                sendto(sockets[0], out->data, out->size, 0, (const struct sockaddr*)&client,
                       sizeof client);
            }
            ++forwarded[out->direction];
            head = (head + 1) % kMaxQueued;
            --queued;
        }
    }
    fprintf(stderr,
            "udp_relay: to the server %lu forwarded, %lu dropped; to the client %lu forwarded, "
            "%lu dropped\n",
            forwarded[kToServer], dropped[kToServer], forwarded[kToClient], dropped[kToClient]);
    return 0;
}
