// xpm2png INPUT.xpm OUTPUT.png [SIZE]
//
// Writes an XPM picture as a PNG with the same pixels, or enlarged to SIZE x
// SIZE pixels, each picture pixel a square block (SIZE a whole multiple of the
// picture's own size). The build makes the installed application icons with it
// from the very art the window icon is decoded from at run time, so they cannot
// drift apart.
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: xpm2png INPUT.xpm OUTPUT.png [SIZE]\n");
        return 2;
    }
    // Decoded as the game decodes its icons: XPM "None" becomes transparency.
    QImage picture =
        QImage(QString::fromLocal8Bit(argv[1]), "XPM").convertToFormat(QImage::Format_ARGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "xpm2png: cannot read %s as XPM\n", argv[1]);
        return 1;
    }
    if (argc == 4) {
        const int size = std::atoi(argv[3]);
        if (size <= 0 || picture.width() != picture.height() || size % picture.width() != 0) {
            std::fprintf(stderr, "xpm2png: %s is not a whole multiple of %dx%d\n", argv[3],
                         picture.width(), picture.height());
            return 2;
        }
        // Nearest-neighbour at a whole factor: every pixel becomes a block, no blend.
        picture = picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm2png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
