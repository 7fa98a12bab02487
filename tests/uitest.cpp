#include "uitest.h"

#include "ui/registerscreens.h"

#include <QMessageBox>
#include <QTimer>

namespace UiTest {

namespace {
int endCount = 0;
} // namespace

void initApplication()
{
    QApplication::setQuitOnLastWindowClosed(false);
    registerAllScreens();
    Screens::setProgramEndHandler([] { ++endCount; });
}

void startFresh()
{
    pageProject() = PageProject{};
    endCount = 0;
}

void discardAllAndCheckNoLeak()
{
    Screens::discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Screen *>(widget))
            QFAIL(qPrintable(QStringLiteral("window left open: ") + widget->metaObject()->className()));
    }
}

int programEnds()
{
    return endCount;
}

void click(QAbstractButton *button)
{
    QVERIFY2(button, "no such button");
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    settle();
}

void click(ScreenId id, const char *buttonName)
{
    click(control<QAbstractButton>(id, buttonName));
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void answerNextModal(std::function<void(QWidget *)> answer, ModalRecord *record)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, record] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll->stop();
        poll->deleteLater();
        if (record) {
            record->title = modal->windowTitle();
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                record->text = box->text();
        }
        answer(modal);
    });
    poll->start();
}

} // namespace UiTest
