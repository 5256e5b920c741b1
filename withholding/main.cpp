// KeiroLG, the withholding-slip program.
#include <QApplication>

#include "withholding/application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return keiro::withholding::runWithholding();
}
