// The objectName of every control under a window, sorted: the names tests and saved settings
// find controls by, so a test can show that renaming code left every one of them alone.
#pragma once

#include <QAction>
#include <QObject>
#include <QStringList>
#include <QTabBar>

namespace keiro::testing_support {

// Widgets and actions with a name, without the parts Qt names itself ("qt_…") and a tab bar's
// scroll arrows.
inline QStringList controlNames(const QObject& root) {
    QStringList names;
    for (const QObject* child : root.findChildren<QObject*>()) {
        if (!child->isWidgetType() && qobject_cast<const QAction*>(child) == nullptr) continue;
        if (qobject_cast<const QTabBar*>(child->parent()) != nullptr) continue;
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) names << name;
    }
    names.sort();
    return names;
}

}  // namespace keiro::testing_support
