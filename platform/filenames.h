#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// File names are bytes to the system, and the environment hands folders over as bytes. Qt reads
// them as UTF-8, which turns a byte that is not UTF-8 (a Latin-1 "é", say) into U+FFFD, and the
// name is lost. These two read and write names as Qt does wherever they are UTF-8, and keep every
// other byte as a character of its own (U+DC80 to U+DCFF, which valid UTF-8 never yields), so that
// a name read from the system goes back to it byte for byte.
QString fileNameFromBytes(QByteArrayView bytes);
QByteArray fileNameToBytes(const QString &name);
