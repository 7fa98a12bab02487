// The captions of labels: the program's "\r\n" line breaks as a label shows them.
#include "ui/controls/captions.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCaptions : public QObject
{
    Q_OBJECT

private slots:
    void captionText_data();
    void captionText();
};

void TestCaptions::captionText_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");

    QTest::newRow("CR LF") << u"Statistics:\r\nYour total"_s << u"Statistics:\nYour total"_s;
    QTest::newRow("two in a row") << u"a\r\n\r\nb"_s << u"a\n\nb"_s;
    QTest::newRow("lone CR and lone LF as they are") << u"a\rb\nc"_s << u"a\rb\nc"_s;
    QTest::newRow("CR, then CR LF") << u"a\r\r\nb"_s << u"a\r\nb"_s;
    QTest::newRow("at both ends") << u"\r\nab\r\n"_s << u"\nab\n"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestCaptions::captionText()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(::captionText(caption), shown);
    QLabel label;
    setCaption(&label, caption);
    QCOMPARE(label.text(), shown);
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
