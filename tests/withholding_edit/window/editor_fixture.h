#pragma once
// A year file with employees in slots 1..3 and 100 (slot 4 empty) and the withholding data of
// its year, for opening the editors offscreen with scripted messages.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <optional>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/withholding_model/year_files.h"
#include "widgets/message_service.h"
#include "withholding/calc/year_end_law.h"
#include "withholding/legacy_withholding_editor.h"
#include "withholding/withholding_editor.h"

namespace keiro::withholding::testing {

class EditorFixture {
  public:
    // `dataYear` decides the record format (before 2016: 500 bytes) and the era.
    explicit EditorFixture(int dataYear) : file(dataYear >= kFirstCurrentFormatYear) {
        YearFileWriter writer;
        for (int slot : {1, 2, 3, 100}) {
            EmployeeRecord& e = writer.put(12, slot, "00000" + std::to_string(slot % 10), 3'000'000,
                                           450'000, 60'000);
            e.name.assign("社員 " + std::to_string(slot));
            e.department.assign("総務部");
            e.workStatus = 1;
        }
        const auto path = folder / "year.dat";
        writer.write(path);
        year.emplace(path);
        newEra = dataYear >= 2020;
        eraYear = newEra ? dataYear - 2018 : dataYear - 1988;
        options.autoSelect = false;
        options.overwriteDigits = false;
    }

    EditorContext context() {
        return EditorContext{file,
                             *year,
                             newEra ? "令和" : "平成",
                             eraYear,
                             eraYear + (newEra ? 2018 : 1988),
                             newEra,
                             "令和",
                             options,
                             folder.path(),
                             messages,
                             [this](int slot) { selected.push_back(slot); },
                             [this](int slot) { familyOpened.push_back(slot); }};
    }

    std::unique_ptr<RecordEditorBase> editor(int slot) {
        std::unique_ptr<RecordEditorBase> window;
        if (file.currentFormat())
            window = std::make_unique<WithholdingEditor>(context(), nullptr);
        else
            window = std::make_unique<LegacyWithholdingEditor>(context(), nullptr);
        window->showSlot(slot);
        return window;
    }

    testing_support::TempFolder folder{"keiro-lgedit"};
    WithholdingFile file;
    std::optional<YearView> year;
    bool newEra = false;
    int eraYear = 0;
    OptionSettings options;
    ui::ScriptedMessageService messages;
    std::vector<int> selected;
    std::vector<int> familyOpened;
};

template <typename T>
T* control(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name));
    if (!found) qFatal("no control %s", name);
    return found;
}

inline QLineEdit* box(QWidget& window, const char* name) {
    return control<QLineEdit>(window, name);
}

}  // namespace keiro::withholding::testing
