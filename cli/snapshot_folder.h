#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/screen_compare.h"
#include "cli/skin_screens.h"
#include "cli/snapshot_file.h"

namespace pindrel::cli {

// DIR/ORIENTATION-CALLTYPE.png.
std::string ScreenFile(const std::string& dir, Screen screen);

// The snapshot.json of a folder; nothing, with a message that names it, when it cannot be read
// or is no snapshot.
std::optional<Snapshot> ReadSnapshot(const std::string& dir);

// Reads the expected side of every screen of the comparison from the folder's pictures.
void ReadSnapshotScreens(const std::string& dir, Comparison& comparison);

// Writes the chosen screens (write is parallel to kAllScreens) and snapshot.json, which is left
// alone when it already holds these inputs byte for byte. The folder must exist. False, with a
// message, when a file cannot be written.
bool WriteSnapshot(const std::string& dir, const std::vector<const Canvas*>& screens,
                   const std::vector<bool>& write, const Snapshot& inputs,
                   std::vector<std::string>* written = nullptr);

// Records the photo the screens were drawn with as snapshot.json keeps it: a relative path,
// given in the working folder, becomes relative to the snapshot folder dir, so that compare finds
// it from any working folder.
void RecordPhoto(Snapshot& inputs, const std::string& photo, const std::string& dir);

// The file a photo path recorded in the snapshot of folder dir names. A relative one is found
// in the folder; failing that in the working folder, where older versions recorded it.
std::string RecordedPhotoFile(const std::string& recorded, const std::string& dir);

// What changed between the inputs of two sets of screens, besides the fonts: the skin file,
// its bitmaps, the tool, for a report's summary.
std::vector<std::string> InputChanges(const Snapshot& expected, const Snapshot& actual,
                                      const std::string& expectedName);

} // namespace pindrel::cli
