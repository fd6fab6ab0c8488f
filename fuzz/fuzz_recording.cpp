// Feeds arbitrary bytes to the recording reader, plays out whatever it accepts, and checks
// that writing the steps again gives a recording that reads back to the same steps.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "recording/recording_format.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_recording: %s\n", what);
    std::abort();
}

// Every step's keys and view, written out again; a damaged file's long runs are cut down
// so that one input stays quick.
std::string Rewritten(const Recording& recording, uint32_t& steps) {
    RecordingPlayback playback(recording);
    StepEncoder encoder(recording.Header.ViewWidth);
    KeyStates keys{};
    int32_t view = 0;
    std::string bytes = EncodeHeader(recording.Header);
    for (steps = 0; steps < 10000 && playback.Next(keys, view); ++steps) {
        encoder.Add(keys, view);
    }
    return bytes + encoder.Take() + StepEncoder::EndMark();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Recording first;
    std::string problem;
    if (ParseRecording(bytes, first, problem) != RecordingRead::Ok) {
        Check(!problem.empty(), "a refused recording says nothing about why");
        return 0;
    }
    uint32_t firstSteps = 0, secondSteps = 0;
    const std::string written = Rewritten(first, firstSteps);
    Recording second;
    Check(ParseRecording(written, second, problem) == RecordingRead::Ok,
          "a rewritten recording does not read back");
    Check(second.Complete, "a rewritten recording is not complete");
    Check(Rewritten(second, secondSteps) == written, "a rewritten recording changes");
    Check(firstSteps == secondSteps, "a rewritten recording has other steps");
    return 0;
}
