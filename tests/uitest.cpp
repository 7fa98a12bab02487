#include "uitest.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWindow>

using namespace Qt::StringLiterals;

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
    dropModalAnswers();
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

QString labelText(ScreenId id, const char *name)
{
    auto *label = control<QLabel>(id, name);
    return label ? label->text() : u"<no label %1>"_s.arg(QLatin1String(name));
}

bool isUsable(ScreenId id)
{
    QWidget *screen = Screens::find(id);
    return screen && screen->isVisible() && screen->isEnabled();
}

QWidget *showExposed(ScreenId id)
{
    QWidget *screen = Screens::show(id);
    return QTest::qWaitForWindowExposed(screen) ? screen : nullptr;
}

QWidget *showActive(ScreenId id)
{
    QWidget *screen = showExposed(id);
    if (!screen)
        return nullptr;
    screen->activateWindow();
    return QTest::qWaitForWindowActive(screen) ? screen : nullptr;
}

void pressKey(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY2(focus, "nothing has the keyboard focus");
    QTest::keyClick(focus, Qt::Key(key), modifiers);
    settle();
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

void openPageOptions()
{
    click(ScreenId::Generator, "Command4");
    QVERIFY(isUsable(ScreenId::Options));
    QVERIFY(QTest::qWaitForWindowActive(Screens::find(ScreenId::Options)));
}

void choosePageAction(const char *checkBox)
{
    CHECKED(openPageOptions());
    if (checkBox)
        click(control<QCheckBox>(ScreenId::Options, checkBox));
    click(ScreenId::Options, "Command4");
    QVERIFY(!Screens::isOpen(ScreenId::Options));
    QVERIFY(isUsable(ScreenId::Generator));
}

void closeByCloseControl(QWidget *window)
{
    QVERIFY2(window, "no such window");
    QVERIFY(window->windowHandle());
    // What the window system sends when the user presses the close control: a close event to the
    // native window, which Qt hands on to the widget as the window system's request. QWindow::close()
    // is not the same: Qt takes it for a close by the program, which a disabled window obeys.
    QCloseEvent event;
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}

void closeByCloseControl(ScreenId id)
{
    closeByCloseControl(Screens::find(id));
}

void pick(QComboBox *list, int position)
{
    QVERIFY(list);
    QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier,
                      QPoint(list->width() - list->height() / 2, list->height() / 2));
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

void typeKeys(QWidget *widget, const QString &text)
{
    QVERIFY(widget);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && text.mid(i + 1, 1) == u"\n"_s) {
            QTest::keyClick(widget, Qt::Key_Return);
            ++i;
        } else if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void typeText(QLineEdit *box, const QString &text)
{
    QVERIFY2(box, "no such box");
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    typeKeys(box, text);
}

void typeText(QPlainTextEdit *box, const QString &text)
{
    QVERIFY2(box, "no such box");
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    typeKeys(box, text);
}

void typeAtEnd(QPlainTextEdit *box, const QString &text)
{
    QVERIFY2(box, "no such box");
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    typeKeys(box, text);
}

void paste(QLineEdit *box, const QString &text)
{
    QVERIFY2(box, "no such box");
    QGuiApplication::clipboard()->setText(text);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    box->setFocus();
    QTest::keySequence(box, QKeySequence::Paste);
}

void startWizard()
{
    QVERIFY(Screens::show(ScreenId::Main));
    // The menu keeps its choice while it is only hidden, and from an earlier run.
    auto *makePage = control<QCheckBox>(ScreenId::Main, "Check1");
    QVERIFY(makePage);
    if (!makePage->isChecked())
        click(makePage);
    QVERIFY(makePage->isChecked());
    click(ScreenId::Main, "Command4");
    QVERIFY(isUsable(ScreenId::Step0));
    QVERIFY(!Screens::find(ScreenId::Main)->isVisible());
}

bool typeNameAndSave(QFileDialog *dialog, const QString &path)
{
    auto *edit = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
    auto *buttons = dialog->findChild<QDialogButtonBox *>(u"buttonBox"_s);
    // Typing goes where the focus is: the dialog must have come up first.
    if (!edit || !buttons || !QTest::qWaitForWindowActive(dialog))
        return false;
    edit->setFocus();
    edit->selectAll();
    typeKeys(edit, path);
    // A completion list may have opened over the dialog; the user would close it first.
    if (edit->completer() && edit->completer()->popup())
        edit->completer()->popup()->hide();
    for (QAbstractButton *button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    return !dialog->isVisible();
}

std::function<void(QFileDialog *)> saveAs(const QString &path)
{
    return [path](QFileDialog *dialog) {
        if (!typeNameAndSave(dialog, path))
            dialog->reject();
    };
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
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

} // namespace UiTest
