// The recording file: its text reads back to the same run bit for bit, and any other text
// is refused with one line saying why.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/RecordingFile.h"

using namespace zarnhold;

namespace fs = std::filesystem;

namespace {

std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// TickInput's == holds -0.0 equal to 0.0; a replay needs the very bits.
void expectSameTicks(const std::vector<TickInput>& expected, const std::vector<TickInput>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(expected[i], actual[i]) << "tick " << i;
        ASSERT_EQ(bitsOf(expected[i].horizontalAngle), bitsOf(actual[i].horizontalAngle)) << "tick " << i;
        ASSERT_EQ(bitsOf(expected[i].verticalAngle), bitsOf(actual[i].verticalAngle)) << "tick " << i;
    }
}

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

TickInput tickWith(unsigned flags, double horizontal, double vertical) {
    TickInput tick;
    tick.forward = flags & 1;
    tick.backward = flags & 2;
    tick.left = flags & 4;
    tick.right = flags & 8;
    tick.jump = flags & 16;
    tick.fly = flags & 32;
    tick.attack = flags & 64;
    tick.block = flags & 128;
    tick.horizontalAngle = horizontal;
    tick.verticalAngle = vertical;
    return tick;
}

std::string body(const std::string& lines) {
    return "zarnhold recording 1\nseed 7\n" + lines;
}

}  // namespace

TEST(RecordingFile, EveryKeyAndAwkwardAngleReadsBackBitForBitAndRunsMerge) {
    using Limits = std::numeric_limits<double>;
    const std::vector<double> awkward = {0.0,
                                         -0.0,
                                         0.1 + 0.2,
                                         -0.0021999999999999997,
                                         3.141592653589793,
                                         Limits::denorm_min(),
                                         -Limits::min(),
                                         Limits::max(),
                                         Limits::lowest(),
                                         std::nextafter(1.0, 2.0),
                                         1e21};
    Recording recording;
    recording.seed = std::numeric_limits<std::uint64_t>::max();
    std::size_t runs = 0;
    std::uint64_t state = 0x9e3779b97f4a7c15ull;
    for (unsigned flags = 0; flags < 256; ++flags) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        std::uint64_t bits = state ^ (state >> 29);
        double random = 0.0;
        std::memcpy(&random, &bits, sizeof random);
        if (!std::isfinite(random)) random = 1.0 / 3.0;
        const double horizontal = flags % 3 ? awkward[flags % awkward.size()] : random;
        const double vertical = awkward[(flags / 5) % awkward.size()];
        // Runs of 1 to 4 identical ticks: each should become one line.
        for (unsigned repeat = 0; repeat <= flags % 4; ++repeat) {
            recording.ticks.push_back(tickWith(flags, horizontal, vertical));
        }
        ++runs;
    }
    // Equal under ==, yet different bits: two runs, not one.
    recording.ticks.push_back(tickWith(0, 0.0, 0.5));
    recording.ticks.push_back(tickWith(0, -0.0, 0.5));
    recording.ticks.push_back(tickWith(0, -0.0, 0.5));
    runs += 2;

    const std::string text = recordingText(recording);
    // The magic, the seed, the column comment, one line a run, the end.
    EXPECT_EQ(lineCount(text), runs + 4) << text;
    const RecordingRead read = parseRecording(text);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.recording.seed, recording.seed);
    expectSameTicks(recording.ticks, read.recording.ticks);

    Recording empty;
    const RecordingRead none = parseRecording(recordingText(empty));
    EXPECT_EQ(none.error, "");
    EXPECT_TRUE(none.recording.ticks.empty());
}

TEST(RecordingFile, AHandWrittenFileMeansWhatItsColumnsSay) {
    const std::string text =
        "zarnhold recording 1\r\n"
        "\r\n"
        "# made by hand\r\n"
        "seed 1234567890\r\n"
        "2 ------ -- 0 0\r\n"
        "\t1  W-A--M   L-  0.0123 -0.0022\r\n"
        "1 -S-DJ- -R -0 1e-3\r\n"
        "end 4\r\n"
        "# a last word\r\n";
    const RecordingRead read = parseRecording(text);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.recording.seed, 1234567890u);
    TickInput forwardLeftFly = tickWith(1 | 4 | 32 | 64, 0.0123, -0.0022);
    TickInput backRightJump = tickWith(2 | 8 | 16 | 128, -0.0, 0.001);
    expectSameTicks({TickInput(), TickInput(), forwardLeftFly, backRightJump}, read.recording.ticks);
}

TEST(RecordingFile, EveryBrokenTextIsRefusedWithOneLineSayingWhy) {
    const std::string wholeDay = std::to_string(kMaxRecordingTicks);
    const std::string overDay = std::to_string(kMaxRecordingTicks + 1);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "empty file"},
        {"P3\n2 2 255\n", "not a recording"},
        {"zarnhold recording 7\nseed 1\nend 0\n", "format version 7, this game reads version 1"},
        {"zarnhold recording one\nseed 1\nend 0\n", "line 1: expected 'zarnhold recording 1'"},
        {"zarnhold recording 1\n", "cut short: no seed"},
        {"zarnhold recording 1\nend 0\n", "line 2: expected 'seed N'"},
        {"zarnhold recording 1\nseed 18446744073709551616\nend 0\n", "line 2: expected 'seed N'"},
        {body("3 ------ -- 0 0\n2 W----- -- 0 0\n"), "cut short: no 'end' after 5 ticks"},
        {body("3 ------ -- 0 0\n2 W----- -- 0 0"), "cut short: no 'end' after 5 ticks"},
        {body("3 ------ -- 0 0\n2 W----"), "line 4: expected 5 fields, found 2"},
        {body("3 ------ -- 0 0\nend 4\n"), "end says 4 ticks, the file holds 3"},
        {body("3 ------ -- 0 0\nend\n"), "line 4: expected 'end N'"},
        {body("1 w----- -- 0 0\nend 1\n"), "line 3: bad keys 'w-----'"},
        {body("1 SW---- -- 0 0\nend 1\n"), "line 3: bad keys 'SW----'"},
        {body("1 ------ RL 0 0\nend 1\n"), "line 3: bad buttons 'RL'"},
        {body("0 ------ -- 0 0\nend 0\n"), "line 3: bad tick count '0'"},
        {body("-2 ------ -- 0 0\nend 0\n"), "line 3: bad tick count '-2'"},
        {body("+2 ------ -- 0 0\nend 2\n"), "line 3: bad tick count '+2'"},
        {body("1000000000000000000 ------ -- 0 0\nend 1000000000000000000\n"), "line 3: more than"},
        {body(wholeDay + " ------ -- 0 0\n1 ------ -- 0 0\nend " + overDay + "\n"), "line 4: more than"},
        {body("1 ------ -- x 0\nend 1\n"), "line 3: bad angle 'x'"},
        {body("1 ------ -- 0 0.5x\nend 1\n"), "line 3: bad angle '0.5x'"},
        {body("1 ------ -- nan 0\nend 1\n"), "line 3: bad angle 'nan'"},
        {body("1 ------ -- 0 -inf\nend 1\n"), "line 3: bad angle '-inf'"},
        {body("1 ------ -- 1e999 0\nend 1\n"), "line 3: bad angle '1e999'"},
        {body("1 ------ -- 0x1p3 0\nend 1\n"), "line 3: bad angle '0x1p3'"},
        {body("1 ------ -- 0 0 0\nend 1\n"), "line 3: expected 5 fields, found 6"},
        {body("1 ------ -- 0 0\nend 1\n1 ------ -- 0 0\n"), "line 5: text after 'end'"},
        {body("end 0\nend 0\n"), "line 4: text after 'end'"},
        {body("1 ------ -- 0\x01\xff 0\nend 1\n"),
         "line 3: bad angle '0?"
         "?'"},
    };
    for (const auto& [text, error] : cases) {
        const RecordingRead read = parseRecording(text);
        EXPECT_EQ(read.error.rfind(error, 0), 0u) << "got \"" << read.error << "\" for:\n" << text;
        EXPECT_EQ(read.error.find('\n'), std::string::npos) << read.error;
        EXPECT_LT(read.error.size(), 100u) << read.error;
        EXPECT_TRUE(read.recording.ticks.empty()) << text;
    }
    // The longest run a file may hold is still read.
    const RecordingRead full = parseRecording(body(wholeDay + " ------ -- 0 0\nend " + wholeDay + "\n"));
    EXPECT_EQ(full.error, "");
    EXPECT_EQ(full.recording.ticks.size(), kMaxRecordingTicks);
}

TEST(RecordingFile, WritesWholeFilesOnlyAndReadsThemBack) {
    std::string pattern = (fs::temp_directory_path() / "zarnhold_recording_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    const std::string path = (folder / "run.zrec").string();

    EXPECT_EQ(readRecordingFile(path).error, "cannot be opened");
    EXPECT_NE(readRecordingFile(folder.string()).error, "");

    {
        std::ofstream old(path);
        old << "an older, longer file that the new one must replace entirely\n";
    }
    Recording recording;
    recording.seed = 42;
    recording.ticks = {tickWith(1, -0.0, 0.25), tickWith(1, -0.0, 0.25), tickWith(200, 0.1 + 0.2, -1.5)};
    ASSERT_TRUE(writeRecordingFile(path, recording));
    EXPECT_FALSE(fs::exists(path + ".partial"));
    std::ifstream in(path, std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), recordingText(recording));
    const RecordingRead read = readRecordingFile(path);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.recording.seed, 42u);
    expectSameTicks(recording.ticks, read.recording.ticks);

    const std::string nowhere = (folder / "missing" / "run.zrec").string();
    EXPECT_FALSE(writeRecordingFile(nowhere, recording));
    EXPECT_FALSE(fs::exists(nowhere + ".partial"));
    fs::remove_all(folder);
}
