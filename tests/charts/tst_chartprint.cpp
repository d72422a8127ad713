// Printing the chart: the fit of a picture to the page, one page of the
// right orientation printed to a PDF, the chart drawn as vectors rather than
// a screen bitmap, a clear message without a printer, and the clipboard left
// alone.
#include "ChartSamples.h"
#include "charts/ChartPrinting.h"
#include "charts/CorvChart.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest/QTest>

using namespace corv;
using namespace corv::test;

namespace {

QString run(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfFacts {
    int pages = 0;
    QSizeF points;
    int rotation = 0;
};

PdfFacts pdfInfo(const QString &file) {
    PdfFacts f;
    const QString out = run(QStringLiteral("pdfinfo"), {file});
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(out);
    const auto rot = QRegularExpression(QStringLiteral("Page rot:\\s+(\\d+)")).match(out);
    f.pages = pages.hasMatch() ? pages.captured(1).toInt() : 0;
    if (size.hasMatch())
        f.points = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    f.rotation = rot.hasMatch() ? rot.captured(1).toInt() : 0;
    return f;
}

// The page as an image, `dpi` dots per inch.
QImage pdfPage(const QString &file, int dpi) {
    const QString base = file + QStringLiteral("-page");
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
         QStringLiteral("-singlefile"), file, base});
    return QImage(base + QStringLiteral(".png"));
}

} // namespace

class TestChartPrint : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    PdfPrinters printers;

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdfinfo (poppler-utils) is needed to read the printed pages");
    }
    void init() {
        env = std::make_unique<TestEnv>();
        printers = PdfPrinters();
        printers.file = env->path(QStringLiteral("chart.pdf"));
        setPrinterSource(&printers);
    }
    void cleanup() {
        setPrinterSource(nullptr);
        env.reset();
    }

    void fitArithmetic() {
        QCOMPARE(pictureOrientation({800, 500}), QPageLayout::Landscape);
        QCOMPARE(pictureOrientation({500, 800}), QPageLayout::Portrait);
        QCOMPARE(pictureOrientation({600, 600}), QPageLayout::Portrait);
        // Relatively wider than the page: the full width, the height to
        // match; relatively taller: the full height.
        QCOMPARE(fittedSize({1600, 1000}, {1000, 1400}), QSizeF(1000, 625));
        QCOMPARE(fittedSize({500, 1000}, {1400, 1000}), QSizeF(500, 1000));
        QCOMPARE(fittedSize({800, 500}, {1400, 1000}), QSizeF(1400, 875));
        // The same proportions as the page fill it.
        QCOMPARE(fittedSize({700, 500}, {1400, 1000}), QSizeF(1400, 1000));
        QCOMPARE(fittedSize({3, 4}, {6000, 8000}), QSizeF(6000, 8000));
        // Never distorted, and never beyond the page.
        for (const QSizeF &pic : {QSizeF(1, 1), QSizeF(1000, 3), QSizeF(3, 1000), QSizeF(77, 41)}) {
            const QSizeF f = fittedSize(pic, {4958, 7016});
            QVERIFY(f.width() <= 4958 + 1e-6 && f.height() <= 7016 + 1e-6);
            QVERIFY(qFuzzyCompare(f.width() / f.height(), pic.width() / pic.height()));
            QVERIFY(qFuzzyCompare(f.width(), 4958.0) || qFuzzyCompare(f.height(), 7016.0));
        }
        QCOMPARE(fittedSize({0, 10}, {100, 100}), QSizeF(0, 0));
        QCOMPARE(fittedSize({10, 10}, {0, 100}), QSizeF(0, 0));
    }

    void pictureLandsAtTheTopLeftAndTouchesTwoEdges_data() {
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("wide") << QSizeF(900, 400) << true;
        QTest::newRow("tall") << QSizeF(300, 800) << false;
        QTest::newRow("square") << QSizeF(500, 500) << false;
    }
    void pictureLandsAtTheTopLeftAndTouchesTwoEdges() {
        QFETCH(QSizeF, picture);
        QFETCH(bool, landscape);
        std::unique_ptr<QPrinter> printer = printers.defaultPrinter();
        QRectF drawn;
        QVERIFY(PrintFittedPicture(*printer, {picture, [&](QPainter &p, const QRectF &r) {
                                                  drawn = r;
                                                  p.fillRect(r, Qt::black);
                                              }}));
        const PdfFacts f = pdfInfo(printers.file);
        QCOMPARE(f.pages, 1);
        QCOMPARE(f.points.width() > f.points.height(), landscape);

        const QRectF printable = printer->pageRect(QPrinter::DevicePixel);
        QCOMPARE(drawn.topLeft(), QPointF(0, 0));
        QVERIFY(qFuzzyCompare(drawn.width() / drawn.height(), picture.width() / picture.height()));
        QVERIFY(qFuzzyCompare(drawn.width(), printable.width()) ||
                qFuzzyCompare(drawn.height(), printable.height()));

        // On paper: the black starts at the printable area's corner.
        const int dpi = 50;
        const QImage page = pdfPage(printers.file, dpi);
        QVERIFY(!page.isNull());
        int left = page.width(), top = page.height(), right = -1, bottom = -1;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 64) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        const double perDot = printer->resolution() / double(dpi);
        const QRectF inDots(printable.x() / perDot, printable.y() / perDot, drawn.width() / perDot,
                            drawn.height() / perDot);
        QVERIFY(std::abs(left - inDots.left()) <= 2 && std::abs(top - inDots.top()) <= 2);
        QVERIFY(std::abs(right + 1 - inDots.right()) <= 2);
        QVERIFY(std::abs(bottom + 1 - inDots.bottom()) <= 2);
    }

    void chartPrintsSharpOnOnePage_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("3D bar, wide") << 0 << QSize(800, 500) << true;
        QTest::newRow("2D line, wide") << 3 << QSize(800, 500) << true;
        QTest::newRow("3D area, tall") << 4 << QSize(420, 640) << false;
        QTest::newRow("2D combination, square") << 9 << QSize(500, 500) << false;
    }
    void chartPrintsSharpOnOnePage() {
        QFETCH(int, code);
        QFETCH(QSize, shown);
        QFETCH(bool, landscape);
        QGuiApplication::clipboard()->setText(QStringLiteral("copied before printing"));
        CorvChart chart;
        chart.resize(shown);
        chart.setChartType(code);
        chart.setGrid(weeklyGrid());
        QString error = QStringLiteral("unset");
        QVERIFY(PrintChart(chart, &error));
        QCOMPARE(error, QString());
        const PdfFacts f = pdfInfo(printers.file);
        QCOMPARE(f.pages, 1);
        QCOMPARE(f.rotation, 0);
        QCOMPARE(f.points.width() > f.points.height(), landscape);
        // Drawn for the page, not a bitmap pasted on it: the words are text.
        const QString text = run(QStringLiteral("pdftotext"), {printers.file, QStringLiteral("-")});
        QVERIFY2(text.contains(QLatin1String("Nitrate")) && text.contains(QLatin1String("pH")),
                 qPrintable(text.left(200)));
        QVERIFY(text.contains(QLatin1String("01/03/2023")));
        // The clipboard holds what the user put there.
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copied before printing"));
        if (!qEnvironmentVariableIsEmpty("CORVELLA_CHART_PNGS"))
            pdfPage(printers.file, 60)
                .save(QDir(qEnvironmentVariable("CORVELLA_CHART_PNGS"))
                          .filePath(QStringLiteral("printed-%1.png").arg(code)));
    }

    void noPrinterSaysSo() {
        CorvChart chart;
        chart.setGrid(weeklyGrid(4));
        printers.none = true;
        QString error;
        QVERIFY(!PrintChart(chart, &error));
        QCOMPARE(error, QStringLiteral("No printer is available."));
        QVERIFY(!QFile::exists(printers.file));

        // The system's own printers, where none is installed.
        setPrinterSource(nullptr);
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("this machine has printers; not printing on them");
        QVERIFY(!PrintChart(chart, &error));
        QCOMPARE(error, QStringLiteral("No printer is available."));
    }

    void failuresAreReported() {
        CorvChart chart;
        chart.setGrid(weeklyGrid(4));
        // A printer that will not start is a failure, not a silent success.
        printers.file = env->path(QStringLiteral("no/such/folder/chart.pdf"));
        QString error;
        QVERIFY(!PrintChart(chart, &error));
        QCOMPARE(error, QStringLiteral("The chart could not be printed."));
        // Nothing to print.
        std::unique_ptr<QPrinter> printer = PdfPrinters{}.defaultPrinter();
        QVERIFY(!PrintFittedPicture(*printer, PrintablePicture{QSizeF(0, 0), nullptr}));
    }
};

QTEST_MAIN(TestChartPrint)
#include "tst_chartprint.moc"
