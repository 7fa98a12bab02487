#pragma once

// Modal windows that come up while a test runs: message boxes and the save dialog. Each runs an
// event loop of its own and blocks the code that opened it, so the test answers it from a timer
// that this loop runs: polled rather than hooked.

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// A message box as the user saw it. `shown` stays false while none came up.
struct ShownMessage
{
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget *owner = nullptr;
    bool modal = false;
};

inline ShownMessage describeMessageBox(const QMessageBox *box)
{
    return {.shown = true,
            .title = box->windowTitle(),
            .text = box->text(),
            .icon = box->icon(),
            .buttons = box->standardButtons(),
            .owner = box->parentWidget(),
            .modal = box->isModal()};
}

// The answers still waiting for their window. Never destroyed: the last test may end with one.
inline QObject &pendingModalAnswers()
{
    static auto *answers = new QObject;
    return *answers;
}

// Waits for a modal window of type T that `matches` accepts (any, without it), then runs `answer`
// on it once. An answer can arm the next one, for a window the answered one opens.
template <typename T> void whenModal(std::function<void(T *)> answer, std::function<bool(T *)> matches = {})
{
    auto *poll = new QTimer(&pendingModalAnswers());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, matches] {
        auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible() || (matches && !matches(modal)))
            return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
    });
    poll->start();
}

// Forgets every answer that no window has taken, so that none outlives its test.
inline void dropModalAnswers()
{
    const QObjectList answers = pendingModalAnswers().children();
    qDeleteAll(answers);
}

// An answer for whenModal: records the box into `shown` and presses `press`; a box without that
// button is closed as by Escape.
inline std::function<void(QMessageBox *)> recordMessage(ShownMessage *shown,
                                                        QMessageBox::StandardButton press = QMessageBox::Ok)
{
    return [shown, press](QMessageBox *box) {
        *shown = describeMessageBox(box);
        if (QAbstractButton *button = box->button(press))
            button->click();
        else
            box->reject();
    };
}

// Closes every modal message box that comes up while it lives, pressing OK (or closing it as by
// Escape), and keeps what each one showed. `onShown` runs while the box is still on screen.
class MessageBoxCatcher
{
public:
    using Message = ShownMessage;

    explicit MessageBoxCatcher(std::function<void(QMessageBox *)> onShown = {})
        : m_onShown(std::move(onShown))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { closeModalBox(); });
        m_timer.start(10);
    }

    QList<Message> messages() const { return m_messages; }

private:
    void closeModalBox()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        m_messages.append(describeMessageBox(box));
        if (m_onShown)
            m_onShown(box);
        if (QAbstractButton *ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    }

    QTimer m_timer;
    std::function<void(QMessageBox *)> m_onShown;
    QList<Message> m_messages;
};
