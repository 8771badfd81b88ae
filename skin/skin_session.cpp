#include "skin/skin_session.h"

#include "base/read_file.h"
#include "skin/skin.h"

namespace pindrel {

bool SkinSession::Read(std::string_view path) {
    return Take(ReadRegularFile(path));
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
    text_ = std::move(file.bytes);
    return true;
}

void SkinSession::Forget() {
    stepStart_.reset();
    hasText_ = false;
    text_.clear();
    onDisk_.clear();
    undo_.clear();
    redo_.clear();
    parsed_.Reset();
    report_ = {};
}

void SkinSession::Edit(std::vector<uint8_t> text) {
    BeginStep();
    Amend(std::move(text));
    EndStep();
}

void SkinSession::BeginStep() {
    if (hasText_ && !stepStart_) stepStart_ = text_;
}

void SkinSession::Amend(std::vector<uint8_t> text) {
    if (hasText_) text_ = std::move(text);
}

void SkinSession::EndStep() {
    if (!stepStart_) return;
    if (*stepStart_ != text_) {
        undo_.push_back(std::move(*stepStart_));
        redo_.clear();
    }
    stepStart_.reset();
}

void SkinSession::Undo() {
    if (undo_.empty()) return;
    redo_.push_back(std::move(text_));
    text_ = std::move(undo_.back());
    undo_.pop_back();
}

void SkinSession::Redo() {
    if (redo_.empty()) return;
    undo_.push_back(std::move(text_));
    text_ = std::move(redo_.back());
    redo_.pop_back();
}

void SkinSession::LoadInto(Skin& skin, bool fromDisk) {
    parsed_.Parse(std::span<const uint8_t>(text_));
    report_ = {};
    // A file saved twice within one tick of the clock looks unchanged: loads of files decode.
    if (fromDisk) pictures_.Clear();
    skin.Load(parsed_, LoadContext{{}, &pictures_, &report_});
    pictures_.Sweep();
}

} // namespace pindrel
