// Tab order as a clerk reads a window: left to right along a row, then down; a jump back up is
// right only when it starts the next column to the right.  tabChainProblems() shows the window,
// walks the Tab chain of every tab page and names each step that goes back up or to the left.
#pragma once

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace keiro::testing_support {

namespace tab_chain_detail {

// A part of a compound control (the line edit in a spin box or combo box) is walked as that
// control.
inline bool insideCompound(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p != nullptr && p != window; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return true;
    }
    return false;
}

inline bool takesTab(const QWidget* w, const QWidget* window) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() &&
           qobject_cast<const QTabBar*>(w) == nullptr && !insideCompound(w, window);
}

inline QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

inline QStringList walk(QWidget& window, const QString& page) {
    QStringList problems;
    const QWidget* previous = nullptr;
    QRect previousRect;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if (!takesTab(w, &window)) continue;
        const QRect rect(w->mapTo(&window, QPoint(0, 0)), w->size());
        if (previous != nullptr) {
            const int rowTolerance = std::min(rect.height(), previousRect.height()) / 2;
            const bool sameRow =
                std::abs(rect.center().y() - previousRect.center().y()) <= rowTolerance;
            const bool wrong =
                sameRow ? rect.left() < previousRect.left()
                        : rect.top() < previousRect.top() && rect.left() < previousRect.right();
            if (wrong)
                problems << QStringLiteral("%1%2 → %3").arg(page, nameOf(previous), nameOf(w));
        }
        previous = w;
        previousRect = rect;
    }
    return problems;
}

}  // namespace tab_chain_detail

// Empty when every Tab goes on in reading order; otherwise one "from → to" per wrong step,
// with the tab page's caption in front.
inline QString tabChainProblems(QWidget& window) {
    window.show();
    QApplication::processEvents();
    QStringList problems;
    const QList<QTabWidget*> tabs = window.findChildren<QTabWidget*>();
    if (tabs.isEmpty()) {
        problems = tab_chain_detail::walk(window, {});
    } else {
        for (QTabWidget* tab : tabs) {
            for (int i = 0; i < tab->count(); ++i) {
                if (!tab->isTabEnabled(i)) continue;
                tab->setCurrentIndex(i);
                QApplication::processEvents();
                problems << tab_chain_detail::walk(window, tab->tabText(i) + QStringLiteral(": "));
            }
        }
    }
    problems.removeDuplicates();
    return problems.join(QStringLiteral("; "));
}

}  // namespace keiro::testing_support

// Fails the running Qt test with every wrong step named.
#define KEIRO_VERIFY_TAB_ORDER(window)                                             \
    do {                                                                           \
        const QString problems = keiro::testing_support::tabChainProblems(window); \
        QVERIFY2(problems.isEmpty(), qPrintable(problems));                        \
    } while (false)
