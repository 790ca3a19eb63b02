#include "ui/ui_helpers.h"

#include <cmath>

#include <QLabel>
#include <QWidget>

#include "model/numbers.h"

namespace ormevak {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QFont designFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    return font;
}

int twipsToPixels(double twips, double logicalDpi) {
    return toInt32(std::round(twips * logicalDpi / 1440.0), "pixels");
}

double pixelsToTwips(double pixels, double logicalDpi) {
    return logicalDpi > 0 ? pixels * 1440.0 / logicalDpi : 0.0;
}

QRect twipsRect(const QWidget& widget, int left, int top, int width, int height) {
    const double dpiX = widget.logicalDpiX();
    const double dpiY = widget.logicalDpiY();
    return {twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
            twipsToPixels(height, dpiY)};
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

void bringForward(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void bringForwardNormal(QWidget* window) {
    window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    bringForward(window);
}

} // namespace ormevak
