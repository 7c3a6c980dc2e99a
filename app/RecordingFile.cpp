#include "app/RecordingFile.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <new>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace zarnhold {

namespace {

constexpr int kFormatVersion = 1;
constexpr char kKeyLetters[] = "WSADJM";
constexpr char kButtonLetters[] = "LR";
// The longest line a recording needs is under 80 bytes, so a gigabyte is no recording.
constexpr std::size_t kMaxFileBytes = std::size_t(1) << 30;

// Runs merge only ticks whose angles have the same bits: -0.0 == 0.0, yet replays must
// see the sign the player's turning left.
bool sameTick(const TickInput& a, const TickInput& b) {
    return a == b && std::signbit(a.horizontalAngle) == std::signbit(b.horizontalAngle) &&
           std::signbit(a.verticalAngle) == std::signbit(b.verticalAngle);
}

void appendAngle(std::string& text, double angle) {
    char digits[32];
    // Without a precision, to_chars writes the shortest text that reads back to the same bits.
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, angle);
    text.append(digits, written.ptr);
}

void appendRun(std::string& text, std::uint64_t count, const TickInput& tick) {
    text += std::to_string(count);
    text += ' ';
    const bool keys[] = {tick.forward, tick.backward, tick.left, tick.right, tick.jump, tick.fly};
    for (int i = 0; i < 6; ++i) text += keys[i] ? kKeyLetters[i] : '-';
    text += ' ';
    text += tick.attack ? kButtonLetters[0] : '-';
    text += tick.block ? kButtonLetters[1] : '-';
    text += ' ';
    appendAngle(text, tick.horizontalAngle);
    text += ' ';
    appendAngle(text, tick.verticalAngle);
    text += '\n';
}

// A token as an error line shows it: short, and nothing that would break the line.
std::string quoted(std::string_view token) {
    constexpr std::size_t kShown = 24;
    std::string shown;
    for (std::size_t i = 0; i < token.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        shown += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    if (token.size() > kShown) shown += "...";
    return "'" + shown + "'";
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> found;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t') ++at;
        if (at > start) found.push_back(line.substr(start, at - start));
    }
    return found;
}

// Plain decimal digits only: no sign, no spaces, nothing after.
bool readUnsigned(std::string_view token, std::uint64_t& value) {
    if (token.empty() || token[0] < '0' || token[0] > '9') return false;
    const std::from_chars_result read = std::from_chars(token.data(), token.data() + token.size(), value);
    return read.ec == std::errc() && read.ptr == token.data() + token.size();
}

bool readAngle(std::string_view token, double& angle) {
    const std::from_chars_result read = std::from_chars(token.data(), token.data() + token.size(), angle);
    return read.ec == std::errc() && read.ptr == token.data() + token.size() && std::isfinite(angle);
}

bool readFlags(std::string_view token, const char* letters, std::size_t count, bool* flags) {
    if (token.size() != count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (token[i] != letters[i] && token[i] != '-') return false;
        flags[i] = token[i] == letters[i];
    }
    return true;
}

struct Run {
    std::uint64_t count = 0;
    TickInput tick;
};

std::string lineError(std::size_t number, const std::string& what) {
    return "line " + std::to_string(number) + ": " + what;
}

// One run line, or the error it holds.
std::string readRun(const std::vector<std::string_view>& parts, Run& run) {
    if (parts.size() != 5) return "expected 5 fields, found " + std::to_string(parts.size());
    if (!readUnsigned(parts[0], run.count) || run.count == 0) return "bad tick count " + quoted(parts[0]);
    bool keys[6] = {};
    if (!readFlags(parts[1], kKeyLetters, 6, keys)) {
        return "bad keys " + quoted(parts[1]) + ", expected like W-A---";
    }
    bool buttons[2] = {};
    if (!readFlags(parts[2], kButtonLetters, 2, buttons)) {
        return "bad buttons " + quoted(parts[2]) + ", expected like L-";
    }
    TickInput& tick = run.tick;
    tick.forward = keys[0];
    tick.backward = keys[1];
    tick.left = keys[2];
    tick.right = keys[3];
    tick.jump = keys[4];
    tick.fly = keys[5];
    tick.attack = buttons[0];
    tick.block = buttons[1];
    if (!readAngle(parts[3], tick.horizontalAngle)) return "bad angle " + quoted(parts[3]);
    if (!readAngle(parts[4], tick.verticalAngle)) return "bad angle " + quoted(parts[4]);
    return "";
}

RecordingRead failed(std::string error) {
    RecordingRead read;
    read.error = std::move(error);
    return read;
}

RecordingRead parseLines(const std::string& text) {
    if (text.empty()) return failed("empty file");
    std::vector<Run> runs;
    std::uint64_t seed = 0;
    std::uint64_t total = 0;
    bool seenSeed = false;
    bool seenEnd = false;
    std::size_t number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t stop = text.find('\n', at);
        if (stop == std::string::npos) stop = text.size();
        std::string_view line(text.data() + at, stop - at);
        at = stop + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::vector<std::string_view> parts = fields(line);

        if (number == 1) {
            if (parts.size() < 2 || parts[0] != "zarnhold" || parts[1] != "recording") {
                return failed("not a recording");
            }
            std::uint64_t version = 0;
            if (parts.size() != 3 || !readUnsigned(parts[2], version)) {
                return failed(
                    lineError(1, "expected 'zarnhold recording " + std::to_string(kFormatVersion) + "'"));
            }
            if (version != kFormatVersion) {
                return failed("format version " + std::string(parts[2]) + ", this game reads version " +
                              std::to_string(kFormatVersion));
            }
            continue;
        }
        if (parts.empty() || parts[0][0] == '#') continue;
        if (seenEnd) return failed(lineError(number, "text after 'end'"));
        if (!seenSeed) {
            if (parts.size() != 2 || parts[0] != "seed" || !readUnsigned(parts[1], seed)) {
                return failed(lineError(number, "expected 'seed N' with N a whole number below 2^64"));
            }
            seenSeed = true;
            continue;
        }
        if (parts[0] == "end") {
            std::uint64_t said = 0;
            if (parts.size() != 2 || !readUnsigned(parts[1], said)) {
                return failed(lineError(number, "expected 'end N' with N the number of ticks"));
            }
            if (said != total) {
                return failed("end says " + std::string(parts[1]) + " ticks, the file holds " +
                              std::to_string(total));
            }
            seenEnd = true;
            continue;
        }
        Run run;
        const std::string problem = readRun(parts, run);
        if (!problem.empty()) return failed(lineError(number, problem));
        if (run.count > kMaxRecordingTicks - total) {
            return failed(lineError(number, "more than " + std::to_string(kMaxRecordingTicks) + " ticks"));
        }
        total += run.count;
        runs.push_back(run);
    }
    if (!seenSeed) return failed("cut short: no seed");
    if (!seenEnd) return failed("cut short: no 'end' after " + std::to_string(total) + " ticks");

    RecordingRead read;
    read.recording.seed = seed;
    // Reserved exactly: growing by doubling would hold up to three times the ticks at once.
    read.recording.ticks.reserve(static_cast<std::size_t>(total));
    for (const Run& run : runs) read.recording.ticks.insert(read.recording.ticks.end(), run.count, run.tick);
    return read;
}

}  // namespace

std::string recordingText(const Recording& recording) {
    std::string text = "zarnhold recording " + std::to_string(kFormatVersion) + "\n";
    text += "seed " + std::to_string(recording.seed) + "\n";
    text += "# ticks WSADJM LR horizontal vertical\n";
    const std::vector<TickInput>& ticks = recording.ticks;
    std::size_t start = 0;
    while (start < ticks.size()) {
        assert(std::isfinite(ticks[start].horizontalAngle) && std::isfinite(ticks[start].verticalAngle));
        std::size_t stop = start + 1;
        while (stop < ticks.size() && sameTick(ticks[stop], ticks[start])) ++stop;
        appendRun(text, stop - start, ticks[start]);
        start = stop;
    }
    text += "end " + std::to_string(ticks.size()) + "\n";
    return text;
}

RecordingRead parseRecording(const std::string& text) {
    // Memory is bounded by the tick limit, but a machine may still have less of it.
    try {
        return parseLines(text);
    } catch (const std::bad_alloc&) {
        return failed("too large to hold in memory");
    } catch (const std::exception& e) {
        return failed(std::string("cannot be read: ") + e.what());
    }
}

RecordingRead readRecordingFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return failed("cannot be opened");
    std::string text;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxFileBytes) return failed("too large for a recording");
    }
    if (in.bad()) return failed("cannot be read");
    return parseRecording(text);
}

bool writeRecordingFile(const std::string& path, const Recording& recording) {
    const std::string partial = path + ".partial";
    const std::string text = recordingText(recording);
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            return false;
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace zarnhold
