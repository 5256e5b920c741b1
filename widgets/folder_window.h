#pragma once
// The folder choice of backup and restore: a tree of the computer's mounted volumes and their
// folders (filled when a folder is opened), a box with the chosen folder's path that can also
// be typed into, "対象データ有り" when the folder holds a configuration file, and optionally
// "ﾌｫﾙﾀﾞｰ作成" to make a subfolder.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace keiro::ui {

class MessageService;

class FolderWindow : public QDialog {
    Q_OBJECT
  public:
    // Asks for a line of text (the new folder's name); nothing when cancelled.
    using NamePrompt = std::function<std::optional<QString>(QWidget* parent, const QString& title,
                                                            const QString& label)>;

    explicit FolderWindow(MessageService& messages, QWidget* parent = nullptr);

    // Prepares the window for one choice: its title, whether "ﾌｫﾙﾀﾞｰ作成" is offered, and the
    // folder selected at first (BackupPath; the home folder when empty or gone).
    void prepare(const QString& title, bool allowCreate, const QString& startFolder);

    // The chosen folder, without a trailing separator; set when the window was accepted.
    const QString& selectedFolder() const { return chosen_; }

    // Replaces the question for the new folder's name (tests answer it themselves).
    void setNamePrompt(NamePrompt prompt) { namePrompt_ = std::move(prompt); }

    // The whole choice in one call; nothing when cancelled.
    static std::optional<QString> choose(QWidget* parent, MessageService& messages,
                                         const QString& title, bool allowCreate,
                                         const QString& startFolder);

    // Selects the folder in the tree, opening the folders above it; false when it is not an
    // existing folder given by its full path.
    bool selectFolder(const QString& path);

    void acceptFolder();
    void createFolder();

  private:
    void fillVolumes();
    void fillFolder(QTreeWidgetItem* item);
    QTreeWidgetItem* childFolder(QTreeWidgetItem* parent, const QString& name);
    void showChosenFolder(QTreeWidgetItem* item);
    void updateDataLabel();
    void refuseMissing(const QString& typed);

    MessageService& messages_;
    NamePrompt namePrompt_;
    QTreeWidget* folderTree_;
    QTreeWidgetItem* computer_;
    QLineEdit* pathEdit_;
    QLabel* dataLabel_;
    QPushButton* newFolderButton_;
    QString chosen_;
};

}  // namespace keiro::ui
