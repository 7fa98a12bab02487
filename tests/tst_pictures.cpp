// The pictures of the caption-less buttons and of the banner stand out from what they are drawn
// on in the palettes users have (light, dark, high contrast): measured on the rendered pixels of the
// real windows, with the palette changed while they are open.
#include "uitest.h"

#include "ui/controls/pictures.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScreenId)

namespace {

// WCAG's relative luminance and contrast ratio, computed here from the pixels, apart from the
// program's own.
qreal luminance(QRgb pixel)
{
    auto linear = [](int channel) {
        const qreal c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) + 0.0722 * linear(qBlue(pixel));
}

qreal contrast(QRgb a, QRgb b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// What a picture looks like on its surface: how many of its pixels stand out at all from the
// surface, and the contrast most of them have (the median: antialiased edges count, but do not
// decide).
struct Measure
{
    int inkPixels = 0;
    qreal medianContrast = 1;
    qreal greatestChroma = 0; // how coloured the most coloured pixel is, 0 to 255
    int otherColours = 0;     // pixels that are neither the surface nor `only`, nor a blend of the two
};

// Whether `pixel` is `colour` laid over `surface` at some opacity, as antialiasing draws it.
bool isBlendOf(QRgb pixel, QRgb surface, QRgb colour)
{
    const int channels[3][3] = {{qRed(pixel), qRed(surface), qRed(colour)},
                                {qGreen(pixel), qGreen(surface), qGreen(colour)},
                                {qBlue(pixel), qBlue(surface), qBlue(colour)}};
    // The opacity, from the channel in which the two differ most.
    int widest = 0;
    for (int c = 1; c < 3; ++c) {
        if (std::abs(channels[c][2] - channels[c][1]) > std::abs(channels[widest][2] - channels[widest][1]))
            widest = c;
    }
    const int span = channels[widest][2] - channels[widest][1];
    const qreal opacity = span == 0 ? 0 : qreal(channels[widest][0] - channels[widest][1]) / span;
    for (const auto &channel : channels) {
        if (std::abs(channel[1] + opacity * (channel[2] - channel[1]) - channel[0]) > 12)
            return false;
    }
    return true;
}

// Each pixel of the picture in `image` against the same pixel of `surface`, the same place drawn
// without the picture.
Measure measure(const QImage &image, const QImage &surface, const QRect &picture, QRgb only = 0)
{
    QList<qreal> ratios;
    Measure result;
    for (int y = picture.top(); y <= picture.bottom(); ++y) {
        for (int x = picture.left(); x <= picture.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const QRgb behind = surface.pixel(x, y);
            const qreal ratio = contrast(pixel, behind);
            // Antialiased edges barely touched by the picture.
            if (ratio < 1.1)
                continue;
            ratios << ratio;
            const int chroma = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) -
                               std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            result.greatestChroma = qMax(result.greatestChroma, qreal(chroma));
            if (only && !isBlendOf(pixel, behind, only))
                ++result.otherColours;
        }
    }
    result.inkPixels = int(ratios.size());
    if (!ratios.isEmpty()) {
        std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
        result.medianContrast = ratios.at(ratios.size() / 2);
    }
    return result;
}

QImage grabbed(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A picture button against its own face: grabbed as the user sees it, and once more without its
// picture.
Measure measureButton(QToolButton *button, QRgb only = 0)
{
    const QImage image = grabbed(button);
    const QIcon icon = button->icon();
    button->setIcon(QIcon());
    const QImage face = grabbed(button);
    button->setIcon(icon);
    return measure(image, face, image.rect(), only);
}

// A picture of the banner against the window, grabbed with the picture and once more without.
Measure measureOnWindow(QWidget *window, QWidget *picture)
{
    const QImage image = grabbed(window);
    picture->setVisible(false);
    const QImage surface = grabbed(window);
    picture->setVisible(true);
    const qreal ratio = image.devicePixelRatio();
    return measure(image, surface, QRect(picture->mapTo(window, QPoint(0, 0)) * ratio, picture->size() * ratio));
}

QPalette lightPalette()
{
    return QApplication::style()->standardPalette();
}

// qt6ct's "darker" colour scheme, as users of Qt programs on a dark desktop have it.
QPalette darkPalette()
{
    QPalette palette(QColor(0xff, 0xff, 0xff), QColor(0x42, 0x42, 0x45), QColor(0x97, 0x97, 0x97),
                     QColor(0x30, 0x2f, 0x2e), QColor(0x4a, 0x49, 0x47), QColor(0xff, 0xff, 0xff),
                     QColor(0xff, 0xff, 0xff), QColor(0x3d, 0x3d, 0x3d), QColor(0x22, 0x20, 0x20));
    palette.setColor(QPalette::Midlight, QColor(0x5e, 0x5c, 0x5b));
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8a));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return palette;
}

// A high-contrast scheme: white on black, disabled text green.
QPalette highContrastPalette()
{
    QPalette palette(Qt::white, Qt::black, Qt::white, Qt::white, Qt::white, Qt::white, Qt::white, Qt::black, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x1a, 0xeb, 0xff));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x3f, 0xf2, 0x3f));
    return palette;
}

QPalette paletteNamed(const QString &name)
{
    if (name == "dark"_L1)
        return darkPalette();
    if (name == "high contrast"_L1)
        return highContrastPalette();
    return lightPalette();
}

const QStringList PaletteNames{u"light"_s, u"dark"_s, u"high contrast"_s};

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void picturesStandOut_data();
    void picturesStandOut();
    void disabledPicturesLookDisabled_data();
    void disabledPicturesLookDisabled();
};

void TestPictures::initTestCase()
{
    UiTest::initApplication();
}

void TestPictures::init()
{
    QApplication::setPalette(lightPalette());
    UiTest::startFresh();
    pageProject().EngineName = u"Alta Vista"_s;
}

void TestPictures::cleanup()
{
    UiTest::discardAllAndCheckNoLeak();
    QApplication::setPalette(lightPalette());
}

void TestPictures::picturesStandOut_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QString>("control"); // a button, or the banner's emblem or bar

    const struct
    {
        const char *picture;
        ScreenId screen;
        const char *control;
    } pictures[] = {
        {"cross", ScreenId::Step1, "Command1"},      {"right arrow", ScreenId::Step1, "Command2"},
        {"left arrow", ScreenId::Step1, "Command3"}, {"exclamation point", ScreenId::Step1, "Command4"},
        {"letter H", ScreenId::Main, "Command2"},    {"banner emblem", ScreenId::Step1, "Emblem"},
        {"banner bar", ScreenId::Step1, "Image1"},
    };
    for (const QString &palette : PaletteNames) {
        for (const auto &picture : pictures) {
            QTest::addRow("%s, %s", picture.picture, qPrintable(palette))
                << palette << picture.screen << QString::fromLatin1(picture.control);
        }
    }
}

void TestPictures::picturesStandOut()
{
    QFETCH(QString, palette);
    QFETCH(ScreenId, screen);
    QFETCH(QString, control);

    // Opened in the light palette; the user then switches the desktop's colours.
    QWidget *window = UiTest::showExposed(screen);
    QVERIFY(window);
    QApplication::setPalette(paletteNamed(palette));
    UiTest::settle();

    auto *widget = window->findChild<QWidget *>(control);
    QVERIFY2(widget, qPrintable(control));
    auto *button = qobject_cast<QToolButton *>(widget);
    // The banner's pictures stand on the window.
    const Measure seen = button ? measureButton(button) : measureOnWindow(window, widget);
    qInfo("%s: median contrast %.2f:1 over %d pixels", QTest::currentDataTag(), seen.medianContrast, seen.inkPixels);
    QVERIFY2(seen.inkPixels > 50, "the picture is not drawn");
    QVERIFY2(seen.medianContrast >= 3.0, qPrintable(u"contrast %1:1"_s.arg(seen.medianContrast, 0, 'f', 2)));
}

void TestPictures::disabledPicturesLookDisabled_data()
{
    QTest::addColumn<QString>("palette");
    for (const QString &palette : PaletteNames)
        QTest::newRow(qPrintable(palette)) << palette;
}

void TestPictures::disabledPicturesLookDisabled()
{
    QFETCH(QString, palette);

    QWidget *step1 = UiTest::showExposed(ScreenId::Step1);
    QVERIFY(step1);
    QApplication::setPalette(paletteNamed(palette));
    UiTest::settle();
    // The window is disabled while a message window is open over it: its pictures go grey, in
    // the palette's colour for disabled text, and come back when it is enabled.
    const auto buttons = step1->findChildren<QToolButton *>();
    QCOMPARE(buttons.size(), 4);
    for (QToolButton *button : buttons) {
        const Measure enabled = measureButton(button);
        QVERIFY2(enabled.greatestChroma > 60, qPrintable(button->objectName()));
    }
    Screens::setEnabled(ScreenId::Step1, false);
    for (QToolButton *button : buttons) {
        // One colour, the palette's for disabled text, whatever the picture's own colours are.
        const QRgb grey = button->palette().color(QPalette::Disabled, QPalette::ButtonText).rgb();
        const Measure disabled = measureButton(button, grey);
        QVERIFY2(disabled.inkPixels > 50, qPrintable(button->objectName()));
        QVERIFY2(
            disabled.otherColours == 0,
            qPrintable(u"%1 has %2 pixels in other colours"_s.arg(button->objectName()).arg(disabled.otherColours)));
    }
    Screens::setEnabled(ScreenId::Step1, true);
    QVERIFY(measureButton(buttons.first()).greatestChroma > 60);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
