// The main window's message list: the informative messages of the sizing, the wheel, the groups
// and the commands, each with its time and the footing it names; a click picks that footing.
#pragma once

#include <string>

#include <QDockWidget>

#include "model/project.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace ormevak {

class MessageList : public QDockWidget {
    Q_OBJECT
  public:
    explicit MessageList(const Project& project, QWidget* parent = nullptr);

    // Appends one message; the footing it names is found from its text.
    void add(const std::string& text);
    int count() const;
    QTreeWidget* list() const { return list_; }
    void clear();

  signals:
    void countChanged(int count);
    // A click on a message that names footing f (1-based).
    void footingChosen(int footing);

  private:
    void itemClicked(QTreeWidgetItem* item);

    const Project& project_;
    QTreeWidget* list_ = nullptr;
};

} // namespace ormevak
