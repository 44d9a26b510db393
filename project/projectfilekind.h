#pragma once

#include <QString>

// The project file kind of each device class (0..4 for the range classes 05,
// 10, 20, 30, 50): the first line of the file, the name extension and the
// file-dialog filter. All are empty for an invalid class.
struct ProjectFileKind
{
    QString typeLine;  // "ZTL_VQ_30"
    QString extension; // ".VQ30"
    QString filter;    // "(*.VQ30)"

    bool isValid() const { return !typeLine.isEmpty(); }
};

ProjectFileKind projectFileKind(int deviceClass);

// The device class whose type line equals line exactly; -1 if none does.
int deviceClassOfTypeLine(const QString &line);

// The name under which a project of deviceClass is saved: the class's
// extension is appended unless the name already ends in it (case-sensitive,
// so "plan.vq30" becomes "plan.vq30.VQ30").
QString withProjectExtension(const QString &fileName, int deviceClass);
