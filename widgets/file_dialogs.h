#pragma once
// Open, save and folder dialogs behind an interface, so windows can be tested with scripted
// answers.  An empty optional means the user cancelled.

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

class QWidget;

namespace keiro::ui {

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;

    // `filter` in Qt form: "CSVﾌｧｲﾙ (*.csv)".
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title,
                                            const QString& folder, const QString& filter) = 0;
    // Asks before overwriting an existing file; `suffix` is added when the name has none.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title,
                                            const QString& folder, const QString& filter,
                                            const QString& suffix) = 0;
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                                const QString& folder) = 0;
};

// The patterns of one Qt filter, "説明 (令和*.dat *.csv)" → {"令和*.dat", "*.csv"}: the words
// inside its last pair of parentheses; a filter without them is a list of patterns itself.
QStringList filterPatterns(const QString& filter);

class QtFileDialogs : public FileDialogs {
  public:
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter, const QString& suffix) override;
    std::optional<QString> chooseFolder(QWidget* parent, const QString& title,
                                        const QString& folder) override;
};

// For tests: answers each dialog from a queue of paths (cancel when empty or nullopt queued).
class ScriptedFileDialogs : public FileDialogs {
  public:
    // A null path (or nullopt) answers with cancel.
    void answerNext(const std::optional<QString>& path) {
        answers_.push_back(path.value_or(QString()));
    }
    int asked() const { return asked_; }

    std::optional<QString> openFile(QWidget*, const QString&, const QString&,
                                    const QString&) override {
        return next();
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString& proposed,
                                    const QString&, const QString&) override {
        lastProposal_ = proposed;
        return next();
    }
    // The folder or file the last save dialog started from.
    const QString& lastProposal() const { return lastProposal_; }
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override {
        return next();
    }

  private:
    QString lastProposal_;
    std::optional<QString> next() {
        ++asked_;
        if (answers_.empty()) return std::nullopt;
        const QString answer = answers_.front();
        answers_.pop_front();
        if (answer.isNull()) return std::nullopt;
        return answer;
    }

    std::deque<QString> answers_;
    int asked_ = 0;
};

}  // namespace keiro::ui
