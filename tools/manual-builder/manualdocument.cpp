#include "manualdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageReader>
#include <QPagedPaintDevice>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {
// Screenshots are taken at 96 dpi, the layout's own unit. A little smaller
// than on screen they still read well and leave the text its room.
constexpr qreal kLayoutDpi = 96.0;
constexpr qreal kPictureScale = 0.85;
// A tall picture leaves room for text above or below it.
constexpr qreal kMaxImageHeightShare = 0.55;
constexpr qreal kIconHeight = 18;

bool needsChinese(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    return false;
}

// The requested family when it is installed (characters it lacks come from
// another font), otherwise one that can show the text; empty when the text
// needs Chinese and no font has it.
QString chooseFamily(const QString &wanted, bool chinese)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList withChinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    const QStringList all = QFontDatabase::families();
#else
    const QFontDatabase fonts;
    const QStringList withChinese = fonts.families(QFontDatabase::SimplifiedChinese);
    const QStringList all = fonts.families();
#endif
    if (chinese && withChinese.isEmpty())
        return QString();
    if (all.contains(wanted, Qt::CaseInsensitive))
        return wanted;
    return chinese ? withChinese.first() : QGuiApplication::font().family();
}

bool isImageOnly(const QTextBlock &block)
{
    const QString text = block.text();
    return !text.isEmpty() && text.count(QChar::ObjectReplacementCharacter) == text.size();
}

bool isWide(QChar c) { return c.unicode() >= 0x2E80; }

// Rough width of a text: a Chinese character takes about two Latin ones.
int textWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text)
        width += isWide(c) ? 2 : 1;
    return width;
}

// The longest piece a line cannot be broken in: a Latin word (Chinese
// breaks between any two characters).
int longestWord(const QString &text)
{
    int longest = 0;
    int run = 0;
    for (const QChar c : text) {
        if (c.isSpace() || isWide(c)) {
            run = 0;
            longest = std::max(longest, isWide(c) ? 2 : 0);
        } else {
            longest = std::max(longest, ++run);
        }
    }
    return longest;
}

// Columns as wide as their longest cell asks for, within limits, so a column
// of icons or short names leaves the room to the descriptions.
QVector<QTextLength> columnShares(QTextTable *table)
{
    QVector<int> wanted(table->columns(), 0);
    QVector<int> unbreakable(table->columns(), 0);
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            QTextCursor text = cell.firstCursorPosition();
            text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            const QString content = text.selectedText();
            wanted[column] = std::max(wanted[column], textWidth(content));
            unbreakable[column] = std::max(unbreakable[column], longestWord(content));
        }
    }
    QVector<int> shares;
    int total = 0;
    for (int column = 0; column < table->columns(); ++column) {
        // Bold headers, wide faces and cell padding want more than the letters.
        shares.append(std::max(std::clamp(wanted[column], 3, 60), unbreakable[column] * 3 / 2 + 4));
        total += shares.last();
    }
    QVector<QTextLength> lengths;
    for (int share : shares)
        lengths.append(QTextLength(QTextLength::PercentageLength, 100.0 * share / total));
    return lengths;
}

void forEachFrame(QTextFrame *frame, const std::function<void(QTextFrame *)> &visit)
{
    visit(frame);
    for (QTextFrame *child : frame->childFrames())
        forEachFrame(child, visit);
}
} // namespace

bool ManualDocument::load(const QString &markdownPath, const QString &fontFamily, qreal pointSize, QString *error)
{
    QFile file(markdownPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(markdownPath, file.errorString());
        return false;
    }
    const QString markdown = QString::fromUtf8(file.readAll());
    m_sourceDir = QFileInfo(markdownPath).absolutePath();

    const bool chinese = needsChinese(markdown);
    const QString family = chooseFamily(fontFamily, chinese);
    if (family.isEmpty()) {
        *error = QStringLiteral("%1 needs Chinese glyphs and no installed font has them "
                                "(install fonts-wqy-microhei)")
                     .arg(markdownPath);
        return false;
    }
    QFont font(family);
    font.setPointSizeF(pointSize);
    m_doc.setDefaultFont(font);
    m_doc.setBaseUrl(QUrl::fromLocalFile(m_sourceDir + QLatin1Char('/')));
    m_doc.setMarkdown(hideTableImages(markdown), QTextDocument::MarkdownDialectGitHub);
    showTableImages();

    for (QTextBlock b = m_doc.begin(); b.isValid() && m_title.isEmpty(); b = b.next())
        if (b.blockFormat().headingLevel() > 0)
            m_title = b.text().trimmed();

    if (!findImages(error))
        return false;
    styleBlocks();
    styleTables();
    insertToc();
    return true;
}

// Qt's Markdown reader drops images inside table cells: in table rows they
// pass through as placeholders and are put in once the table stands.
QString ManualDocument::hideTableImages(const QString &markdown)
{
    static const QRegularExpression image(QStringLiteral("!\\[[^\\]]*\\]\\(([^)\\s]+)\\)"));
    QStringList lines = markdown.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.trimmed().startsWith(QLatin1Char('|')))
            line.replace(image, imagePlaceholder(QStringLiteral("\\1")));
    return lines.join(QLatin1Char('\n'));
}

QString ManualDocument::imagePlaceholder(const QString &name)
{
    return QStringLiteral("{{image:") + name + QStringLiteral("}}");
}

void ManualDocument::showTableImages()
{
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{image:([^}]+)\\}\\}"));
    for (QTextCursor found = m_doc.find(placeholder); !found.isNull(); found = m_doc.find(placeholder, found)) {
        const QString text = found.selectedText();
        QTextImageFormat image;
        image.setName(placeholder.match(text).captured(1));
        found.insertImage(image); // replaces the placeholder
    }
}

bool ManualDocument::findImages(QString *error)
{
    const QUrl base = m_doc.baseUrl();
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (m_imageSizes.contains(name))
                continue;
            const QString path = base.resolved(QUrl(name)).toLocalFile();
            QImageReader reader(path);
            const QSize size = reader.size();
            if (!size.isValid()) {
                *error = QStringLiteral("image %1 (%2): %3").arg(name, path, reader.errorString());
                return false;
            }
            m_imageSizes.insert(name, QSizeF(size));
        }
    }
    return true;
}

void ManualDocument::fitImages(const QSizeF &room)
{
    // Collected first: changing a format merges and splits fragments.
    struct Place
    {
        int position;
        QTextImageFormat format;
    };
    QList<Place> places;
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            for (int i = 0; i < fragment.length(); ++i)
                places.append({fragment.position() + i, fragment.charFormat().toImageFormat()});
        }
    }
    for (Place &place : places) {
        const QSizeF natural = m_imageSizes.value(place.format.name());
        if (natural.isEmpty())
            continue;
        // An image in a line of text or in a table cell is an icon: as high
        // as the text. One standing alone is a picture.
        const QTextBlock block = m_doc.findBlock(place.position);
        const bool icon = !isImageOnly(block) || qobject_cast<QTextTable *>(m_doc.frameAt(place.position));
        const qreal scale = icon ? kIconHeight / natural.height()
                                 : std::min({kPictureScale, room.width() / natural.width(),
                                             room.height() / natural.height()});
        place.format.setWidth(natural.width() * scale);
        place.format.setHeight(natural.height() * scale);
        QTextCursor cursor(&m_doc);
        cursor.setPosition(place.position);
        cursor.setPosition(place.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(place.format);
    }
}

void ManualDocument::styleBlocks()
{
    QTextCursor cursor(&m_doc);
    bool firstHeading = true;
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat format = b.blockFormat();
        const int level = format.headingLevel();
        if (level > 0) {
            // Room above a heading separates sections; the title has none.
            format.setTopMargin(firstHeading ? 0 : (level <= 2 ? 18 : 10));
            format.setBottomMargin(6);
            firstHeading = false;
        } else if (format.hasProperty(QTextFormat::BlockCodeFence)) {
            format.setBackground(QColor(240, 240, 240));
            format.setLeftMargin(format.leftMargin() + 6);
        } else {
            // Chinese text reads better with air between the lines.
            format.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
        }
        if (isImageOnly(b) && !qobject_cast<QTextTable *>(m_doc.frameAt(b.position()))) {
            format.setAlignment(Qt::AlignHCenter);
            format.setTopMargin(6);
            format.setBottomMargin(10);
            format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
        }
        cursor.setPosition(b.position());
        cursor.setBlockFormat(format);
    }
}

void ManualDocument::styleTables()
{
    forEachFrame(m_doc.rootFrame(), [](QTextFrame *frame) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            return;
        QTextTableFormat format = table->format();
        format.setBorder(0.64); // two device pixels at 300 dpi: every rule as thick as the next
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(150, 150, 150));
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(4);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setColumnWidthConstraints(columnShares(table));
        format.setHeaderRowCount(1); // repeated on every page the table runs over
        format.setTopMargin(4);
        format.setBottomMargin(8);
        table->setFormat(format);
        // Collapsed borders are drawn from the cells' own.
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
                cellFormat.setBorder(format.border());
                cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                cellFormat.setBorderBrush(format.borderBrush());
                if (row == 0)
                    cellFormat.setBackground(QColor(232, 236, 242));
                cell.setFormat(cellFormat);
            }
        }
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCursor text = cell.firstCursorPosition();
            text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            text.mergeCharFormat(bold);
        }
    });
}

void ManualDocument::insertToc()
{
    QTextBlock marker;
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        if (b.text().trimmed() == tocMarker()) {
            marker = b;
            break;
        }
    }
    if (!marker.isValid())
        return;

    struct Heading
    {
        int level;
        QString text;
        QTextCursor at;
    };
    QList<Heading> headings;
    for (QTextBlock b = marker.next(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if (level == 2 || level == 3)
            headings.append({level, b.text().trimmed(), QTextCursor(b)});
    }
    if (headings.isEmpty())
        return;

    // The marker paragraph becomes the table; the text after it starts on a
    // page of its own.
    QTextCursor cursor(marker);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();

    QTextTableFormat tableFormat;
    tableFormat.setBorder(0);
    tableFormat.setCellPadding(1);
    tableFormat.setCellSpacing(0);
    tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 90),
                                           QTextLength(QTextLength::PercentageLength, 10)});
    QTextTable *table = cursor.insertTable(headings.size(), 2, tableFormat);
    for (int row = 0; row < headings.size(); ++row) {
        const Heading &h = headings.at(row);
        QTextCursor title = table->cellAt(row, 0).firstCursorPosition();
        QTextBlockFormat titleBlock;
        titleBlock.setLeftMargin(h.level == 3 ? 18 : 0);
        titleBlock.setTopMargin(h.level == 2 && row > 0 ? 5 : 0);
        title.setBlockFormat(titleBlock);
        QTextCharFormat titleChars;
        titleChars.setFontWeight(h.level == 2 ? QFont::Bold : QFont::Normal);
        title.insertText(h.text, titleChars);

        QTextCursor page = table->cellAt(row, 1).firstCursorPosition();
        QTextBlockFormat pageBlock;
        pageBlock.setAlignment(Qt::AlignRight);
        pageBlock.setTopMargin(titleBlock.topMargin());
        page.setBlockFormat(pageBlock);
        page.setCharFormat(titleChars);
        m_toc.append({h.at, page});
    }
    QTextBlock after = table->lastCursorPosition().block().next();
    if (after.isValid()) {
        QTextCursor next(after);
        QTextBlockFormat format = after.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        next.setBlockFormat(format);
    }
}

void ManualDocument::paginate(QPagedPaintDevice *device, const QMarginsF &margins)
{
    m_doc.documentLayout()->setPaintDevice(device);
    const qreal toDevice = device->logicalDpiY() / kLayoutDpi;
    const QSizeF page(device->width(), device->height());
    m_doc.setPageSize(page);
    QTextFrameFormat root = m_doc.rootFrame()->frameFormat();
    root.setLeftMargin(margins.left());
    root.setRightMargin(margins.right());
    root.setTopMargin(margins.top());
    root.setBottomMargin(margins.bottom());
    m_doc.rootFrame()->setFrameFormat(root);

    const QSizeF room(page.width() / toDevice - margins.left() - margins.right(),
                      (page.height() / toDevice - margins.top() - margins.bottom()) * kMaxImageHeightShare);
    fitImages(room);
    relayout();
    // Each move can push later headings about: settle one at a time.
    for (int i = 0; i < 200 && keepHeadingWithNext(); ++i)
        relayout();
    fillTocPages();
    relayout();
}

void ManualDocument::relayout()
{
    // Qt lays a changed document out again only in part (the blocks after
    // an edited table may be left without lines, and are then not drawn):
    // lay all of it out anew.
    m_doc.markContentsDirty(0, m_doc.characterCount());
    m_doc.pageCount();
}

int ManualDocument::pageOf(const QTextBlock &block) const
{
    const QRectF rect = m_doc.documentLayout()->blockBoundingRect(block);
    qreal top = rect.top();
    if (QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0)
        top += layout->lineAt(0).y();
    return int(top / m_doc.pageSize().height());
}

bool ManualDocument::keepHeadingWithNext()
{
    for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat format = b.blockFormat();
        if (format.headingLevel() == 0 || format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            continue;
        const QTextBlock next = b.next();
        if (!next.isValid() || pageOf(next) == pageOf(b))
            continue;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(b).setBlockFormat(format);
        return true;
    }
    return false;
}

void ManualDocument::fillTocPages()
{
    QList<int> pages;
    for (const TocEntry &entry : qAsConst(m_toc))
        pages.append(pageOf(entry.heading.block()) + 1);
    for (int i = 0; i < m_toc.size(); ++i)
        m_toc[i].pageCell.insertText(QString::number(pages.at(i)));
}
