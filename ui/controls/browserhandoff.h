#pragma once

class QString;
class QWidget;

// Opens `documentArgument` (a web address or a file path) in the program the desktop uses for HTML
// documents, found through a probe file written at `probePath` (see launchBrowser()). When no browser is
// found, a warning owned by `owner` shows `notFoundText`; when the browser cannot be started, a warning
// says so and the reason goes to the log; when the probe's folder cannot be made private, a warning
// names it. Returns once the browser has been started or the warning dismissed; the probe file is gone
// by then.
void OpenInBrowser(QWidget *owner, const QString &probePath, const QString &documentArgument,
                   const QString &notFoundText);
