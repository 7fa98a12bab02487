#include "ui/model/wizardstep.h"

#include "core/pageproject.h"
#include "ui/controls/singleline.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/wizardflow.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// Tabbing into a box that still holds its pre-fill puts the caret at its end, so what the user
// types follows the pre-fill ("blue widgets - " ends in a blank for that). A caret the user has
// put elsewhere stays where it is, and a click puts it where it was clicked.
class ContinueAfterPreFill : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            auto *box = static_cast<QPlainTextEdit *>(watched);
            const QTextCursor cursor = box->textCursor();
            // Once the focus has moved, so that screen readers first present the box, then hear
            // the caret move to the end.
            if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && !cursor.hasSelection() &&
                cursor.position() == 0)
                QMetaObject::invokeMethod(
                    box, [box] { box->moveCursor(QTextCursor::End); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

WizardStep::WizardStep(ScreenId id, const QString &heading)
    : FullWindow(id, heading)
{
    // Wide enough for the wrapped instructions to read as sentences, not as a column of words.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);
}

QLabel *WizardStep::addLabel(const char *name, const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel *WizardStep::addText(const char *name, const QString &text)
{
    QLabel *label = addLabel(name, text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit *WizardStep::addLineEdit(const char *name, QLabel *caption)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    if (caption)
        caption->setBuddy(box);
    makeSingleLine(box);
    return box;
}

TextBox *WizardStep::addTextBox(const char *name, QLabel *caption)
{
    auto *box = new TextBox(this);
    box->setObjectName(QLatin1String(name));
    if (caption)
        caption->setBuddy(box);
    box->installEventFilter(new ContinueAfterPreFill(box));
    return box;
}

PictureButton *WizardStep::addQuitButton()
{
    PictureButton *quit =
        addNavigationButton(Place::Quit, "Command1", Picture::Cross, QStringLiteral("Click Here To Quit"));
    connect(quit, &QToolButton::clicked, this, &WizardStep::askToQuit);
    return quit;
}

PictureButton *WizardStep::addContinueButton()
{
    PictureButton *next =
        addNavigationButton(Place::Forward, "Command2", Picture::RightArrow, QStringLiteral("Click Here To Continue!"));
    setForwardButton(next);
    return next;
}

PictureButton *WizardStep::addBackButton()
{
    PictureButton *back =
        addNavigationButton(Place::Back, "Command3", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    // Going back stores nothing: the previous step still holds its own entries.
    connect(back, &QToolButton::clicked, this, [this] { moveTo(WizardFlow::previous(screenId())); });
    return back;
}

PictureButton *WizardStep::addExclamationButton(const QString &toolTip)
{
    return addNavigationButton(Place::Exclamation, "Command4", Picture::Exclamation, toolTip);
}

void WizardStep::moveTo(ScreenId next)
{
    handOnWizardFrame();
    Screens::show(next);
    hide();
}

void WizardStep::moveOn()
{
    moveTo(WizardFlow::next(screenId()));
}

void WizardStep::moveAside()
{
    moveTo(WizardFlow::aside(screenId()));
}

void WizardStep::askToQuit()
{
    if (WizardFlow::quitsFromFirstSteps(screenId()))
        pageProject().QuitFromWizard = QuitFromWizardTrue;
    WizardFlow::showMessage(ScreenId::Quit1, this);
}

void WizardStep::closeLogic()
{
    Screens::show(ScreenId::Main);
    Screens::requestWizardReset();
}
