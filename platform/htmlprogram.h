#pragma once

#include <QByteArrayView>
#include <QString>

// The program the desktop opens HTML documents with, found and started through GIO.
struct ProgramStart
{
    enum class Result { Started, NoProgram, Failed };
    Result result = Result::NoProgram;
    // Why the program could not be started (Failed only), as GIO or the program's end tells it.
    QString reason;
};

// Looks up the desktop's default program for the content type of the probe at `probePath` and starts
// it with `documentArgument` through GIO, as the desktop itself starts it from its desktop entry: the
// whole command line, with its field codes and any wrapper (env, flatpak, snap), and no shell. A local
// file path is handed over as a file, anything else as an address, unchanged. The probe's type comes
// from the file on disk when `probeWritten`; otherwise from its name and the bytes it would hold.
ProgramStart startHtmlProgram(const QString &probePath, bool probeWritten, QByteArrayView probeContent,
                              const QString &documentArgument);
