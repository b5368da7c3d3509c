#include "commdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CommDialog::CommDialog(QWidget *parent, const QStringList &extraPorts)
    : QDialog(parent)
{
    setFixedSize(150, 80);
    captionLabel = new QLabel(tr("Torvi @"));
    portBox = new QComboBox(this);
    portBox->setObjectName(QStringLiteral("portBox"));
    okButton = new QPushButton(tr("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));

    portBox->addItems(extraPorts);
    portList = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : std::as_const(portList))
        portBox->addItem(info.portName());

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(captionLabel, 0, 0, Qt::AlignRight);
    layout->addWidget(portBox, 0, 1);
    layout->addWidget(okButton, 1, 0, 1, 2);

    setWindowTitle(tr("RS232"));
}

QString CommDialog::selectedPort() const
{
    return portBox->currentText();
}
