#include "commdialog.h"
#include "fakeports.h"
#include "linkedwindow.h"
#include "rememberedport.h"
#include "temporarysettings.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>
#include <QTest>

namespace {

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

} // namespace

// The port dialog: what it lists and keeps chosen, and the port it
// remembers from the last time.
class tst_CommDialog : public QObject
{
    Q_OBJECT

private slots:
    void dialogLayout();
    void dialogFollowsPorts();
    void emptyListExplained();
    void portDescriptions();
    void rememberedPort_data();
    void rememberedPort();

private:
    TemporarySettings settings;
};

void tst_CommDialog::dialogLayout()
{
    QWidget parent;
    CommDialog dialog(&parent, { QStringLiteral("/dev/pts/7"), QStringLiteral("/dev/pts/7") });
    QCOMPARE(dialog.windowTitle(), QStringLiteral("RS232"));
    QCOMPARE(dialog.size(), QSize(150, 80));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    auto *box = child<QComboBox>(dialog, "portBox");
    // Named devices come first, duplicates and all, the first one current.
    QCOMPARE(box->itemText(0), QStringLiteral("/dev/pts/7"));
    QCOMPARE(box->itemText(1), QStringLiteral("/dev/pts/7"));
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(box->count(), 2 + QSerialPortInfo::availablePorts().size());
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("okButton"))->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.findChild<QLabel *>()->text(), QStringLiteral("Torvi @"));
}

// While shown, the list follows the ports plugged in and out; the choice
// stays on its port, and devices named on the command line stay first.
void tst_CommDialog::dialogFollowsPorts()
{
    FakePorts ports;
    ports.plug(QStringLiteral("ttyS0"));
    ports.plug(QStringLiteral("ttyUSB0"));
    CommDialog dialog(nullptr, { QStringLiteral("/dev/pts/7") }, ports.byIdFolder(), ports.source());
    QComboBox *box = child<QComboBox>(dialog, "portBox");
    dialog.show();
    box->setCurrentIndex(2); // ttyUSB0

    ports.plug(QStringLiteral("ttyUSB1"), {}, 1);
    QTRY_COMPARE(items(box), QStringList({ "/dev/pts/7", "ttyS0", "ttyUSB1", "ttyUSB0" }));
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));
    ports.unplug(QStringLiteral("ttyS0"));
    QTRY_COMPARE(items(box), QStringList({ "/dev/pts/7", "ttyUSB1", "ttyUSB0" }));
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));

    // The chosen port goes: the choice falls back to the first device.
    ports.unplug(QStringLiteral("ttyUSB0"));
    ports.unplug(QStringLiteral("ttyUSB1"));
    QTRY_COMPARE(items(box), QStringList({ "/dev/pts/7" }));
    QCOMPARE(box->currentIndex(), 0);

    // Hidden, it stops asking.
    dialog.hide();
    const int polls = ports.polls;
    QTest::qWait(3 * CommDialog::PollInterval);
    QCOMPARE(ports.polls, polls);
}

// No port: the box says so where the list would be, its tooltip and
// description say what to do, and OK waits for a port.
void tst_CommDialog::emptyListExplained()
{
    FakePorts ports;
    CommDialog dialog(nullptr, {}, ports.byIdFolder(), ports.source());
    QComboBox *box = child<QComboBox>(dialog, "portBox");
    auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("okButton"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!ok->isEnabled());
    // That it fits the box, in every language, tst_translations checks.
    QVERIFY(box->placeholderText().startsWith(QStringLiteral("No port")));
    QVERIFY(box->toolTip().contains(QStringLiteral("command line")));
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(face->text(QAccessible::Description), box->toolTip());

    ports.plug(QStringLiteral("ttyUSB0"));
    QTRY_VERIFY(ok->isEnabled());
    QCOMPARE(box->currentText(), QStringLiteral("ttyUSB0"));
    QVERIFY(!face->text(QAccessible::Description).contains(QStringLiteral("command line")));
    ports.unplug(QStringLiteral("ttyUSB0"));
    QTRY_VERIFY(!ok->isEnabled());
    QVERIFY(face->text(QAccessible::Description).contains(QStringLiteral("command line")));
}

// Each item's tooltip and description tell what the system knows of the
// port; its text stays the port's name.
void tst_CommDialog::portDescriptions()
{
    FakePorts ports;
    const QString adapter = QStringLiteral("usb-Prolific_USB-Serial_A1B2-if00-port0");
    PortEntry &usb = ports.plug(QStringLiteral("ttyUSB0"), adapter);
    usb.description = QStringLiteral("USB-Serial Controller");
    usb.manufacturer = QStringLiteral("Prolific");
    usb.serialNumber = QStringLiteral("A1B2");
    ports.plug(QStringLiteral("ttyS0"));
    // The same adapter named on the command line is known as well.
    CommDialog dialog(nullptr, { ports.device(QStringLiteral("ttyUSB0")) }, ports.byIdFolder(),
                      ports.source());
    QComboBox *box = child<QComboBox>(dialog, "portBox");
    QCOMPARE(items(box), QStringList({ ports.device("ttyUSB0"), "ttyUSB0", "ttyS0" }));
    const QStringList known = { ports.device(QStringLiteral("ttyUSB0")),
                                QStringLiteral("USB-Serial Controller"),
                                QStringLiteral("Manufacturer: Prolific"),
                                QStringLiteral("Serial number: A1B2"), ports.byIdLinkOf(adapter) };
    for (int item : { 0, 1 }) {
        const QString tip = box->itemData(item, Qt::ToolTipRole).toString();
        for (const QString &fact : known)
            QVERIFY2(tip.contains(fact), qPrintable(tip));
        QCOMPARE(box->itemData(item, Qt::AccessibleDescriptionRole).toString(), tip);
    }
    QVERIFY(box->itemData(0, Qt::ToolTipRole).toString().contains(QStringLiteral("command line")));
    QCOMPARE(box->itemData(2, Qt::ToolTipRole).toString(), ports.device(QStringLiteral("ttyS0")));
    QCOMPARE(box->toolTip(), box->itemData(0, Qt::ToolTipRole).toString());
}

void tst_CommDialog::rememberedPort_data()
{
    QTest::addColumn<QStringList>("extraPorts");
    QTest::addColumn<QString>("rememberedName");
    QTest::addColumn<QString>("rememberedAdapter"); // its by-id link's name
    QTest::addColumn<QString>("current");

    QTest::newRow("nothing remembered") << QStringList() << "" << "" << "ttyS0";
    QTest::newRow("remembered, there") << QStringList() << "ttyUSB0" << "" << "ttyUSB0";
    QTest::newRow("remembered, not there") << QStringList() << "ttyACM0" << "" << "ttyS0";
    QTest::newRow("named on the command line") << QStringList{ "/dev/pts/9" } << "ttyUSB0" << ""
                                               << "/dev/pts/9";
    QTest::newRow("the adapter under another number") << QStringList() << "ttyUSB0" << "usb-Module"
                                                      << "ttyUSB1";
    QTest::newRow("another adapter under its number") << QStringList() << "ttyUSB0" << "usb-Gone"
                                                      << "ttyS0";
}

void tst_CommDialog::rememberedPort()
{
    QFETCH(QStringList, extraPorts);
    QFETCH(QString, rememberedName);
    QFETCH(QString, rememberedAdapter);
    QFETCH(QString, current);

    FakePorts ports;
    ports.plug(QStringLiteral("ttyS0"));
    ports.plug(QStringLiteral("ttyUSB0"), QStringLiteral("usb-Other"));
    ports.plug(QStringLiteral("ttyUSB1"), QStringLiteral("usb-Module"));
    QSettings().clear();
    if (!rememberedName.isEmpty())
        RememberedPort::save(rememberedName,
                             rememberedAdapter.isEmpty() ? QString() : ports.byIdLinkOf(rememberedAdapter));
    CommDialog dialog(nullptr, extraPorts, ports.byIdFolder(), ports.source());
    QCOMPARE(child<QComboBox>(dialog, "portBox")->currentText(), current);
}

QTEST_MAIN(tst_CommDialog)
#include "tst_commdialog.moc"
