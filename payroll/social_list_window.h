#pragma once
// SocialListWindow: one of the yearly social-insurance lists shown as it prints (the revisions
// after a change of fixed pay, the bonus payment report, the labour insurance wage summary),
// with the notes under it, 印刷, CSV出力 and, where the list decides grades, 適用, which asks
// its question first and does nothing without はい.  A list may offer a choice above it (the
// fiscal year of the labour insurance summary) and is then shown again for what is chosen.

#include <QDialog>
#include <functional>

#include "print/text_table_report.h"

class QComboBox;
class QLabel;
class QTableWidget;
class QVBoxLayout;

namespace keiro::ui {
class MessageService;
}

namespace keiro::payroll {

class SocialListWindow : public QDialog {
    Q_OBJECT
  public:
    using Action = std::function<void(QWidget*)>;

    // `name` is the window's object name.
    SocialListWindow(QWidget* parent, ui::MessageService& messages, const print::TextTable& table,
                     const QString& name);
    // Shows another list in place of the one shown (title, rows and notes).
    void setTable(const print::TextTable& table);
    // A choice (cbChoice) above the list, captioned `caption`; `chosen` runs with the index of
    // the item the clerk picks.
    void setChoice(const QString& caption, const QStringList& items, int current,
                   std::function<void(int)> chosen);
    // 適用 appears with a question; `apply` runs after はい.
    void setApply(const QString& question, Action apply);
    void setPrint(Action print) { print_ = std::move(print); }
    void setCsv(Action csv) { csv_ = std::move(csv); }

    void applyChanges();

  private:
    ui::MessageService& messages_;
    QVBoxLayout* column_;
    QTableWidget* table_;
    QLabel* notesLabel_;
    QLabel* choiceCaption_;
    QComboBox* choiceCombo_;
    QString question_;
    Action apply_;
    Action print_;
    Action csv_;
};

}  // namespace keiro::payroll
