#include "enginespeaker.h"

#include <QThread>

#include <cstdio>
#include <utility>

namespace {

constexpr int SettleMs = 500;

// speech-dispatcher speaks with the voice the user chose for the desktop,
// but only where its service answers; flite always can, offline.
QStringList enginesToTry()
{
    QStringList names = QTextToSpeech::availableEngines();
    for (const QString &preferred : { QStringLiteral("flite"), QStringLiteral("speechd") }) {
        if (names.removeOne(preferred))
            names.prepend(preferred);
    }
    return names;
}

} // namespace

EngineSpeaker::EngineSpeaker(QObject *parent) : Speaker(parent), settling(this)
{
    settling.setSingleShot(true);
    settling.setInterval(SettleMs);
    connect(&settling, &QTimer::timeout, this, &EngineSpeaker::startWaiting);
}

EngineSpeaker::~EngineSpeaker()
{
    if (!engine)
        return;
    engine->disconnect(this);
    engine->stop(QTextToSpeech::BoundaryHint::Immediate);
    // Deleted while still busy with a failed text, the engine crashes.
    if (settling.isActive())
        QThread::msleep(ulong(qMax(0, settling.remainingTime())));
}

bool EngineSpeaker::engineInstalled()
{
    return !QTextToSpeech::availableEngines().isEmpty();
}

bool EngineSpeaker::prepare()
{
    if (engine)
        return true;
    for (const QString &name : enginesToTry()) {
        auto candidate = std::make_unique<QTextToSpeech>(name);
        if (candidate->engine() == name && candidate->state() != QTextToSpeech::Error) {
            engine = std::move(candidate);
            break;
        }
    }
    if (!engine) {
        warnOnce(tr("no speech engine works here; the package %1 provides one")
                         .arg(QLatin1String(EnginePackage)));
        return false;
    }
    connect(engine.get(), &QTextToSpeech::stateChanged, this, &EngineSpeaker::stateChanged);
    connect(engine.get(), &QTextToSpeech::errorOccurred, this,
            [this](QTextToSpeech::ErrorReason, const QString &reason) { engineFailed(reason); });
    return true;
}

void EngineSpeaker::say(const QString &text)
{
    ++textNumber;
    busy = true;
    retries = 0;
    // An engine says nothing at all for an empty text, not even that it is done.
    if (text.trimmed().isEmpty() || !prepare()) {
        finishLater();
        return;
    }
    waiting = text;
    startWaiting();
}

void EngineSpeaker::stop()
{
    ++textNumber; // whatever the engine still reports is about the old text
    busy = false;
    waiting.clear();
    if (engineBusy && !draining) {
        draining = true;
        engine->stop(QTextToSpeech::BoundaryHint::Immediate);
    }
}

void EngineSpeaker::startWaiting()
{
    if (waiting.isEmpty() || engineBusy || settling.isActive())
        return;
    engineBusy = true;
    started = false;
    speaking = std::exchange(waiting, QString());
    engine->say(speaking);
}

// Ready after Speaking ends a text; a Ready before it is not about this
// one. Failures come through errorOccurred(), which each one emits.
void EngineSpeaker::stateChanged(QTextToSpeech::State state)
{
    if (state == QTextToSpeech::Speaking)
        started = true;
    else if (state == QTextToSpeech::Ready && engineBusy && (started || draining))
        engineEnded();
}

void EngineSpeaker::engineEnded()
{
    engineBusy = false;
    started = false;
    if (draining)
        draining = false; // the stopped text; the newest is still to come
    else
        finishLater();
    startWaiting();
}

void EngineSpeaker::engineFailed(const QString &reason)
{
    settling.start();
    if (!engineBusy)
        return; // a second report of the same failure
    if (started && !draining && retryWithAnotherVoice())
        return;
    warnOnce(reason);
    engineEnded();
}

bool EngineSpeaker::retryWithAnotherVoice()
{
    const QList<QVoice> voices = engine->availableVoices();
    if (retries >= voices.size() - 1)
        return false;
    ++retries;
    const qsizetype current = voices.indexOf(engine->voice());
    engine->setVoice(voices[(current + 1) % voices.size()]);
    engineBusy = false;
    started = false; // the failed text's own end is not this one's
    waiting = speaking;
    return true;
}

void EngineSpeaker::warnOnce(const QString &reason)
{
    if (warned)
        return;
    warned = true;
    std::fprintf(stderr, "duplink: %s\n", qPrintable(tr("cannot speak the alarms: %1").arg(reason)));
}

// Always from the event loop, never inside say(); and only for the text
// that was the newest when it was called.
void EngineSpeaker::finishLater()
{
    QMetaObject::invokeMethod(this, [this, number = textNumber] {
        if (number == textNumber && busy) {
            busy = false;
            emit finished();
        }
    }, Qt::QueuedConnection);
}
