#pragma once

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

// Flags are on only when they hold exactly "Yes".
inline bool isOn(const QString &flag)
{
    return flag == QLatin1String("Yes");
}

inline QString flagText(bool on)
{
    return on ? QStringLiteral("Yes") : QString();
}

// The process-wide project: created empty at start, never saved, never reset as a whole.
PageProject &pageProject();
