#pragma once

#include "configuration.h"

#include <QString>
#include <optional>

// Project files for the tool, through the window's own reader and writer.
namespace ProjectIo {

// The device class a file name's extension names (".VQ05" ... ".VQ50",
// exactly); -1 for any other name.
int deviceClassOfFileName(const QString &path);

// Reads a project file. The window's reader forgives damage; the tool does
// not: a file whose type line names no class or that lacks a section marker
// is refused with a one-line message in the given language.
std::optional<Configuration> load(const QString &path, int language, QString *error);

// Writes through a temporary file renamed into place, so a failure leaves
// any previous file as it was.
bool save(const QString &path, const Configuration &config, int language, QString *error);

} // namespace ProjectIo
