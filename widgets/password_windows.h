#pragma once
// The optional password that protects both programs: NewPasswordDialog sets or clears it (from the
// common settings dialog), PasswordDialog asks for it at start-up.  The password lives in the
// configuration file (key ListFile, see core/settings.h).

#include <QDialog>
#include <QString>
#include <string>

class QCheckBox;
class QLineEdit;

namespace keiro {
class IniFile;
}

namespace keiro::ui {

class MessageService;

// "パスワード入力": the password box masked with "*", "入力内容を表示する" to show the typed
// text, OK and キャンセル.  A wrong entry is refused with a message and the window stays open.
class PasswordDialog : public QDialog {
    Q_OBJECT
  public:
    // `password` is the stored password (UTF-8, not empty).
    PasswordDialog(std::string password, MessageService& messages, QWidget* parent = nullptr);

    // The start-up check: true at once, without a window, when no password is stored;
    // otherwise asks for it and gives true only when the right one was entered.
    static bool passwordCheckPassed(QWidget* parent, const IniFile& ini, MessageService& messages);

    void acceptPassword();
    void toggleTextShown();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::string password_;
    MessageService& messages_;
    QLineEdit* passwordEdit_;
    QCheckBox* showTextCheck_;
};

// "パスワード設定": the password and its confirmation.  Both empty clears the password.
class NewPasswordDialog : public QDialog {
    Q_OBJECT
  public:
    NewPasswordDialog(IniFile& ini, MessageService& messages, QWidget* parent = nullptr);

    // The password stored by the last accepted OK (empty: cleared).
    const std::string& storedPassword() const { return stored_; }

    void acceptPassword();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    IniFile& ini_;
    MessageService& messages_;
    QLineEdit* passwordEdit_;
    QLineEdit* confirmationEdit_;
    std::string stored_;
};

// Whether a typed entry is the stored password.  Both are compared in their stored (code page
// 932) form, so characters an input method produces in a twin form still match.
bool passwordMatches(const std::string& stored, const QString& entry);

}  // namespace keiro::ui
