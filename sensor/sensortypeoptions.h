#pragma once

#include <QStringList>

// The option lists that depend on the connected scanner's product type.
struct SensorTypeOptions
{
    QStringList motorSpeed;  // Para_ScanMotorSpeed
    QStringList measureFrq;  // Para_LaserMeasureFrq
    QStringList stopSignal;  // Para_LaserStopSignal

    // The lists for a product type; empty lists for a type that has none of
    // its own (the dock then keeps what it shows).
    static SensorTypeOptions forType(int productType);
    bool isEmpty() const { return motorSpeed.isEmpty(); }
};
