#pragma once

#include <QString>

// Writes a page as the generator's text plus one "\r\n", in UTF-8 without a byte-order mark, to `path`,
// a plain file or the name of a new one. A link is followed to the file it names.
//
// Whatever is there and is not a plain file (a named pipe, a socket, a device, a folder, a link to
// nothing) is refused before anything is opened, and so is a file that belongs to another user: nothing
// of theirs changes, not even for root.
//
// The page is written to a new file beside the target and renamed over it, so a failure leaves an
// existing file exactly as it was. When the folder allows no new file but the target may be written,
// the target is rewritten in place instead, after checking that the disk has room for it (reserved
// where the file system can, counted where it cannot), so that a full disk still leaves it as it was.
// Either way the file then holds exactly the page and its line end. Returns false with the reason in
// `errorString` on failure.
bool writePageFile(const QString &path, const QString &pageText, QString *errorString);
