#pragma once

// A user manual written in Markdown, made ready for paper: images found next
// to the source and fitted into the text width, tables ruled, a table of
// contents where the source asks for one, and headings kept with the text
// that follows them. Margins are in the text layout's own units (1/96 inch,
// the units screenshots are measured in); the layout itself works in pixels
// of the device it is laid out for.

#include <QHash>
#include <QList>
#include <QMarginsF>
#include <QSizeF>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>

class QPagedPaintDevice;

class ManualDocument
{
public:
    // The paragraph that stands for the table of contents in the source.
    static QString tocMarker() { return QStringLiteral("[TOC]"); }

    // Reads the Markdown file (UTF-8). Relative image paths are taken from
    // the file's folder. False with a reason when the file cannot be read,
    // an image is missing or unreadable, or the text needs Chinese glyphs and
    // no installed font has them.
    bool load(const QString &markdownPath, const QString &fontFamily, qreal pointSize, QString *error);

    // Lays the document out for the device's pages with the given margins
    // and settles everything that depends on where page breaks fall. The
    // device must outlive the document's layout.
    void paginate(QPagedPaintDevice *device, const QMarginsF &margins);

    QTextDocument *document() { return &m_doc; }
    int pageCount() const { return m_doc.pageCount(); }
    // The text of the first heading, for the PDF's title and page footers.
    QString title() const { return m_title; }
    QString fontFamily() const { return m_doc.defaultFont().family(); }

private:
    struct TocEntry
    {
        QTextCursor heading; // at the start of the heading block
        QTextCursor pageCell; // in the entry's (empty) page cell
    };

    static QString hideTableImages(const QString &markdown);
    static QString imagePlaceholder(const QString &name);
    void showTableImages();
    bool findImages(QString *error);
    void fitImages(const QSizeF &room);
    void styleBlocks();
    void styleTables();
    void insertToc();
    // A heading left at the foot of a page, with what it introduces on the
    // next one, moves to that next page. True when one moved.
    bool keepHeadingWithNext();
    void fillTocPages();
    void relayout();
    int pageOf(const QTextBlock &block) const;

    QTextDocument m_doc;
    QString m_title;
    QString m_sourceDir;
    QHash<QString, QSizeF> m_imageSizes; // by name in the source, in pixels
    QList<TocEntry> m_toc;
};
