#include "ui/controls/pictures.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// WCAG's relative luminance of an sRGB colour.
qreal relativeLuminance(const QColor &colour)
{
    auto linear = [](qreal c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// The pictures' own colours, made light or dark enough to stand out from the surface they are drawn
// on: graphics that identify a control need 3:1, and a little more keeps the antialiased edges and
// the button's shading clear of it.
constexpr qreal LegibleContrast = 3.5;

qreal leastContrast(const QColor &colour, const QList<QColor> &surfaces)
{
    qreal least = 21;
    for (const QColor &surface : surfaces)
        least = qMin(least, contrastRatio(colour, surface));
    return least;
}

// `wanted` when it stands out enough from each of `surfaces` (a surface and its shades), otherwise
// the same hue made lighter (on a dark surface) or darker (on a light one) until it does.
QColor legibleOn(const QColor &wanted, const QList<QColor> &surfaces, qreal ratio = LegibleContrast)
{
    if (leastContrast(wanted, surfaces) >= ratio)
        return wanted;
    const qreal surfaceLuminance = relativeLuminance(surfaces.constFirst());
    // Towards white or black, whichever leaves more room for contrast.
    const bool lighten = (1.05 / (surfaceLuminance + 0.05)) > ((surfaceLuminance + 0.05) / 0.05);
    float hue = 0;
    float saturation = 0;
    float lightness = 0;
    wanted.toHsl().getHslF(&hue, &saturation, &lightness);
    for (int step = 1; step <= 50; ++step) {
        const float t = step / 50.0f;
        const float l = lighten ? lightness + (1 - lightness) * t : lightness * (1 - t);
        const QColor candidate = QColor::fromHslF(hue, saturation, l);
        if (leastContrast(candidate, surfaces) >= ratio)
            return candidate;
    }
    return lighten ? QColor(Qt::white) : QColor(Qt::black);
}

QColor legibleOn(const QColor &wanted, const QColor &surface)
{
    return legibleOn(wanted, QList<QColor>{surface});
}

// A button's face is shaded: styles draw it lighter and darker than the palette's button colour.
QList<QColor> buttonFace(const QColor &button)
{
    return {button, button.lighter(135), button.darker(115)};
}

// The colours of the pictures as designed; on other palettes they keep their hue.
const QColor CrossRed(200, 30, 30);
const QColor ArrowBlue(40, 120, 210);
const QColor ExclamationAmber(230, 160, 0);
const QColor LetterGreen(30, 110, 60);
const QColor EmblemBlue(25, 70, 140);
const QColor EmblemGold(250, 200, 40);

class PictureEngine : public QIconEngine
{
public:
    PictureEngine(Picture picture, const QPalette &palette)
        : m_picture(picture)
        , m_palette(palette)
    {
    }

    QIconEngine *clone() const override { return new PictureEngine(m_picture, m_palette); }

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
        // The emblem stands on the window, the others on a button.
        const bool onButton = m_picture != Picture::Emblem;
        const QColor surface = m_palette.color(QPalette::Active, onButton ? QPalette::Button : QPalette::Window);
        const QColor text = m_palette.color(QPalette::Active, onButton ? QPalette::ButtonText : QPalette::WindowText);
        // Disabled: one grey, the palette's own for disabled text, as every other disabled control.
        const bool disabled = mode == QIcon::Disabled;
        const QColor grey = m_palette.color(QPalette::Disabled, onButton ? QPalette::ButtonText : QPalette::WindowText);
        const QList<QColor> surfaces = onButton ? buttonFace(surface) : QList<QColor>{surface};
        auto colour = [&](const QColor &wanted) { return disabled ? grey : legibleOn(wanted, surfaces); };
        // Drawn in a 100 x 100 box (arrows: 160 x 100), scaled into the rectangle.
        const bool wide = m_picture == Picture::LeftArrow || m_picture == Picture::RightArrow;
        const QSizeF design(wide ? 160 : 100, 100);
        const qreal scale = qMin(rect.width() / design.width(), rect.height() / design.height());
        painter->translate(rect.center());
        painter->scale(scale, scale);
        painter->translate(-design.width() / 2, -design.height() / 2);

        switch (m_picture) {
        case Picture::Cross: {
            QPen pen(colour(CrossRed), 18, Qt::SolidLine, Qt::RoundCap);
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
            // The outline in the button's text colour draws the shape whatever the fill.
            painter->setPen(QPen(disabled ? grey : text, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter->setBrush(colour(ArrowBlue));
            painter->drawPath(arrow);
            break;
        }
        case Picture::Exclamation: {
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(ExclamationAmber));
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
            painter->setBrush(colour(LetterGreen));
            painter->drawRect(QRectF(18, 10, 18, 80));
            painter->drawRect(QRectF(64, 10, 18, 80));
            painter->drawRect(QRectF(36, 41, 28, 18));
            break;
        }
        case Picture::Emblem: {
            // A gateway: an arch over a path leading up to it.
            const QColor ground = colour(EmblemBlue);
            painter->setPen(Qt::NoPen);
            painter->setBrush(ground);
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
            painter->setBrush(disabled ? surface : legibleOn(EmblemGold, ground));
            painter->drawPath(arch);
            break;
        }
        }
        painter->restore();
    }

private:
    Picture m_picture;
    QPalette m_palette;
};

} // namespace

qreal contrastRatio(const QColor &a, const QColor &b)
{
    const qreal la = relativeLuminance(a);
    const qreal lb = relativeLuminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QIcon pictureIcon(Picture picture, const QPalette &palette)
{
    return QIcon(new PictureEngine(picture, palette));
}

QIcon pictureIcon(Picture picture)
{
    return pictureIcon(picture, QGuiApplication::palette());
}

PictureButton::PictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip)
    : QToolButton(parent)
    , m_picture(picture)
{
    setObjectName(QLatin1String(objectName));
    setIcon(pictureIcon(picture, palette()));
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

void PictureButton::changeEvent(QEvent *event)
{
    QToolButton::changeEvent(event);
    // A new palette (the desktop's theme changed, say): colours that stand out from the new face.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        setIcon(pictureIcon(m_picture, palette()));
}

PictureButton *makePictureButton(QWidget *parent, const char *objectName, Picture picture, const QString &toolTip)
{
    return new PictureButton(parent, objectName, picture, toolTip);
}

namespace {

// The coloured bar under the banner, in a blue that stands out from the window in any palette.
class Bar : public QWidget
{
public:
    explicit Bar(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("Image1"));
        setFixedHeight(fontMetrics().height() / 2);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), legibleOn(EmblemBlue, palette().color(QPalette::Window)));
    }
};

// The emblem, drawn for the palette of the moment.
class Emblem : public QWidget
{
public:
    explicit Emblem(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("Emblem"));
        const int side = fontMetrics().height() * 3;
        setFixedSize(side, side);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        pictureIcon(Picture::Emblem, palette()).paint(&painter, rect());
    }
};

} // namespace

TitleBanner::TitleBanner(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Image2"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *name = new QLabel(QStringLiteral("Rankwright Assistant"), this);
    QFont font = name->font();
    font.setPointSizeF(font.pointSizeF() * 1.8);
    font.setBold(true);
    name->setFont(font);
    layout->addWidget(new Emblem(this));
    layout->addWidget(name);
    layout->addStretch();
    setAccessibleName(QStringLiteral("Rankwright Assistant"));
}

void addDecorations(QWidget *window, QGridLayout *layout, int columns)
{
    layout->addWidget(new TitleBanner(window), 0, 0, 1, columns);
    layout->addWidget(new Bar(window), 1, 0, 1, columns);
}

void addDecorations(QWidget *window, QBoxLayout *layout)
{
    layout->addWidget(new TitleBanner(window));
    layout->addWidget(new Bar(window));
}
