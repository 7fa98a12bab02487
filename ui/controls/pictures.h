#pragma once

#include <QIcon>
#include <QToolButton>

// The pictures of the caption-less buttons, and the program's own emblem. They are painted,
// so they stay sharp at any size and scale.
enum class Picture { Cross, LeftArrow, RightArrow, Exclamation, LetterH, Emblem };

// Drawn in colours that stand out from the palette's button face (the emblem: from its window), in
// the light, dark and high-contrast palettes alike.
QIcon pictureIcon(Picture picture, const QPalette &palette);
// In the application's palette.
QIcon pictureIcon(Picture picture);

// The contrast ratio of two colours, from their relative luminance (1:1 to 21:1).
qreal contrastRatio(const QColor &a, const QColor &b);

// A caption-less picture button. Its tool tip is also its accessible name, so screen readers
// and keyboard users know what it does. With the focus, Enter presses it as Space does, like any
// push button. Its picture follows the palette, also when the user changes it while the program runs.
class PictureButton : public QToolButton
{
    Q_OBJECT

public:
    PictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip);

    Picture picture() const { return m_picture; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Picture m_picture;
};

// Presses `button` when `event` is Enter or Return without modifiers (but the keypad's), as a
// focused push button takes it; held down, the key presses it once. Returns whether the key was
// Enter, so that nothing else acts on it.
bool pressOnEnter(QKeyEvent *event, QAbstractButton *button);

PictureButton *makePictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip);

class QAbstractButton;
class QBoxLayout;
class QGridLayout;

// `Image2`, the title banner: the emblem and the product name. Screen readers read the product
// name as the banner's name, not among the texts a window shows.
class TitleBanner : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBanner(QWidget *parent);
};

// The decorations every screen carries at its top: the title banner, above `Image1`, a coloured
// bar. They have no behaviour.
// In a grid they take rows 0 and 1 across `columns` columns.
void addDecorations(QWidget *window, QGridLayout *layout, int columns = 1);
void addDecorations(QWidget *window, QBoxLayout *layout);
