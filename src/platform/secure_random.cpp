#include "platform/secure_random.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace platform {

void FillSecureRandom(uint8_t* out, size_t size) {
    size_t filled = 0;
    while (filled < size) {
        const ssize_t got = getrandom(out + filled, size - filled, 0);
        if (got > 0) {
            filled += static_cast<size_t>(got);
        } else if (errno != EINTR) {
            // Codes from a weak source could be guessed; better to stop than to hand them out.
            std::perror("getrandom");
            std::abort();
        }
    }
}

}  // namespace platform
