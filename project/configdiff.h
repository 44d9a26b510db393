#pragma once

#include "configuration.h"
#include "parameternames.h"

#include <QJsonObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>

// One difference between two configurations, A and B.
struct Difference
{
    enum Kind { DeviceClass, Parameter, CaseField, AreaField, OutputKind, PointCount, PointMoved };
    Kind kind = Parameter;
    int area = -1;   // as the area table numbers them, from 0
    int output = -1; // 0..2, shown as Out1..Out3
    int point = -1;  // list index, shown from 1 as in the coordinate tables
    int row = -1;    // Parameter: the sensor dock row (the first of the address rows)
    QString field;   // CaseField, AreaField: the record's field name
    qint64 a = 0;    // values of A and B (class, kind, count, field; a parameter's row value)
    qint64 b = 0;
    QPoint pointA;   // PointMoved
    QPoint pointB;
    QString textA;   // Parameter: the values as the dock shows them
    QString textB;

    double movedBy() const;
};

// The configuration as a scanner would hold it after taking it: each area
// sent through the link's encoder and read back through its decoder, so arcs
// carry whole degrees and polygons their points in angular order. Areas the
// link refuses stay as they are.
Configuration asStored(const Configuration &config);

// The differences in order: class, parameters by dock row, case rows, then
// areas and their outputs. Both sides are compared as stored, polygon,
// rectangle and arc points in their angular order as drawn; the class only when both
// have one.
QVector<Difference> diffConfigurations(const Configuration &a, const Configuration &b, int language);

// Readable lines, and the same as JSON, in the given language.
QStringList differenceLines(const QVector<Difference> &diffs, int language);
QJsonObject differencesJson(const QVector<Difference> &diffs, int language);
