#pragma once
// The version window (VersionWindow): a picture with "Version " and the program's short version
// drawn over it in bold white "ＭＳ Ｐゴシック" (IPA Gothic stands in for it on Linux through
// the font substitution made at start-up).  Escape closes it.

#include <QDialog>
#include <QRect>
#include <QString>

class QPaintDevice;
class QPainter;

namespace keiro::ui {

// The short form of a version text: its first character, a point, then its third and fifth
// characters ("1.0.0" gives "1.00", "2.1.3.0" gives "2.13").  Missing characters are left out.
QString shortVersion(const QString& version);

// The short version of this build.
QString programShortVersion();

// The largest bold size, from 14 points down, at which "Version 0.00" in `family` fits into
// `area` on `device` (the screen when null).  1 when not even that fits.
int versionFontSize(const QString& family, QSize area, const QPaintDevice* device = nullptr);

class VersionWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* kFontFamily = "ＭＳ Ｐゴシック";
    static constexpr int kLargestPointSize = 14;

    explicit VersionWindow(QString shortVersion = programShortVersion(), QWidget* parent = nullptr);

    // The text drawn, "Version 1.00", and the rectangle it is fitted into.
    QString versionText() const { return QStringLiteral("Version ") + shortVersion_; }
    static QRect versionArea();
    // The point size the text is drawn at.
    int versionPointSize() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void drawPicture(QPainter& painter) const;

    QString shortVersion_;
};

}  // namespace keiro::ui
