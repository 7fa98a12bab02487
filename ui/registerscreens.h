#pragma once

// Tells the window model how to create every window of the program.
void registerAllScreens();

// Each part of the program registers its own windows.
void registerShellScreens();
void registerWizardScreens();
void registerGeneratorScreens();
