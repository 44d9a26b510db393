// The addresses connected to last, as stored and as each connection adds one.

#include "addresshistory.h"

#include <QtTest>

class TestAddressHistory : public QObject
{
    Q_OBJECT
private slots:
    void addresses_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("added"); // in connection order
        QTest::addColumn<QStringList>("addresses");
        QTest::newRow("stored: no addresses, repeats, blanks")
            << QStringList{"", "junk", " 10.0.0.2 ", "10.0.0.2", "192.168.1.300", "fe80::1"} << QStringList()
            << QStringList{"10.0.0.2", "fe80::1"};
        QTest::newRow("the newest first, once") << QStringList{"10.0.0.1", "10.0.0.2"}
                                                << QStringList{"10.0.0.3", "bad", " 10.0.0.1 ", "FE80::0001"}
                                                << QStringList{"fe80::1", "10.0.0.1", "10.0.0.3", "10.0.0.2"};
        QTest::newRow("cut to the limit, the oldest goes")
            << QStringList{"1.0.0.1", "1.0.0.2", "1.0.0.3", "1.0.0.4", "1.0.0.5", "1.0.0.6"} << QStringList{"1.0.0.9"}
            << QStringList{"1.0.0.9", "1.0.0.1", "1.0.0.2", "1.0.0.3", "1.0.0.4"};
    }
    void addresses()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, added);
        AddressHistory history(stored);
        for (const QString &a : added)
            history.add(a);
        QTEST(history.addresses(), "addresses");
    }
};

QTEST_APPLESS_MAIN(TestAddressHistory)
#include "tst_addresshistory.moc"
