// ormevak-batch: the core on an analysis file without any window.
#include <clocale>

#include "batch/batch.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    return ormevak::batch::run(argc, argv);
}
