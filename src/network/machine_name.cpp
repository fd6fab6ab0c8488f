#include "network/machine_name.h"

#include <cfloat>

namespace {

const char* Family() {
#if defined(__x86_64__)
    return "x86-64";
#elif defined(__i386__)
    return "i386";
#elif defined(__aarch64__)
    return "arm64";
#elif defined(__arm__)
    return "arm";
#elif defined(__powerpc64__)
    return "ppc64";
#elif defined(__s390x__)
    return "s390x";
#elif defined(__riscv)
    return "riscv";
#elif defined(__mips__)
    return "mips";
#else
    return "unknown processor";
#endif
}

}  // namespace

std::string MachineName() {
    const bool little = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
    return std::string(Family()) + ", " + std::to_string(sizeof(void*) * 8) + "-bit, " +
           (little ? "little-endian" : "big-endian") + ", float mode " +
           std::to_string(FLT_EVAL_METHOD);
}
