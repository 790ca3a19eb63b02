// The message list: one row per message, newest last.
#include "ui/message_list.h"

#include <QHeaderView>
#include <QTime>
#include <QTreeWidget>

#include "model/numbers.h"
#include "plan/plan_readout.h"
#include "ui/ui_helpers.h"

namespace ormevak {

MessageList::MessageList(const Project& project, QWidget* parent)
    : QDockWidget(QStringLiteral("Messages"), parent), project_(project) {
    setObjectName(QStringLiteral("MessageList"));
    setAccessibleName(QStringLiteral("Messages"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("MessageItems"));
    list_->setAccessibleName(QStringLiteral("Messages: click one that names a footing to pick it"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(
        {QStringLiteral("Time"), QStringLiteral("Footing"), QStringLiteral("Message")});
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    setWidget(list_);
    connect(list_, &QTreeWidget::itemClicked, this, &MessageList::itemClicked);
}

void MessageList::add(const std::string& text) {
    const int footing = footingOfMessage(project_, text);
    auto* item = new QTreeWidgetItem(list_);
    item->setText(0, QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    if (footing > 0) {
        item->setText(1, qs(formatInt(project_.footings[static_cast<size_t>(footing)].jointNo)));
        item->setData(1, Qt::UserRole, footing);
    }
    // A message's lines on one row; the whole text in its tooltip.
    QString shown = qs(text).trimmed();
    item->setToolTip(2, shown);
    shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    item->setText(2, shown);
    list_->scrollToItem(item);
    emit countChanged(count());
}

int MessageList::count() const {
    return list_->topLevelItemCount();
}

void MessageList::clear() {
    list_->clear();
    emit countChanged(0);
}

void MessageList::itemClicked(QTreeWidgetItem* item) {
    const int footing = item ? item->data(1, Qt::UserRole).toInt() : 0;
    if (footing > 0) emit footingChosen(footing);
}

} // namespace ormevak
