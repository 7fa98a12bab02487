#pragma once

// Sets the application up as the program runs (names, icon, window model) and shows the splash. Called
// by main() once the QApplication exists; the start-up benchmark starts the program through it too.
void startProgram();
