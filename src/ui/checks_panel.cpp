// The Checks panel: a list the core fills; a click is turned into a footing or a schedule row.
#include "ui/checks_panel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/numbers.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

// What the mark column shows: the mark, with the footing's joint when there is a footing.
QString markText(const Project& p, const Check& c) {
    QString text = qs(c.row);
    if (c.footing >= 1 && c.footing < static_cast<int>(p.footings.size())) {
        const QString joint =
            QStringLiteral("joint %1").arg(p.footings[static_cast<size_t>(c.footing)].jointNo);
        text = text.isEmpty() ? joint : text + QStringLiteral(" (") + joint + QLatin1Char(')');
    }
    return text;
}

} // namespace

ChecksPanel::ChecksPanel(const Project& project, QWidget* parent)
    : QDockWidget(QStringLiteral("Checks"), parent), project_(project) {
    setObjectName(QStringLiteral("ChecksPanel"));
    setAccessibleName(QStringLiteral("Design checks"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    counts_ = makeLabel(body, "LabCheckCounts");
    counts_->setAccessibleName(QStringLiteral("Check counts"));
    list_ = new QTreeWidget(body);
    list_->setObjectName(QStringLiteral("LstChecks"));
    list_->setAccessibleName(QStringLiteral("Failing design checks"));
    list_->setColumnCount(3);
    list_->setHeaderLabels({QStringLiteral("Check"), QStringLiteral("Mark"),
                            QStringLiteral("What is wrong and what to do")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setWordWrap(false);
    list_->header()->setStretchLastSection(true);
    layout->addWidget(counts_);
    layout->addWidget(list_);
    setWidget(body);
    connect(list_, &QTreeWidget::itemClicked, this, &ChecksPanel::itemClicked);
    showChecks({});
}

QString ChecksPanel::countsText() const {
    const CheckCounts n = countChecks(checks_);
    if (n.errors == 0 && n.warnings == 0) return QStringLiteral("No failing checks");
    return QStringLiteral("%1 error%2, %3 warning%4")
        .arg(n.errors)
        .arg(n.errors == 1 ? "" : "s")
        .arg(n.warnings)
        .arg(n.warnings == 1 ? "" : "s");
}

void ChecksPanel::showChecks(const std::vector<Check>& checks) {
    checks_ = checks;
    counts_->setText(countsText());
    emit countsChanged(counts_->text());
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    list_->setUpdatesEnabled(false);
    list_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(checks_.size()));
    for (size_t i = 0; i < checks_.size(); ++i) {
        const Check& c = checks_[i];
        auto* item = new QTreeWidgetItem({qs(c.id), markText(project_, c), qs(c.text)});
        item->setIcon(0, c.severity == Severity::Error ? error : warning);
        item->setToolTip(2, qs(c.text));
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        item->setData(
            0, Qt::AccessibleTextRole,
            QStringLiteral("%1 %2").arg(QLatin1String(severityName(c.severity)), qs(c.id)));
        items.append(item);
    }
    list_->addTopLevelItems(items);
    list_->setUpdatesEnabled(true);
}

void ChecksPanel::itemClicked(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    const auto i = item->data(0, Qt::UserRole).toULongLong();
    if (i >= checks_.size()) return;
    const Check& c = checks_[static_cast<size_t>(i)];
    if (c.footing >= 1)
        emit footingChosen(c.footing);
    else if (const int n = checkScheduleRow(project_, c); n != 0)
        emit rowChosen(n);
}

} // namespace ormevak
