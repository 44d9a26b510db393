#pragma once

#include <QStringList>

// The scanner addresses connected to last, most recent first, as both
// connection dialogs offer them and the settings keep them between runs:
// each address once, at most Limit of them.
class AddressHistory
{
public:
    static constexpr int Limit = 5;

    // A list as stored: what is no scanner address, and repeats, are
    // dropped, the rest cut to Limit.
    explicit AddressHistory(const QStringList &stored = {});

    // To the front; an address already listed moves there.
    void add(const QString &address);
    const QStringList &addresses() const { return m_addresses; }

private:
    QStringList m_addresses;
};
