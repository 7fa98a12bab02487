// Draws the program's emblem as PNG icons for the desktop's icon theme, one per size given on the
// command line: rendericons OUTPUT_FOLDER SIZE... writes OUTPUT_FOLDER/SIZExSIZE.png.
//
// The scalable icon shrunk to 16 px would blur its arch into the background, so each size is drawn
// for its own pixel grid: the arch's pillars and opening are whole pixels wide, and the smaller the
// icon, the larger the arch is within it.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

QImage emblem(int size)
{
    const double s = size;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // The blue rounded square: it fills small icons, which have no pixel to spare for a margin.
    const double margin = size >= 32 ? std::round(s * 0.04) : 0;
    painter.setBrush(QColor(25, 70, 140));
    painter.drawRoundedRect(QRectF(margin, margin, s - 2 * margin, s - 2 * margin), s * 0.18, s * 0.18);

    // The yellow arch, on whole pixels: two pillars and a round top over an opening.
    const double left = std::round(s * 0.19);
    const double right = s - left;
    const double pillar = std::max(2.0, std::round(s * 0.15));
    const double outer = (right - left) / 2;
    const double inner = outer - pillar;
    const double centreY = std::round(s * 0.45);
    const double bottom = s - std::round(s * 0.15);
    const double centreX = s / 2;
    QPainterPath arch;
    arch.moveTo(left, bottom);
    arch.lineTo(left, centreY);
    arch.arcTo(QRectF(centreX - outer, centreY - outer, 2 * outer, 2 * outer), 180, -180);
    arch.lineTo(right, bottom);
    arch.lineTo(right - pillar, bottom);
    arch.lineTo(right - pillar, centreY);
    arch.arcTo(QRectF(centreX - inner, centreY - inner, 2 * inner, 2 * inner), 0, 180);
    arch.lineTo(left + pillar, bottom);
    arch.closeSubpath();
    painter.setBrush(QColor(250, 200, 40));
    painter.drawPath(arch);
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString path = QStringLiteral("%1/%2x%2.png").arg(folder).arg(size);
        if (size < 8 || !emblem(size).save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(path));
            return 1;
        }
    }
    return 0;
}
