// Small pipe tables for the pipe engine's tests: no delivered pipe file needed.
#pragma once

#include "pipes/pipe_file.h"

#include <QList>

// An active pipe of series `group`, named "group/dn".
inline PipeRecord TestPipe(int group, int dn, double innerMm, double roughnessMm)
{
    PipeRecord r;
    r.group = quint8(group);
    r.dn = qint16(dn);
    r.innerDiameter = innerMm;
    r.roughness = roughnessMm;
    r.name = QStringLiteral("%1/%2").arg(group).arg(dn);
    r.active = true;
    return r;
}

// Steel DN 15 … 25, then copper 15 × 1 … 28 × 1.5.
inline QList<PipeRecord> TwoTestSeries()
{
    return {TestPipe(1, 15, 16.1, 0.045), TestPipe(1, 20, 21.7, 0.045),
            TestPipe(1, 25, 27.3, 0.045), TestPipe(2, 12, 13, 0.0015),
            TestPipe(2, 20, 20, 0.0015),  TestPipe(2, 25, 25, 0.0015)};
}
