#pragma once
// pnToolTray, the strip of picture buttons across the top of the main window.  Four pictures
// drop down a panel of flat buttons (pnSetup, pnPrint, pnDataEdit, pnInformation) 40 pixels
// below themselves; while a panel is open its picture shows the pressed state, and clicking the
// picture again closes it.

#include <QFrame>
#include <QString>
#include <map>

class QToolButton;

namespace keiro::payroll {

class ToolTray : public QFrame {
    Q_OBJECT
  public:
    // The panels float over `window` (the main window), which must outlive the tray.
    explicit ToolTray(QWidget* window);

    // A picture ("imFileSave") or a panel button ("sbConfig"); nullptr for another name.
    QToolButton* button(const QString& name) const;
    QFrame* panel(const QString& name) const;
    // Closes every open panel (done before any function opens).
    void closePanels();
    // Whether a panel is open.
    bool isPanelOpen(const QString& name) const;

  signals:
    // A picture without a panel, or a panel button, was clicked (panels already closed).
    void triggered(const QString& name);

  private:
    QToolButton* addPicture(const QString& name, const QString& caption, const QString& tip);
    QFrame* addPanel(const QString& picture, const QString& name,
                     const std::map<QString, QString>& captions, const QStringList& order);
    void togglePanel(const QString& picture);
    void showPictureState(const QString& picture, bool pressed);

    QWidget* window_;
    std::map<QString, QToolButton*> buttons_;
    std::map<QString, QFrame*> panels_;          // by panel name
    std::map<QString, QString> panelOfPicture_;  // picture name → panel name
};

}  // namespace keiro::payroll
