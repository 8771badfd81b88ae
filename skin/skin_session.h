#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/read_file.h"
#include "ini/skin_ini_file.h"
#include "skin/bitmap_cache.h"
#include "skin/skin_load.h"

namespace pindrel {

class Skin;

// A skin file being previewed and edited: the text the skin is loaded from with its parse, the
// bytes the file held when it was last read or written, the edits between them with their undo
// and redo, and what the last load reported. Reads the file once per load, parses each text
// once (an edit comes parsed from the engine), and keeps decoded pictures across loads of
// edited text.
class SkinSession {
public:
    // Reads the file at path: its bytes become the text and what is on disk; edits are
    // forgotten. False, with no text, when it cannot be read or is empty.
    bool Read(std::string_view path);
    // The same with a file read already.
    bool Take(ReadFileResult file);
    // No text at all, as after a file that could not be read.
    void Forget();

    bool HasText() const { return hasText_; }
    std::span<const uint8_t> Text() const { return text_.Bytes(); }
    const std::vector<uint8_t>& OnDisk() const { return onDisk_; }
    // The stamp of the file as last read or written, when known: a save replaces only that.
    const std::optional<FileStamp>& OnDiskStamp() const { return onDiskStamp_; }
    // The text differs from the file as last read or written.
    bool Modified() const;

    // Replaces the text with an edited one and its parse (an EditResult's file), as one step of
    // undo. Equal text is no step.
    void Edit(SkinIniFile edited);
    // A gesture's edits, one step of undo in all: from Begin to End the text may change many
    // times; what it ends as, when it differs from what it began as, is the step.
    void BeginStep();
    void Amend(SkinIniFile edited);
    void EndStep();
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    void Undo();
    void Redo();
    // The text was written to the file, which now has that stamp.
    void MarkSaved(std::optional<FileStamp> stamp = std::nullopt);

    // Loads the text, from the parse held, into skin (which is cleared first). Pictures resolve
    // as Skin::Load resolves them; fromDisk decodes each anew, as a load of a file must, while a
    // load of edited text reuses the pictures of the last load whose files have not changed.
    void LoadInto(Skin& skin, bool fromDisk);
    // Loads a text that is not (yet) the session's, its pictures as a load of edited text finds
    // them: a step between edits that make one change.
    void LoadDraft(Skin& skin, const SkinIniFile& draft);
    // Loads only the element of section s from the text, whose keys alone changed since the
    // last load (SkinModel::ReloadElement); false when the whole text is to be loaded.
    bool ReloadElement(Skin& skin, int32_t s);
    // A picture file was written: loads of edited text read it again.
    void ForgetPicture(const std::string& path);
    // The parse of the text: what the engine edits, and what the last load read.
    const SkinIniFile& Parsed() const { return text_; }
    const LoadReport& Report() const { return report_; }
    // How many pictures the loads have decoded, for tests and benchmarks.
    uint64_t Decodes() const { return pictures_.Decodes(); }

private:
    std::vector<uint8_t> TextCopy() const;

    bool hasText_ = false;
    SkinIniFile text_;
    std::vector<uint8_t> onDisk_;
    std::optional<FileStamp> onDiskStamp_;
    std::vector<std::vector<uint8_t>> undo_;
    std::vector<std::vector<uint8_t>> redo_;
    std::optional<std::vector<uint8_t>> stepStart_;
    LoadReport report_;
    BitmapCache pictures_;
};

} // namespace pindrel
