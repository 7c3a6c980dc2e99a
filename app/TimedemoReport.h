#pragma once

#include <string>
#include <vector>

namespace zarnhold {

// What a timedemo measured: its playing frames, the wall time they took, and the frame
// times at three percentiles.
struct FrameSummary {
    int frames = 0;
    double seconds = 0.0;
    double meanFps = 0.0;
    double p50Ms = 0.0;
    double p95Ms = 0.0;
    double p99Ms = 0.0;
};

// Each frame's time in ms, in any order. Percentiles are nearest-rank: the smallest time
// that at least that share of the frames does not exceed. All zero without frames.
FrameSummary summariseFrames(std::vector<double> frameMs);

// One line: "timedemo: 2051 frames in 171.20 s, 11.98 fps; frame times 50% 80.1 ms, 95%
// 120.3 ms, 99% 140.2 ms".
std::string timedemoLine(const FrameSummary& summary);

}  // namespace zarnhold
