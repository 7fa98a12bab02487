#pragma once

#include <QString>

// Writes a page as the generator's text plus one "\r\n", in UTF-8 without a byte-order mark.
// The file is written beside the target and renamed over it, so a failure leaves an existing
// file exactly as it was. Returns false with the reason in `errorString` on failure.
bool writePageFile(const QString &path, const QString &pageText, QString *errorString);
