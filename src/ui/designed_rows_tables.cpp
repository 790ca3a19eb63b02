// Tables of the R and C schedule rows; every edit is one call of the core, whose texts the row
// then shows.
#include "ui/designed_rows_tables.h"

#include "plan/history.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "design/combined_design.h"
#include "design/rect_design.h"
#include "ui/qt_prompts.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

// Editable and clickable columns, in the order of rectControlNames() / combinedControlNames().
constexpr int kDepth = 3;
constexpr int kPedestal = 4;
constexpr int kRectDia = 11;
constexpr int kCombinedDia = 8;

QTableWidget* makeTable(const std::vector<const char*>& headings, const QString& name,
                        const QString& accessible, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(accessible);
    QStringList labels;
    for (const char* h : headings) labels << QString::fromLatin1(h);
    table->setHorizontalHeaderLabels(labels);
    table->verticalHeader()->hide();
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // The corner button selects the whole table; it too needs a name.
    for (auto* button : table->findChildren<QAbstractButton*>())
        button->setAccessibleName(QStringLiteral("Select the whole table"));
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    return table;
}

} // namespace

DesignedRowsTables::DesignedRowsTables(Project& project, Prompts& prompts, QWidget* parent)
    : QWidget(parent), project_(project), prompts_(prompts) {
    setObjectName(QStringLiteral("DesignedRows"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    rectCaption_ = makeLabel(this, "RectCaption", QStringLiteral("Resized footings"));
    rectCaption_->setAccessibleName(rectCaption_->text());
    rect_ = makeTable(rectHeadings(), QStringLiteral("RectRows"),
                      QStringLiteral("Resized footings schedule"), this);
    combinedCaption_ = makeLabel(this, "CombinedCaption", QStringLiteral("Combined footings"));
    combinedCaption_->setAccessibleName(combinedCaption_->text());
    combined_ = makeTable(combinedHeadings(), QStringLiteral("CombinedRows"),
                          QStringLiteral("Combined footings schedule"), this);
    layout->addWidget(rectCaption_);
    layout->addWidget(rect_);
    layout->addSpacing(8);
    layout->addWidget(combinedCaption_);
    layout->addWidget(combined_);
    layout->addStretch(1);

    connect(rect_, &QTableWidget::cellChanged, this,
            [this](int r, int c) { cellChanged(false, r, c); });
    connect(combined_, &QTableWidget::cellChanged, this,
            [this](int r, int c) { cellChanged(true, r, c); });
    connect(rect_, &QTableWidget::cellClicked, this,
            [this](int r, int c) { cellClicked(false, r, c); });
    connect(combined_, &QTableWidget::cellClicked, this,
            [this](int r, int c) { cellClicked(true, r, c); });
    showRows();
}

void DesignedRowsTables::fill(QTableWidget* table, int n, const std::vector<std::string>& texts) {
    const bool combined = table == combined_;
    const auto& headings = combined ? combinedHeadings() : rectHeadings();
    filling_ = true;
    const int dia = combined ? kCombinedDia : kRectDia;
    for (int c = 0; c < table->columnCount(); ++c) {
        const auto k = static_cast<std::size_t>(c);
        auto* item = table->item(n - 1, c);
        if (item == nullptr) {
            item = new QTableWidgetItem;
            table->setItem(n - 1, c, item);
        }
        item->setText(k < texts.size() ? qs(texts[k]) : QString());
        item->setTextAlignment(Qt::AlignCenter);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (c == kDepth || c == kPedestal) flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        const QString row = texts.empty() ? QString() : qs(texts[0]);
        item->setData(Qt::AccessibleTextRole,
                      QStringLiteral("%1, row %2").arg(QLatin1String(headings[k]), row));
        if (c == dia) item->setToolTip(QStringLiteral("Click for the next bar diameter"));
    }
    filling_ = false;
}

void DesignedRowsTables::fitTables() {
    for (QTableWidget* table : {rect_, combined_}) {
        table->resizeColumnsToContents();
        table->resizeRowsToContents();
        int width = 2 * table->frameWidth();
        for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
        int height = 2 * table->frameWidth() + table->horizontalHeader()->height();
        for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
        table->setFixedSize(width, height);
    }
    rectCaption_->setVisible(!project_.rectRows.empty());
    rect_->setVisible(!project_.rectRows.empty());
    combinedCaption_->setVisible(!project_.combinedRows.empty());
    combined_->setVisible(!project_.combinedRows.empty());
    adjustSize();
}

void DesignedRowsTables::showRows() {
    rect_->setRowCount(static_cast<int>(project_.rectRows.size()));
    for (std::size_t i = 0; i < project_.rectRows.size(); ++i)
        fill(rect_, static_cast<int>(i) + 1, project_.rectRows[i].texts);
    combined_->setRowCount(static_cast<int>(project_.combinedRows.size()));
    for (std::size_t i = 0; i < project_.combinedRows.size(); ++i)
        fill(combined_, static_cast<int>(i) + 1, project_.combinedRows[i].texts);
    fitTables();
}

template <typename Edit> void DesignedRowsTables::recorded(const std::string& name, Edit&& edit) {
    if (history_)
        recordEdit(*history_, project_, name, std::forward<Edit>(edit));
    else
        edit();
}

namespace {

std::string rectName(int n) {
    return "row R" + std::to_string(n);
}

std::string combinedName(const Project& p, int n) {
    const bool known = n >= 1 && n <= static_cast<int>(p.combinedRows.size());
    return "row C" +
           std::to_string(known ? p.combinedRows[static_cast<std::size_t>(n - 1)].combined : n);
}

} // namespace

void DesignedRowsTables::editRect(int n, int column, const std::string& text) {
    const MessageOwner owner(prompts_, this);
    if (column == kDepth)
        recorded("depth of " + rectName(n),
                 [&] { fill(rect_, n, editRectDepth(project_, n, text, &prompts_)); });
    else if (column == kPedestal)
        recorded("pedestal of " + rectName(n),
                 [&] { fill(rect_, n, editRectPedestal(project_, n, text, &prompts_)); });
    fitTables();
    emit rowsChanged();
}

void DesignedRowsTables::editCombined(int n, int column, const std::string& text) {
    const MessageOwner owner(prompts_, this);
    if (column == kDepth)
        recorded("depth of " + combinedName(project_, n),
                 [&] { fill(combined_, n, editCombinedDepth(project_, n, text, &prompts_)); });
    else if (column == kPedestal)
        recorded("pedestal of " + combinedName(project_, n),
                 [&] { fill(combined_, n, editCombinedPedestal(project_, n, text, &prompts_)); });
    fitTables();
    emit rowsChanged();
}

void DesignedRowsTables::clickDiameter(bool combined, int n) {
    const MessageOwner owner(prompts_, this);
    if (combined)
        recorded("bar diameter of " + combinedName(project_, n),
                 [&] { fill(combined_, n, clickCombinedDiameter(project_, n, &prompts_)); });
    else
        recorded("bar diameter of " + rectName(n),
                 [&] { fill(rect_, n, clickRectDiameter(project_, n, &prompts_)); });
    fitTables();
    emit rowsChanged();
}

void DesignedRowsTables::cellChanged(bool combined, int row, int column) {
    if (filling_ || (column != kDepth && column != kPedestal)) return;
    QTableWidget* table = combined ? combined_ : rect_;
    const std::string text = table->item(row, column)->text().toStdString();
    if (combined)
        editCombined(row + 1, column, text);
    else
        editRect(row + 1, column, text);
}

void DesignedRowsTables::cellClicked(bool combined, int row, int column) {
    if (column == (combined ? kCombinedDia : kRectDia)) clickDiameter(combined, row + 1);
}

} // namespace ormevak
