#include "tests/support/qt_test_main.h"

KEIRO_QTEST_MAIN
