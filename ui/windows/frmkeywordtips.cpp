#include "ui/windows/frmkeywordtips.h"

#include "ui/controls/boxtexts.h"
#include "ui/controls/singleline.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/wizardflow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Fifteen lines, each ended by a line break, the last one too.
const char16_t KeywordTips[] =
    u"1) Your \"Phrases\" should consist of three or four words. \r\n"
    u"\r\n"
    u"2) Don't repeat words - money, money, money, money, money.\r\n"
    u"\r\n"
    u"3) You can use the same word more that once, but try to use the capitalized or \r\n"
    u"plural version.\r\n"
    u"\r\n"
    u"4) Select phrases that are relevant to what your site has to offer, but think about \r\n"
    u"what YOU would search for to find information on that topic. Remember that if you \r\n"
    u"target words that are rarely searched for, you probably won't get very many hits.\r\n"
    u"\r\n"
    u"5) Never repeat your \"Targeted Phrase\"\r\n"
    u"\r\n"
    u"6) Your \"Support Phrases\" are there to increase the revelancy of your \"Targeted \r\n"
    u"Phrase\"\r\n";

QLineEdit *makeExampleBox(QWidget *parent, const char *name, const char *text)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    makeSingleLine(box);
    box->setText(QLatin1String(text));
    return box;
}

} // namespace

frmKeyWordTips::frmKeyWordTips()
    : FullWindow(ScreenId::KeyWordTips, QStringLiteral("Tips on selecting phrases"))
{
    createControls();
}

void frmKeyWordTips::createControls()
{
    auto *label1 = new QLabel(QStringLiteral("The \"Targeted Phrase\" is the exact string of key words you want your "
                                             "site to be listed under. Here are six things to keep in mind while "
                                             "selecting your phrases."),
                              this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);

    auto *text1 = new TextBox(this);
    text1->setObjectName(QStringLiteral("Text1"));
    text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text1->setAccessibleName(QStringLiteral("Keyword selection tips"));
    const QString tips = QString::fromUtf16(KeywordTips);
    setBoxText(text1, tips);
    // The tips are broken into lines by hand: wide enough for the longest, no line wraps again.
    int longest = 0;
    for (const QString &line : tips.split(QStringLiteral("\r\n")))
        longest = qMax(longest, text1->fontMetrics().horizontalAdvance(line));
    const int chrome = 2 * (text1->frameWidth() + int(text1->document()->documentMargin())) +
                       text1->verticalScrollBar()->sizeHint().width() + text1->fontMetrics().averageCharWidth();
    text1->setMinimumWidth(longest + chrome);
    text1->setPreferredSize(0, 16);

    // An example set of phrases; nothing reads them.
    auto *label2 = new QLabel(QStringLiteral("Targeted Phrase:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    QLineEdit *primary = makeExampleBox(this, "PrimaryKeywords", "free search engine software");
    label2->setBuddy(primary);
    auto *label3 = new QLabel(QStringLiteral("Support Phrases:"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    QLineEdit *support1 = makeExampleBox(this, "Support1", "Search Engine Secrets");
    label3->setBuddy(support1);
    QLineEdit *support2 = makeExampleBox(this, "Support2", "software for search engines");
    support2->setAccessibleName(label3->text() + QLatin1String(" 2"));
    QLineEdit *support3 = makeExampleBox(this, "Support3", "SEARCH ENGINE RANKING");
    support3->setAccessibleName(label3->text() + QLatin1String(" 3"));

    PictureButton *command1 =
        addNavigationButton(Place::Back, "Command1", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    connect(command1, &QToolButton::clicked, this, &QWidget::close);
    setEscapeCloses();

    auto *phrases = new QGridLayout;
    phrases->addWidget(label2, 0, 0);
    phrases->addWidget(primary, 0, 1);
    phrases->addWidget(label3, 1, 0);
    phrases->addWidget(support1, 1, 1);
    phrases->addWidget(support2, 2, 1);
    phrases->addWidget(support3, 3, 1);
    phrases->setColumnStretch(1, 1);

    auto *body = new QVBoxLayout;
    body->addWidget(label1);
    body->addWidget(text1, 1);
    body->addLayout(phrases);
    setBody(body);

    command1->setFocus();
}

void frmKeyWordTips::closeLogic()
{
    // Back to the phrases screen, which kept its entries while hidden.
    Screens::show(WizardFlow::previous(screenId()));
}
