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
#include "withholding/postal/postal_file.h"

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

OptionDialog::OptionDialog(IniFile& ini, std::filesystem::path dataFolder,
                           ui::MessageService& messages, ui::FileDialogs& fileDialogs,
                           QWidget* parent)
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
    slipKindEdit_ = new QLineEdit;
    slipKindEdit_->setObjectName(QStringLiteral("edSyubetu"));
    slipKindEdit_->setMaxLength(static_cast<int>(kDocumentKindMaxBytes));
    inputMethodDictionaryCheck_ = checkBox("cbAtokDic", "ＡＴＯＫ郵便番号辞書を使用");
    inputMethodDictionaryCheck_->setEnabled(false);
    inputMethodDictionaryCheck_->setToolTip(QString::fromUtf8(kNoDictionaryHere));
    postalDataCheck_ = checkBox("cbYubinDat", "日本郵便･郵便番号データを使用");
    autoSelectCheck_ = checkBox("cbAutoSel", "数値項目を自動選択する");
    overwriteInputCheck_ = checkBox("cbInpOverN", "数値項目を上書き入力する");
    cuttingGuidesCheck_ = checkBox("cbPrnLine", "切り分けの補助線を印刷する");
    roundTaxDownCheck_ = checkBox("cbHasuuCut", "源泉徴収税額の100円未満切り捨て");
    postalDataDateLabel_ = new QLabel;
    postalDataDateLabel_->setObjectName(QStringLiteral("lbYubinDat"));
    updateButton_ = button("sbUpdate", "更新");
    updateButton_->setToolTip(QStringLiteral("公開中の郵便番号データをダウンロードして更新します"));
    importButton_ = button("btYubinImport", "取込...");
    importButton_->setToolTip(
        QStringLiteral("日本郵便の郵便番号データ(KEN_ALL.CSV または zip)を取り込みます"));
    okButton_ = button("btSysSave", "Ｏ Ｋ");
    okButton_->setDefault(true);
    cancelButton_ = button("btCancel", "キャンセル");

    // The two lookup methods exclude each other; both may be off.
    connect(inputMethodDictionaryCheck_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) postalDataCheck_->setChecked(false);
    });
    connect(postalDataCheck_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) inputMethodDictionaryCheck_->setChecked(false);
    });
    ui::connectCommand(updateButton_, this, messages_, &OptionDialog::downloadPostalData);
    ui::connectCommand(importButton_, this, messages_, &OptionDialog::importPostalData);
    ui::connectCommand(okButton_, this, messages_, &OptionDialog::saveSettings);
    connect(cancelButton_, &QPushButton::clicked, this, &OptionDialog::reject);

    auto* print = new QGroupBox(QStringLiteral("印刷"));
    auto* printLayout = new QGridLayout(print);
    printLayout->addWidget(new QLabel(QStringLiteral("種 別")), 0, 0);
    printLayout->addWidget(slipKindEdit_, 0, 1);
    printLayout->addWidget(cuttingGuidesCheck_, 1, 0, 1, 2);

    auto* entry = new QGroupBox(QStringLiteral("入力と計算"));
    auto* entryLayout = new QVBoxLayout(entry);
    entryLayout->addWidget(autoSelectCheck_);
    entryLayout->addWidget(overwriteInputCheck_);
    entryLayout->addWidget(roundTaxDownCheck_);

    auto* postal = new QGroupBox(QStringLiteral("郵便番号から住所を入力"));
    auto* postalLayout = new QGridLayout(postal);
    postalLayout->addWidget(inputMethodDictionaryCheck_, 0, 0, 1, 3);
    postalLayout->addWidget(postalDataCheck_, 1, 0, 1, 3);
    postalLayout->addWidget(postalDataDateLabel_, 2, 0);
    postalLayout->addWidget(updateButton_, 2, 1);
    postalLayout->addWidget(importButton_, 2, 2);
    postalLayout->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(print);
    layout->addWidget(entry);
    layout->addWidget(postal);
    layout->addLayout(buttons);
}

void OptionDialog::loadControls() {
    slipKindEdit_->setText(q(options_.documentKind));
    inputMethodDictionaryCheck_->setChecked(options_.addressLookup ==
                                            AddressLookup::InputMethodDictionary);
    postalDataCheck_->setChecked(options_.addressLookup == AddressLookup::DataFile);
    autoSelectCheck_->setChecked(options_.autoSelect);
    overwriteInputCheck_->setChecked(options_.overwriteDigits);
    cuttingGuidesCheck_->setChecked(options_.printLine);
    roundTaxDownCheck_->setChecked(options_.roundTaxTo100);
    showDataDate();
}

void OptionDialog::showDataDate() {
    const QFileInfo file(QString::fromStdString(postalFilePath(dataFolder_).string()));
    const bool present = file.isFile();
    postalDataDateLabel_->setText(
        present ? file.lastModified().toString(QStringLiteral("(yyyy年M月d日データ)"))
                : QStringLiteral("(郵便番号データ無し)"));
    postalDataCheck_->setEnabled(present);
}

void OptionDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) loadControls();
    QDialog::showEvent(event);
}

void OptionDialog::reject() {
    endDownload();
    QDialog::reject();
}

void OptionDialog::saveSettings() {
    OptionSettings changed = options_;
    changed.documentKind = normaliseDocumentKind(slipKindEdit_->text().toStdString());
    slipKindEdit_->setText(q(changed.documentKind));
    changed.addressLookup = postalDataCheck_->isChecked() ? AddressLookup::DataFile
                            : inputMethodDictionaryCheck_->isChecked()
                                ? AddressLookup::InputMethodDictionary
                                : AddressLookup::None;
    changed.autoSelect = autoSelectCheck_->isChecked();
    changed.overwriteDigits = overwriteInputCheck_->isChecked();
    changed.printLine = cuttingGuidesCheck_->isChecked();
    changed.roundTaxTo100 = roundTaxDownCheck_->isChecked();
    try {
        saveOptionSettings(ini_, changed);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        return;
    } catch (const text::EncodingError& e) {
        messages_.error(this, QString::fromUtf8(e.what()));
        slipKindEdit_->setFocus();
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

void OptionDialog::downloadPostalData() {
    if (download_) return;
    download_ = new PostalDownload(network_, postalSourceFor(options_.postalDataUrl), this);
    connect(download_, &PostalDownload::versionReady, this, [this](const QString& date) {
        ui::runCommand(this, messages_, [this, &date] { onVersion(date); });
    });
    connect(download_, &PostalDownload::dataReady, this, &OptionDialog::onData);
    connect(download_, &PostalDownload::failed, this, &OptionDialog::onFailure);
    connect(download_, &PostalDownload::progress, this, [this](qint64 received, qint64 total) {
        if (notice_) notice_->setProgress(received, total);
    });
    updateButton_->setEnabled(false);
    importButton_->setEnabled(false);
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
    updateButton_->setEnabled(true);
    importButton_->setEnabled(true);
}

void OptionDialog::importPostalData() {
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
            installed = installPostalData(bytes, postalFilePath(dataFolder_));
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
