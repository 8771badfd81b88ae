#pragma once

#include <QObject>
#include <QString>

namespace pindrel {

class DesignerDialog;
class Workbench;

// "Export PNG…": the preview as drawn now, pressed buttons and the align rectangle included
// and nothing the workbench draws over it, at the device's size; written on request only, to a
// file the author chooses, whole or not at all.
class PreviewExport final : public QObject {
    Q_OBJECT
public:
    PreviewExport(DesignerDialog& dialog, Workbench& bench, QObject* parent);
    void Export();
    // SKIN-ORIENTATION-CALLTYPE.png beside the skin.
    QString SuggestedName() const;

private:
    DesignerDialog& dialog_;
    Workbench& bench_;
};

// "Copy keys": the align rectangle on the clipboard as the skin keys of the orientation shown.
class CopyKeys final : public QObject {
    Q_OBJECT
public:
    CopyKeys(DesignerDialog& dialog, Workbench& bench, QObject* parent);
    void Copy();

private:
    DesignerDialog& dialog_;
    Workbench& bench_;
};

} // namespace pindrel
