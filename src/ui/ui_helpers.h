// What every window does the same way: the designed face, twips to pixels, texts from the core,
// named labels and bringing a modeless window to the front.
#pragma once

#include <string>

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace ormevak {

// A text of the core (UTF-8) as the widgets take it.
QString qs(const std::string& text);

// The face the windows are designed in: Arial at `points`, or a sans of the same metrics where
// Arial is missing.
QFont designFont(double points);

// Window layouts are designed in twips: 15 twips make a pixel at 96 dpi. Every conversion rounds
// to the nearest pixel, halves away from zero, as Qt rounds geometry.
int twipsToPixels(double twips, double logicalDpi);
double pixelsToTwips(double pixels, double logicalDpi);
// A designed place in twips on `widget`'s screen: across with its horizontal logical dpi, down
// with its vertical one.
QRect twipsRect(const QWidget& widget, int left, int top, int width, int height);

// A label named for the tests and the accessibility tree.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text = {});

// Shows a modeless window, or brings it back to the front, with the keyboard.
void bringForward(QWidget* window);
// The same, out of a minimized or maximized state first: the window opens at its designed size.
void bringForwardNormal(QWidget* window);

} // namespace ormevak
