#pragma once
// One Qt Test executable per module: each test file registers its test classes with
// KEIRO_QTEST(Class) and the module's main (KEIRO_QTEST_MAIN in one file) runs them in one
// QApplication set up as the programs set theirs up.  Run with a class name as the first
// argument, it runs that class only (CTest has one entry per class, so a failure names the
// window); the other arguments go to QTest as usual.  Tests run offscreen
// (QT_QPA_PLATFORM=offscreen, set by `make test`).

#include <QApplication>
#include <QtTest>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "widgets/application_setup.h"

namespace keiro::testing_support {

struct RegisteredQtTest {
    std::string name;
    std::function<int(int, char**)> run;
};

inline std::vector<RegisteredQtTest>& qtTestRegistry() {
    static std::vector<RegisteredQtTest> tests;
    return tests;
}

inline void registerQtTest(std::string name, std::function<int(int, char**)> run) {
    qtTestRegistry().push_back({std::move(name), std::move(run)});
}

// Runs every registered class, or only the one named by argv[1]; 1 for an unknown name.
inline int runQtTests(int argc, char** argv) {
    const auto& tests = qtTestRegistry();
    if (argc > 1 && argv[1][0] != '-') {
        for (const RegisteredQtTest& test : tests) {
            if (test.name != argv[1]) continue;
            argv[1] = argv[0];  // the class name is not for QTest
            return test.run(argc - 1, argv + 1) == 0 ? 0 : 1;
        }
        qWarning("no test class named %s", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const RegisteredQtTest& test : tests) failures += test.run(argc, argv);
    return failures == 0 ? 0 : 1;
}

}  // namespace keiro::testing_support

#define KEIRO_QTEST(Class)                                                         \
    static const bool keiroRegistered##Class = [] {                                \
        keiro::testing_support::registerQtTest(#Class, [](int argc, char** argv) { \
            Class test;                                                            \
            return QTest::qExec(&test, argc, argv);                                \
        });                                                                        \
        return true;                                                               \
    }()

#define KEIRO_QTEST_MAIN                                                               \
    int main(int argc, char** argv) {                                                  \
        QApplication app(argc, argv);                                                  \
        keiro::ui::setUpApplication(QStringLiteral("Keiro"), QStringLiteral("Keiro")); \
        return keiro::testing_support::runQtTests(argc, argv);                         \
    }
