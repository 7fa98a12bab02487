#include "ui/windows/frmsplash.h"

#include "ui/controls/pictures.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

int splashDurationMs = frmSplash::DefaultDurationMs;

} // namespace

void frmSplash::setDurationForTests(int milliseconds)
{
    splashDurationMs = milliseconds;
}

frmSplash::frmSplash()
    : ScreenWindow(ScreenId::Splash, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Rankwright Assistant 5.0"));
    // The splash reacts to nothing: clicks and keys have no effect.
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, QColor(25, 70, 140));
    setPalette(white);

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    const int side = fontMetrics().height() * 7;
    picture->setPixmap(pictureIcon(Picture::Emblem, palette()).pixmap(QSize(side, side), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);

    auto *title = new QLabel(QStringLiteral("Rankwright Assistant"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(QStringLiteral("Version 5.0"), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignCenter);

    auto *tagline = new QLabel(QStringLiteral("Gateway pages for the search engines"), this);
    tagline->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    const int margin = fontMetrics().height() * 2;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(tagline);

    // The timer belongs to the window: closing the splash ends it.
    auto *timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setSingleShot(true);
    // A coarse timer may fire up to 5% early, and the main menu must not come before its time.
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &frmSplash::timeUp);
    timer->start(splashDurationMs);
}

void frmSplash::timeUp()
{
    // The main menu shows itself when it is created.
    Screens::show(ScreenId::Main);
    Screens::setEnabled(ScreenId::Main, true);
    close();
}
