#pragma once

#include <QObject>
#include <QString>

namespace pindrel {

class DesignerDialog;
class Workbench;
struct PackagePlan;

// "Export skin package…": the skin as the designer holds it and exactly the pictures it uses,
// in one zip to hand on, as pindrel-cli pack writes it. What lint and the device's reading of
// the names find is shown first; errors need the author's word to pack all the same.
class PackageExport final : public QObject {
    Q_OBJECT
public:
    PackageExport(DesignerDialog& dialog, Workbench& bench, QObject* parent);
    void Export();
    // SKIN.zip beside the skin's folder, in the folder that holds it.
    QString SuggestedName() const;

private:
    // Shows the findings, when there are any; whether to go on.
    bool AcceptFindings(const PackagePlan& plan, const QString& skinName);

    DesignerDialog& dialog_;
    Workbench& bench_;
};

} // namespace pindrel
