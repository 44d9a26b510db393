#include "configcheck.h"

#include "shapekind.h"

QVector<AreaEncodeError> sendProblems(const Configuration &config)
{
    QVector<AreaEncodeError> problems;
    for (int index = 0; index < config.areas.size() && index < EditData::AreaCount; ++index) {
        const AreaRecord &area = config.areas.at(index);
        for (int output = 0; output < EditData::OutputCount; ++output) {
            // The link's own check over an area that holds only this output,
            // so a fault in one output does not hide one in the next.
            AreaRecord alone;
            alone.shape(output) = area.shape(output);
            alone.points(output) = area.points(output);
            if (const AreaEncodeError error = checkAreaEncodable(index, alone, config.reversed()))
                problems.append(error);
        }
    }
    return problems;
}
