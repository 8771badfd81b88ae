#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace pindrel {

// Follows a skin file and its bitmaps, and says when one of them has changed and the writing
// has settled. Editors save in place or write a new file and rename it over the old one; the
// latter ends the watch on the old file, so the folders are followed too and every watch is
// renewed once things settle. Folder events for other files (an editor's swap file, an export)
// change nothing that is followed and are ignored.
class SkinWatcher final : public QObject {
    Q_OBJECT
public:
    // Quiet time after the last event before the files are looked at.
    static constexpr int kSettleMs = 300;
    // A folder that never falls quiet (a build writing beside the skin) delays a look no longer.
    static constexpr int kMaxWaitMs = 2000;
    // More would exhaust the system's watches for a hostile skin; a real one names far fewer.
    static constexpr int kMaxFiles = 1000;
    // Contents compared per look, beyond which only sizes and times are.
    static constexpr uint64_t kMaxHashedBytes = 64ull << 20;
    static constexpr uint64_t kMaxHashedFileBytes = 4ull << 20;

    explicit SkinWatcher(QObject* parent = nullptr);

    // Follows these files (absolute paths) and their folders from now on; their state now is what
    // later states are compared with. firstBytes, when given, is what the first file holds, read
    // by its caller already.
    void Watch(const QStringList& files,
               std::optional<std::span<const uint8_t>> firstBytes = std::nullopt);
    void Stop();
    bool IsWatching() const { return !files_.isEmpty(); }
    const QStringList& Files() const { return files_; }
    void SetSettleInterval(int ms) { settle_.setInterval(ms); }
    void SetMaxWait(int ms) { maxWaitMs_ = ms; }

signals:
    // A followed file was written, replaced, removed or created, and nothing has moved since.
    void Changed();

private:
    struct FileState {
        bool exists = false;
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = 0;
        int64_t mtimeNs = 0;
        // File times move in clock ticks of several milliseconds: two saves within one tick
        // differ only in content.
        size_t contentHash = 0;
        friend bool operator==(const FileState&, const FileState&) = default;
    };
    static FileState StateOf(const QString& path, uint64_t& hashBudget,
                             std::optional<std::span<const uint8_t>> known = std::nullopt);
    std::vector<FileState> States(std::optional<std::span<const uint8_t>> firstBytes = {}) const;
    void Renew(const std::vector<FileState>& now);
    void Touched();
    void Settle();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QElapsedTimer waiting_; // since the first event of the current wait
    int maxWaitMs_ = kMaxWaitMs;
    QStringList files_;
    std::vector<FileState> baseline_;
    std::vector<FileState> watched_; // each file as its watch was set, parallel to files_
};

} // namespace pindrel
