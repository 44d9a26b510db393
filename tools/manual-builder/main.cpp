// Renders a Markdown manual with its images into an A4 PDF:
//   qm_manual_builder [--font FAMILY] [--size POINTS] INPUT.md OUTPUT.pdf
// Runs without a display (it picks the offscreen platform by itself).
#include "manualdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextFrame>
#include <cstdio>

namespace {
// Page margins in 1/96 inch: 20 mm at the sides and top, 25 mm at the foot,
// where the page number goes.
constexpr qreal kMillimetre = 96.0 / 25.4;
const QMarginsF kMargins(20 * kMillimetre, 20 * kMillimetre, 20 * kMillimetre, 25 * kMillimetre);

int fail(const QString &message)
{
    std::fprintf(stderr, "manual-builder: %s\n", qPrintable(message));
    return 1;
}

void paintFooter(QPainter &painter, const QRectF &page, qreal toDevice, const QString &title, const QString &family,
                 int number, int count)
{
    QFont font(family);
    font.setPointSizeF(8.5);
    painter.setFont(font);
    painter.setPen(QColor(110, 110, 110));
    const qreal base = page.height() - 14 * kMillimetre * toDevice;
    const QRectF line(kMargins.left() * toDevice, base - painter.fontMetrics().height(),
                      page.width() - (kMargins.left() + kMargins.right()) * toDevice, painter.fontMetrics().height());
    painter.drawLine(QPointF(line.left(), line.top() - 2 * kMillimetre * toDevice),
                     QPointF(line.right(), line.top() - 2 * kMillimetre * toDevice));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1 / %2").arg(number).arg(count));
}

// Draws every page of the laid-out document, as QTextDocument::print does,
// with a footer of our own.
bool writePages(ManualDocument &manual, QPdfWriter &writer)
{
    QTextDocument *doc = manual.document();
    const qreal toDevice = writer.logicalDpiY() / 96.0;
    const QRectF page(0, 0, writer.width(), writer.height());
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int count = doc->pageCount();
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
        if (i > 0) // the title page goes without
            paintFooter(painter, page, toDevice, manual.title(), manual.fontFamily(), i + 1, count);
    }
    return painter.end();
}
} // namespace

int main(int argc, char *argv[])
{
    // Built in build rules, where no display exists.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders a Markdown manual with its images into an A4 PDF."));
    parser.addHelpOption();
    const QCommandLineOption fontOption(QStringLiteral("font"), QStringLiteral("Font family of the text."),
                                        QStringLiteral("family"), QStringLiteral("WenQuanYi Micro Hei"));
    const QCommandLineOption sizeOption(QStringLiteral("size"), QStringLiteral("Text size in points."),
                                        QStringLiteral("points"), QStringLiteral("10"));
    parser.addOption(fontOption);
    parser.addOption(sizeOption);
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("The Markdown file."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The PDF to write."));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        parser.showHelp(2);
    bool sizeOk = false;
    const qreal pointSize = parser.value(sizeOption).toDouble(&sizeOk);
    if (!sizeOk || pointSize < 4 || pointSize > 40)
        return fail(QStringLiteral("bad text size %1").arg(parser.value(sizeOption)));

    ManualDocument manual;
    QString error;
    if (!manual.load(files.at(0), parser.value(fontOption), pointSize, &error))
        return fail(error);

    // Written aside and renamed when complete: a failed run leaves no
    // half-written PDF for the build to take as up to date.
    const QString output = files.at(1);
    QDir().mkpath(QFileInfo(output).absolutePath());
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(manual.title());
        writer.setCreator(QStringLiteral("Quillmark manual-builder"));
        manual.paginate(&writer, kMargins);
        if (!writePages(manual, writer))
            return fail(QStringLiteral("cannot paint %1").arg(output));
    }
    if (!file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    std::printf("%s: %d pages\n", qPrintable(QDir::toNativeSeparators(output)), manual.pageCount());
    return 0;
}
