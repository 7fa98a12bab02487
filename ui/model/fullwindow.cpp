#include "ui/model/fullwindow.h"

#include "ui/model/accessibility.h"
#include "ui/model/windowplacement.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// The size the wizard's windows share: the largest that any of them needs on the screen the
// user works on, or the size of the step being left when the user made it larger.
struct WizardFrame
{
    QRect area;
    QMargins windowFrame;
    qreal dotsPerInch = 0;
    QSize needed;
    QSize handedOn;
};

WizardFrame &wizardFrame()
{
    static WizardFrame frame;
    return frame;
}

bool isWizardWindow(ScreenId id)
{
    return std::find(WizardScreens.cbegin(), WizardScreens.cend(), id) != WizardScreens.cend();
}

// What the wizard's windows need on the screen `window` is placed on. Measured on windows that are
// made for the purpose and never shown, so no load logic runs before its time.
QSize neededWizardFrame(QWidget *window)
{
    WizardFrame &frame = wizardFrame();
    const QRect area = availableArea(window);
    const QMargins windowFrame = frameExtent(window);
    const qreal dotsPerInch = window->logicalDpiY();
    if (area != frame.area || windowFrame != frame.windowFrame || dotsPerInch != frame.dotsPerInch) {
        frame = {area, windowFrame, dotsPerInch, QSize(), QSize()};
        const QuietAccessibility quiet;
        for (ScreenId id : WizardScreens) {
            const std::unique_ptr<QWidget> measured(Screens::createUnloaded(id));
            frame.needed = frame.needed.expandedTo(fitWindow(measured.get()).size);
        }
    }
    return frame.needed;
}

} // namespace

FullWindow::FullWindow(ScreenId id, const QString &heading)
    : ScreenWindow(id)
    , m_heading(heading)
{
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));

    m_layout = new QVBoxLayout(this);
    addDecorations(this, m_layout);

    // Every place is as wide as its button, filled or not, and the gaps are part of the places
    // (a layout leaves out the spacing of empty columns); the middle pair is centred between the
    // two arrows' places.
    m_navigation = new QGridLayout;
    const int gap = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    m_navigation->setHorizontalSpacing(0);
    const int arrowWidth = PictureButton(this, "", Picture::RightArrow, QString()).sizeHint().width();
    const int squareWidth = PictureButton(this, "", Picture::Cross, QString()).sizeHint().width();
    for (Place place : {Place::Back, Place::Quit, Place::Exclamation, Place::Forward}) {
        const bool arrow = place == Place::Back || place == Place::Forward;
        m_navigation->setColumnMinimumWidth(navigationColumn(place), arrow ? arrowWidth : squareWidth + gap / 2);
    }
    for (int stretch : {1, 4}) {
        m_navigation->setColumnMinimumWidth(stretch, gap);
        m_navigation->setColumnStretch(stretch, 1);
    }
    m_layout->addLayout(m_navigation);
}

int FullWindow::navigationColumn(Place place)
{
    // Stretches in columns 1 and 4.
    switch (place) {
    case Place::Back:
        return 0;
    case Place::Quit:
        return 2;
    case Place::Exclamation:
        return 3;
    case Place::Forward:
        return 5;
    }
    return 0;
}

PictureButton *FullWindow::addNavigationButton(Place place, const char *name, Picture picture, const QString &toolTip)
{
    PictureButton *button = makePictureButton(this, name, picture, toolTip);
    // The arrows at the window's edges; the middle pair side by side, the gap between them.
    const Qt::Alignment alignment =
        place == Place::Back || place == Place::Exclamation ? Qt::AlignLeft : Qt::AlignRight;
    m_navigation->addWidget(button, 0, navigationColumn(place), alignment | Qt::AlignVCenter);
    m_places[int(place)] = button;
    // Tab follows the row as it reads, whichever button was made first.
    PictureButton *previous = nullptr;
    for (PictureButton *placed : m_places) {
        if (!placed)
            continue;
        if (previous)
            setTabOrder(previous, placed);
        previous = placed;
    }
    return button;
}

void FullWindow::setBody(QLayout *body)
{
    // Between the bar and the navigation row, taking whatever room the window has.
    m_layout->insertLayout(m_layout->indexOf(m_navigation), body, 1);
}

void FullWindow::keyPressEvent(QKeyEvent *event)
{
    if (m_forward && m_forward->isVisible() && m_forward->isEnabled() && pressOnEnter(event, m_forward))
        return;
    if (m_escapeCloses && event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    ScreenWindow::keyPressEvent(event);
}

void FullWindow::place(bool firstShow)
{
    const bool wizardWindow = isWizardWindow(screenId());
    // Other windows keep the size and place the user gave them.
    if (!firstShow && !wizardWindow)
        return;
    const WindowFit fit = fitWindow(this);
    QSize size = fit.size;
    if (wizardWindow) {
        // Every time a wizard window shows, so that the arrows stay where they were.
        WizardFrame &frame = wizardFrame();
        frame.needed = neededWizardFrame(this).expandedTo(fit.size);
        size = frame.handedOn.isValid() ? frame.handedOn : frame.needed;
        const QRect area = availableArea(this).marginsRemoved(frameExtent(this));
        size = size.boundedTo(area.size());
    }
    setMinimumSize(fit.minimum);
    resize(size.expandedTo(fit.minimum));
    keepLabelsWhole();
    centreOnScreen(this);
}

void FullWindow::handOnWizardFrame()
{
    if (!isVisible())
        return;
    WizardFrame &frame = wizardFrame();
    frame.handedOn = size().expandedTo(frame.needed);
}

void FullWindow::resizeEvent(QResizeEvent *event)
{
    ScreenWindow::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        keepLabelsWhole();
}

void FullWindow::keepLabelsWhole()
{
    // Narrower, wrapped labels need more lines: the window never gets too low to show them whole.
    const int least = minimumHeightAt(this, width());
    if (least != minimumHeight())
        setMinimumHeight(least);
}
