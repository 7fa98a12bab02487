#pragma once

#include <QIcon>
#include <QToolButton>

// The pictures of the caption-less buttons, and the program's own emblem. They are painted,
// so they stay sharp at any size and scale.
enum class Picture { Cross, LeftArrow, RightArrow, Exclamation, LetterH, Emblem };

QIcon pictureIcon(Picture picture);

// A caption-less picture button. Its tool tip is also its accessible name, so screen readers
// and keyboard users know what it does.
QToolButton *makePictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip);

class QLabel;

// The decorations every screen carries: `Image1`, a coloured bar, and `Image2`, the title
// banner with the emblem and the product name. They have no behaviour.
QWidget *makeBar(QWidget *parent);
QWidget *makeTitleBanner(QWidget *parent);
