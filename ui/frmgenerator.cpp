#include "ui/frmgenerator.h"

#include "analysis/reports.h"
#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "generator/pagefile.h"
#include "platform/appfolders.h"
#include "ui/browserhandoff.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/textboxes.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

// Qt's own save dialog lets a name in a folder that does not exist through; this one says so
// and stays open, so the user can correct the name.
class PageSaveDialog : public QFileDialog
{
public:
    explicit PageSaveDialog(QWidget *parent)
        : QFileDialog(parent)
    {
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QFileInfo chosen(files.constFirst());
            if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
                QMessageBox::warning(this, windowTitle(),
                                     QStringLiteral("The folder %1 does not exist.\nCheck the name and try again.")
                                         .arg(QDir::toNativeSeparators(chosen.absolutePath())));
                return;
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

frmGenerator::frmGenerator()
    : Screen(ScreenId::Generator)
{
    createControls();
    connectControls();
    load();
}

void frmGenerator::createControls()
{
    setObjectName(QStringLiteral("frmGenerator"));
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));

    m_text1 = new QPlainTextEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(QStringLiteral("Gateway page HTML"));
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(m_text1->font());
    m_text1->setMinimumSize(metrics.averageCharWidth() * 80, metrics.lineSpacing() * 20);

    m_lbl1 = new QLabel(
        QStringLiteral("If you have everything exactly how you want it, click the exclamation point below!    "), this);
    m_lbl1->setObjectName(QStringLiteral("lbl1"));
    m_lbl1->setWordWrap(true);
    m_lbl1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lbl1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lbl2 = new QLabel(this);
    m_lbl2->setObjectName(QStringLiteral("lbl2"));
    m_lbl2->setWordWrap(true);
    m_lbl2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lbl2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for the four lines of a report, so the window does not jump when one is shown.
    for (QLabel *label : {m_lbl1, m_lbl2})
        label->setMinimumHeight(label->fontMetrics().lineSpacing() * 4);

    m_command4 =
        makePictureButton(this, "Command4", Picture::Exclamation, QStringLiteral("Click Here For More Options!"));
    m_command3 = makePictureButton(this, "Command3", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    m_command1 = makePictureButton(this, "Command1", Picture::Cross, QStringLiteral("Click Here To Quit"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_command3);
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command4);

    auto *layout = new QGridLayout(this);
    addDecorations(this, layout, 2);
    layout->addWidget(m_text1, 2, 0, 1, 2);
    layout->addWidget(m_lbl1, 3, 0);
    layout->addWidget(m_lbl2, 3, 1);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    setTabOrder(m_text1, m_command4);
    setTabOrder(m_command4, m_command3);
    setTabOrder(m_command3, m_command1);
}

void frmGenerator::connectControls()
{
    connect(m_command4, &QToolButton::clicked, this, &frmGenerator::openOptions);
    connect(m_command3, &QToolButton::clicked, this, &frmGenerator::goBack);
    connect(m_command1, &QToolButton::clicked, this,
            [this] { Screens::showMessage(ScreenId::Quit1, this, ScreenId::Generator); });
}

void frmGenerator::load()
{
    PageProject &project = pageProject();
    setCaption(m_lbl2, QStringLiteral("Click the exclamation point and analize your HTML code to be sure your page is "
                                      "ready to be submitted to ") +
                           project.EngineName + QLatin1Char('.'));
    setBoxText(m_text1, BuildGatewayPage(project));
    m_text1->setFocus();
}

void frmGenerator::goBack()
{
    close();
    Screens::show(ScreenId::Step5);
}

void frmGenerator::closeLogic()
{
    m_timerEnabled = false;
    Screens::show(ScreenId::Step5);
}

void frmGenerator::openOptions()
{
    setActionTimerEnabled(true);
    Screens::showMessage(ScreenId::Options, this, ScreenId::Generator);
}

void frmGenerator::changeEvent(QEvent *event)
{
    Screen::changeEvent(event);
    // Enabled again: frmOptions has closed, and a chosen action is waiting.
    if (event->type() == QEvent::EnabledChange && isEnabled())
        scheduleTick();
}

void frmGenerator::setActionTimerEnabled(bool enabled)
{
    m_timerEnabled = enabled;
    if (enabled)
        scheduleTick();
}

void frmGenerator::scheduleTick()
{
    if (!m_timerEnabled || m_tickPending)
        return;
    m_tickPending = true;
    // On its own turn of the event loop, after the window whose closing enabled this one.
    QMetaObject::invokeMethod(this, &frmGenerator::tick, Qt::QueuedConnection);
}

void frmGenerator::tick()
{
    m_tickPending = false;
    // A closed screen is only waiting to be destroyed; its timer has ended.
    if (!m_timerEnabled || Screens::find(ScreenId::Generator) != this)
        return;
    // Each action empties PendingAction first, so one tick performs at most one.
    PageProject &project = pageProject();
    if (project.PendingAction == QLatin1String("Analize")) {
        project.PendingAction.clear();
        analysePage();
        m_timerEnabled = false;
    }
    if (project.PendingAction == QLatin1String("Browser")) {
        viewPage();
        m_timerEnabled = false;
    }
    if (project.PendingAction == QLatin1String("Save"))
        savePage();
}

void frmGenerator::analysePage()
{
    AnalysedBox analysed = analysedBox(m_text1);
    const ReportCaptions captions = ReportGeneratedPage(pageProject(), analysed, QLocale());
    setCaption(m_lbl1, captions.statistics);
    setCaption(m_lbl2, captions.advice);
    applySelection(m_text1, analysed);
}

void frmGenerator::viewPage()
{
    pageProject().PendingAction.clear();
    const QString path = resultsFilePath();
    QString error;
    // The browser would show an old page, or none, if the new one was not written.
    if (!prepareProgramFile(path, &error) || !writePageFile(path, boxText(m_text1), &error)) {
        showWarning(this, QStringLiteral("Page Not Shown"),
                    QStringLiteral("Your page could not be written to\n%1\nso it was not opened in your browser.\n\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    OpenInBrowser(this, programProbePath(), path, QStringLiteral("Could not your Browser"));
}

QFileDialog *frmGenerator::saveDialog()
{
    if (!m_commonDialog1) {
        m_commonDialog1 = new PageSaveDialog(this);
        m_commonDialog1->setObjectName(QStringLiteral("CommonDialog1"));
        // Qt's own dialog on every desktop, so it behaves the same everywhere.
        m_commonDialog1->setOption(QFileDialog::DontUseNativeDialog);
        m_commonDialog1->setAcceptMode(QFileDialog::AcceptSave);
        m_commonDialog1->setFileMode(QFileDialog::AnyFile);
        m_commonDialog1->setNameFilter(QStringLiteral("HTML Files (*.htm)"));
        m_commonDialog1->setWindowModality(Qt::ApplicationModal);
    }
    return m_commonDialog1;
}

void frmGenerator::savePage()
{
    pageProject().PendingAction.clear();
    QFileDialog *dialog = saveDialog();
    if (dialog->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty())
        return;
    const QString path = chosen.constFirst();
    QString error;
    if (!writePageFile(path, boxText(m_text1), &error)) {
        showWarning(
            this, QStringLiteral("Page Not Saved"),
            QStringLiteral("Your page could not be saved to\n%1\n\n%2").arg(QDir::toNativeSeparators(path), error));
    }
}
