#include "sharedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString withoutScheme(const QString &broker)
{
    const int schemeEnd = broker.indexOf(QLatin1String("://"));
    return schemeEnd < 0 ? broker : broker.mid(schemeEnd + 3);
}

} // namespace

ShareDialog::ShareDialog(const ShareSettings &settings, QWidget *parent)
    : QDialog(parent), kept(settings)
{
    setWindowTitle(tr("Share over MQTT"));
    broker = new QLineEdit(withoutScheme(settings.broker));
    broker->setPlaceholderText(tr("host or host:port"));
    broker->setAccessibleName(tr("Broker"));
    broker->setAccessibleDescription(tr("The MQTT broker's host name or address, and its port if not the usual"));
    tls = new QCheckBox(tr("Secure connection (TLS)"));
    tls->setChecked(settings.broker.startsWith(QLatin1String("mqtts://")));
    caFile = new QLineEdit(settings.caFile);
    caFile->setPlaceholderText(tr("the system's certificates"));
    caFile->setAccessibleName(tr("CA file"));
    caFile->setAccessibleDescription(tr("The authority that signed the broker's certificate; empty: the system's"));
    auto *browse = new QPushButton(tr("Browse..."));
    browse->setAccessibleName(tr("Choose the CA file"));
    topic = new QLineEdit(settings.topic);
    topic->setPlaceholderText(tr("field/1"));
    topic->setAccessibleName(tr("Base topic"));
    topic->setAccessibleDescription(tr("The session's topics lie under it: report, data, alarms, channels, status"));
    username = new QLineEdit(settings.username);
    username->setAccessibleName(tr("User name"));
    password = new QLineEdit(settings.password);
    password->setEchoMode(QLineEdit::Password);
    password->setAccessibleName(tr("Password"));
    password->setAccessibleDescription(tr("Kept in the settings file, which only you can read"));
    homeAssistant = new QCheckBox(tr("Announce the channels with a unit to Home Assistant"));
    homeAssistant->setChecked(settings.homeAssistant);
    enabled = new QCheckBox(tr("Share this session"));
    enabled->setChecked(settings.enabled);
    problem = new QLabel;
    problem->setWordWrap(true);
    problem->setAccessibleName(tr("Problem"));
    problem->hide();

    caRow = new QWidget;
    auto *caLayout = new QHBoxLayout(caRow);
    caLayout->setContentsMargins(0, 0, 0, 0);
    caLayout->addWidget(caFile);
    caLayout->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(tr("&Broker:"), broker);
    form->addRow(QString(), tls);
    form->addRow(tr("&CA file:"), caRow);
    form->addRow(tr("Base &topic:"), topic);
    form->addRow(tr("&User name:"), username);
    form->addRow(tr("&Password:"), password);
    form->addRow(QString(), homeAssistant);
    form->addRow(QString(), enabled);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ShareDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ShareDialog::reject);
    connect(browse, &QPushButton::clicked, this, &ShareDialog::chooseCaFile);
    connect(tls, &QCheckBox::toggled, this, &ShareDialog::followTls);
    followTls();
}

QString ShareDialog::brokerText() const
{
    const QString host = withoutScheme(broker->text().trimmed());
    if (host.isEmpty())
        return {};
    return (tls->isChecked() ? QLatin1String("mqtts://") : QLatin1String("mqtt://")) + host;
}

ShareSettings ShareDialog::settings() const
{
    ShareSettings edited = kept;
    edited.broker = brokerText();
    edited.topic = topic->text().trimmed();
    edited.username = username->text();
    edited.password = password->text();
    edited.caFile = caFile->text().trimmed();
    edited.homeAssistant = homeAssistant->isChecked();
    edited.enabled = enabled->isChecked();
    return edited;
}

// A broker and topic that make no sense are only kept unused.
void ShareDialog::accept()
{
    const ShareSettings edited = settings();
    QString why;
    if (edited.enabled || !edited.broker.isEmpty())
        edited.address(&why);
    problem->setText(why);
    problem->setVisible(!why.isEmpty());
    if (!why.isEmpty()) {
        problem->setAccessibleDescription(why);
        return;
    }
    QDialog::accept();
}

void ShareDialog::chooseCaFile()
{
    const QString chosen = QFileDialog::getOpenFileName(this, tr("CA file"), caFile->text(),
                                                        tr("Certificates (*.pem *.crt);;All files (*)"));
    if (!chosen.isEmpty())
        caFile->setText(chosen);
}

void ShareDialog::followTls()
{
    caRow->setEnabled(tls->isChecked());
}
