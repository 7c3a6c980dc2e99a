#pragma once

#include <cstdint>
#include <string>

#include "app/TickInput.h"

namespace zarnhold {

// A recorded run as a text file, small enough to read:
//
//   zarnhold recording 1
//   seed 1234567890
//   # ticks WSADJM LR horizontal vertical
//   120 ------ -- 0 0
//   3 W-A--- L- 0.0123 -0.0022
//   end 123
//
// Each body line is a run of identical consecutive ticks; the angles are written in the
// shortest form that reads back to the same bits; "end" holds the total, so a file cut
// short is refused rather than replayed as a shorter run.

// The longest run a file may hold: 24 hours of 10 ms ticks (about 200 MB as ticks in memory).
constexpr std::uint64_t kMaxRecordingTicks = 24ull * 60 * 60 * 100;

struct RecordingRead {
    Recording recording;
    // Empty when the text was a whole recording; otherwise one line saying what is wrong.
    std::string error;
};

// The file's text for the recording. Its angles must be finite.
std::string recordingText(const Recording& recording);

// Reads any text: a recording, or an error and an empty recording. Memory stays within a
// small multiple of the text's size plus kMaxRecordingTicks ticks.
RecordingRead parseRecording(const std::string& text);

// The whole file at PATH, parsed; a file that cannot be read gives "cannot be opened".
RecordingRead readRecordingFile(const std::string& path);

// Writes PATH + ".partial" and renames it over PATH, so that PATH is only ever a whole file.
// False, with PATH untouched and no ".partial" left, when either step fails.
bool writeRecordingFile(const std::string& path, const Recording& recording);

}  // namespace zarnhold
