#pragma once

#include "ui/controls/pictures.h"
#include "ui/model/screens.h"

class QAbstractButton;
class QGridLayout;
class QLayout;
class QVBoxLayout;

// What every full window of the program shares: the title, the banner and bar at the top, the
// row of navigation buttons at the bottom, the keys that press its forward action or close it,
// and a size that fits the screen. The wizard's windows share one frame, so that the navigation
// row stays under the pointer from step to step.
//
// The navigation row is the same on every window: Back at the left edge, the forward action at
// the right edge, the quit cross and the exclamation point side by side in the middle. A window
// without one of them leaves its place empty, so the others stay where they are on every window.
class FullWindow : public ScreenWindow<QWidget>
{
    Q_OBJECT

public:
    // The places in the navigation row, from left to right. The main menu, which has no way back,
    // puts its site link in Back's place.
    enum class Place { Back, Quit, Exclamation, Forward };

    // What the window is, in a few words ("Main menu", "the page body"): screen readers say it on
    // arriving at the window, after its number and the steps' count if it is one of the wizard's
    // steps (both follow from the wizard's flow).
    QString heading() const { return m_heading; }

protected:
    FullWindow(ScreenId id, const QString &heading);

    // A picture button in its place in the navigation row. Tab goes through the row from left to
    // right, after the controls made before it.
    PictureButton *addNavigationButton(Place place, const char *name, Picture picture, const QString &toolTip);

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
    static int navigationColumn(Place place);
    void keepLabelsWhole();

    const QString m_heading;
    QVBoxLayout *m_layout = nullptr;
    QGridLayout *m_navigation = nullptr;
    PictureButton *m_places[4] = {};
    QAbstractButton *m_forward = nullptr;
    bool m_escapeCloses = false;
};
