#include "app/problems_list.h"

#include <QStyle>

namespace pindrel {

ProblemsList::ProblemsList(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Problems"));
    // Long findings wrap rather than hide behind a horizontal scroll bar.
    setWordWrap(true);
    setResizeMode(QListView::Adjust);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    const int iconSide = fontMetrics().height();
    setIconSize(QSize(iconSide, iconSide));
    ClearFindings();
}

void ProblemsList::ShowFindings(const LintSummary& summary) {
    clear();
    emit CountChanged(summary.total);
    if (summary.total == 0) {
        auto* none = new QListWidgetItem(QStringLiteral("No problems found"), this);
        none->setFlags(Qt::NoItemFlags);
        return;
    }
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const LintFinding& f : summary.findings) {
        auto* item = new QListWidgetItem(f.error ? errorIcon : warningIcon, ProblemText(f));
        item->setToolTip(QString::fromStdString(FormatFinding(f)));
        item->setData(Qt::UserRole, f.line);
        addItem(item);
    }
    if (summary.total > summary.findings.size()) {
        auto* more = new QListWidgetItem(
            QStringLiteral("\u2026 %1 more not listed; pindrel-cli lint lists them all")
                .arg(summary.total - summary.findings.size()),
            this);
        more->setFlags(Qt::NoItemFlags);
    }
}

void ProblemsList::ClearFindings() {
    clear();
    emit CountChanged(0);
}

QString ProblemText(const LintFinding& finding) {
    const QString severity =
        finding.error ? QStringLiteral("error: ") : QStringLiteral("warning: ");
    const QString text = severity + QString::fromStdString(finding.text);
    return finding.line > 0 ? QString::number(finding.line) + QStringLiteral(": ") + text : text;
}

} // namespace pindrel
