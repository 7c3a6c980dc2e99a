#include "app/TimedemoReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace zarnhold {

namespace {

double percentile(const std::vector<double>& sorted, double share) {
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

FrameSummary summariseFrames(std::vector<double> frameMs) {
    FrameSummary summary;
    if (frameMs.empty()) return summary;
    std::sort(frameMs.begin(), frameMs.end());
    summary.frames = static_cast<int>(frameMs.size());
    summary.seconds = std::accumulate(frameMs.begin(), frameMs.end(), 0.0) / 1000.0;
    summary.meanFps = summary.seconds > 0.0 ? summary.frames / summary.seconds : 0.0;
    summary.p50Ms = percentile(frameMs, 0.50);
    summary.p95Ms = percentile(frameMs, 0.95);
    summary.p99Ms = percentile(frameMs, 0.99);
    return summary;
}

std::string timedemoLine(const FrameSummary& summary) {
    char line[200];
    std::snprintf(
        line, sizeof line,
        "timedemo: %d frames in %.2f s, %.2f fps; frame times 50%% %.1f ms, 95%% %.1f ms, 99%% %.1f ms",
        summary.frames, summary.seconds, summary.meanFps, summary.p50Ms, summary.p95Ms, summary.p99Ms);
    return line;
}

}  // namespace zarnhold
