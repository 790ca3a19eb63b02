// The calculation report on paper: a flow of headings, paragraphs and tables laid out once to
// learn the page count, then painted page by page with the running header and page numbers.
#include "output/report_pdf.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "output/plan_print.h"

#ifndef ORMEVAK_VERSION
#define ORMEVAK_VERSION "unknown"
#endif

namespace ormevak {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QFont reportFont(double points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

enum FontRole { Body, BodyBold, Small, SmallBold, Heading1, Heading2, Title, FontCount };

// One thing painted on a page, in device units of the writer.
struct Op {
    int page = 0;
    // Text: laid out in rect with flags; Run: one line with its baseline's start at rect's top
    // left (most table cells: no layout needed to paint them).
    enum Kind { Text, Run, HLine, Box } kind = Text;
    QRectF rect;
    QString text;
    int font = Body;
    int flags = 0;
};

class Layout {
  public:
    Layout(QPdfWriter& writer) {
        const double pt = writer.resolution() / 72.0; // device units per point
        const double sizes[FontCount] = {8.5, 8.5, 7, 7, 14, 10.5, 20};
        const bool bolds[FontCount] = {false, true, false, true, true, true, true};
        for (int i = 0; i < FontCount; ++i) {
            fonts_.push_back(reportFont(sizes[i], bolds[i]));
            metrics_.emplace_back(fonts_.back(), &writer);
        }
        width_ = writer.width();
        height_ = writer.height();
        // Room for the running header above and the page number below.
        top_ = metrics_[Small].height() * 2.5;
        bottom_ = height_ - metrics_[Small].height() * 2;
        pad_ = 2 * pt;
        y_ = top_;
    }

    const std::vector<QFont>& fonts() const { return fonts_; }
    const std::vector<Op>& ops() const { return ops_; }
    int pages() const { return page_ + 1; }
    double width() const { return width_; }
    double height() const { return height_; }

    void title(const std::string& title, const std::string& project) {
        text(Title, qs(title), metrics_[Title].height() * 1.4);
        text(Heading2, qs(project), metrics_[Heading2].height() * 2);
    }

    void heading(const std::string& text1, int level) {
        const int font = level == 1 ? Heading1 : Heading2;
        const double h = metrics_[font].height();
        if (level == 1 && y_ > top_ + 1e-6) newPage();
        // A heading never stands alone at the foot of a page.
        if (y_ + h * 1.6 + metrics_[Body].height() * 4 > bottom_) newPage();
        y_ += h * 0.5;
        text(font, qs(text1), h * 1.2);
    }

    void paragraph(const std::string& text1) {
        const QString t = qs(text1);
        const QRectF r = metrics_[Body].boundingRect(QRectF(0, 0, width_, 1e9),
                                                     Qt::TextWordWrap | Qt::AlignLeft, t);
        if (y_ + r.height() > bottom_) newPage();
        ops_.push_back({page_, Op::Text, QRectF(0, y_, width_, r.height()), t, Body,
                        Qt::TextWordWrap | Qt::AlignLeft});
        y_ += r.height() + metrics_[Body].height() * 0.5;
    }

    void table(const report::Table& t) {
        const size_t n = t.headings.size();
        if (n == 0) return;
        // Tables of many columns are set smaller.
        const int body = n > 8 ? Small : Body;
        const int bold = n > 8 ? SmallBold : BodyBold;
        const QFontMetricsF& fm = metrics_[static_cast<size_t>(body)];
        const QFontMetricsF& fb = metrics_[static_cast<size_t>(bold)];
        const TableCells tc = measure(t, fm, fb);

        double headHeight = 0;
        for (size_t c = 0; c < n; ++c)
            headHeight = std::max(
                headHeight, cellHeight(tc, fb, tc.heads[c], fb.horizontalAdvance(tc.heads[c]), c));
        headHeight += 2 * pad_;
        if (y_ + headHeight + fm.height() * 2 > bottom_) newPage();
        headingRow(tc, bold, headHeight);
        for (size_t r = 0; r < tc.cells.size(); ++r) {
            double h = 0;
            for (size_t c = 0; c < n; ++c)
                h = std::max(h, cellHeight(tc, fm, tc.cells[r][c], tc.advance[r][c], c));
            h += 2 * pad_;
            if (y_ + h > bottom_) {
                newPage();
                headingRow(tc, bold, headHeight); // the headings again on every page it runs onto
            }
            bodyRow(tc, r, body, fm, h);
        }
        y_ += fm.height();
    }

  private:
    // A table's texts with their advances, and its columns fitted within the page.
    struct TableCells {
        std::vector<QString> heads;
        std::vector<std::vector<QString>> cells;
        std::vector<std::vector<double>> advance;
        std::vector<bool> numeric;
        std::vector<double> widths;
        std::vector<double> x; // left edge of each column; x[n] the right edge of the table
        int flags(size_t c) const {
            const bool right = c < numeric.size() && numeric[c];
            return int(Qt::TextWordWrap) | int(right ? Qt::AlignRight : Qt::AlignLeft) |
                   int(Qt::AlignTop);
        }
    };

    TableCells measure(const report::Table& t, const QFontMetricsF& fm,
                       const QFontMetricsF& fb) const {
        const size_t n = t.headings.size();
        TableCells tc;
        tc.heads.resize(n);
        tc.cells.assign(t.rows.size(), std::vector<QString>(n));
        tc.advance.assign(t.rows.size(), std::vector<double>(n, 0));
        tc.numeric = t.numeric;
        std::vector<double> natural(n, 0);
        for (size_t c = 0; c < n; ++c) {
            tc.heads[c] = qs(t.headings[c]);
            // A heading may wrap at its blanks: its longest word sets its least width.
            for (const QString& word : tc.heads[c].split(' '))
                natural[c] = std::max(natural[c], fb.horizontalAdvance(word));
        }
        for (size_t r = 0; r < t.rows.size(); ++r) {
            for (size_t c = 0; c < n && c < t.rows[r].size(); ++c) {
                tc.cells[r][c] = qs(t.rows[r][c]);
                tc.advance[r][c] = fm.horizontalAdvance(tc.cells[r][c]);
                natural[c] = std::max(natural[c], tc.advance[r][c]);
            }
        }
        for (double& w : natural) w += 2 * pad_;
        tc.widths = fit(natural);
        tc.x.assign(n + 1, 0);
        for (size_t c = 0; c < n; ++c) tc.x[c + 1] = tc.x[c] + tc.widths[c];
        return tc;
    }

    // Height of text s of advance adv in column c: one line when it fits, else as wrapped.
    double cellHeight(const TableCells& tc, const QFontMetricsF& m, const QString& s, double adv,
                      size_t c) const {
        const double room = tc.widths[c] - 2 * pad_;
        if (adv <= room) return m.height();
        return m.boundingRect(QRectF(0, 0, room, 1e9), tc.flags(c), s).height();
    }

    void headingRow(const TableCells& tc, int bold, double headHeight) {
        const size_t n = tc.heads.size();
        ops_.push_back({page_, Op::Box, QRectF(0, y_, tc.x[n], headHeight), {}, 0, 0});
        for (size_t c = 0; c < n; ++c)
            ops_.push_back({page_, Op::Text,
                            QRectF(tc.x[c] + pad_, y_ + pad_, tc.widths[c] - 2 * pad_, headHeight),
                            tc.heads[c], bold, tc.flags(c)});
        y_ += headHeight;
    }

    // Row r of height h: a cell that fits is one run, a longer one wraps within its column.
    void bodyRow(const TableCells& tc, size_t r, int body, const QFontMetricsF& fm, double h) {
        const size_t n = tc.heads.size();
        for (size_t c = 0; c < n; ++c) {
            const QString& cell = tc.cells[r][c];
            if (cell.isEmpty()) continue;
            const double room = tc.widths[c] - 2 * pad_;
            const double adv = tc.advance[r][c];
            if (adv <= room) {
                const bool right = c < tc.numeric.size() && tc.numeric[c];
                const double left = right ? tc.x[c + 1] - pad_ - adv : tc.x[c] + pad_;
                ops_.push_back(
                    {page_, Op::Run, QRectF(left, y_ + pad_ + fm.ascent(), 0, 0), cell, body, 0});
            } else {
                ops_.push_back({page_, Op::Text, QRectF(tc.x[c] + pad_, y_ + pad_, room, h), cell,
                                body, tc.flags(c)});
            }
        }
        y_ += h;
        ops_.push_back({page_, Op::HLine, QRectF(0, y_, tc.x[n], 0), {}, 0, 0});
    }

    void text(int font, const QString& t, double advanceY) {
        if (y_ + advanceY > bottom_) newPage();
        ops_.push_back({page_, Op::Text, QRectF(0, y_, width_, advanceY), t, font,
                        Qt::AlignLeft | Qt::AlignTop});
        y_ += advanceY;
    }

    void newPage() {
        ++page_;
        y_ = top_;
    }

    // Column widths within the page: narrow columns keep their width, wide ones share the rest
    // in proportion and wrap.
    std::vector<double> fit(const std::vector<double>& natural) const {
        double total = 0;
        for (double w : natural) total += w;
        if (total <= width_) return natural;
        std::vector<double> widths = natural;
        // Columns narrower than an even share keep their width (units, marks, short numbers).
        std::vector<bool> fixed(natural.size(), false);
        for (size_t c = 0; c < natural.size(); ++c)
            fixed[c] = natural[c] <= width_ / double(natural.size());
        for (int round = 0; round < 4; ++round) {
            double fixedSum = 0, flexSum = 0;
            for (size_t c = 0; c < natural.size(); ++c)
                (fixed[c] ? fixedSum : flexSum) += natural[c];
            const double room = width_ - fixedSum;
            bool changed = false;
            for (size_t c = 0; c < natural.size(); ++c) {
                if (fixed[c]) continue;
                widths[c] = room * natural[c] / flexSum;
                if (widths[c] >= natural[c]) {
                    widths[c] = natural[c];
                    fixed[c] = true;
                    changed = true;
                }
            }
            if (!changed) break;
        }
        return widths;
    }

    std::vector<QFont> fonts_;
    std::vector<QFontMetricsF> metrics_;
    std::vector<Op> ops_;
    double width_ = 0, height_ = 0, top_ = 0, bottom_ = 0, pad_ = 0, y_ = 0;
    int page_ = 0;
};

} // namespace

std::string programVersion() {
    return ORMEVAK_VERSION;
}

report::Inputs reportInputs(const Project& project) {
    report::Inputs in;
    in.analysis = report::describeFile(project.analysisFilePath);
    in.programVersion = programVersion();
    in.runDate = report::utcText(static_cast<long long>(std::time(nullptr)));
    return in;
}

namespace {

// The content laid out in pages, the title first.
void layOut(Layout& layout, const report::Content& content) {
    layout.title(content.title, content.project);
    for (const report::Block& b : content.blocks) {
        switch (b.kind) {
        case report::BlockKind::Heading:
            layout.heading(b.text, b.level);
            break;
        case report::BlockKind::Paragraph:
            layout.paragraph(b.text);
            break;
        case report::BlockKind::Table:
            layout.table(b.table);
            break;
        }
    }
}

// The painter with the report's two pens; its font and pen are changed only when they differ,
// as most runs share both.
class OpPainter {
  public:
    OpPainter(QPainter& painter, const std::vector<QFont>& fonts, double resolution)
        : painter_(painter), fonts_(fonts), thin_(Qt::black), faint_(QColor(170, 170, 170)) {
        thin_.setWidthF(resolution / 300.0);
        faint_.setWidthF(resolution / 600.0);
    }

    // The running header and the page number of page `page` (from 0) of `pages`.
    void frame(const Layout& layout, const QString& header, double lineY, int page, int pages) {
        painter_.setPen(thin_);
        painter_.setFont(fonts_[Small]);
        painter_.drawText(QRectF(0, 0, layout.width(), lineY), Qt::AlignLeft | Qt::AlignTop,
                          header);
        painter_.drawLine(QPointF(0, lineY), QPointF(layout.width(), lineY));
        painter_.drawText(QRectF(0, 0, layout.width(), layout.height()),
                          Qt::AlignHCenter | Qt::AlignBottom,
                          QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        font_ = Small;
        faintPen_ = false;
    }

    void paint(const Op& op) {
        switch (op.kind) {
        case Op::Text:
            use(op.font, false);
            painter_.drawText(op.rect, op.flags, op.text);
            break;
        case Op::Run:
            use(op.font, false);
            painter_.drawText(op.rect.topLeft(), op.text);
            break;
        case Op::HLine:
            use(-1, true);
            painter_.drawLine(op.rect.topLeft(), op.rect.topRight());
            break;
        case Op::Box:
            use(-1, false);
            painter_.fillRect(op.rect, QColor(232, 232, 232));
            painter_.drawLine(op.rect.topLeft(), op.rect.topRight());
            painter_.drawLine(op.rect.bottomLeft(), op.rect.bottomRight());
            break;
        }
    }

  private:
    void use(int f, bool isFaint) {
        if (f >= 0 && f != font_) {
            painter_.setFont(fonts_[static_cast<size_t>(f)]);
            font_ = f;
        }
        if (isFaint != faintPen_) {
            painter_.setPen(isFaint ? faint_ : thin_);
            faintPen_ = isFaint;
        }
    }

    QPainter& painter_;
    const std::vector<QFont>& fonts_;
    QPen thin_, faint_;
    int font_ = Small;
    bool faintPen_ = false;
};

} // namespace

QByteArray renderReportPdf(const report::Content& content) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 12, 15, 12), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("ORMEVAK"));
    writer.setTitle(qs(content.title + ": " + content.project));

    Layout layout(writer);
    layOut(layout, content);

    QPainter painter;
    if (!painter.begin(&writer))
        throw OutputError("The report's first page could not be started: report not written");
    OpPainter paint(painter, layout.fonts(), writer.resolution());
    const QString header = qs("ORMEVAK " + content.title + "  -  " + content.project);
    const int pages = layout.pages();
    size_t next = 0;
    const std::vector<Op>& ops = layout.ops();
    for (int page = 0; page < pages; ++page) {
        if (page > 0) writer.newPage();
        const double lineY = QFontMetricsF(layout.fonts()[Small], &writer).height() * 1.4;
        paint.frame(layout, header, lineY, page, pages);
        for (; next < ops.size() && ops[next].page == page; ++next) paint.paint(ops[next]);
    }
    if (!painter.end())
        throw OutputError("The report's last page could not be finished: report not written");
    buffer.close();
    return pdf;
}

void writeReportPdf(const Project& project, const std::string& path) {
    ensureGuiApplication("The report needs a graphical application object: report not written");
    const report::Content content = report::buildReport(project, reportInputs(project));
    const QByteArray pdf = renderReportPdf(content);
    writeFileAtomically(path, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
}

} // namespace ormevak
