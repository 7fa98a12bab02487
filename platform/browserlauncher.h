#pragma once

#include <QString>

// The probe file of one browser hand-off. It is removed when the last BrowserLaunch holding it goes, so
// that a warning about the outcome comes up while the probe is still there, as the look-up left it.
class ProbeFile
{
public:
    ProbeFile() = default;
    explicit ProbeFile(const QString &path);
    ~ProbeFile();
    ProbeFile(ProbeFile &&other) noexcept;
    ProbeFile &operator=(ProbeFile &&other) noexcept;
    ProbeFile(const ProbeFile &) = delete;
    ProbeFile &operator=(const ProbeFile &) = delete;

    // Whether the probe was written (and so is there to be removed).
    bool isWritten() const { return !m_path.isEmpty(); }

private:
    void remove();

    QString m_path; // empty when there is nothing of ours to remove
};

// How a browser hand-off went.
struct BrowserLaunch
{
    enum class Outcome {
        Started,          // the desktop's HTML program was started with the document
        NoBrowser,        // the desktop has no program for HTML documents
        StartFailed,      // the program was found but could not be started; `reason` says why
        FolderNotPrivate, // nothing was done: the probe's folder could not be made private; `reason` says why
    };
    Outcome outcome = Outcome::NoBrowser;
    QString reason;
    ProbeFile probe;
};

// Hands `documentArgument` (a web address, or the full path of a local file) to the program the desktop
// opens HTML documents with, found through a probe file written at `probePath`, a path in one of the
// program's own folders. The folder is made private first; whatever stands at the probe's name is
// removed, never followed. The program is started the way the desktop starts it (its desktop entry's
// whole command line, no shell), with the document as its one argument, exactly as given. Returns once
// the browser has been started, or with the reason it was not; the probe is removed when the result
// goes.
BrowserLaunch launchBrowser(const QString &probePath, const QString &documentArgument);
