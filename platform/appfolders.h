#pragma once

#include <QString>

// Where the program keeps its files, after the XDG Base Directory rules: the data folder is
// XDG_DATA_HOME, or ~/.local/share when that is unset or relative; the runtime folder is
// XDG_RUNTIME_DIR when it is absolute and a private folder of the user's. Names keep the environment's
// bytes (see filenames.h). All of them lie in folders private to the user: a file with a fixed
// name in a folder that others can write to could be replaced by a link, and writing it would then
// overwrite whatever the link points at.

// The program's own data folder ("Rankwright" in the user's data folder). Only the path: the folder is
// made when something is written into it (prepareProgramFile(), the browser hand-off).
QString programDataFolder();

// Probe for the browser look-up made by the main menu and the submission screen: in the user's runtime
// folder, or in the program's data folder when there is no usable runtime folder.
QString rootProbePath();

// Probe for the browser look-up made by the generator screen, in the program's data folder.
QString programProbePath();

// The page the generator screen writes and opens in the browser, in the program's data folder.
QString resultsFilePath();

// Makes `folder` a folder only the user may enter (mode 0700), whatever the umask: a missing folder is
// created so, with any missing folders above it (never inside another user's folder); an existing one of
// the user's whose mode is not 0700 is set to 0700. A folder that belongs to another user is refused,
// for root as for anyone: nothing of theirs changes owner, mode or content. Returns false, with the
// reason in `errorString`, when the folder cannot be made or made private; nothing should then be
// written into it.
bool makePrivateFolder(const QString &folder, QString *errorString);

// Readies `filePath`, a file of the program's own, for writing: its folder is made private (see
// makePrivateFolder()) and whatever stands at its name and is not a plain file of the user's (a link,
// a file with other names elsewhere, an empty folder, a pipe...) is removed without being followed, so
// that writing the file cannot reach anything else. A plain file stays until it is replaced whole;
// anything that belongs to another user is left alone and refused. Returns false with the reason in
// `errorString` when either step fails.
bool prepareProgramFile(const QString &filePath, QString *errorString);
