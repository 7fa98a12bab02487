#include "core/settings.h"

#include "core/pageproject.h"

namespace {

struct EngineDefaultsRow
{
    const char *engineName;
    // Check1 ... Check10 as a string of '1'/'0', for a table that reads like the screen.
    const char *checks;
    int frequencyPosition;
    int spamDetectionPosition;
};

// Recommended settings per engine, keyed by the display name; a row a line.
// clang-format off
constexpr EngineDefaultsRow EngineDefaults[] = {
    {"AOL", "1111110010", 2, 1},
    {"Excite", "0011100011", 2, 1},
    {"Alta Vista", "1101010000", 1, 1},
    {"Hot Bot", "1101110000", 2, 2},
    {"InfoSeek", "1101110000", 2, 2},
    {"Lycos", "1101110000", 2, 1},
    {"Magellan", "1101110000", 2, 1},
    {"WebCrawler", "1101110000", 2, 2},
    {"Yahoo", "1101110000", 1, 2},
};
// clang-format on

QString levelText(int position)
{
    return position >= 0 && position <= 2 ? QString::number(position) : QString();
}

} // namespace

SettingsScreenState ApplyEngineDefaults(const QString &engineName)
{
    SettingsScreenState state;
    for (const EngineDefaultsRow &row : EngineDefaults) {
        if (engineName != QLatin1String(row.engineName))
            continue;
        for (int i = 0; i < 10; ++i)
            state.checks[i] = row.checks[i] == '1';
        state.frequencyPosition = row.frequencyPosition;
        state.spamDetectionPosition = row.spamDetectionPosition;
        break;
    }
    return state;
}

void StoreSettings(const SettingsScreenState &state, PageProject &project)
{
    QString *const flags[10] = {
        &project.UseMetaDescription,  &project.UseMetaKeywords,       &project.UseCommentTags,
        &project.UseAltTags,          &project.UseHiddenTags,         &project.UseTopBottomSpam,
        &project.UseFrequencyExploit, &project.UseHiddenExternalLink, &project.UseAutoForward,
        &project.UseTitleMetaExploit,
    };
    for (int i = 0; i < 10; ++i)
        *flags[i] = flagText(state.checks[i]);
    project.FrequencyLevel = levelText(state.frequencyPosition);
    project.SpamDetectionLevel = levelText(state.spamDetectionPosition);
}

QString settingsDefaultsButtonCaption(const QString &engineName)
{
    return QLatin1String("Set ") + engineName + QLatin1String(" Defaults");
}

QString settingsIntroText(const QString &engineName)
{
    return QLatin1String("Here are the Rankwright Assistant settings. Select the options you want to include, "
                         "then click the arrow button to finish your gateway page. The default settings are what "
                         "we suggest for ") +
           engineName + QLatin1Char('.');
}

QString settingsDefaultsSetText(const QString &engineName)
{
    return QLatin1String("The default settings have been set. The default settings are what we suggest for ") +
           engineName + QLatin1Char('.');
}
