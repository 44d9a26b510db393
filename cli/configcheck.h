#pragma once

#include "areaframe.h"
#include "configuration.h"

#include <QVector>

// Every reason the link would refuse to send a configuration: one entry per
// output that cannot be sent (the link itself stops at the first).
QVector<AreaEncodeError> sendProblems(const Configuration &config);
