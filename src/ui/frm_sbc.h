// FrmSbc: the startup dialog. It shows what the analysis file holds and asks for the depth of
// foundation and the safe bearing capacity.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "model/project.h"

namespace ormevak {

class FrmSbc : public QWidget {
    Q_OBJECT
  public:
    explicit FrmSbc(Project& project, QWidget* parent = nullptr);

    // OK: the soil values when both are accepted (accepted() follows), else the refused box's
    // range is shown beside the boxes and the dialog stays open.
    void confirm();

  signals:
    // Both soil values were accepted: the main window loads and the dialog closes.
    void accepted();
    // "Exit" or the window's own close before OK: the program ends.
    void ended();

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter presses OK, wherever the focus is in the dialog.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Project& project_;
    QComboBox* combSbc_ = nullptr;
    QComboBox* cmbDepth_ = nullptr;
    QLabel* labRefused_ = nullptr;
    bool done_ = false;
};

} // namespace ormevak
