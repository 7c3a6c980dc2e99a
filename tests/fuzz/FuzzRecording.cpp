// Any bytes as a recording file: either refused, or a recording whose own text reads back
// to the same ticks, bit for bit, so a replay runs exactly the run that was recorded.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/RecordingFile.h"

using namespace zarnhold;

namespace {

bool sameBits(double a, double b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const RecordingRead first = parseRecording(text);
    if (!first.error.empty()) {
        if (!first.recording.ticks.empty() || first.error.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    const RecordingRead again = parseRecording(recordingText(first.recording));
    if (!again.error.empty() || again.recording.seed != first.recording.seed ||
        again.recording.ticks.size() != first.recording.ticks.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < first.recording.ticks.size(); ++i) {
        const TickInput& a = first.recording.ticks[i];
        const TickInput& b = again.recording.ticks[i];
        if (a != b || !sameBits(a.horizontalAngle, b.horizontalAngle) ||
            !sameBits(a.verticalAngle, b.verticalAngle)) {
            std::abort();
        }
    }
    return 0;
}
