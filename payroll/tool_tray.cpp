#include "payroll/tool_tray.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>
#include <QVBoxLayout>

// The pictures are compiled into the payroll library; a static library must register them.
static void initPayrollResources() {
    Q_INIT_RESOURCE(resources);
}

namespace keiro::payroll {

namespace {

constexpr int kPictureSize = 36;
constexpr int kPanelDrop = 40;  // a panel opens this far below its picture's top

QIcon pictureIcon(const QString& picture, bool pressed) {
    const QString base = picture.mid(2).toLower();  // "imFileSave" → "filesave"
    return QIcon(QStringLiteral(":/payroll/%1%2.svg").arg(base, pressed ? "_down" : ""));
}

}  // namespace

ToolTray::ToolTray(QWidget* window) : QFrame(window), window_(window) {
    initPayrollResources();
    setObjectName(QStringLiteral("pnToolTray"));
    setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);

    addPicture(QStringLiteral("imFileSave"), QStringLiteral("保存"), QStringLiteral("データ保存"));
    addPicture(QStringLiteral("imSyainEdit"), QStringLiteral("社員"), QStringLiteral("社員情報"));
    addPicture(QStringLiteral("imSetup"), QStringLiteral("設定"), QStringLiteral("設定"));
    addPicture(QStringLiteral("imPrint"), QStringLiteral("印刷"), QStringLiteral("印刷"));
    addPicture(QStringLiteral("imDataEdit"), QStringLiteral("個別入力"),
               QStringLiteral("データ入力"));
    addPicture(QStringLiteral("imReturn"), QStringLiteral("月の選択"),
               QStringLiteral("給与対象月/賞与時期の選択"));
    addPicture(QStringLiteral("imInformation"), QStringLiteral("情報"), QStringLiteral("情報"));
    row->addStretch();

    addPanel("imSetup", "pnSetup",
             {{"sbConfig", "共通設定"},
              {"sbPrnFormK", "給与明細印刷項目"},
              {"sbPrnFormS", "賞与明細印刷項目"},
              {"sbDaicho", "給与台帳/月別一覧"},
              {"sbOpeningTotals", "前月までの支給累計"}},
             {"sbConfig", "sbPrnFormK", "sbPrnFormS", "sbDaicho", "sbOpeningTotals"});
    addPanel("imPrint", "pnPrint",
             {{"sbMeisaihyo", "給与/賞与明細書"},
              {"sbKyuyoDaicho", "社員別給与台帳"},
              {"sbGraph", "年間グラフ(支給と控除)"},
              {"sbKyuyoIchiran", "月別給与/賞与一覧"},
              {"sbFuriList", "給与/賞与振込一覧"},
              {"sbFuriData", "振込データ作成(全銀)"},
              {"sbKinsyuList", "給与/賞与支払金種表"},
              {"sbSantei", "算定基礎届"},
              {"sbGetsuhen", "月額変更届"},
              {"sbSyoyoTodoke", "賞与支払届"},
              {"sbNendoKoshin", "労働保険 年度更新"},
              {"sbChoshudaka", "所得税徴収高計算書"},
              {"sbJuuminList", "住民税納付一覧"}},
             {"sbMeisaihyo", "sbKyuyoDaicho", "sbGraph", "sbKyuyoIchiran", "sbFuriList",
              "sbFuriData", "sbKinsyuList", "sbSantei", "sbGetsuhen", "sbSyoyoTodoke",
              "sbNendoKoshin", "sbChoshudaka", "sbJuuminList"});
    addPanel("imDataEdit", "pnDataEdit",
             {{"sbDataEdit", "個別入力"}, {"sbKintaiInport", "勤怠インポート"}},
             {"sbDataEdit", "sbKintaiInport"});
    addPanel("imInformation", "pnInformation",
             {{"sbVerInfo", "バージョン情報"},
              {"sbManual", "オンラインマニュアル"},
              {"sbShowLog", "操作履歴(ｼｽﾃﾑﾛｸﾞ表示)"}},
             {"sbVerInfo", "sbManual", "sbShowLog"});
}

QToolButton* ToolTray::addPicture(const QString& name, const QString& caption, const QString& tip) {
    auto* picture = new QToolButton(this);
    picture->setObjectName(name);
    picture->setAutoRaise(true);
    picture->setIcon(pictureIcon(name, false));
    picture->setIconSize(QSize(kPictureSize, kPictureSize));
    // A short word under each picture: nobody has to guess what a picture does.
    picture->setText(caption);
    picture->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    picture->setToolTip(tip);
    buttons_[name] = picture;
    static_cast<QHBoxLayout*>(layout())->addWidget(picture);
    connect(picture, &QToolButton::clicked, this, [this, name] {
        if (panelOfPicture_.count(name) != 0) {
            togglePanel(name);
        } else {
            closePanels();
            emit triggered(name);
        }
    });
    return picture;
}

QFrame* ToolTray::addPanel(const QString& picture, const QString& name,
                           const std::map<QString, QString>& captions, const QStringList& order) {
    auto* panel = new QFrame(window_);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);
    for (const QString& buttonName : order) {
        auto* flat = new QToolButton(panel);
        flat->setObjectName(buttonName);
        flat->setText(captions.at(buttonName));
        flat->setAutoRaise(true);
        flat->setToolButtonStyle(Qt::ToolButtonTextOnly);
        flat->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        column->addWidget(flat);
        buttons_[buttonName] = flat;
        connect(flat, &QToolButton::clicked, this, [this, buttonName] {
            closePanels();
            emit triggered(buttonName);
        });
    }
    panel->adjustSize();
    panel->hide();
    panels_[name] = panel;
    panelOfPicture_[picture] = name;
    return panel;
}

QToolButton* ToolTray::button(const QString& name) const {
    const auto found = buttons_.find(name);
    return found == buttons_.end() ? nullptr : found->second;
}

QFrame* ToolTray::panel(const QString& name) const {
    const auto found = panels_.find(name);
    return found == panels_.end() ? nullptr : found->second;
}

bool ToolTray::isPanelOpen(const QString& name) const {
    const QFrame* open = panel(name);
    return open != nullptr && !open->isHidden();
}

void ToolTray::togglePanel(const QString& picture) {
    QFrame* wanted = panels_.at(panelOfPicture_.at(picture));
    const bool open = wanted->isHidden();
    closePanels();
    if (!open) return;
    const QToolButton* pictureButton = buttons_.at(picture);
    const QPoint below = pictureButton->mapTo(window_, QPoint(0, kPanelDrop));
    wanted->adjustSize();
    wanted->move(below);
    wanted->show();
    wanted->raise();
    showPictureState(picture, true);
}

void ToolTray::closePanels() {
    for (const auto& [picture, name] : panelOfPicture_) {
        panels_.at(name)->hide();
        showPictureState(picture, false);
    }
}

void ToolTray::showPictureState(const QString& picture, bool pressed) {
    buttons_.at(picture)->setIcon(pictureIcon(picture, pressed));
}

}  // namespace keiro::payroll
