#pragma once

#include <QObject>
#include <QTimer>

#include "app/skin_watcher.h"

namespace pindrel {

class DesignerDialog;
class WorkbenchStrip;

// "Reload on change": follows the skin file and every bitmap it names, and reloads the skin as
// Reload does, without its box, once a change has settled. A skin file that cannot be read then
// is most likely being written, so the last good preview stays a little longer. Edits that are
// not saved are replaced only when the author says so.
class LiveReload final : public QObject {
    Q_OBJECT
public:
    // A skin file that cannot be read is waited for this many times, this long each.
    static constexpr int kRetries = 3;
    static constexpr int kRetryMs = 500;

    LiveReload(DesignerDialog& dialog, WorkbenchStrip& strip, QObject* parent);

    void SetOn(bool on);
    bool IsOn() const;
    // Follows the skin's files as the last load found them; their state now is the new normal.
    void Follow();
    SkinWatcher& Watcher() { return watcher_; }
    void SetTiming(int settleMs, int retryMs);
    // Reloads the skin file now, as once a change has settled.
    void Reload();

private:
    DesignerDialog& dialog_;
    WorkbenchStrip& strip_;
    SkinWatcher watcher_;
    QTimer retry_;
    int retries_ = 0;
};

} // namespace pindrel
