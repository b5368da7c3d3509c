#include "logbookcontrol.h"

#include "flightswindow.h"
#include "logbook.h"
#include "logbooksettings.h"
#include "portlistener.h"
#include "seriallink.h"

#include <QAction>
#include <QSettings>
#include <QWidget>

LogbookControl::LogbookControl(QWidget *mainWindow)
    : QObject(mainWindow), mainWindow(mainWindow)
{
    QSettings settings;
    const LogbookSettings kept = LogbookSettings::load(settings);
    keeping = kept.keep;
    book = new Logbook(kept, this);
    connect(book, &Logbook::message, this, &LogbookControl::message);
    flightsEntry = new QAction(tr("Flights..."), mainWindow);
    flightsEntry->setObjectName(QStringLiteral("flightsAction"));
    flightsEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(flightsEntry, &QAction::triggered, this, &LogbookControl::openWindow);
}

LogbookControl::~LogbookControl()
{
    finish();
}

void LogbookControl::listenTo(PortListener *reporter)
{
    listener = reporter;
}

void LogbookControl::followLink(SerialLink *link)
{
    keepSession(link->deviceName());
    connect(link, &SerialLink::lost, book, [this] { book->linkChanged(true); });
    connect(link, &SerialLink::restored, book, [this] { book->linkChanged(false); });
}

void LogbookControl::keepSession(const QString &device)
{
    if (keeping && listener)
        book->keep(listener, device);
}

void LogbookControl::finish()
{
    book->finish();
}

void LogbookControl::openWindow()
{
    if (!shown)
        shown = new FlightsWindow(book, mainWindow);
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void LogbookControl::setChannelScale(int channel, const ChannelScale &scale)
{
    if (shown)
        shown->setChannelScale(channel, scale);
}
