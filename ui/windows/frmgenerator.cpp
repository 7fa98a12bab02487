#include "ui/windows/frmgenerator.h"

#include "analysis/reports.h"
#include "core/pageproject.h"
#include "generator/gatewaypage.h"
#include "platform/appfolders.h"
#include "platform/pagefile.h"
#include "ui/controls/boxtexts.h"
#include "ui/controls/browserhandoff.h"
#include "ui/controls/captions.h"
#include "ui/controls/messagebox.h"
#include "ui/controls/ondemandtimer.h"
#include "ui/controls/textbox/textbox.h"
#include "ui/model/boxreport.h"
#include "ui/model/wizardflow.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
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
    : FullWindow(ScreenId::Generator, QStringLiteral("your gateway page"))
{
    createControls();
    connectControls();
    // Disabled at load; the options window's opening enables it.
    m_timer1 = new OnDemandTimer(this, "Timer1", [this] { carryOutPendingAction(); });
}

void frmGenerator::createControls()
{
    m_text1 = new TextBox(this, 80, 20);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAccessibleName(QStringLiteral("Gateway page HTML"));
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    m_lbl1 = new QLabel(
        QStringLiteral("If you have everything exactly how you want it, click the exclamation point below!    "), this);
    m_lbl1->setObjectName(QStringLiteral("lbl1"));
    m_lbl2 = new QLabel(this);
    m_lbl2->setObjectName(QStringLiteral("lbl2"));
    for (QLabel *label : {m_lbl1, m_lbl2}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Selectable by the keyboard too: Tab reaches the report like any other control that
        // takes the focus, so screen readers and keyboard users can read and copy it.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus);
        // Room for the four lines of a report, so the window does not jump when one is shown.
        label->setMinimumHeight(label->fontMetrics().lineSpacing() * 4);
    }

    m_moreOptions = addNavigationButton(Place::Exclamation, "Command4", Picture::Exclamation,
                                        QStringLiteral("Click Here For More Options!"));
    m_back = addNavigationButton(Place::Back, "Command3", Picture::LeftArrow, QStringLiteral("Click Here To Go Back"));
    m_quit = addNavigationButton(Place::Quit, "Command1", Picture::Cross, QStringLiteral("Click Here To Quit"));

    auto *body = new QGridLayout;
    body->addWidget(m_text1, 0, 0, 1, 2);
    body->addWidget(m_lbl1, 1, 0);
    body->addWidget(m_lbl2, 1, 1);
    body->setRowStretch(0, 1);
    body->setColumnStretch(0, 1);
    body->setColumnStretch(1, 1);
    setBody(body);
}

void frmGenerator::connectControls()
{
    connect(m_moreOptions, &QToolButton::clicked, this, &frmGenerator::openOptions);
    connect(m_back, &QToolButton::clicked, this, &frmGenerator::goBack);
    connect(m_quit, &QToolButton::clicked, this, [this] { WizardFlow::showMessage(ScreenId::Quit1, this); });
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
    Screens::show(WizardFlow::previous(screenId()));
}

void frmGenerator::closeLogic()
{
    m_timer1->stop();
    handOnWizardFrame();
    Screens::show(WizardFlow::previous(screenId()));
}

bool frmGenerator::isActionTimerEnabled() const
{
    return m_timer1->isRunning();
}

void frmGenerator::openOptions()
{
    m_timer1->start();
    WizardFlow::showMessage(ScreenId::Options, this);
}

void frmGenerator::changeEvent(QEvent *event)
{
    FullWindow::changeEvent(event);
    // Enabled again: frmOptions has closed, and a chosen action may be waiting.
    if (event->type() == QEvent::EnabledChange && isEnabled())
        m_timer1->wake();
}

void frmGenerator::carryOutPendingAction()
{
    // Each action empties PendingAction first, so one tick performs at most one.
    PageProject &project = pageProject();
    if (project.PendingAction == PendingAnalize) {
        project.PendingAction.clear();
        analysePage();
        m_timer1->stop();
    }
    if (project.PendingAction == PendingBrowser) {
        viewPage();
        m_timer1->stop();
    }
    if (project.PendingAction == PendingSave)
        savePage();
}

void frmGenerator::analysePage()
{
    // The page report never refuses.
    showBoxReport(m_text1, m_lbl1, m_lbl2, [](AnalysedBox &box) {
        return ReportOutcome{ReportRefusal::None, ReportGeneratedPage(pageProject(), box, QLocale())};
    });
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
    const int answer = dialog->exec();
    // As after a warning: the keyboard comes back here, whatever the window system does.
    activateWindow();
    if (answer != QDialog::Accepted)
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
