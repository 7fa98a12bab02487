#include "ui/controls/pictures.h"

#include <QIconEngine>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

class PictureEngine : public QIconEngine
{
public:
    explicit PictureEngine(Picture picture)
        : m_picture(picture)
    {
    }

    QIconEngine *clone() const override { return new PictureEngine(m_picture); }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        QPixmap pixmap(size * scale);
        pixmap.fill(Qt::transparent);
        pixmap.setDevicePixelRatio(scale);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool disabled = mode == QIcon::Disabled;
        auto colour = [disabled](QColor c) { return disabled ? QColor(160, 160, 160) : c; };
        // Drawn in a 100 x 100 box (arrows: 160 x 100), scaled into the rectangle.
        const bool wide = m_picture == Picture::LeftArrow || m_picture == Picture::RightArrow;
        const QSizeF design(wide ? 160 : 100, 100);
        const qreal scale = qMin(rect.width() / design.width(), rect.height() / design.height());
        painter->translate(rect.center());
        painter->scale(scale, scale);
        painter->translate(-design.width() / 2, -design.height() / 2);

        switch (m_picture) {
        case Picture::Cross: {
            QPen pen(colour(QColor(200, 30, 30)), 18, Qt::SolidLine, Qt::RoundCap);
            painter->setPen(pen);
            painter->drawLine(QPointF(20, 20), QPointF(80, 80));
            painter->drawLine(QPointF(80, 20), QPointF(20, 80));
            break;
        }
        case Picture::LeftArrow:
        case Picture::RightArrow: {
            QPainterPath arrow;
            arrow.moveTo(10, 35);
            arrow.lineTo(95, 35);
            arrow.lineTo(95, 10);
            arrow.lineTo(150, 50);
            arrow.lineTo(95, 90);
            arrow.lineTo(95, 65);
            arrow.lineTo(10, 65);
            arrow.closeSubpath();
            if (m_picture == Picture::LeftArrow) {
                painter->translate(design.width(), 0);
                painter->scale(-1, 1);
            }
            painter->setPen(QPen(colour(QColor(10, 60, 120)), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->setBrush(colour(QColor(40, 120, 210)));
            painter->drawPath(arrow);
            break;
        }
        case Picture::Exclamation: {
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(QColor(230, 160, 0)));
            QPainterPath bar;
            bar.moveTo(38, 8);
            bar.lineTo(62, 8);
            bar.lineTo(56, 66);
            bar.lineTo(44, 66);
            bar.closeSubpath();
            painter->drawPath(bar);
            painter->drawEllipse(QPointF(50, 84), 10, 10);
            break;
        }
        case Picture::LetterH: {
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(QColor(30, 110, 60)));
            painter->drawRect(QRectF(18, 10, 18, 80));
            painter->drawRect(QRectF(64, 10, 18, 80));
            painter->drawRect(QRectF(36, 41, 28, 18));
            break;
        }
        case Picture::Emblem: {
            // A gateway: an arch over a path leading up to it.
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(QColor(25, 70, 140)));
            painter->drawRoundedRect(QRectF(4, 4, 92, 92), 18, 18);
            QPainterPath arch;
            arch.moveTo(24, 84);
            arch.lineTo(24, 46);
            arch.arcTo(QRectF(24, 20, 52, 52), 180, -180);
            arch.lineTo(76, 84);
            arch.lineTo(62, 84);
            arch.lineTo(62, 46);
            arch.arcTo(QRectF(38, 34, 24, 24), 0, 180);
            arch.lineTo(38, 84);
            arch.closeSubpath();
            painter->setBrush(colour(QColor(250, 200, 40)));
            painter->drawPath(arch);
            break;
        }
        }
        painter->restore();
    }

private:
    Picture m_picture;
};

} // namespace

QIcon pictureIcon(Picture picture)
{
    return QIcon(new PictureEngine(picture));
}

PictureButton::PictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip)
    : QToolButton(parent)
{
    setObjectName(QLatin1String(objectName));
    setIcon(pictureIcon(picture));
    const bool wide = picture == Picture::LeftArrow || picture == Picture::RightArrow;
    setIconSize(wide ? QSize(52, 32) : QSize(32, 32));
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
}

bool pressOnEnter(QKeyEvent *event, QAbstractButton *button)
{
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && !event->isAutoRepeat())
        button->click();
    return enter;
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnEnter(event, this))
        QToolButton::keyPressEvent(event);
}

PictureButton *makePictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip)
{
    return new PictureButton(parent, objectName, picture, toolTip);
}

namespace {

QWidget *makeBar(QWidget *parent)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(QStringLiteral("Image1"));
    bar->setFrameShape(QFrame::NoFrame);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(25, 70, 140));
    bar->setPalette(palette);
    bar->setFixedHeight(bar->fontMetrics().height() / 2);
    return bar;
}

QWidget *makeTitleBanner(QWidget *parent)
{
    auto *banner = new QWidget(parent);
    banner->setObjectName(QStringLiteral("Image2"));
    auto *layout = new QHBoxLayout(banner);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *emblem = new QLabel(banner);
    const int side = banner->fontMetrics().height() * 3;
    emblem->setPixmap(pictureIcon(Picture::Emblem).pixmap(QSize(side, side), banner->devicePixelRatioF()));
    auto *name = new QLabel(QStringLiteral("Rankwright Assistant"), banner);
    QFont font = name->font();
    font.setPointSizeF(font.pointSizeF() * 1.8);
    font.setBold(true);
    name->setFont(font);
    layout->addWidget(emblem);
    layout->addWidget(name);
    layout->addStretch();
    banner->setAccessibleName(QStringLiteral("Rankwright Assistant"));
    return banner;
}

} // namespace

void addDecorations(QWidget *window, QGridLayout *layout, int columns)
{
    layout->addWidget(makeTitleBanner(window), 0, 0, 1, columns);
    layout->addWidget(makeBar(window), 1, 0, 1, columns);
}

void addDecorations(QWidget *window, QBoxLayout *layout)
{
    layout->addWidget(makeTitleBanner(window));
    layout->addWidget(makeBar(window));
}
