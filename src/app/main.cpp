// ormevak: the desktop application.
#include <QApplication>

#include "ui/app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return ormevak::runDesktop(app);
}
