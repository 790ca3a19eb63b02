// The footing schedule window: one row of controls per designed group, the row edits that
// redesign it, and the buttons for the workbook, the printed plan and the end of the program.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "checks/checks.h"
#include "design/schedule.h"
#include "model/project.h"
#include "model/prompts.h"
#include "plan/history.h"

class QLabel;
class QLineEdit;
class QPrinter;
class QPrintPreviewDialog;
class QPushButton;
class QScrollArea;

namespace ormevak {

class DesignedRowsTables;
class ReportAction;
class QuantitiesFooter;

class FrmShd : public QWidget {
    Q_OBJECT
  public:
    FrmShd(Project& project, Prompts& prompts, QWidget* parent = nullptr);

    // Removes the rows of an earlier run, makes one row per design row filled with its texts,
    // and shows the window (modeless).
    void showDesign();
    // The rows again from the model (after an undo or redo), without showing the window.
    void reloadRows();
    int rowCount() const { return static_cast<int>(rows_.size()) - 1; }
    DesignedRowsTables* designedRows() const { return others_; }
    // Marks the rows that have failing checks (their mark coloured, the checks in its tooltip).
    void showChecks(const std::vector<Check>& checks);
    // Brings row n forward (a pick in the Checks panel).
    void showRow(int n);
    // The row edits are recorded here (none when not set).
    void setHistory(EditHistory* history);

  signals:
    // A row edit changed a schedule row: the checks follow.
    void rowsChanged();

  public:
    // The steps that wait for the user or end the program, replaceable in tests.
    // The file the workbook goes to; empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggested)> askWorkbookName;
    // Opens the written workbook with the desktop's application for it; false when none could.
    std::function<bool(const QUrl& file)> openWorkbook;
    // Runs the print preview (its print button prints through the printer's dialog).
    std::function<void(QPrintPreviewDialog& dialog)> runPrintPreview;
    // Ends the whole program at once; the layout file is not written on this path.
    std::function<void()> exitProgram;
    // The PDF the foundation drawing goes to (its DXF beside it); empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggested)> askDrawingName;

    // CmdDrawing: the foundation drawing, PDF and DXF. Reads the model only.
    void writeDrawing();

    // Command1: the workbook. CmdP3: the printed plan. Both read the model only.
    void exportWorkbook();
    void printPlanPreview();
    // Draws the plan on the printer (the preview's paintRequested).
    void paintPlan(QPrinter* printer);
    // The Report button's work (its file dialog and viewer are replaceable there).
    ReportAction* reportAction() const { return report_; }
    // Beside the analysis file, with its name and the extension .xlsx.
    QString defaultWorkbookPath() const;
    // The printed plan's PDF file, when printed to a file: beside the analysis file, .pdf.
    QString defaultPlanPdfPath() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    using Row = std::array<QWidget*, 20>; // in the order of scheduleControlNames()

    // The construction, in steps: the file dialogs, viewer, preview and exit of the desktop;
    // the buttons along the top; the heading row with the captions over its boxes.
    void useDesktopSteps();
    QPushButton* makeButton(const QString& caption, const char* name, const QString& accessibleName,
                            const QRect& designed);
    void makeButtons();
    void makeHeadings();

    Row makeRow(int n);
    void removeRows();
    void fillRow(int n, const std::array<std::string, 20>& texts);
    void fitColumns();
    void fitContent();
    void placeOthers(int squareRows);

    // The row events, each one call of the core.
    // A row edit as one entry of the edit history.
    template <typename Edit> RowTexts recordedRowEdit(std::string name, Edit&& edit);
    void depthKey(int n, int key);
    void pedestalKey(int n, int key);
    void diameterClick(int n);
    void groupClick(int n);
    void membersClick(int n);

    Project& project_;
    Prompts& prompts_;
    EditHistory* history_ = nullptr;
    QScrollArea* scroll_;
    QWidget* content_;
    std::vector<Row> rows_;         // rows_[0] the headings, rows_[n] schedule row n
    std::vector<QLabel*> captions_; // Label1..Label3 over the depth, pedestal and diameter
    QWidget* exit_ = nullptr;
    DesignedRowsTables* others_ = nullptr; // the R and C rows, below the square rows
    ReportAction* report_ = nullptr;
    QuantitiesFooter* footer_ = nullptr; // the bill of quantities under the rows
};

} // namespace ormevak
