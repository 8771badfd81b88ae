#include "skin/skin_session.h"

#include <algorithm>

#include "base/read_file.h"
#include "skin/skin.h"

namespace pindrel {

bool SkinSession::Read(std::string_view path) {
    return Take(ReadStableFile(path, kMaxSkinFileBytes));
}

bool SkinSession::Take(ReadFileResult file) {
    stepStart_.reset();
    undo_.clear();
    redo_.clear();
    if (file.status != ReadFileStatus::Ok || file.bytes.empty()) {
        Forget();
        return false;
    }
    hasText_ = true;
    onDisk_ = file.bytes;
    onDiskStamp_ = file.stamp;
    text_.Parse(std::move(file.bytes));
    return true;
}

void SkinSession::Forget() {
    stepStart_.reset();
    hasText_ = false;
    text_.Reset();
    onDisk_.clear();
    onDiskStamp_.reset();
    undo_.clear();
    redo_.clear();
    report_ = {};
}

bool SkinSession::Modified() const {
    return hasText_ && !std::ranges::equal(Text(), onDisk_);
}

std::vector<uint8_t> SkinSession::TextCopy() const {
    return {Text().begin(), Text().end()};
}

void SkinSession::MarkSaved(std::optional<FileStamp> stamp) {
    onDisk_ = TextCopy();
    onDiskStamp_ = stamp;
}

void SkinSession::Edit(SkinIniFile edited) {
    BeginStep();
    Amend(std::move(edited));
    EndStep();
}

void SkinSession::BeginStep() {
    if (hasText_ && !stepStart_) stepStart_ = TextCopy();
}

void SkinSession::Amend(SkinIniFile edited) {
    if (hasText_) text_ = std::move(edited);
}

void SkinSession::EndStep() {
    if (!stepStart_) return;
    if (!std::ranges::equal(*stepStart_, Text())) {
        undo_.push_back(std::move(*stepStart_));
        redo_.clear();
    }
    stepStart_.reset();
}

void SkinSession::Undo() {
    if (undo_.empty()) return;
    redo_.push_back(TextCopy());
    text_.Parse(std::move(undo_.back()));
    undo_.pop_back();
}

void SkinSession::Redo() {
    if (redo_.empty()) return;
    undo_.push_back(TextCopy());
    text_.Parse(std::move(redo_.back()));
    redo_.pop_back();
}

void SkinSession::LoadInto(Skin& skin, bool fromDisk) {
    report_ = {};
    // A file saved twice within one tick of the clock looks unchanged: loads of files decode.
    if (fromDisk) pictures_.Clear();
    // The files were looked at by the load from disk; edits of the text do not change them.
    pictures_.Trust(!fromDisk);
    skin.Load(text_, LoadContext{{}, &pictures_, &report_});
    pictures_.Sweep();
}

bool SkinSession::ReloadElement(Skin& skin, int32_t s) {
    pictures_.Trust(true);
    return skin.ReloadElement(text_, s, LoadContext{{}, &pictures_, nullptr});
}

void SkinSession::ForgetPicture(const std::string& path) {
    pictures_.Forget(path);
}

void SkinSession::LoadDraft(Skin& skin, const SkinIniFile& draft) {
    // The pictures stay for the load of the text that follows.
    pictures_.Trust(true);
    skin.Load(draft, LoadContext{{}, &pictures_, nullptr});
}

} // namespace pindrel
