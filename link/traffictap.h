#pragma once

class QByteArray;

// Hears every device read the link takes in and every request it writes, as
// they happen (a recorder keeps them in a file). The link does not own it.
class TrafficTap
{
public:
    virtual void received(const QByteArray &bytes) = 0;
    virtual void sent(const QByteArray &bytes) = 0;

protected:
    ~TrafficTap() = default;
};
