// Puts widgets one after another in the Tab order, in the order given (null ones left out):
// for a window whose widgets are made in another order than they are shown.  Qt 6.4 leaves a
// scroll area (a list, a table) where it is in the chain, so make those in their place instead.
#pragma once

#include <QWidget>
#include <vector>

namespace keiro::ui {

inline void setTabChain(const std::vector<QWidget*>& widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (w == nullptr) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

}  // namespace keiro::ui
