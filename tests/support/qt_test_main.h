#pragma once
// One Qt Test executable per module: each test file registers its test classes with
// KEIRO_QTEST(Class) and the module's main (KEIRO_QTEST_MAIN in one file) runs them all in one
// QApplication.  Tests run offscreen (QT_QPA_PLATFORM=offscreen, set by `make test`).

#include <QApplication>
#include <QtTest>
#include <functional>
#include <vector>

namespace keiro::testing_support {

inline std::vector<std::function<int(int, char**)>>& qtTestRegistry() {
    static std::vector<std::function<int(int, char**)>> tests;
    return tests;
}

}  // namespace keiro::testing_support

#define KEIRO_QTEST(Class)                                                             \
    static const bool keiroRegistered##Class = [] {                                    \
        keiro::testing_support::qtTestRegistry().push_back([](int argc, char** argv) { \
            Class test;                                                                \
            return QTest::qExec(&test, argc, argv);                                    \
        });                                                                            \
        return true;                                                                   \
    }()

#define KEIRO_QTEST_MAIN                                                   \
    int main(int argc, char** argv) {                                      \
        QApplication app(argc, argv);                                      \
        QApplication::setApplicationDisplayName(QStringLiteral("Hayame")); \
        int failures = 0;                                                  \
        for (const auto& run : keiro::testing_support::qtTestRegistry()) { \
            failures += run(argc, argv);                                   \
        }                                                                  \
        return failures == 0 ? 0 : 1;                                      \
    }
