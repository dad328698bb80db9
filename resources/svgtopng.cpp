// Build tool: renders an SVG drawing into a PNG of the given size (square or width x height).
// Usage: zerun-svgtopng <in.svg> <out.png> <width> [<height>]

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc < 4) {
        err << "usage: zerun-svgtopng <in.svg> <out.png> <width> [<height>]\n";
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    const int width = QByteArray(argv[3]).toInt();
    const int height = argc > 4 ? QByteArray(argv[4]).toInt() : width;
    if (width <= 0 || height <= 0) {
        err << "zerun-svgtopng: bad size\n";
        return 2;
    }
    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        err << "zerun-svgtopng: cannot read " << input << '\n';
        return 1;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    // Windows icons go through the toolkit's ICO writer.
    const char *format =
        output.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive) ? "ICO" : "PNG";
    if (!image.save(output, format)) {
        err << "zerun-svgtopng: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}
