#include "settingsdialog.h"
#include "widgetdriving.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {
// Steps a user takes: "box=Text" picks the item with that text from the
// box's list, "box<text" types into the box's edit field (replacing it).
void perform(QDialog &dialog, const QString &step)
{
    const bool typed = step.contains(QLatin1Char('<'));
    const QStringList parts = step.split(typed ? QLatin1Char('<') : QLatin1Char('='));
    auto *box = dialog.findChild<QComboBox *>(parts[0]);
    QVERIFY2(box, qPrintable(step));
    if (typed) {
        QVERIFY2(box->lineEdit(), qPrintable(step + QStringLiteral(": not editable")));
        box->setFocus(); // completion only works on the focused box
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), parts[1]);
        return;
    }
    const int index = box->findText(parts[1]);
    QVERIFY2(index >= 0, qPrintable(step));
    WidgetDriving::choose(box, index);
    QCOMPARE(box->currentIndex(), index);
}
} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { SettingsDialog::setPortLister({}); }

    void choicesBecomeSettings_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("baud");
        QTest::addColumn<QString>("baudText");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<int>("flow");

        const QStringList two{QStringLiteral("ttyS0"), QStringLiteral("ttyUSB0")};
        QTest::newRow("untouched") << two << QStringList() << "Enter" << "ttyS0" << 576000 << "576000" << 8 << 0 << 1 << 0;
        QTest::newRow("no port") << QStringList() << QStringList() << "Enter" << "" << 576000 << "576000" << 8 << 0 << 1
                                 << 0;
        QTest::newRow("1.5 stop bits, Space parity")
            << two << QStringList{"stopBitsBox=1.5", "parityBox=Space", "serialPortInfoListBox=ttyUSB0"} << "Enter"
            << "ttyUSB0" << 576000 << "576000" << 8 << 4 << 3 << 0;
        QTest::newRow("Mark parity, 7 bits, 9600, RTS/CTS")
            << two << QStringList{"parityBox=Mark", "dataBitsBox=7", "baudRateBox=9600", "flowControlBox=RTS/CTS"}
            << "Enter" << "ttyS0" << 9600 << "9600" << 7 << 5 << 1 << 1;
        QTest::newRow("Even, Odd, 5 bits, 2 stop, XON/XOFF, 38400")
            << two
            << QStringList{"parityBox=Even", "parityBox=Odd", "dataBitsBox=5", "stopBitsBox=2",
                           "flowControlBox=XON/XOFF", "baudRateBox=38400"}
            << "Enter" << "ttyS0" << 38400 << "38400" << 5 << 3 << 2 << 2;
        QTest::newRow("custom rate typed")
            << two << QStringList{"baudRateBox=Custom", "baudRateBox<250000"} << "Enter" << "ttyS0" << 250000
            << "250000" << 8 << 0 << 1 << 0;
        QTest::newRow("custom rate, letters refused")
            << two << QStringList{"baudRateBox=Custom", "baudRateBox<12a3x4"} << "Enter" << "ttyS0" << 1234 << "1234"
            << 8 << 0 << 1 << 0;
        QTest::newRow("custom rate, top of the range")
            << two << QStringList{"baudRateBox=Custom", "baudRateBox<40000000"} << "Enter" << "ttyS0" << 4000000
            << "4000000" << 8 << 0 << 1 << 0;
        QTest::newRow("custom rate beyond the range")
            << two << QStringList{"baudRateBox=Custom", "baudRateBox<4000001"} << "Enter" << "ttyS0" << 0 << "4000001"
            << 8 << 0 << 1 << 0;
        QTest::newRow("custom rate, start of a listed one")
            << two << QStringList{"baudRateBox=Custom", "baudRateBox<5760"} << "Enter" << "ttyS0" << 5760 << "5760" << 8
            << 0 << 1 << 0;
        QTest::newRow("custom rate not typed") << two << QStringList{"baudRateBox=Custom"} << "Enter" << "ttyS0" << 0
                                               << "" << 8 << 0 << 1 << 0;
        QTest::newRow("custom, then a listed rate")
            << two << QStringList{"baudRateBox=Custom", "baudRateBox<1234", "baudRateBox=19200"} << "Enter" << "ttyS0"
            << 19200 << "19200" << 8 << 0 << 1 << 0;
        QTest::newRow("typed device path")
            << two << QStringList{"serialPortInfoListBox</dev/pts/3"} << "Enter" << "/dev/pts/3" << 576000 << "576000"
            << 8 << 0 << 1 << 0;
        QTest::newRow("typed start of a listed name")
            << QStringList{"ttyUSB10"} << QStringList{"serialPortInfoListBox<ttyUSB1"} << "Enter" << "ttyUSB1" << 576000
            << "576000" << 8 << 0 << 1 << 0;
        QTest::newRow("typed path, no port listed")
            << QStringList() << QStringList{"serialPortInfoListBox</tmp/ttyA"} << "Enter" << "/tmp/ttyA" << 576000
            << "576000" << 8 << 0 << 1 << 0;
        QTest::newRow("cancel keeps the old settings")
            << two << QStringList{"serialPortInfoListBox=ttyUSB0", "stopBitsBox=2", "parityBox=Odd", "baudRateBox=Custom",
                                  "baudRateBox<300"}
            << "Cancel" << "ttyS0" << 576000 << "576000" << 8 << 0 << 1 << 0;
    }
    void choicesBecomeSettings()
    {
        QFETCH(QStringList, ports);
        QFETCH(QStringList, steps);
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(int, baud);
        QFETCH(QString, baudText);
        QFETCH(int, dataBits);
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        QFETCH(int, flow);

        SettingsDialog::setPortLister([ports] { return ports; });
        SettingsDialog dialog;
        QSignalSpy opened(&dialog, &SettingsDialog::OpenSerialSignal);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QString &step : steps) {
            perform(dialog, step);
            if (QTest::currentTestFailed())
                return;
        }
        auto *baudBox = dialog.findChild<QComboBox *>(QStringLiteral("baudRateBox"));
        QCOMPARE(baudBox->isEditable(), baudBox->currentIndex() == 5); // only "Custom" takes typing
        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);

        QVERIFY(dialog.isHidden());
        QCOMPARE(baudBox->count(), 6); // typed rates never become entries
        const SerialSettings s = dialog.CurrentSettings();
        QCOMPARE(s.name, name);
        QCOMPARE(s.baudRate, baud);
        QCOMPARE(s.stringBaudRate, baudText);
        QCOMPARE(int(s.dataBits), dataBits);
        QCOMPARE(int(s.parity), parity);
        QCOMPARE(int(s.stopBits), stopBits);
        QCOMPARE(int(s.flowControl), flow);
        QCOMPARE(opened.count(), button == QLatin1String("Enter") ? 1 : 0);
        if (!opened.isEmpty())
            QCOMPARE(opened.first().first().toString(), name);
    }

    // Both languages set every text; no option list moves.
    void textsByLanguage()
    {
        struct Row
        {
            const char *object;
            const char *chinese;
            const char *english;
        };
        const Row rows[] = {
            {"SettingsDialog", "串口设置", "Serial Setting"},
            {"selectBox", "选择串口", "Serial Select"},
            {"SerialLabel", "串口号:", "Serial Number:"},
            {"parametersBox", "参数设置:", "Parameters Setting:"},
            {"baudRateLabel", "波特率:", "Baud Rate:"},
            {"dataBitsLabel", "数据位:", "Data Bits:"},
            {"parityLabel", "奇偶校验:", "Parity:"},
            {"stopBitsLabel", "停止位:", "Stop Bits:"},
            {"flowControlLabel", "流控制:", "Flow Control:"},
            {"Enter", "确定", "Enter"},
            {"Cancel", "取消", "Cancel"},
        };
        SettingsDialog::setPortLister([] { return QStringList{QStringLiteral("ttyS0")}; });
        SettingsDialog dialog;
        auto text = [&dialog](const char *object) -> QString {
            QObject *o = dialog.objectName() == QLatin1String(object) ? &dialog : dialog.findChild<QObject *>(object);
            if (auto *w = qobject_cast<QDialog *>(o))
                return w->windowTitle();
            if (auto *g = qobject_cast<QGroupBox *>(o))
                return g->title();
            if (auto *l = qobject_cast<QLabel *>(o))
                return l->text();
            if (auto *b = qobject_cast<QPushButton *>(o))
                return b->text();
            return QStringLiteral("<no %1>").arg(QLatin1String(object));
        };
        const auto boxes = dialog.findChildren<QComboBox *>();
        dialog.findChild<QComboBox *>(QStringLiteral("stopBitsBox"))->setCurrentIndex(1);
        QList<int> indices;
        for (const QComboBox *b : boxes)
            indices << b->currentIndex();

        for (int language : {-1, 1, 7, 0}) {
            // -1: as built; other values than 0 and 1 change nothing
            const bool english = language == 1 || language == 7;
            if (language >= 0)
                dialog.retranslate(language);
            for (const Row &r : rows)
                QCOMPARE(text(r.object), QString::fromUtf8(english ? r.english : r.chinese));
            for (int i = 0; i < boxes.size(); ++i)
                QCOMPARE(boxes[i]->currentIndex(), indices[i]);
        }
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
