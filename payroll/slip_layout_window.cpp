#include "payroll/slip_layout_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/errors.h"
#include "payroll/item_colours.h"
#include "payroll/layout_grid.h"
#include "widgets/command_runner.h"
#include "widgets/message_service.h"

namespace keiro::payroll {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct BandView {
    const char* grid;
    const char* caption;
};
constexpr std::array<BandView, kBandCount> kBandViews{{{"sgKintai", "勤怠項目"},
                                                       {"sgSikyu", "支給項目"},
                                                       {"sgKoujo", "控除項目"},
                                                       {"sgSonota", "その他項目"}}};

struct PayFormTab {
    const char* name;
    const char* caption;
};
constexpr std::array<PayFormTab, kPayFormCount> kPayFormTabs{
    {{"tsGekkyu", "月 給"}, {"tsNikkyu", "日 給"}, {"tsJikan", "時間給"}}};

// The sample of an unused row, which also says how to switch one.
QLabel* disabledSample(QWidget* parent) {
    auto* sample = new QLabel(QStringLiteral("未使用項目(項目名をクリックで切替)"), parent);
    sample->setObjectName(QStringLiteral("pnDisable"));
    sample->setFrameShape(QFrame::Panel);
    sample->setFrameShadow(QFrame::Sunken);
    sample->setAutoFillBackground(true);
    sample->setMargin(4);
    QPalette colours = sample->palette();
    colours.setColor(QPalette::Window, kAutomaticItemColour);
    colours.setColor(QPalette::WindowText, kUnusedItemTextColour);
    sample->setPalette(colours);
    return sample;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* pushButton = new QPushButton(caption, parent);
    pushButton->setObjectName(name);
    pushButton->setAutoDefault(false);
    return pushButton;
}

}  // namespace

SlipLayoutWindow::SlipLayoutWindow(QWidget* parent, LayoutKind kind, IniFile& ini,
                                   const ItemNames& names, ui::MessageService& messages)
    : QDialog(parent),
      kind_(kind),
      ini_(ini),
      names_(names),
      messages_(messages),
      layout_(defaultLayout(kind)),
      payFormTabs_(new QTabWidget(this)) {
    const bool salary = kind == LayoutKind::Salary;
    setObjectName(salary ? QStringLiteral("TfmPrnFormK") : QStringLiteral("TfmPrnFormS"));
    setWindowTitle(salary ? QStringLiteral("給与明細書印刷項目の設定")
                          : QStringLiteral("賞与明細書印刷項目の設定"));

    payFormTabs_->setObjectName(QStringLiteral("PageCtrl"));
    for (const PayFormTab& tab : kPayFormTabs) {
        auto* page = new QWidget(payFormTabs_);
        page->setObjectName(QString::fromLatin1(tab.name));
        new QVBoxLayout(page);
        payFormTabs_->addTab(page, QString::fromUtf8(tab.caption));
    }
    bands_ = buildBands();
    payFormTabs_->widget(0)->layout()->addWidget(bands_);

    auto* defaultButton =
        button(QStringLiteral("sbDefault"), QStringLiteral("初期状態に戻す"), this);
    auto* okButton = button(QStringLiteral("bbOk"), QStringLiteral("OK"), this);
    auto* cancelButton = button(QStringLiteral("bbCancel"), QStringLiteral("キャンセル"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disabledSample(this));
    bottom->addWidget(defaultButton);
    bottom->addStretch();
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);

    auto* column = new QVBoxLayout(this);
    column->addWidget(payFormTabs_);
    column->addLayout(bottom);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(payFormTabs_, &QTabWidget::currentChanged, this, &SlipLayoutWindow::showPayFormTab);
    ui::connectCommand(defaultButton, this, messages_, &SlipLayoutWindow::resetLayout);
    ui::connectCommand(okButton, this, messages_, &SlipLayoutWindow::saveAndClose);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* SlipLayoutWindow::buildBands() {
    auto* bands = new QWidget(this);
    auto* grid = new QGridLayout(bands);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    const bool salary = kind_ == LayoutKind::Salary;
    // Salary: attendance with the others below it, then pay, then deductions.  Bonus (no
    // attendance): pay, deductions, others.
    struct Place {
        Band band;
        int row;
        int column;
    };
    const std::array<Place, kBandCount> places =
        salary ? std::array<Place, kBandCount>{{{Band::Attendance, 0, 0},
                                                {Band::Other, 2, 0},
                                                {Band::Pay, 0, 1},
                                                {Band::Deduction, 0, 2}}}
               : std::array<Place, kBandCount>{{{Band::Pay, 0, 0},
                                                {Band::Deduction, 0, 1},
                                                {Band::Other, 0, 2},
                                                {Band::Attendance, -1, -1}}};
    for (const Place& place : places) {
        if (place.row < 0) continue;
        const int b = static_cast<int>(place.band);
        const BandView& view = kBandViews[b];
        auto* gridWidget = new LayoutGrid(QString::fromLatin1(view.grid), kBandRows[b], bands);
        grids_[b] = gridWidget;
        grid->addWidget(new QLabel(QString::fromUtf8(view.caption), bands), place.row,
                        place.column);
        grid->addWidget(gridWidget, place.row + 1, place.column, Qt::AlignTop);
        const Band band = place.band;
        connect(gridWidget, &LayoutGrid::nameClicked, this,
                [this, band](int row) { toggleRow(band, row); });
        connect(gridWidget, &LayoutGrid::rowDragged, this,
                [this, band](int from, int to) { dragRow(band, from, to); });
    }
    grid->setRowStretch(4, 1);
    return bands;
}

std::optional<PrintTables> SlipLayoutWindow::edit() {
    prepare();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return saved_;
}

void SlipLayoutWindow::prepare() {
    saved_.reset();
    layout_ = loadLayout(ini_, kind_);
    if (payFormTabs_->currentIndex() != 0) {
        payFormTabs_->setCurrentIndex(0);  // refreshes the grids
    } else {
        refreshGrids();
    }
}

int SlipLayoutWindow::payForm() const {
    return payFormTabs_->currentIndex() + 1;
}

void SlipLayoutWindow::showPayFormTab(int index) {
    if (index < 0) return;
    payFormTabs_->widget(index)->layout()->addWidget(bands_);
    bands_->show();  // a widget given a new parent is hidden until shown again
    refreshGrids();  // the flags of the new pay form, and the base pay row's caption
}

void SlipLayoutWindow::refreshGrids() {
    const int form = payForm();
    for (int b = 0; b < kBandCount; ++b) {
        if (grids_[b] == nullptr) continue;
        std::vector<LayoutGrid::Row> rows;
        for (const LayoutRow& item : layout_.bands[b]) {
            rows.push_back({QString::fromStdString(layoutRowCaption(
                                names_, kind_, static_cast<Band>(b), item.code, form)),
                            item.use[form - 1]});
        }
        grids_[b]->showRows(rows);
    }
}

void SlipLayoutWindow::toggleRow(Band band, int row) {
    std::vector<LayoutRow>& rows = layout_.band(band);
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    bool& used = rows[row].use[payForm() - 1];
    used = !used;
    refreshGrids();
}

void SlipLayoutWindow::dragRow(Band band, int from, int to) {
    moveRow(layout_, band, from, to);
    refreshGrids();
}

void SlipLayoutWindow::resetLayout() {
    if (!messages_.confirm(this, qs(kMsgResetLayoutConfirm))) return;
    layout_ = defaultLayout(kind_);
    refreshGrids();
}

void SlipLayoutWindow::saveAndClose() {
    PrintTables tables = buildPrintTables(layout_);
    // Every code comes from the standard lists or was read back as code page 932 text, so the
    // file is all that can fail here.
    try {
        saveLayout(ini_, layout_, names_);
    } catch (const IoError& e) {
        messages_.error(this, QString::fromStdString(e.what()));
        return;
    }
    saved_ = std::move(tables);
    accept();
}

}  // namespace keiro::payroll
