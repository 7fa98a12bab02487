#pragma once

#include <QLatin1String>
#include <QString>
#include <QtGlobal>

// Words per occurrence of the targeted phrase, kept as a count of ten-thousandths so that the
// report shows exactly the rounded figure that was computed.
struct Currency
{
    qint64 tenThousandths = 0;

    friend bool operator==(Currency, Currency) = default;
};

// The one record every screen shares. Field names are the names the screens and the page
// builder talk about; a text assignment copies.
//
// Counts and positions are 64-bit: a body of several megabytes must count right, and for any
// text below 32,767 characters the figures are the same as with 16-bit values.
struct PageProject
{
    // Target engine and its advice figures.
    QString EngineName;
    QString DescPhraseAdvice;
    QString DescWordAdvice;
    QString BodyPhraseAdvice;
    QString BodyWordAdvice;
    QString PagePhraseAdvice;
    QString PageWordAdvice;
    QString FrequencyAdvice;

    // Site and page content.
    QString SiteUrl;
    QString TargetedPhrase;
    QString MatchPhrase;
    QString SupportPhrase1;
    QString SupportPhrase2;
    QString SupportPhrase3;
    QString KeywordList;
    QString PageTitle;
    QString MetaDescription;
    QString BodyText;
    QString LinkText;
    QString HitCounterHtml;
    QString UseHitCounter;

    // Page-building options ("Yes" or empty) and levels ("0", "1", "2" or empty).
    QString UseMetaDescription;
    QString UseMetaKeywords;
    QString UseCommentTags;
    QString UseAltTags;
    QString UseHiddenTags;
    QString UseTopBottomSpam;
    QString UseFrequencyExploit;
    QString UseHiddenExternalLink;
    QString UseAutoForward;
    QString UseTitleMetaExploit;
    QString SpamDetectionLevel;
    QString FrequencyLevel;
    QString KeywordBlock;

    // Generator and page actions.
    QString PageTopSnapshot;
    QString PendingAction;
    Currency KeywordFrequency;

    // Flow-control markers.
    QString QuitFromWizard;
    QString ResetRequested;

    // Scratch values of the counting.
    QString WordSeparator;
    qint64 PhraseCount = 0;
    qint64 WordCount = 0;
    qint64 LastSpacePos = 0;
};

// A flag is on only when it holds exactly "Yes"; off is the empty text, never "No".
inline constexpr QLatin1String FlagOn("Yes");

inline bool isOn(const QString &flag)
{
    return flag == FlagOn;
}

inline QString flagText(bool on)
{
    return on ? QString(FlagOn) : QString();
}

// What the windows tell one another through the project. Both ends use these names.
// QuitFromWizard: a quit confirmation asked from the first two steps is pending.
inline constexpr QLatin1String QuitFromWizardTrue("True");
// ResetRequested: a wizard step was closed, and the main menu has still to discard the wizard;
// then, that it has.
inline constexpr QLatin1String ResetRequestedYes("Yes");
inline constexpr QLatin1String ResetRequestedDone("Done");
// PendingAction: the page action chosen on the options window, for the generator's timer.
inline constexpr QLatin1String PendingAnalize("Analize");
inline constexpr QLatin1String PendingBrowser("Browser");
inline constexpr QLatin1String PendingSave("Save");

// The process-wide project: created empty at start, never saved, never reset as a whole.
PageProject &pageProject();
