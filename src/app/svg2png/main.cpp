// corvella-svg2png: renders an SVG picture to a square PNG, for the
// installed icon theme, which wants bitmaps at fixed sizes beside the SVG.
// Used by the build only.
//
//   corvella-svg2png IN.svg OUT.png SIZE
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char **argv) {
    // No window is ever shown; this also lets it run where there is no
    // display, and without a session's runtime folder.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    bool ok = false;
    const int size = args.size() == 4 ? args.at(3).toInt(&ok) : 0;
    if (!ok || size < 1 || size > 4096) {
        err << "usage: corvella-svg2png IN.svg OUT.png SIZE\n";
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        err << "corvella-svg2png: cannot read " << args.at(1) << "\n";
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.setAspectRatioMode(Qt::KeepAspectRatio);
        svg.render(&p, QRectF(0, 0, size, size));
    }
    QDir().mkpath(QFileInfo(args.at(2)).absolutePath());
    if (!image.save(args.at(2), "PNG")) {
        err << "corvella-svg2png: cannot write " << args.at(2) << "\n";
        return 1;
    }
    return 0;
}
