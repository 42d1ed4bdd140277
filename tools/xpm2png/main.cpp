// SPDX-FileCopyrightText: 2026 Equipe Vorkade
// SPDX-License-Identifier: GPL-3.0-or-later

// xpm2png INPUT.xpm OUTPUT.png [SIZE]
// xpm2png INPUT.xpm OUTPUT.svg
//
// Writes an XPM picture as a PNG with the same pixels, or enlarged to SIZE x
// SIZE pixels nearest-neighbour, each picture pixel a block of whole pixels;
// or as an SVG drawing of the same pixels, one rectangle per horizontal run of
// same-colour pixels, drawn with crisp edges, so that a desktop can ask for
// any size and still get pixel art. The build makes the installed application
// icons with it from the very art the window icon is decoded from at run time,
// so they cannot drift apart.
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace
{

// The SVG text of a picture. Transparent pixels get no rectangle; the art has
// no partly transparent ones, but they would keep their opacity.
QByteArray SvgOf(const QImage &picture)
{
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
               .arg(picture.width())
               .arg(picture.height())
               .toLatin1();
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width();) {
            const QRgb colour = picture.pixel(x, y);
            int end = x + 1;
            while (end < picture.width() && picture.pixel(end, y) == colour)
                ++end;
            if (qAlpha(colour) != 0) {
                svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" "
                                      "fill=\"#%4\"")
                           .arg(x)
                           .arg(y)
                           .arg(end - x)
                           .arg(colour & 0xffffff, 6, 16, QLatin1Char('0'))
                           .toLatin1();
                if (qAlpha(colour) != 255)
                    svg += QByteArray(" fill-opacity=\"") +
                           QByteArray::number(qAlpha(colour) / 255.0, 'g', 4) + '"';
                svg += "/>\n";
            }
            x = end;
        }
    }
    svg += "</svg>\n";
    return svg;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: xpm2png INPUT.xpm OUTPUT.png [SIZE]\n"
                             "       xpm2png INPUT.xpm OUTPUT.svg\n");
        return 2;
    }
    // Decoded as the game decodes its icons: XPM "None" becomes transparency.
    QImage picture =
        QImage(QString::fromLocal8Bit(argv[1]), "XPM").convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "xpm2png: cannot read %s as XPM\n", argv[1]);
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    if (output.endsWith(QLatin1String(".svg"))) {
        // A drawing has no pixel size to enlarge to.
        if (argc == 4) {
            std::fprintf(stderr, "xpm2png: an SVG takes no SIZE\n");
            return 2;
        }
        QFile file(output);
        if (!file.open(QIODevice::WriteOnly) || file.write(SvgOf(picture)) < 0 || !file.flush()) {
            std::fprintf(stderr, "xpm2png: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 4) {
        const int size = std::atoi(argv[3]);
        if (picture.width() != picture.height() || size < picture.width()) {
            std::fprintf(stderr, "xpm2png: %s is smaller than %dx%d\n", argv[3], picture.width(),
                         picture.height());
            return 2;
        }
        // Nearest-neighbour, as the game enlarges its art at any scale: every
        // pixel becomes a block (of one or two pixels each way at 1.5 times),
        // never a blend.
        picture = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (!picture.save(output, "PNG")) {
        std::fprintf(stderr, "xpm2png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
