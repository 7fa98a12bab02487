#include "platform/xdgvariables.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

namespace {

constexpr const char *FolderVariables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME",
                                           "XDG_RUNTIME_DIR"};
constexpr const char *ListVariables[] = {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS"};

bool isAbsolute(const QByteArray &path)
{
    return path.startsWith('/');
}

} // namespace

void removeIgnoredXdgVariables()
{
    for (const char *name : FolderVariables) {
        if (qEnvironmentVariableIsSet(name) && !isAbsolute(qgetenv(name)))
            qunsetenv(name);
    }
    for (const char *name : ListVariables) {
        if (!qEnvironmentVariableIsSet(name))
            continue;
        const QByteArray value = qgetenv(name);
        QByteArrayList kept;
        for (const QByteArray &entry : value.split(':')) {
            if (isAbsolute(entry))
                kept.append(entry);
        }
        if (kept.isEmpty())
            qunsetenv(name);
        else if (const QByteArray absolute = kept.join(':'); absolute != value)
            qputenv(name, absolute);
    }
}
