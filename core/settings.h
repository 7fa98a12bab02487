#pragma once

#include <QString>

#include <array>

struct PageProject;

// The twelve controls of the settings screen, held as a value so that the defaults and the
// storing can work without widgets. checks[0] is Check1 ... checks[9] is Check10.
struct SettingsScreenState
{
    static constexpr int NoSelection = -1;

    std::array<bool, 10> checks{};
    int frequencyPosition = NoSelection;     // Combo2: "Low", "Moderate", "High"
    int spamDetectionPosition = NoSelection; // Combo1: "Very Sensative", "Moderate", "Low"

    friend bool operator==(const SettingsScreenState &, const SettingsScreenState &) = default;
};

// The recommended settings for `engineName`; every box unchecked and nothing selected for a
// name without a row (the wizard never produces one).
SettingsScreenState ApplyEngineDefaults(const QString &engineName);

// Writes the ten flags and the two levels from the screen state, replacing earlier values.
void StoreSettings(const SettingsScreenState &state, PageProject &project);

QString settingsDefaultsButtonCaption(const QString &engineName);
QString settingsIntroText(const QString &engineName);
QString settingsDefaultsSetText(const QString &engineName);
