// Keiro, the payroll program.
#include <QApplication>

#include "payroll/application.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return keiro::payroll::runPayroll();
}
