// xpm2png INPUT.xpm OUTPUT.png
//
// Writes an XPM picture as a PNG with the same pixels. The build makes the
// installed application icon with it from the very art the window icon is
// decoded from at run time, so the two cannot drift apart.
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: xpm2png INPUT.xpm OUTPUT.png\n");
        return 2;
    }
    // Decoded as the game decodes its icons: XPM "None" becomes transparency.
    const QImage picture =
        QImage(QString::fromLocal8Bit(argv[1]), "XPM").convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "xpm2png: cannot read %s as XPM\n", argv[1]);
        return 1;
    }
    if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm2png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
