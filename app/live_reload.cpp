#include "app/live_reload.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include "app/designer_dialog.h"
#include "app/skin_editor.h"
#include "app/workbench.h"
#include "app/workbench_strip.h"
#include "skin/skin_files.h"

namespace pindrel {

LiveReload::LiveReload(DesignerDialog& dialog, WorkbenchStrip& strip, QObject* parent)
    : QObject(parent), dialog_(dialog), strip_(strip) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &LiveReload::Reload);
    connect(&watcher_, &SkinWatcher::Changed, this, &LiveReload::Reload);
    connect(strip.reloadOnChange, &QAbstractButton::toggled, this, &LiveReload::SetOn);
}

bool LiveReload::IsOn() const {
    return strip_.reloadOnChange->isChecked();
}

void LiveReload::SetTiming(int settleMs, int retryMs) {
    watcher_.SetSettleInterval(settleMs);
    retry_.setInterval(retryMs);
}

void LiveReload::SetOn(bool on) {
    retry_.stop();
    retries_ = 0;
    if (!on) {
        watcher_.Stop();
        strip_.ShowStatus({});
        return;
    }
    Follow();
    const QString& path = dialog_.SkinPath();
    strip_.ShowStatus(
        path.isEmpty()
            ? QStringLiteral("Reload on change: choose a skin")
            : QStringLiteral("Watching %1 and its bitmaps").arg(QFileInfo(path).fileName()));
}

void LiveReload::Follow() {
    if (!IsOn()) return;
    const QString& path = dialog_.SkinPath();
    if (path.isEmpty()) {
        watcher_.Stop();
        return;
    }
    // The bitmap names are relative to the skin's folder, as the loader resolves them.
    const QDir folder = QFileInfo(path).absoluteDir();
    QStringList files{path};
    const SkinSession& session = dialog_.Session();
    for (const std::string& name : SkinBitmapFiles(session.Parsed()))
        files.push_back(folder.absoluteFilePath(QFile::decodeName(name.c_str())));
    // The skin file was just read; what it held when it was is what later states compare with.
    if (session.HasText())
        watcher_.Watch(files, std::span<const uint8_t>(session.OnDisk()));
    else
        watcher_.Watch(files);
}

void LiveReload::Reload() {
    const QString& skinPath = dialog_.SkinPath();
    if (!IsOn() || skinPath.isEmpty()) return;
    const std::string path = QFile::encodeName(skinPath).toStdString();
    ReadFileResult file = ReadRegularFile(path);
    const bool readable = file.status == ReadFileStatus::Ok && !file.bytes.empty();
    if (!readable && retries_ < kRetries) {
        // Probably still being written: the last good preview stays a little longer.
        ++retries_;
        strip_.ShowStatus(
            QStringLiteral("Waiting for %1\u2026").arg(QFileInfo(skinPath).fileName()));
        retry_.start();
        return;
    }
    retry_.stop();
    retries_ = 0;
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    // Typing not yet applied counts as an edit too.
    dialog_.Tools().Editor().FlushTyping();
    if (dialog_.Session().Modified() &&
        !dialog_.Messages().Confirm(&dialog_,
                                    QStringLiteral("%1 changed on disk. Reload it and discard "
                                                   "your unsaved edits?")
                                        .arg(QFileInfo(skinPath).fileName()),
                                    QStringLiteral("Reload"), QStringLiteral("Keep my edits"))) {
        // The file as it is now is the new normal; saving will still refuse to overwrite it.
        watcher_.Watch(watcher_.Files());
        strip_.ShowStatus(QStringLiteral("%1 changed on disk at %2; your edits are kept")
                              .arg(QFileInfo(skinPath).fileName(), time));
        return;
    }
    // As Reload does, without its message box: the reason goes to the problems list.
    const bool loaded = dialog_.LoadFromDisk(std::move(file));
    // Seconds included: a reload must be seen to have happened even when nothing else changed.
    strip_.ShowStatus(loaded ? QStringLiteral("Reloaded at %1").arg(time)
                             : QStringLiteral("Reload failed at %1: %2")
                                   .arg(time, QString::fromStdString(SkinReadProblem(path))));
    dialog_.RepaintPreview();
}

} // namespace pindrel
