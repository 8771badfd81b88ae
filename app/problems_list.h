#pragma once

#include <QListWidget>
#include <QString>

#include "skin/lint.h"

namespace pindrel {

// The skin's problems, a finding a row, "LINE: error: TEXT" each with its severity's icon and
// the full "FILE:LINE:" form as tooltip; a last row counts those not listed.
class ProblemsList final : public QListWidget {
    Q_OBJECT
public:
    explicit ProblemsList(QWidget* parent);
    void ShowFindings(const LintSummary& summary);
    void ClearFindings();

signals:
    // How many findings there are now, listed or not.
    void CountChanged(size_t total);
};

// "LINE: error: TEXT" (or "warning:"); without the line when the finding is about the whole file.
QString ProblemText(const LintFinding& finding);

} // namespace pindrel
