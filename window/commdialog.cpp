#include "commdialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

bool CommDialog::ListedPort::operator==(const ListedPort &other) const
{
    return entry == other.entry && byIdLink == other.byIdLink;
}

CommDialog::CommDialog(QWidget *parent, const QStringList &extraPorts, const QString &byIdFolder,
                       PortSource source)
    : QDialog(parent), extraPorts(extraPorts), byIdFolder(byIdFolder), source(std::move(source))
{
    setFixedSize(150, 80);
    //: Left of the port box: the brand, at the port chosen beside it
    captionLabel = new QLabel(tr("Torvi @"));
    portBox = new QComboBox(this);
    portBox->setObjectName(QStringLiteral("portBox"));
    portBox->setAccessibleName(tr("Serial port"));
    // Shown in the box when there is no port to choose: the box is narrow,
    // its tooltip and description say more.
    portBox->setPlaceholderText(tr("No port"));
    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));

    portBox->addItems(extraPorts);
    if (extraPorts.isEmpty())
        remembered = RememberedPort::load();
    connect(portBox, &QComboBox::currentIndexChanged, this, &CommDialog::showCurrentPort);
    showPorts(listPorts());

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    pollTimer.setInterval(PollInterval);
    connect(&pollTimer, &QTimer::timeout, this, &CommDialog::refreshPorts);

    auto *layout = new QGridLayout(this);
    layout->addWidget(captionLabel, 0, 0, Qt::AlignRight);
    layout->addWidget(portBox, 0, 1);
    layout->addWidget(okButton, 1, 0, 1, 2);

    //: The port dialog's title: the serial line's standard
    setWindowTitle(tr("RS232"));
}

QString CommDialog::selectedPort() const
{
    return portBox->currentText();
}

void CommDialog::showEvent(QShowEvent *event)
{
    pollTimer.start();
    QDialog::showEvent(event);
}

void CommDialog::hideEvent(QHideEvent *event)
{
    pollTimer.stop();
    QDialog::hideEvent(event);
}

QList<CommDialog::ListedPort> CommDialog::listPorts() const
{
    QList<ListedPort> ports;
    for (const PortEntry &entry : source())
        ports.append({ entry, byIdLink(entry.systemLocation, byIdFolder) });
    return ports;
}

void CommDialog::refreshPorts()
{
    // An open list must not change under the mouse; the next poll catches up.
    if (portBox->view()->isVisible())
        return;
    const QList<ListedPort> ports = listPorts();
    if (ports != listed)
        showPorts(ports);
}

// Ports that stay keep their items, so the choice stays where it was.
void CommDialog::showPorts(const QList<ListedPort> &ports)
{
    const int current = portBox->currentIndex();
    const bool onExtraPort = current >= 0 && current < extraPorts.size();
    const QString currentLocation = onExtraPort ? QString() : portBox->currentData().toString();

    const int first = int(extraPorts.size());
    int row = first;
    for (const ListedPort &port : ports) {
        const int at = indexOf(port.entry.systemLocation, row);
        if (at < 0)
            portBox->insertItem(row, port.entry.name, port.entry.systemLocation);
        for (int gone = at - 1; gone >= row; --gone)
            portBox->removeItem(gone);
        portBox->setItemText(row, port.entry.name);
        describeItem(row, describe(port));
        ++row;
    }
    while (portBox->count() > row)
        portBox->removeItem(row);
    listed = ports;
    describeExtraPorts();

    int wanted = onExtraPort ? current : indexOf(currentLocation, first);
    if (wanted < 0)
        wanted = preferredIndex();
    portBox->setCurrentIndex(wanted);
    showCurrentPort(); // the same item may have new details
}

// What is known of a device named on the command line is what is known of
// the listed port that is the same device.
void CommDialog::describeExtraPorts()
{
    for (int i = 0; i < extraPorts.size(); ++i) {
        const QString path = serialDevicePath(extraPorts.at(i));
        const QString device = QFileInfo(path).canonicalFilePath();
        ListedPort port{ { extraPorts.at(i), path, {}, {}, {} }, byIdLink(path, byIdFolder) };
        for (const ListedPort &known : std::as_const(listed)) {
            if (!device.isEmpty() && QFileInfo(known.entry.systemLocation).canonicalFilePath() == device)
                port.entry = { extraPorts.at(i), path, known.entry.description,
                               known.entry.manufacturer, known.entry.serialNumber };
        }
        describeItem(i, describe(port, tr("Named on the command line")));
    }
}

void CommDialog::describeItem(int index, const QString &about)
{
    portBox->setItemData(index, about, Qt::ToolTipRole);
    portBox->setItemData(index, about, Qt::AccessibleDescriptionRole);
}

QString CommDialog::describe(const ListedPort &port, const QString &note) const
{
    const PortEntry &entry = port.entry;
    QStringList lines{ entry.systemLocation };
    if (!note.isEmpty())
        lines << note;
    if (!entry.description.isEmpty())
        lines << entry.description;
    if (!entry.manufacturer.isEmpty())
        lines << tr("Manufacturer: %1").arg(entry.manufacturer);
    if (!entry.serialNumber.isEmpty())
        lines << tr("Serial number: %1").arg(entry.serialNumber);
    if (!port.byIdLink.isEmpty())
        lines << port.byIdLink;
    return lines.join(QLatin1Char('\n'));
}

int CommDialog::indexOf(const QString &systemLocation, int from) const
{
    if (systemLocation.isEmpty())
        return -1;
    for (int i = from; i < portBox->count(); ++i) {
        if (portBox->itemData(i).toString() == systemLocation)
            return i;
    }
    return -1;
}

int CommDialog::preferredIndex() const
{
    if (portBox->count() == 0)
        return -1;
    if (!extraPorts.isEmpty())
        return 0; // what the user named for this run comes before the last run
    for (int i = 0; i < listed.size(); ++i) {
        if (remembered.matches(listed.at(i).entry.name, listed.at(i).byIdLink))
            return i;
    }
    return 0;
}

// An empty list says why in the box's tooltip and to assistive tools (set
// as the description, not left to the tooltip, so that they hear of each
// change), and OK waits: accepting nothing would leave a window with no
// port to try, while an adapter plugged in now shows within a second.
void CommDialog::showCurrentPort()
{
    const bool empty = portBox->count() == 0;
    const QString note = tr("No serial port was found. Plug in an adapter and it appears here, "
                            "or give the device's path on the command line: duplink /dev/pts/3");
    const QString about = empty ? note : portBox->currentData(Qt::ToolTipRole).toString();
    portBox->setToolTip(about);
    portBox->setAccessibleDescription(about);
    okButton->setEnabled(!empty);
    okButton->setToolTip(empty ? note : QString());
}
