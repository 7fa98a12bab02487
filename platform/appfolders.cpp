#include "platform/appfolders.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

constexpr auto ProbeFileName = "/RezAzuvev.HTM"_L1;

} // namespace

QString programDataFolder()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Rankwright"_L1;
    QDir().mkpath(folder);
    return folder;
}

QString rootProbePath()
{
    // Qt hands out the runtime folder only when it belongs to the user and nobody else may enter it.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = programDataFolder();
    return folder + ProbeFileName;
}

QString programProbePath()
{
    return programDataFolder() + ProbeFileName;
}

QString resultsFilePath()
{
    return programDataFolder() + "/GeneratorResults.html"_L1;
}
