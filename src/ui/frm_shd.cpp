// The footing schedule window. Positions are the designed ones in twips; every row event is
// one call of the core's schedule operations, whose returned texts the row then shows.
#include "ui/frm_shd.h"
#include "ui/drawing_command.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>
#include <limits>
#include <string_view>

#include "design/design.h"
#include "design/schedule.h"
#include "model/errors.h"
#include "output/plan_print.h"
#include "output/xlsx_writer.h"
#include "ui/designed_rows_tables.h"
#include "ui/qt_prompts.h"
#include "ui/report_action.h"
#include "ui/ui_helpers.h"

namespace ormevak {

namespace {

// Designed place of a column's heading (index 0), in twips, in the order of RowTexts.
struct Place {
    int left, top, width, height;
};
constexpr std::array<Place, 20> kHeadings{{
    {300, 500, 500, 255},   // LabF1
    {1000, 500, 500, 255},  // LabNos
    {2000, 500, 500, 255},  // LabSize
    {3000, 480, 615, 360},  // TxtDepth
    {4000, 500, 735, 360},  // TxtPeda
    {5200, 500, 500, 255},  // LabNetP
    {6000, 480, 495, 255},  // LabCant
    {6800, 500, 500, 255},  // LabMu
    {7605, 495, 735, 255},  // LabMuBdd
    {8500, 500, 500, 255},  // LabPt
    {9200, 500, 500, 255},  // LabAst
    {10400, 480, 495, 255}, // LabGdia
    {12000, 500, 645, 255}, // LabRods
    {11000, 500, 570, 255}, // LabSpace
    {13200, 500, 500, 255}, // LabSF1
    {13905, 480, 495, 375}, // LabSS1
    {14600, 500, 500, 255}, // LabPS1
    {15800, 500, 500, 255}, // LabSF2
    {16500, 500, 500, 255}, // LabSS2
    {17200, 500, 500, 255}, // LabPS2
}};
constexpr int kClientWidth = 18210;
constexpr int kClientHeight = 8520;
constexpr int kMargin = 120;

// Rows come in pairs 400 apart, 600 between pairs.
int rowTop(int n) {
    return n % 2 == 1 ? n * 500 + 600 : n * 500 + 500;
}

bool isTextBox(std::size_t column) {
    return column == col::TxtDepth || column == col::TxtPeda;
}

void setText(QWidget* control, const std::string& text) {
    const QString t = qs(text);
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        box->setText(t);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(t);
    }
}

} // namespace

FrmShd::FrmShd(Project& project, Prompts& prompts, QWidget* parent)
    : QWidget(parent), project_(project), prompts_(prompts) {
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("FrmShd"));
    setWindowTitle(QStringLiteral("Footing Shedule"));
    setFont(designFont(9.75));
    useDesktopSteps();

    // The Exit button lies beyond the designed width; the scroll area keeps it and the rows
    // below the window's bottom within reach.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScheduleScroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    content_ = new QWidget;
    content_->setObjectName(QStringLiteral("ScheduleArea"));
    scroll_->setWidget(content_);

    makeButtons();
    footer_ = new QuantitiesFooter(this);
    makeHeadings();
    others_ = new DesignedRowsTables(project_, prompts_, content_);
    connect(others_, &DesignedRowsTables::rowsChanged, this, [this] {
        fitContent();
        emit rowsChanged();
    });
    placeOthers(0);
    fitContent();
    resize(twipsRect(*this, 0, 0, kClientWidth, kClientHeight).size());
}

void FrmShd::useDesktopSteps() {
    askWorkbookName = [](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Excel"), suggested,
                                            QStringLiteral("Excel workbook (*.xlsx)"));
    };
    openWorkbook = [](const QUrl& file) { return QDesktopServices::openUrl(file); };
    runPrintPreview = [](QPrintPreviewDialog& dialog) { dialog.exec(); };
    exitProgram = [] { QCoreApplication::exit(0); };
    askDrawingName = [](QWidget* owner, const QString& suggested) {
        return QFileDialog::getSaveFileName(
            owner, QStringLiteral("Drawing"), suggested,
            QStringLiteral("Drawing PDF, with its DXF beside it (*.pdf)"));
    };
}

QPushButton* FrmShd::makeButton(const QString& caption, const char* name,
                                const QString& accessibleName, const QRect& designed) {
    auto* button = new QPushButton(caption, content_);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(accessibleName);
    button->setGeometry(
        twipsRect(*this, designed.x(), designed.y(), designed.width(), designed.height()));
    return button;
}

void FrmShd::makeButtons() {
    auto* excel = makeButton(QStringLiteral("Excel"), "Command1", QStringLiteral("Export to Excel"),
                             {9600, 0, 975, 375});
    connect(excel, &QPushButton::clicked, this, &FrmShd::exportWorkbook);
    auto* print = makeButton(QStringLiteral("Print"), "CmdP3",
                             QStringLiteral("Print the footing plan"), {4680, 120, 615, 255});
    connect(print, &QPushButton::clicked, this, &FrmShd::printPlanPreview);
    auto* reportButton =
        makeButton(QStringLiteral("Report"), "CmdReport",
                   QStringLiteral("Write the calculation report"), {10680, 0, 975, 375});
    report_ = new ReportAction(project_, prompts_, this);
    connect(reportButton, &QPushButton::clicked, report_, [this, reportButton] {
        if (report_->start()) reportButton->setEnabled(false);
    });
    connect(report_, &ReportAction::finished, reportButton,
            [reportButton] { reportButton->setEnabled(true); });
    auto* exit = makeButton(QStringLiteral("Exit"), "CmdExit2", QStringLiteral("Exit"),
                            {21720, 360, 975, 375});
    exit_ = exit;
    connect(exit, &QPushButton::clicked, this, [this] { exitProgram(); });
    auto* drawingButton = makeButton(QStringLiteral("Drawing"), "CmdDrawing",
                                     QStringLiteral("Write the foundation drawing (PDF and DXF)"),
                                     {12000, 0, 975, 375});
    connect(drawingButton, &QPushButton::clicked, this, &FrmShd::writeDrawing);
}

void FrmShd::makeHeadings() {
    rows_.push_back(makeRow(0));
    // The heading row's text boxes and diameter are covered by plain captions.
    rows_[0][col::TxtDepth]->hide();
    rows_[0][col::TxtPeda]->hide();
    rows_[0][col::LabGdia]->hide();
    struct Caption {
        const char* name;
        const char* text;
        Place place;
    };
    for (const Caption& c : {Caption{"Label1", "Depth", {3000, 500, 735, 375}},
                             Caption{"Label2", "Peda", {4000, 500, 735, 375}},
                             Caption{"Label3", "Dia", {10400, 495, 375, 240}}}) {
        QLabel* label = makeLabel(content_, c.name, QString::fromLatin1(c.text));
        label->setAccessibleName(label->text());
        captions_.push_back(label);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setGeometry(
            twipsRect(*this, c.place.left, c.place.top, c.place.width, c.place.height));
        if (std::string_view(c.name) == "Label3") {
            label->setAutoFillBackground(true);
            label->setBackgroundRole(QPalette::Base);
            label->setForegroundRole(QPalette::Text);
        }
    }
}

FrmShd::Row FrmShd::makeRow(int n) {
    Row row{};
    const auto& names = scheduleControlNames();
    const auto& headings = scheduleHeadings();
    for (std::size_t k = 0; k < row.size(); ++k) {
        const Place& h = kHeadings[k];
        const QString caption = n == 0 ? QString::fromLatin1(headings[k]) : QString();
        QWidget* control = nullptr;
        if (isTextBox(k)) {
            auto* box = new QLineEdit(caption, content_);
            box->setAlignment(Qt::AlignCenter);
            if (n > 0) box->installEventFilter(this);
            control = box;
        } else {
            auto* label = new QLabel(caption, content_);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            if (k == col::LabGdia) label->setFrameStyle(QFrame::Box | QFrame::Plain);
            if (n > 0 && (k == col::LabGdia || k == col::LabF1 || k == col::LabNos))
                label->installEventFilter(this);
            control = label;
        }
        control->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(names[k])).arg(n));
        const QString heading = QString::fromLatin1(headings[k]).trimmed();
        control->setAccessibleName(n == 0 ? heading
                                          : QStringLiteral("%1, row %2").arg(heading).arg(n));
        control->setProperty("scheduleRow", n);
        control->setProperty("scheduleColumn", static_cast<int>(k));
        control->setGeometry(
            twipsRect(*this, h.left, n == 0 ? h.top : rowTop(n), h.width, h.height));
        control->show();
        row[k] = control;
    }
    return row;
}

void FrmShd::removeRows() {
    for (std::size_t n = 1; n < rows_.size(); ++n)
        for (QWidget* control : rows_[n]) delete control;
    rows_.resize(1);
}

void FrmShd::fillRow(int n, const std::array<std::string, 20>& texts) {
    if (n < 1 || n >= static_cast<int>(rows_.size())) return;
    for (std::size_t k = 0; k < texts.size(); ++k) setText(rows_[n][k], texts[k]);
    fitContent();
    footer_->refresh(project_);
    emit rowsChanged();
}

void FrmShd::fitColumns() {
    // A text wider than its designed column widens the whole column about the designed
    // centre, so every number shows whole in the window's font; a column that would then
    // touch the one to its right pushes that one (and all beyond it) over.
    struct Span {
        std::size_t column;
        int centre, width;
    };
    std::vector<Span> spans;
    for (std::size_t k = 0; k < kHeadings.size(); ++k) {
        const QRect designed = twipsRect(*this, kHeadings[k].left, 0, kHeadings[k].width, 0);
        int width = designed.width();
        for (const Row& row : rows_)
            if (auto* label = qobject_cast<QLabel*>(row[k]))
                width = std::max(width, label->sizeHint().width());
        spans.push_back({k, designed.left() + designed.width() / 2, width});
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return kHeadings[a.column].left < kHeadings[b.column].left;
    });
    const double dpi = logicalDpiX();
    const int gap = twipsToPixels(60, dpi);
    int shift = 0;
    int previousRight = std::numeric_limits<int>::min() / 2;
    std::array<int, 20> lefts{}, widths{}, centreShifts{};
    for (const Span& s : spans) {
        int left = s.centre + shift - s.width / 2;
        if (left < previousRight + gap) {
            shift += previousRight + gap - left;
            left = previousRight + gap;
        }
        lefts[s.column] = left;
        widths[s.column] = s.width;
        centreShifts[s.column] = left + s.width / 2 - s.centre;
        previousRight = left + s.width;
    }
    for (const Row& row : rows_)
        for (std::size_t k = 0; k < row.size(); ++k) {
            QWidget* control = row[k];
            int height = control->height();
            // The bar diameter's border must clear its digits.
            if (k == col::LabGdia) height = std::max(height, control->sizeHint().height());
            control->setGeometry(lefts[k], control->y(), widths[k], height);
        }
    // The plain captions over the text boxes and the diameter follow their columns.
    const std::array<std::size_t, 3> captionColumns{col::TxtDepth, col::TxtPeda, col::LabGdia};
    const std::array<int, 3> captionLefts{3000, 4000, 10400};
    for (std::size_t c = 0; c < captions_.size() && c < captionColumns.size(); ++c) {
        QLabel* caption = captions_[c];
        const std::size_t k = captionColumns[c];
        caption->move(twipsToPixels(captionLefts[c], dpi) + centreShifts[k], caption->y());
    }
    exit_->move(std::max(twipsToPixels(21720, dpi), previousRight + gap), exit_->y());
}

void FrmShd::showChecks(const std::vector<Check>& checks) {
    std::vector<int> level(rows_.size(), 0);
    std::vector<QStringList> texts(rows_.size());
    for (const Check& c : checks)
        for (int n : checkRows(project_, c)) {
            if (n < 1 || n >= static_cast<int>(rows_.size())) continue;
            level[static_cast<std::size_t>(n)] =
                std::max(level[static_cast<std::size_t>(n)], c.severity == Severity::Error ? 2 : 1);
            texts[static_cast<std::size_t>(n)].append(qs(c.text));
        }
    for (std::size_t n = 1; n < rows_.size(); ++n) {
        QWidget* mark = rows_[n][col::LabF1];
        static const QString styles[3] = {QString(),
                                          QStringLiteral("QLabel { background: #ffd27f; }"),
                                          QStringLiteral("QLabel { background: #ff9c9c; }")};
        mark->setStyleSheet(styles[level[n]]);
        mark->setToolTip(texts[n].join(QLatin1Char('\n')));
    }
}

void FrmShd::showRow(int n) {
    if (n < 1 || n >= static_cast<int>(rows_.size())) return;
    show();
    raise();
    scroll_->ensureWidgetVisible(rows_[static_cast<std::size_t>(n)][col::LabF1]);
    rows_[static_cast<std::size_t>(n)][col::TxtDepth]->setFocus();
}

void FrmShd::fitContent() {
    fitColumns();
    QRect bounds;
    for (QWidget* child : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        bounds |= child->geometry();
    const QRect margin = twipsRect(*this, 0, 0, kMargin, kMargin);
    content_->resize(bounds.right() + margin.width(), bounds.bottom() + margin.height());
}

void FrmShd::reloadRows() {
    removeRows();
    const int count = project_.lastDesignRowTexts();
    for (int n = 1; n <= count; ++n) {
        rows_.push_back(makeRow(n));
        fillRow(n, project_.designRowTexts[n]);
    }
    others_->showRows();
    placeOthers(std::max(count, 0));
    fitContent();
    footer_->refresh(project_);
}

void FrmShd::showDesign() {
    reloadRows();
    bringForward(this);
}

void FrmShd::setHistory(EditHistory* history) {
    history_ = history;
    others_->setHistory(history);
}

template <typename Edit> RowTexts FrmShd::recordedRowEdit(std::string name, Edit&& edit) {
    RowTexts texts{};
    if (history_)
        recordEdit(*history_, project_, std::move(name), [&] { texts = edit(); });
    else
        texts = edit();
    return texts;
}

void FrmShd::placeOthers(int squareRows) {
    // One row's step below the last square row.
    others_->move(twipsRect(*this, 300, rowTop(squareRows + 1) + 200, 0, 0).topLeft());
}

void FrmShd::depthKey(int n, int key) {
    auto* box = static_cast<QLineEdit*>(rows_[n][col::TxtDepth]);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        fillRow(n, recordedRowEdit(edit_name::depth(project_, n), [&] {
                    return editDepth(project_, n, box->text().toStdString(), &prompts_);
                }));
    else if (key == Qt::Key_Escape)
        fillRow(n, escapeDepth(project_, n));
}

void FrmShd::pedestalKey(int n, int key) {
    auto* box = static_cast<QLineEdit*>(rows_[n][col::TxtPeda]);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        fillRow(n, recordedRowEdit(edit_name::pedestal(project_, n), [&] {
                    return editPedestal(project_, n, box->text().toStdString(), &prompts_);
                }));
    else if (key == Qt::Key_Escape)
        fillRow(n, escapePedestal(project_, n));
}

void FrmShd::diameterClick(int n) {
    fillRow(n, recordedRowEdit(edit_name::diameter(project_, n),
                               [&] { return clickDiameter(project_, n, &prompts_); }));
}

void FrmShd::groupClick(int n) {
    prompts_.inform(govMessage(project_, n));
}

void FrmShd::membersClick(int n) {
    for (const std::string& message : memberMessages(project_, n)) prompts_.inform(message);
}

bool FrmShd::eventFilter(QObject* watched, QEvent* event) {
    const int n = watched->property("scheduleRow").toInt();
    const int k = watched->property("scheduleColumn").toInt();
    const bool ours = n >= 1 && n < static_cast<int>(rows_.size()) && k >= 0 && k < 20 &&
                      rows_[n][static_cast<std::size_t>(k)] == watched;
    if (!ours) return QWidget::eventFilter(watched, event);
    const MessageOwner owner(prompts_, this);

    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool handled = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
        if (k == col::TxtDepth) depthKey(n, key);
        if (k == col::TxtPeda) pedestalKey(n, key);
        return handled;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* control = static_cast<QWidget*>(watched);
        if (mouse->button() != Qt::LeftButton ||
            !control->rect().contains(mouse->position().toPoint()))
            return false;
        if (k == col::LabGdia) diameterClick(n);
        if (k == col::LabF1) groupClick(n);
        if (k == col::LabNos) membersClick(n);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmShd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int footer = footer_->sizeHint().height();
    scroll_->setGeometry(rect().adjusted(0, 0, 0, -footer));
    footer_->setGeometry(0, height() - footer, width(), footer);
}

void FrmShd::writeDrawing() {
    const MessageOwner owner(prompts_, this);
    QString path = askDrawingName(this, defaultDrawingPath(project_));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    const DrawingOutcome done =
        writeDrawingFiles(project_, path, QDate::currentDate().toString(Qt::ISODate).toStdString());
    prompts_.inform(done.message, "Drawing",
                    done.written ? MessageIcon::None : MessageIcon::Exclamation);
}

QString FrmShd::defaultWorkbookPath() const {
    const QFileInfo analysis(qs(project_.analysisFilePath));
    if (project_.analysisFilePath.empty()) return QStringLiteral("footings.xlsx");
    return analysis.absolutePath() + QLatin1Char('/') + analysis.completeBaseName() +
           QStringLiteral(".xlsx");
}

QString FrmShd::defaultPlanPdfPath() const {
    const QFileInfo analysis(qs(project_.analysisFilePath));
    if (project_.analysisFilePath.empty()) return QStringLiteral("footing-plan.pdf");
    return analysis.absolutePath() + QLatin1Char('/') + analysis.completeBaseName() +
           QStringLiteral(".pdf");
}

void FrmShd::exportWorkbook() {
    const MessageOwner owner(prompts_, this);
    QString path = askWorkbookName(this, defaultWorkbookPath());
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".xlsx");
    try {
        writeWorkbook(project_, path.toStdString());
    } catch (const FileError& e) {
        prompts_.inform(e.what(), "Excel", MessageIcon::Exclamation);
        return;
    } catch (const OutputError& e) {
        prompts_.inform(e.what(), "Excel", MessageIcon::Exclamation);
        return;
    }
    if (prompts_.confirm("The workbook is written to " + path.toStdString() + ". Open it now?",
                         "Excel") &&
        !openWorkbook(QUrl::fromLocalFile(path)))
        prompts_.inform("No program could open the workbook. It is saved at " +
                            QDir::toNativeSeparators(path).toStdString(),
                        "Excel", MessageIcon::Exclamation);
}

void FrmShd::printPlanPreview() {
    const MessageOwner owner(prompts_, this);
    PageOrientation orientation;
    try {
        orientation = planOrientation(project_);
    } catch (const OutputError& e) {
        prompts_.inform(e.what(), "Print", MessageIcon::Exclamation);
        return;
    }
    // Paper code 8 is A3.
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(
        planPageSize(),
        orientation == PageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
        QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    printer.setDocName(QStringLiteral("Footing layout plan"));
    // Printing to a file offers the folder of the analysis file, not the home folder. Naming
    // the file switches the printer to PDF; a real printer, where there is one, stays the
    // default choice.
    printer.setOutputFileName(defaultPlanPdfPath());
    printer.setOutputFormat(QPrinter::NativeFormat);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &FrmShd::paintPlan);
    runPrintPreview(dialog);
}

void FrmShd::paintPlan(QPrinter* printer) {
    // Painting runs inside the print preview, which is then the window in front.
    QWidget* modal = QApplication::activeModalWidget();
    const MessageOwner owner(prompts_, modal ? modal : this);
    QPainter painter;
    if (!painter.begin(printer)) {
        prompts_.inform("The printer could not start the page: plan not printed", "Print",
                        MessageIcon::Exclamation);
        return;
    }
    painter.setFont(planPrinterFont());
    try {
        printPlan(project_, painter, QRectF(0, 0, printer->width(), printer->height()));
    } catch (const OutputError& e) {
        painter.end();
        prompts_.inform(e.what(), "Print", MessageIcon::Exclamation);
        return;
    }
    painter.end();
}

} // namespace ormevak
