#include "ui/fullwindow.h"

#include "ui/accessibility.h"
#include "ui/windowplacement.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// The size the wizard's windows share: the largest that any of them needs on the screen the
// user works on, or the size of the step being left when the user made it larger.
struct WizardFrame
{
    QRect area;
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
    const qreal dotsPerInch = window->logicalDpiY();
    if (area != frame.area || dotsPerInch != frame.dotsPerInch) {
        frame = {area, dotsPerInch, QSize(), QSize()};
        const QuietAccessibility quiet;
        for (ScreenId id : WizardScreens) {
            const std::unique_ptr<QWidget> measured(Screens::createUnloaded(id));
            frame.needed = frame.needed.expandedTo(fitWindow(measured.get()).size);
        }
    }
    return frame.needed;
}

} // namespace

FullWindow::FullWindow(ScreenId id)
    : ScreenWindow(id)
{
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));

    m_layout = new QVBoxLayout(this);
    addDecorations(this, m_layout);

    m_navigation = new QHBoxLayout;
    for (auto &place : m_places)
        place = new QHBoxLayout;
    m_navigation->addLayout(m_places[0]);
    m_navigation->addStretch();
    m_navigation->addLayout(m_places[1]);
    m_navigation->addStretch();
    m_navigation->addLayout(m_places[2]);
    m_layout->addLayout(m_navigation);
}

PictureButton *FullWindow::addNavigationButton(Place place, const char *name, Picture picture, const QString &toolTip,
                                               bool first)
{
    PictureButton *button = makePictureButton(this, name, picture, toolTip);
    m_places[int(place)]->insertWidget(first ? 0 : -1, button);
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
