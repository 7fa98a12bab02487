#pragma once

#include <QString>

// Full path of the program the desktop opens files like `filePath` with, or an empty text when there is
// none. The type is taken from the file itself (name and content); when the file cannot be read, from
// its name alone.
QString defaultProgramFor(const QString &filePath);
