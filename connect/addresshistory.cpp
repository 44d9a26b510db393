#include "addresshistory.h"

#include <QHostAddress>

AddressHistory::AddressHistory(const QStringList &stored)
{
    // Oldest first, so that each add() puts the newer one in front again.
    for (auto it = stored.crbegin(); it != stored.crend(); ++it)
        add(*it);
}

void AddressHistory::add(const QString &address)
{
    // One spelling per address: the one a discovery reply lists it by.
    const QHostAddress host(address.trimmed());
    if (host.isNull())
        return;
    const QString text = host.toString();
    m_addresses.removeAll(text);
    m_addresses.prepend(text);
    while (m_addresses.size() > Limit)
        m_addresses.removeLast();
}
