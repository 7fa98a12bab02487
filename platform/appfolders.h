#pragma once

#include <QString>

// Where the program keeps its files. All of them lie in folders private to the user: a file with a fixed
// name in a folder that others can write to could be replaced by a link, and writing it would then
// overwrite whatever the link points at.

// The program's own data folder ("Rankwright" in the user's data folder), created when missing. A folder
// that cannot be created shows up as a failure of whatever is written into it.
QString programDataFolder();

// Probe for the browser look-up made by the main menu and the submission screen: in the user's runtime
// folder, or in the program's data folder when there is no usable runtime folder.
QString rootProbePath();

// Probe for the browser look-up made by the generator screen, in the program's data folder.
QString programProbePath();

// The page the generator screen writes and opens in the browser, in the program's data folder.
QString resultsFilePath();
