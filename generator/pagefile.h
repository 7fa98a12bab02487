#pragma once

#include <QString>

// Writes a page as the generator's text plus one "\r\n", in UTF-8 without a byte-order mark.
// The file is written beside the target and renamed over it, so a failure leaves an existing
// file exactly as it was. When the folder allows no new file but the target may be written, the
// target is rewritten in place instead, after its room has been reserved, so that a full disk
// still leaves it as it was. Returns false with the reason in `errorString` on failure.
bool writePageFile(const QString &path, const QString &pageText, QString *errorString);
