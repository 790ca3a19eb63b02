// The schedule window's tables of the resized (R) and combined (C) footings, below the square
// rows: depth and pedestal editable, the bar diameter cycled by a click, as in the square rows.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "model/project.h"
#include "model/prompts.h"

class QLabel;
class QTableWidget;

namespace ormevak {

class EditHistory;

class DesignedRowsTables : public QWidget {
    Q_OBJECT
  public:
    DesignedRowsTables(Project& project, Prompts& prompts, QWidget* parent = nullptr);

    // Refills both tables from the project's R and C rows; hides a table that has no rows.
    void showRows();

    QTableWidget* rectTable() const { return rect_; }
    // Where the row edits are recorded for undo (none: not recorded).
    void setHistory(EditHistory* history) { history_ = history; }
    QTableWidget* combinedTable() const { return combined_; }

    // The edits as the cells make them (Enter in a depth or pedestal cell, a click on the
    // diameter); public so that tests can drive them without an editor.
    void editRect(int n, int column, const std::string& text);
    void editCombined(int n, int column, const std::string& text);
    void clickDiameter(bool combined, int n);

  signals:
    // A row edit changed a row: the checks follow.
    void rowsChanged();

  private:
    void fill(QTableWidget* table, int n, const std::vector<std::string>& texts);
    void cellChanged(bool combined, int row, int column);
    void cellClicked(bool combined, int row, int column);
    void fitTables();

    // Runs one row edit as one entry of the edit history, named for the engineer.
    template <typename Edit> void recorded(const std::string& name, Edit&& edit);

    Project& project_;
    Prompts& prompts_;
    EditHistory* history_ = nullptr;
    QLabel* rectCaption_;
    QTableWidget* rect_;
    QLabel* combinedCaption_;
    QTableWidget* combined_;
    bool filling_ = false;
};

} // namespace ormevak
