// The Checks panel of the main window: every failing design check, a severity icon, the mark or
// footing and the text, with the counts above; a click picks the footing or schedule row.
#pragma once

#include <vector>

#include <QDockWidget>

#include "checks/checks.h"
#include "model/project.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace ormevak {

class ChecksPanel : public QDockWidget {
    Q_OBJECT
  public:
    explicit ChecksPanel(const Project& project, QWidget* parent = nullptr);

    // Shows this list (the checks of the model as it stands).
    void showChecks(const std::vector<Check>& checks);
    const std::vector<Check>& checks() const { return checks_; }
    // "2 errors, 5 warnings", or "No failing checks".
    QString countsText() const;
    QTreeWidget* list() const { return list_; }
    QLabel* counts() const { return counts_; }

  signals:
    // A click on a check of footing f (1-based).
    void footingChosen(int footing);
    // A click on a check of schedule row n that names no footing.
    void rowChosen(int row);
    // The counts changed ("2 errors, 5 warnings"), for a status bar.
    void countsChanged(const QString& text);

  private:
    void itemClicked(QTreeWidgetItem* item);

    const Project& project_;
    QLabel* counts_ = nullptr;
    QTreeWidget* list_ = nullptr;
    std::vector<Check> checks_;
};

} // namespace ormevak
