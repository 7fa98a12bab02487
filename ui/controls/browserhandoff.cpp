#include "ui/controls/browserhandoff.h"

#include "platform/browserlauncher.h"
#include "ui/controls/messagebox.h"

#include <QDebug>
#include <QString>

void OpenInBrowser(QWidget *owner, const QString &probePath, const QString &documentArgument,
                   const QString &notFoundText)
{
    // Held until the warning is dismissed: the probe goes with it.
    const BrowserLaunch launch = launchBrowser(probePath, documentArgument);
    switch (launch.outcome) {
    case BrowserLaunch::Outcome::Started:
        break;
    case BrowserLaunch::Outcome::NoBrowser:
        showWarning(owner, QStringLiteral("Browser Not Found"), notFoundText);
        break;
    case BrowserLaunch::Outcome::StartFailed:
        qWarning().noquote() << "The browser was not started:" << launch.reason;
        showWarning(owner, QStringLiteral("URL Failed"), QStringLiteral("Web Page not Opened"));
        break;
    case BrowserLaunch::Outcome::FolderNotPrivate:
        showWarning(owner, QStringLiteral("Browser Not Opened"),
                    QStringLiteral("Your browser was not opened: the program keeps its files only in folders that "
                                   "other users cannot change.\n\n%1")
                        .arg(launch.reason));
        break;
    }
}
