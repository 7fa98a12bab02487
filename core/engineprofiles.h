#pragma once

#include <QString>
#include <QStringList>

#include <array>

struct PageProject;

// The display name and the seven advice figures of one target engine. The figures are display
// texts quoted by the reports, never parsed.
struct EngineProfile
{
    const char *listEntry;
    const char *EngineName;
    const char *DescPhraseAdvice;
    const char *DescWordAdvice;
    const char *BodyPhraseAdvice;
    const char *BodyWordAdvice;
    const char *PagePhraseAdvice;
    const char *PageWordAdvice;
    const char *FrequencyAdvice;
};

inline constexpr int EngineCount = 9;

// Indexed by the position of the engine in both engine lists.
extern const std::array<EngineProfile, EngineCount> EngineProfileTable;

// The nine list entries in list order ("Aol" and "HotBot" differ from their display names).
QStringList engineListEntries();

// Copies the row at list position `position` into the project; all eight values are replaced.
void ApplyEngineProfile(PageProject &project, int position);
