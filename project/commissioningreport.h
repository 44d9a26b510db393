#pragma once

#include "configfingerprint.h"
#include "configuration.h"
#include "frames.h"

#include <QDate>
#include <QString>
#include <optional>

class QIODevice;

// The commissioning record of one configuration as an A4 PDF: a first page
// with the scanner's identity, the fingerprint and lines to sign, the
// parameters as the sensor dock names them, the case table and an overview of
// the areas in use, then a page per area in use drawn to scale with its
// dimensions and point tables. Every footer carries the fingerprint.
struct CommissioningReport
{
    int language = 0; // the link's numbering: 0 English, 1 Chinese
    QDate date;
    QString projectFile;                // as the user named it; empty when there is none
    std::optional<ProductInfo> product; // when read from a scanner
    Configuration config;               // class, dock rows and areas shown
    ConfigFingerprint fingerprint;

    // The number of pages the report takes.
    int pageCount() const;
    // Writes the PDF into an open device; false when it cannot be painted.
    bool write(QIODevice *device) const;
    // Writes the PDF to path through a temporary file renamed into place, so a
    // failure leaves no part of a report and any earlier file as it was.
    bool save(const QString &path, QString *error) const;
};
