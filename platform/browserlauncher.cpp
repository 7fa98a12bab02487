#include "platform/browserlauncher.h"

#include "platform/giolookup.h"
#include "platform/messagebox.h"

#include <QFile>
#include <QProcess>
#include <QString>

using namespace Qt::StringLiterals;

namespace {

// The text <HTML> <\HTML> as one quoted item and a line end: enough for any look-up to call it HTML.
constexpr char ProbeContent[] = "\"<HTML> <\\HTML>\"\r\n";
static_assert(sizeof ProbeContent - 1 == 18);

// Replaces whatever has the probe's name with a new probe file. The old entry is removed, not opened,
// and the new file is created exclusively, so a link planted under that name is never followed.
// Returns whether the file was created, so that only our own file gets deleted afterwards.
bool createProbe(const QString &path)
{
    QFile::remove(path);
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    probe.write(ProbeContent, sizeof ProbeContent - 1);
    probe.close();
    return true;
}

} // namespace

void OpenInBrowser(QWidget *owner, const QString &probePath, const QString &documentArgument,
                   const QString &notFoundText)
{
    // The probe only serves the look-up. If it cannot be written (or only in part), the look-up goes by
    // the name, which is what decides the type anyway, so the user still gets the browser or a warning.
    const bool probeCreated = createProbe(probePath);

    const QString browser = defaultProgramFor(probePath);
    if (browser.isEmpty())
        showWarning(owner, u"Browser Not Found"_s, notFoundText);
    // One argument and no shell: blanks, quotes and shell characters reach the browser as they are.
    else if (!QProcess::startDetached(browser, {documentArgument}))
        showWarning(owner, u"URL Failed"_s, u"Web Page not Opened"_s);

    // A probe left behind holds nothing of value and is replaced by the next call.
    if (probeCreated)
        QFile::remove(probePath);
}
