#include "uitest.h"

#include <QAbstractItemView>
#include <QMessageBox>
#include <QTimer>

namespace UiTest {

namespace {
int endCount = 0;
} // namespace

void initApplication()
{
    QApplication::setQuitOnLastWindowClosed(false);
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
        if (dynamic_cast<Screen *>(widget))
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

void pick(QComboBox *list, int position)
{
    QVERIFY(list);
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, QPoint(list->width() - list->height() / 2, list->height() / 2));
    QAbstractItemView *view = list->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex index = view->model()->index(position, 0);
    view->scrollTo(index);
    // Onto the entry first: the list takes no release that may still belong to the opening click.
    // The pointer may rest on that spot from an earlier pick, and a move to where it is moves nothing.
    const QRect item = view->visualRect(index);
    QTest::mouseMove(view->viewport(), item.center() + QPoint(0, item.height() / 4));
    QTest::mouseMove(view->viewport(), item.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QTRY_VERIFY(!view->isVisible());
    settle();
}

QString describe(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
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
