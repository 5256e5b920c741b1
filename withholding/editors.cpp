#include "withholding/editors.h"

#include <QString>

#include "widgets/entry_behaviour.h"
#include "withholding/company_info_dialog.h"
#include "withholding/family_dialog.h"
#include "withholding/legacy_withholding_editor.h"
#include "withholding/main_window.h"
#include "withholding/option_dialog.h"
#include "withholding/withholding_editor.h"

namespace keiro::withholding {

namespace {

void openFamily(MainWindow& window, const OptionDialog& option, ui::MessageService& messages,
                QWidget* parent, int slot) {
    const std::string name = window.year().block(kDecember).employee(slot).name.utf8();
    FamilyDialog family(window.file().record(slot), window.file().supplement(slot),
                        calendarYearOf(window.eraYear(), window.eraNames()),
                        QString::fromStdString(name), messages, parent);
    ui::EntrySettings entry;
    entry.autoSelect = option.options().autoSelect;
    entry.overwriteInput = option.options().overwriteDigits;
    ui::EditBehaviour::applySettings(&family, entry);
    family.exec();
}

}  // namespace

void connectEditors(MainWindow& window, const OptionDialog& option,
                    const std::filesystem::path& dataFolder, ui::MessageService& messages) {
    window.setEditor([&window, &option, dataFolder, &messages](int slot, bool currentFormat) {
        const EraYear& year = window.eraYear();
        EditorContext context{window.file(),
                              window.year(),
                              year.eraName,
                              year.eraYear,
                              calendarYearOf(year, window.eraNames()),
                              year.eraName != window.eraNames().earlier,
                              window.newEraForEditors().value_or(std::string()),
                              option.options(),
                              dataFolder,
                              messages,
                              [&window](int moved) { window.selectSlot(moved); },
                              {}};
        if (currentFormat) {
            QWidget* over = &window;  // the dialog opens over the editor once it exists
            context.openFamily = [&window, &option, &messages, &over](int onSlot) {
                openFamily(window, option, messages, over, onSlot);
            };
            WithholdingEditor editor(context, &window);
            over = &editor;
            editor.execOn(slot);
        } else {
            LegacyWithholdingEditor editor(context, &window);
            editor.execOn(slot);
        }
    });
    window.setCompanyDialog([&window, &messages] {
        const std::string company = window.year().block(kDecember).settings.companyName.utf8();
        CompanyInfoDialog dialog(window.file().header(), QString::fromStdString(company), messages,
                                 &window);
        return dialog.exec() == QDialog::Accepted;
    });
}

}  // namespace keiro::withholding
