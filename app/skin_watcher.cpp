#include "app/skin_watcher.h"

#include <algorithm>
#include <string>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "base/read_file.h"

namespace pindrel {

SkinWatcher::SkinWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &SkinWatcher::Touched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &SkinWatcher::Touched);
    connect(&settle_, &QTimer::timeout, this, &SkinWatcher::Settle);
}

void SkinWatcher::Watch(const QStringList& files,
                        std::optional<std::span<const uint8_t>> firstBytes) {
    Stop();
    QSet<QString> seen;
    for (const QString& f : files) {
        if (files_.size() >= kMaxFiles) break;
        const QString path = QDir::cleanPath(f);
        if (!seen.contains(path)) {
            seen.insert(path);
            files_.push_back(path);
        }
    }
    baseline_ = States(firstBytes);
    watched_.assign(static_cast<size_t>(files_.size()), FileState{});
    Renew(baseline_);
}

void SkinWatcher::Stop() {
    settle_.stop();
    files_.clear();
    baseline_.clear();
    watched_.clear();
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
}

SkinWatcher::FileState SkinWatcher::StateOf(const QString& path, uint64_t& hashBudget,
                                            std::optional<std::span<const uint8_t>> known) {
    const std::string name = QFile::encodeName(path).toStdString();
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0) return {};
    FileState state{true,
                    static_cast<uint64_t>(st.st_dev),
                    static_cast<uint64_t>(st.st_ino),
                    static_cast<int64_t>(st.st_size),
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
                    0};
    const auto size = static_cast<uint64_t>(st.st_size);
    if (known && S_ISREG(st.st_mode) && known->size() == size && size <= kMaxHashedFileBytes) {
        // What was just read from it: the same hash, without reading it again.
        state.contentHash = qHashBits(known->data(), known->size());
        return state;
    }
    if (S_ISREG(st.st_mode) && size <= kMaxHashedFileBytes && size <= hashBudget) {
        // Only regular files are read, so a name of a pipe or a device cannot block the look.
        const ReadFileResult file = ReadRegularFile(name, kMaxHashedFileBytes);
        if (file.status == ReadFileStatus::Ok) {
            hashBudget -= std::min<uint64_t>(hashBudget, file.bytes.size());
            state.contentHash = qHashBits(file.bytes.data(), file.bytes.size());
        }
    }
    return state;
}

std::vector<SkinWatcher::FileState>
SkinWatcher::States(std::optional<std::span<const uint8_t>> firstBytes) const {
    std::vector<FileState> states;
    states.reserve(static_cast<size_t>(files_.size()));
    uint64_t hashBudget = kMaxHashedBytes;
    for (qsizetype i = 0; i < files_.size(); ++i)
        states.push_back(StateOf(files_[i], hashBudget, i == 0 ? firstBytes : std::nullopt));
    return states;
}

// A watch follows the file it was set on: a file replaced by a rename is a new file to the
// system and needs a watch of its own. Folders are watched for files that appear.
void SkinWatcher::Renew(const std::vector<FileState>& now) {
    const QStringList list = watcher_.files();
    const QSet<QString> current(list.begin(), list.end());
    QSet<QString> dirs;
    for (qsizetype i = 0; i < files_.size(); ++i) {
        const QString& f = files_[i];
        const FileState& state = now[static_cast<size_t>(i)];
        FileState& was = watched_[static_cast<size_t>(i)];
        dirs.insert(QFileInfo(f).absolutePath());
        const bool watching = current.contains(f);
        const bool replaced = state.device != was.device || state.inode != was.inode;
        if (watching && (!state.exists || replaced)) watcher_.removePath(f);
        if (state.exists && (!watching || replaced)) watcher_.addPath(f);
        was = state;
    }
    for (const QString& d : dirs)
        if (!watcher_.directories().contains(d) && QFileInfo(d).isDir()) watcher_.addPath(d);
}

// Every event starts the quiet time afresh, since a file being written fires many, unless the
// wait has gone on too long already.
void SkinWatcher::Touched() {
    if (!settle_.isActive())
        waiting_.start();
    else if (waiting_.elapsed() >= maxWaitMs_)
        return;
    settle_.start();
}

void SkinWatcher::Settle() {
    if (files_.isEmpty()) return;
    const std::vector<FileState> now = States();
    Renew(now);
    if (now == baseline_) return;
    baseline_ = now;
    emit Changed();
}

} // namespace pindrel
