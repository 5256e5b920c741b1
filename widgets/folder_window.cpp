#include "widgets/folder_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/places.h"
#include "widgets/message_service.h"

namespace keiro::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;        // the folder's full path; empty at the root
constexpr int kFilledRole = Qt::UserRole + 1;  // its subfolders have been listed

QString pathOf(const QTreeWidgetItem* item) {
    return item->data(0, kPathRole).toString();
}

// Whether `path` lies in the folder `root` (or is it).
bool isWithin(const QString& path, const QString& root) {
    if (root == QLatin1String("/")) return true;
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

QTreeWidgetItem* newFolderItem(const QString& text, const QString& path, const QIcon& icon) {
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, kPathRole, path);
    item->setIcon(0, icon);
    // The expander shows until the folder is opened and turns out to have no subfolders.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

// Keeps a folder's children in the order they are listed in: by name, ignoring case.
void insertSorted(QTreeWidgetItem* parent, QTreeWidgetItem* child) {
    int at = 0;
    while (at < parent->childCount() &&
           parent->child(at)->text(0).compare(child->text(0), Qt::CaseInsensitive) < 0) {
        ++at;
    }
    parent->insertChild(at, child);
}

// A name that makes exactly one new folder inside the selected one.
bool isPlainFolderName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text;
}

}  // namespace

FolderWindow::FolderWindow(MessageService& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), namePrompt_(askText) {
    setObjectName("fmFolder");

    folderTree_ = new QTreeWidget(this);
    folderTree_->setObjectName("tvFolder");
    folderTree_->setHeaderHidden(true);
    folderTree_->setColumnCount(1);
    folderTree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    folderTree_->header()->setStretchLastSection(false);
    connect(folderTree_, &QTreeWidget::itemExpanded, this, &FolderWindow::fillFolder);
    connect(folderTree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { showChosenFolder(current); });

    pathEdit_ = new QLineEdit(this);
    pathEdit_->setObjectName("edPath");
    connect(pathEdit_, &QLineEdit::textChanged, this, &FolderWindow::updateDataLabel);

    dataLabel_ = new QLabel(QStringLiteral("対象データ有り"), this);
    dataLabel_->setObjectName("lbData");
    dataLabel_->setStyleSheet(QStringLiteral("color: #c00000;"));
    QSizePolicy keepPlace = dataLabel_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    dataLabel_->setSizePolicy(keepPlace);
    dataLabel_->hide();

    newFolderButton_ = new QPushButton(QStringLiteral("ﾌｫﾙﾀﾞｰ作成"), this);
    newFolderButton_->setObjectName("btMkDir");
    newFolderButton_->setAutoDefault(false);
    connect(newFolderButton_, &QPushButton::clicked, this, &FolderWindow::createFolder);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("btOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FolderWindow::acceptFolder);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName("btCancel");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(dataLabel_);
    buttons->addStretch();
    buttons->addWidget(newFolderButton_);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folderTree_);
    layout->addWidget(pathEdit_);
    layout->addLayout(buttons);
    resize(420, 460);

    fillVolumes();
}

std::optional<QString> FolderWindow::choose(QWidget* parent, MessageService& messages,
                                            const QString& title, bool allowCreate,
                                            const QString& startFolder) {
    FolderWindow window(messages, parent);
    window.prepare(title, allowCreate, startFolder);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.selectedFolder();
}

void FolderWindow::prepare(const QString& title, bool allowCreate, const QString& startFolder) {
    setWindowTitle(title);
    newFolderButton_->setVisible(allowCreate);
    chosen_.clear();
    fillVolumes();  // folders may have come and gone since the last time
    if (!selectFolder(startFolder) && !selectFolder(QDir::homePath())) {
        folderTree_->setCurrentItem(computer_);
    }
}

void FolderWindow::fillVolumes() {
    folderTree_->clear();
    computer_ = new QTreeWidgetItem(QStringList{QStringLiteral("ﾏｲ ｺﾝﾋﾟｭｰﾀ")});
    computer_->setIcon(0, style()->standardIcon(QStyle::SP_ComputerIcon));
    computer_->setData(0, kFilledRole, true);
    folderTree_->addTopLevelItem(computer_);

    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        return a.rootPath() < b.rootPath();
    });
    const QIcon driveIcon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QStorageInfo& volume : volumes) {
        // Single files mounted into the tree (container set-ups) are no place for folders.
        if (!volume.isValid() || !volume.isReady() || !QFileInfo(volume.rootPath()).isDir()) {
            continue;
        }
        const QString name =
            volume.name().isEmpty() ? QString::fromLocal8Bit(volume.device()) : volume.name();
        computer_->addChild(newFolderItem(QStringLiteral("%1: [%2]").arg(volume.rootPath(), name),
                                          volume.rootPath(), driveIcon));
    }
    computer_->setExpanded(true);
}

void FolderWindow::fillFolder(QTreeWidgetItem* item) {
    if (item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QFileInfoList folders =
        QDir(pathOf(item))
            .entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& folder : folders) {
        item->addChild(newFolderItem(folder.fileName(), folder.absoluteFilePath(), folderIcon));
    }
    if (item->childCount() == 0) {
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    }
}

QTreeWidgetItem* FolderWindow::childFolder(QTreeWidgetItem* parent, const QString& name) {
    fillFolder(parent);
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        if (QFileInfo(pathOf(child)).fileName() == name) return child;
    }
    // A hidden folder, or one made since the listing: it gets its place now.
    QString path = pathOf(parent);
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    auto* child = newFolderItem(name, path + name, style()->standardIcon(QStyle::SP_DirIcon));
    insertSorted(parent, child);
    parent->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return child;
}

bool FolderWindow::selectFolder(const QString& path) {
    const QFileInfo info(path.trimmed());
    if (path.trimmed().isEmpty() || !info.isAbsolute() || !info.isDir()) return false;
    const QString folder = QDir::cleanPath(info.absoluteFilePath());

    // The volume that holds the folder: the one with the longest root path that contains it.
    QTreeWidgetItem* volume = nullptr;
    for (int i = 0; i < computer_->childCount(); ++i) {
        QTreeWidgetItem* candidate = computer_->child(i);
        if (isWithin(folder, pathOf(candidate)) &&
            (volume == nullptr || pathOf(candidate).size() > pathOf(volume).size())) {
            volume = candidate;
        }
    }
    if (volume == nullptr) {
        pathEdit_->setText(folder);  // outside every listed volume: the box alone holds it
        return true;
    }
    QTreeWidgetItem* item = volume;
    const QStringList parts =
        folder.mid(pathOf(volume).size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        item->setExpanded(true);
        item = childFolder(item, part);
    }
    folderTree_->setCurrentItem(item);
    folderTree_->scrollToItem(item);
    return true;
}

void FolderWindow::showChosenFolder(QTreeWidgetItem* item) {
    pathEdit_->setText(item == nullptr ? QString() : pathOf(item));
}

void FolderWindow::updateDataLabel() {
    const QString folder = pathEdit_->text().trimmed();
    const bool hasData = !folder.isEmpty() && QFileInfo(folder).isAbsolute() &&
                         QFileInfo(QDir(folder).filePath(
                                       QString::fromUtf8(kIniFileName.data(), kIniFileName.size())))
                             .isFile();
    dataLabel_->setVisible(hasData);
}

void FolderWindow::refuseMissing(const QString& typed) {
    messages_.error(this, QStringLiteral("指定フォルダ[%1]がありません。").arg(typed));
    pathEdit_->setFocus();
}

void FolderWindow::acceptFolder() {
    const QString typed = pathEdit_->text().trimmed();
    if (typed.isEmpty()) {
        messages_.error(this, QStringLiteral("指定フォルダはありません。"));
        return;
    }
    const QFileInfo info(typed);
    if (!info.isAbsolute() || !info.isDir()) {
        refuseMissing(typed);
        return;
    }
    chosen_ = QDir::cleanPath(info.absoluteFilePath());
    accept();
}

void FolderWindow::createFolder() {
    const QString parentFolder = pathEdit_->text().trimmed();
    if (parentFolder.isEmpty()) {
        messages_.error(this, QStringLiteral("指定フォルダはありません。"));
        return;
    }
    if (!QFileInfo(parentFolder).isAbsolute() || !QFileInfo(parentFolder).isDir()) {
        refuseMissing(parentFolder);
        return;
    }
    const std::optional<QString> answer = namePrompt_(this, QStringLiteral("ﾌｫﾙﾀﾞｰ作成"),
                                                      QStringLiteral("作成するフォルダー名を入力"));
    if (!answer || answer->trimmed().isEmpty()) return;
    const QString name = answer->trimmed();
    // Made readable by the owner only: backups hold everyone's pay.
    if (!isPlainFolderName(name) ||
        !QDir(parentFolder)
             .mkdir(name,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner)) {
        messages_.error(this, QStringLiteral("フォルダー作成に失敗しました"));
        return;
    }
    selectFolder(QDir(parentFolder).filePath(name));
}

}  // namespace keiro::ui
