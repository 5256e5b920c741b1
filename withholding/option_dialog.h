#pragma once
// 動作環境設定: the withholding program's general settings (withholding/postal/
// option_settings.h) and its postal-code data — the date of the installed YubinNo.dat, 更新
// (download the published data, check it and install it) and 取込 (the same from a KEN_ALL
// CSV or zip the clerk chooses).
//
// Created once when the program starts, which loads the settings; options() is what the rest
// of the program reads.  Showing the dialog copies the settings into the controls, Ｏ Ｋ writes
// them back to the configuration file, キャンセル leaves them as they were.
//
//   OptionDialog option(ini, places.dataFolder, messages, fileDialogs, mainWindow);
//   ... option.options().roundTaxTo100 ...
//   option.exec();  // from the menu item 動作環境設定

#include <QDialog>
#include <QNetworkAccessManager>
#include <QPointer>
#include <filesystem>

#include "core/ini.h"
#include "widgets/file_dialogs.h"
#include "widgets/message_service.h"
#include "withholding/postal/option_settings.h"
#include "withholding/postal_download.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace keiro::ui {
class NoticeWindow;
}

namespace keiro::withholding {

inline constexpr std::string_view kMsgNoVersion = "インターネットから情報が取得できません。";
inline constexpr std::string_view kMsgNoData = "ファイルが見つかりませんでした．";
inline constexpr std::string_view kMsgIncomplete =
    "ダウンロードが途中で切れたため、郵便番号データは更新しませんでした。";
inline constexpr std::string_view kMsgInvalidDownload =
    "ダウンロードした郵便番号データが正しくないため、更新しませんでした。";
inline constexpr std::string_view kMsgInvalidImport =
    "郵便番号データが正しくないため、取り込みませんでした。";
inline constexpr std::string_view kMsgDownloading = "更新ファイルをダウンロード中です。";

class OptionDialog : public QDialog {
    Q_OBJECT
  public:
    OptionDialog(IniFile& ini, std::filesystem::path dataFolder, ui::MessageService& messages,
                 ui::FileDialogs& fileDialogs, QWidget* parent = nullptr);
    ~OptionDialog() override;

    const OptionSettings& options() const { return options_; }
    // Whether a download is under way (the 更新 button is disabled meanwhile).
    bool isDownloading() const { return download_ != nullptr; }
    // The progress notice of the running download, if any.
    ui::NoticeWindow* progressNotice() const;

    // Ｏ Ｋ: the settings written to the configuration file; the dialog stays when that fails.
    void saveSettings();
    // 更新: the published postal data, after the clerk has seen its date.
    void downloadPostalData();
    // 取込: postal data from a file the clerk chooses.
    void importPostalData();

    // キャンセル (and Escape, and closing the window): also stops a download under way.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    void loadControls();
    void showDataDate();
    void onVersion(const QString& date);
    void onData(const QByteArray& data);
    void onFailure(PostalDownload::Failure failure);
    void endDownload();
    // Checks and installs new data; false with the reasons shown when it was refused.
    bool install(std::string_view bytes, std::string_view refusedHeadline);

    IniFile& ini_;
    std::filesystem::path dataFolder_;
    ui::MessageService& messages_;
    ui::FileDialogs& fileDialogs_;
    OptionSettings options_;
    QNetworkAccessManager network_;
    PostalDownload* download_ = nullptr;
    QPointer<ui::NoticeWindow> notice_;

    QLineEdit* slipKindEdit_;
    QCheckBox* inputMethodDictionaryCheck_;
    QCheckBox* postalDataCheck_;
    QCheckBox* autoSelectCheck_;
    QCheckBox* overwriteInputCheck_;
    QCheckBox* cuttingGuidesCheck_;
    QCheckBox* roundTaxDownCheck_;
    QLabel* postalDataDateLabel_;
    QPushButton* updateButton_;
    QPushButton* importButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace keiro::withholding
