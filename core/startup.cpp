#include "core/startup.h"

#include "core/yearfile.h"

namespace keiro {

StartupState startWithoutWindows(const Places& places, std::chrono::year_month_day today) {
    StartupState state;
    state.places = places;

    const SettingsCheck check = checkSettingsFolder(places);
    state.messages = check.messages;
    if (!check.ok) return state;

    state.settings = loadSettings(IniFile(places.iniFile));
    state.eraNames = eraNamesFor(today, state.settings.newEraName);
    state.currentYear = fileEraYearOf(static_cast<int>(today.year()), state.eraNames);

    const DataFolderCheck data = ensureDataFolder(places);
    if (data.status == DataFolderStatus::Failed) {
        if (data.message) state.messages.push_back(*data.message);
        return state;
    }
    if (data.status == DataFolderStatus::Created) {
        state.carryOver = carryOverFromEarlierProducts(places);
        if (state.carryOver.message) state.messages.push_back(*state.carryOver.message);
        for (const std::string& problem : state.carryOver.problems) {
            state.messages.push_back({StartupMessage::Kind::Warning, problem});
        }
        // The carried-over configuration may name another new era.
        if (state.carryOver.iniReplaced) {
            state.settings = loadSettings(IniFile(places.iniFile));
            state.eraNames = eraNamesFor(today, state.settings.newEraName);
            state.currentYear = fileEraYearOf(static_cast<int>(today.year()), state.eraNames);
        }
    }

    state.currentYearFile = places.dataFolder / yearFileName(state.currentYear);
    state.currentYearFileCreated = createYearFileIfMissing(state.currentYearFile);
    state.proceed = true;
    return state;
}

}  // namespace keiro
