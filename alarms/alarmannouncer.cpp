#include "alarmannouncer.h"

#include "alarmrow.h"
#include "alarmrows.h"

#include <QAction>
#include <QEvent>
#include <QSettings>
#include <QWidget>

AlarmAnnouncer::AlarmAnnouncer(const AlarmRows &rows, QWidget *window)
    : QObject(window), rows(rows), window(window)
{
    const QSettings settings;
    repeatSeconds = qMax(0, settings.value(QLatin1String(AlarmCallouts::RepeatSecondsKey),
                                           AlarmCallouts::DefaultRepeatSeconds).toInt());

    speak = new QAction(tr("Speak alarms"), this);
    speak->setObjectName(QStringLiteral("speakAlarmsAction"));
    speak->setCheckable(true);
    if (SpeechSpeaker::engineInstalled()) {
        speak->setToolTip(tr("Read each alarm aloud as it trips and clears"));
    } else {
        speak->setEnabled(false);
        speak->setToolTip(tr("No speech engine is installed; the package %1 provides one")
                                  .arg(QLatin1String(SpeechSpeaker::EnginePackage)));
    }
    notify = new QAction(tr("Notify alarms"), this);
    notify->setObjectName(QStringLiteral("notifyAlarmsAction"));
    notify->setCheckable(true);
    notify->setToolTip(tr("Show each alarm as a desktop notification while this window is not "
                          "the active one"));
    silenceEntry = new QAction(tr("Silence alarms"), this);
    silenceEntry->setObjectName(QStringLiteral("silenceAlarmsAction"));
    silenceEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    silenceEntry->setShortcutContext(Qt::WindowShortcut);
    silenceEntry->setToolTip(tr("Stop what is being read, and keep quiet until another alarm trips"));
    window->addAction(silenceEntry);

    connect(speak, &QAction::toggled, this, &AlarmAnnouncer::setSpeaking);
    connect(notify, &QAction::toggled, this, &AlarmAnnouncer::setNotifying);
    speak->setChecked(speak->isEnabled() && settings.value(QLatin1String(AlarmCallouts::SpeakKey)).toBool());
    notify->setChecked(settings.value(QLatin1String(AlarmNotifier::NotifyKey)).toBool());
    connect(silenceEntry, &QAction::triggered, this, [this] {
        if (callouts)
            callouts->silence();
    });
    connect(&rows, &AlarmRows::trippedChanged, this, &AlarmAnnouncer::rowChanged);
    window->installEventFilter(this);
}

void AlarmAnnouncer::rowChanged(int index, bool tripped)
{
    const QString words = rows.row(index)->callout();
    if (callouts) {
        if (tripped)
            callouts->trip(index, words);
        else
            callouts->clear(index, words);
    }
    if (notify->isChecked())
        notifier.show(index, words, tripped);
}

// Switched on, the rows already tripped are read out; switched off, what is
// being read stops and nothing more is queued.
void AlarmAnnouncer::setSpeaking(bool on)
{
    QSettings().setValue(QLatin1String(AlarmCallouts::SpeakKey), on);
    callouts.reset();
    if (!on)
        return;
    speaker.prepare();
    callouts = std::make_unique<AlarmCallouts>(speaker);
    callouts->setRepeatSeconds(repeatSeconds);
    for (int index = 0; index < AlarmRows::Count; ++index) {
        if (rows.row(index)->isTripped())
            callouts->trip(index, rows.row(index)->callout());
    }
}

void AlarmAnnouncer::setNotifying(bool on)
{
    QSettings().setValue(QLatin1String(AlarmNotifier::NotifyKey), on);
}

// It watches the window alone.
bool AlarmAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        notifier.setWindowActive(true);
        break;
    case QEvent::WindowDeactivate:
        notifier.setWindowActive(false);
        break;
    case QEvent::Close:
        if (callouts)
            callouts->shutDown();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
