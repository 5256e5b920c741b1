#include "withholding/option_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <memory>

#include "core/errors.h"
#include "core/fileio.h"
#include "core/text.h"
#include "widgets/command_runner.h"
#include "widgets/notice_window.h"
#include "withholding/postal/postal_data.h"
#include "withholding/postal/yubin_file.h"

namespace keiro::withholding {
namespace {

QString q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QCheckBox* checkBox(const char* name, const char* text) {
    auto* box = new QCheckBox(QString::fromUtf8(text));
    box->setObjectName(QString::fromUtf8(name));
    return box;
}

QPushButton* button(const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text));
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    return b;
}

QString withReasons(std::string_view headline, const std::vector<std::string>& reasons) {
    QString message = q(headline);
    for (const std::string& reason : reasons) message += QLatin1Char('\n') + q(reason);
    return message;
}

// The input-method dictionary drives a Windows input method's postal-code conversion; no input
// method of this platform offers one.
constexpr const char* kNoDictionaryHere = "この環境の入力メソッドには郵便番号辞書がありません。";

}  // namespace

OptionDialog::OptionDialog(IniFile& ini, std::filesystem::path dataFolder, ui::MessageService& messages,
                     ui::FileDialogs& fileDialogs, QWidget* parent)
    : QDialog(parent),
      ini_(ini),
      dataFolder_(std::move(dataFolder)),
      messages_(messages),
      fileDialogs_(fileDialogs),
      options_(loadOptionSettings(ini)) {
    setObjectName(QStringLiteral("TfmOption"));
    setWindowTitle(QStringLiteral("動作環境設定"));
    buildControls();
    loadControls();
}

OptionDialog::~OptionDialog() {
    endDownload();
}

void OptionDialog::buildControls() {
    edSyubetu_ = new QLineEdit;
    edSyubetu_->setObjectName(QStringLiteral("edSyubetu"));
    edSyubetu_->setMaxLength(static_cast<int>(kSyubetuMaxBytes));
    cbAtokDic_ = checkBox("cbAtokDic", "ＡＴＯＫ郵便番号辞書を使用");
    cbAtokDic_->setEnabled(false);
    cbAtokDic_->setToolTip(QString::fromUtf8(kNoDictionaryHere));
    cbYubinDat_ = checkBox("cbYubinDat", "日本郵便･郵便番号データを使用");
    cbAutoSel_ = checkBox("cbAutoSel", "数値項目を自動選択する");
    cbInpOverN_ = checkBox("cbInpOverN", "数値項目を上書き入力する");
    cbPrnLine_ = checkBox("cbPrnLine", "切り分けの補助線を印刷する");
    cbHasuuCut_ = checkBox("cbHasuuCut", "源泉徴収税額の100円未満切り捨て");
    lbYubinDat_ = new QLabel;
    lbYubinDat_->setObjectName(QStringLiteral("lbYubinDat"));
    sbUpdate_ = button("sbUpdate", "更新");
    sbUpdate_->setToolTip(QStringLiteral("公開中の郵便番号データをダウンロードして更新します"));
    btYubinImport_ = button("btYubinImport", "取込...");
    btYubinImport_->setToolTip(
        QStringLiteral("日本郵便の郵便番号データ(KEN_ALL.CSV または zip)を取り込みます"));
    btSysSave_ = button("btSysSave", "Ｏ Ｋ");
    btSysSave_->setDefault(true);
    btCancel_ = button("btCancel", "キャンセル");

    // The two lookup methods exclude each other; both may be off.
    connect(cbAtokDic_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) cbYubinDat_->setChecked(false);
    });
    connect(cbYubinDat_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) cbAtokDic_->setChecked(false);
    });
    ui::connectCommand(sbUpdate_, this, messages_, &OptionDialog::sbUpdateClick);
    ui::connectCommand(btYubinImport_, this, messages_, &OptionDialog::btYubinImportClick);
    ui::connectCommand(btSysSave_, this, messages_, &OptionDialog::btSysSaveClick);
    connect(btCancel_, &QPushButton::clicked, this, &OptionDialog::reject);

    auto* print = new QGroupBox(QStringLiteral("印刷"));
    auto* printLayout = new QGridLayout(print);
    printLayout->addWidget(new QLabel(QStringLiteral("種 別")), 0, 0);
    printLayout->addWidget(edSyubetu_, 0, 1);
    printLayout->addWidget(cbPrnLine_, 1, 0, 1, 2);

    auto* entry = new QGroupBox(QStringLiteral("入力と計算"));
    auto* entryLayout = new QVBoxLayout(entry);
    entryLayout->addWidget(cbAutoSel_);
    entryLayout->addWidget(cbInpOverN_);
    entryLayout->addWidget(cbHasuuCut_);

    auto* postal = new QGroupBox(QStringLiteral("郵便番号から住所を入力"));
    auto* postalLayout = new QGridLayout(postal);
    postalLayout->addWidget(cbAtokDic_, 0, 0, 1, 3);
    postalLayout->addWidget(cbYubinDat_, 1, 0, 1, 3);
    postalLayout->addWidget(lbYubinDat_, 2, 0);
    postalLayout->addWidget(sbUpdate_, 2, 1);
    postalLayout->addWidget(btYubinImport_, 2, 2);
    postalLayout->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btSysSave_);
    buttons->addWidget(btCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(print);
    layout->addWidget(entry);
    layout->addWidget(postal);
    layout->addLayout(buttons);
}

void OptionDialog::loadControls() {
    edSyubetu_->setText(q(options_.syubetu));
    cbAtokDic_->setChecked(options_.addressLookup == AddressLookup::InputMethodDictionary);
    cbYubinDat_->setChecked(options_.addressLookup == AddressLookup::DataFile);
    cbAutoSel_->setChecked(options_.autoSelect);
    cbInpOverN_->setChecked(options_.inputOverN);
    cbPrnLine_->setChecked(options_.printLine);
    cbHasuuCut_->setChecked(options_.hasuuCut);
    showDataDate();
}

void OptionDialog::showDataDate() {
    const QFileInfo file(QString::fromStdString(yubinFilePath(dataFolder_).string()));
    const bool present = file.isFile();
    lbYubinDat_->setText(present
                             ? file.lastModified().toString(QStringLiteral("(yyyy年M月d日データ)"))
                             : QStringLiteral("(郵便番号データ無し)"));
    cbYubinDat_->setEnabled(present);
}

void OptionDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) loadControls();
    QDialog::showEvent(event);
}

void OptionDialog::reject() {
    endDownload();
    QDialog::reject();
}

void OptionDialog::btSysSaveClick() {
    OptionSettings changed = options_;
    changed.syubetu = normaliseSyubetu(edSyubetu_->text().toStdString());
    edSyubetu_->setText(q(changed.syubetu));
    changed.addressLookup = cbYubinDat_->isChecked()  ? AddressLookup::DataFile
                            : cbAtokDic_->isChecked() ? AddressLookup::InputMethodDictionary
                                                      : AddressLookup::None;
    changed.autoSelect = cbAutoSel_->isChecked();
    changed.inputOverN = cbInpOverN_->isChecked();
    changed.printLine = cbPrnLine_->isChecked();
    changed.hasuuCut = cbHasuuCut_->isChecked();
    try {
        saveOptionSettings(ini_, changed);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return;
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        edSyubetu_->setFocus();
        return;
    }
    options_ = changed;
    endDownload();
    accept();
}

// --- new postal data -------------------------------------------------------------------------

ui::NoticeWindow* OptionDialog::progressNotice() const {
    return notice_;
}

void OptionDialog::sbUpdateClick() {
    if (download_) return;
    download_ = new PostalDownload(network_, postalSourceFor(options_.yubinUrl), this);
    connect(download_, &PostalDownload::versionReady, this, &OptionDialog::onVersion);
    connect(download_, &PostalDownload::dataReady, this, &OptionDialog::onData);
    connect(download_, &PostalDownload::failed, this, &OptionDialog::onFailure);
    connect(download_, &PostalDownload::progress, this, [this](qint64 received, qint64 total) {
        if (notice_) notice_->setProgress(received, total);
    });
    sbUpdate_->setEnabled(false);
    btYubinImport_->setEnabled(false);
    download_->fetchVersion();
}

void OptionDialog::onVersion(const QString& date) {
    if (!messages_.confirm(this, QStringLiteral("公開中の郵便番号データの最新は%1です。\n"
                                                "郵便番号データを更新しますか？")
                                     .arg(date))) {
        return endDownload();
    }
    if (!download_) return;  // the dialog was closed meanwhile
    notice_ = ui::NoticeWindow::showProgress(this, q(kMsgDownloading));
    download_->fetchData();
}

void OptionDialog::onData(const QByteArray& data) {
    endDownload();
    ui::runCommand(this, messages_, [&] {
        install(std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                kMsgInvalidDownload);
    });
}

void OptionDialog::onFailure(PostalDownload::Failure failure) {
    endDownload();
    switch (failure) {
        case PostalDownload::Failure::NoVersion:
            return messages_.error(this, q(kMsgNoVersion));
        case PostalDownload::Failure::NoData:
            return messages_.warning(this, q(kMsgNoData));
        case PostalDownload::Failure::Incomplete:
            return messages_.warning(this, q(kMsgIncomplete));
    }
}

void OptionDialog::endDownload() {
    if (notice_) notice_->close();
    notice_ = nullptr;
    if (download_) {
        download_->abort();
        download_->deleteLater();
        download_ = nullptr;
    }
    sbUpdate_->setEnabled(true);
    btYubinImport_->setEnabled(true);
}

void OptionDialog::btYubinImportClick() {
    const std::optional<QString> path = fileDialogs_.openFile(
        this, QStringLiteral("郵便番号データの取込"), QString(),
        QStringLiteral("郵便番号データ (*.csv *.CSV *.zip *.ZIP);;すべてのファイル (*)"));
    if (!path) return;
    std::string bytes;
    try {
        bytes = readFile(path->toStdString());
    } catch (const IoError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return;
    }
    install(bytes, kMsgInvalidImport);
}

bool OptionDialog::install(std::string_view bytes, std::string_view refusedHeadline) {
    PostalInstall installed;
    QString refused;  // a list that did not check out (a warning)
    QString failed;   // the file could not be written (an error)
    {
        // Converting the full list takes a moment: the wait cursor shows it, and goes again
        // whatever happens, before any message.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::unique_ptr<void, void (*)(void*)> restore(
            this, [](void*) { QApplication::restoreOverrideCursor(); });
        try {
            installed = installPostalData(bytes, yubinFilePath(dataFolder_));
        } catch (const PostalDataError& e) {
            refused = withReasons(refusedHeadline, e.reasons());
        } catch (const IoError& e) {
            failed = QString::fromUtf8(e.what());
        }
    }
    if (!refused.isEmpty()) messages_.warning(this, refused);
    if (!failed.isEmpty()) messages_.error(this, failed);
    if (!refused.isEmpty() || !failed.isEmpty()) return false;
    showDataDate();
    messages_.information(this, QStringLiteral("郵便番号データを更新しました。（%1件）")
                                    .arg(static_cast<qulonglong>(installed.entries)));
    return true;
}

}  // namespace keiro::withholding
