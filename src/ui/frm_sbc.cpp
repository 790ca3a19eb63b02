// The startup dialog: captions from the reader, the two soil value boxes, OK and Exit.
#include "ui/frm_sbc.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/soil_values.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

QComboBox* makeCombo(QWidget* parent, const char* name, const QString& accessibleName,
                     const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setAccessibleName(accessibleName);
    combo->setEditable(true);
    // What the engineer types is what OK judges: an inline completion would turn a typed "50"
    // into the listed "500". Typed values never join the list either.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QStringLiteral("Select"));
    return combo;
}

} // namespace

FrmSbc::FrmSbc(Project& project, QWidget* parent) : QWidget(parent), project_(project) {
    setObjectName(QStringLiteral("FrmSbc"));
    setWindowTitle(QStringLiteral("ORMEVAK"));
    setFont(designFont(9.75));

    QLabel* title = makeLabel(this, "Label1", QStringLiteral("Footings Design and Grouping"));
    QFont titleFont = designFont(12);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    QLabel* supports = makeLabel(this, "LabNoSRea", qs(project.supportsCaption));
    QLabel* cases = makeLabel(this, "LabLoadCases", qs(project.loadCasesCaption));
    QLabel* grades = makeLabel(this, "LabFckFe", qs(project.gradesCaption));
    QLabel* sbcCaption = makeLabel(this, "Label5", QStringLiteral("SBC"));
    combSbc_ = makeCombo(this, "CombSBC", QStringLiteral("SBC, kN/m2"),
                         {"100", "150", "200", "250", "300", "350", "400", "500"});
    QLabel* between = makeLabel(this, "Label6", QStringLiteral("KN/m2    At  Depth"));
    cmbDepth_ = makeCombo(this, "CmbDepth", QStringLiteral("Depth of foundation, m"),
                          {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0"});
    sbcCaption->setBuddy(combSbc_);
    between->setBuddy(cmbDepth_);
    // Why OK refused the values, in place of a message box.
    labRefused_ = makeLabel(this, "LabRefused");
    QPalette warn = labRefused_->palette();
    warn.setColor(QPalette::WindowText, QColor(176, 0, 0));
    labRefused_->setPalette(warn);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("CmdOK"));
    ok->setAccessibleName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("CmdEnd"));
    exit->setAccessibleName(QStringLiteral("Exit"));

    auto* facts = new QVBoxLayout;
    facts->setContentsMargins(24, 0, 0, 0);
    for (QLabel* label : {supports, cases, grades}) facts->addWidget(label);

    auto* soil = new QHBoxLayout;
    soil->addWidget(sbcCaption);
    soil->addWidget(combSbc_, 1);
    soil->addWidget(between);
    soil->addWidget(cmbDepth_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(10);
    layout->addWidget(title);
    layout->addLayout(facts);
    layout->addLayout(soil);
    layout->addWidget(labRefused_);
    layout->addLayout(buttons);
    // Room for the longer refusal line, so showing one never resizes the dialog.
    labRefused_->setText(qs(soilRefusalNotice(SoilBox::Sbc)));
    setFixedSize(sizeHint().expandedTo(QSize(400, 0)));
    labRefused_->clear();

    connect(ok, &QPushButton::clicked, this, &FrmSbc::confirm);
    connect(exit, &QPushButton::clicked, this, [this] {
        done_ = true;
        emit ended();
        close();
    });
}

void FrmSbc::confirm() {
    if (done_) return;
    const SoilValuesResult result = applySoilValues(
        project_, cmbDepth_->currentText().toStdString(), combSbc_->currentText().toStdString());
    if (!result.accepted) {
        labRefused_->setText(qs(soilRefusalNotice(result.refused)));
        return;
    }
    labRefused_->clear();
    done_ = true;
    emit accepted();
    close();
}

void FrmSbc::closeEvent(QCloseEvent* event) {
    if (!done_) {
        done_ = true;
        emit ended();
    }
    event->accept();
}

void FrmSbc::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        confirm();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ormevak
