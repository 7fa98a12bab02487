#pragma once

class QString;
class QWidget;

// Opens `documentArgument` (a web address or a file path) in the program the desktop uses for HTML
// documents, found through a probe file written at `probePath`. The browser gets `documentArgument` as
// its one and only argument, exactly as given. When no browser is found, a warning owned by `owner`
// shows `notFoundText`; when the browser cannot be started, a warning says so. Returns once the browser
// has been started or the warning dismissed; the probe file is gone by then.
void OpenInBrowser(QWidget *owner, const QString &probePath, const QString &documentArgument,
                   const QString &notFoundText);
