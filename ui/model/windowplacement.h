#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Sizes and places windows so that they fit the screen the user works on, at any scale.

// The part of the screen that windows may use: the screen of the window the user is working in
// (or of `window` when it is shown), without panels and docks.
QRect availableArea(const QWidget *window);

// The room the window system's frame (title bar, borders) takes around a window: the window's
// own once it is on the screen, else that of another window of the program, else the last one
// seen; before any framed window has been shown, an estimate.
QMargins frameExtent(const QWidget *window);

// Whether the window is on the screen with the frame the window system gave it: a window manager
// frames a window only once it is mapped, so until then its frame is not known.
bool isFrameKnown(const QWidget *window);

// Moves the window, frame included, to the middle of the available area, keeping it inside.
void centreOnScreen(QWidget *window);

// How a window's layout fits the available area.
struct WindowFit
{
    QSize size;    // the size it opens at: what the layout asks for, within the available area
    QSize minimum; // the least size at which no label is cut (text boxes scroll instead)
};

// Wrapped labels get their full height at the chosen width; where the content cannot fit, text
// boxes give up height first, then the window grows wider so that labels need fewer lines.
WindowFit fitWindow(QWidget *window);

// The least height of the window's content at `width`: every wrapped label whole, text boxes at
// their least.
int minimumHeightAt(const QWidget *window, int width);
