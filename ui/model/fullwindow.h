#pragma once

#include "ui/controls/pictures.h"
#include "ui/model/screens.h"

class QAbstractButton;
class QHBoxLayout;
class QLayout;
class QVBoxLayout;

// What every full window of the program shares: the title, the banner and bar at the top, the
// row of navigation buttons at the bottom, the keys that press its forward action or close it,
// and a size that fits the screen. The wizard's windows share one frame, so that the navigation
// row stays under the pointer from step to step.
class FullWindow : public ScreenWindow<QWidget>
{
    Q_OBJECT

public:
    // Where a button sits in the navigation row.
    enum class Place { Left, Centre, Right };

protected:
    explicit FullWindow(ScreenId id);

    // A picture button in the navigation row. Buttons in one place sit in the order they are
    // added, or ahead of the others with `first`; the tab order follows the order in which
    // controls are made.
    PictureButton *addNavigationButton(Place place, const char *name, Picture picture, const QString &toolTip,
                                       bool first = false);

    // Puts the window's own controls between the decorations and the navigation row.
    void setBody(QLayout *body);

    // Enter presses this button, wherever the focus is but in a multi-line text box (where Enter
    // is a line break) or on another button (which Enter presses).
    void setForwardButton(QAbstractButton *button) { m_forward = button; }
    // Escape does what the window's close control does.
    void setEscapeCloses() { m_escapeCloses = true; }

    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void place(bool firstShow) override;

    // A wizard window hands its size on to the next one when the user has enlarged it.
    void handOnWizardFrame();

private:
    void keepLabelsWhole();

    QVBoxLayout *m_layout = nullptr;
    QHBoxLayout *m_navigation = nullptr;
    QHBoxLayout *m_places[3] = {};
    QAbstractButton *m_forward = nullptr;
    bool m_escapeCloses = false;
};
