#include "recordingcontrol.h"

#include "portlistener.h"
#include "sessionrecording.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QWidget>

#include <utility>

RecordingControl::RecordingControl(QWidget *window)
    : QObject(window), window(window)
{
    record = new QAction(tr("Record to file..."), this);
    stop = new QAction(tr("Stop recording"), this);
    connect(record, &QAction::triggered, this, &RecordingControl::chooseFile);
    connect(stop, &QAction::triggered, this, &RecordingControl::finish);
    updateActions();
}

RecordingControl::~RecordingControl()
{
    delete session; // flushes and closes the file
}

void RecordingControl::setListener(PortListener *portListener)
{
    listener = portListener;
    updateActions();
}

bool RecordingControl::isRecording() const
{
    return session && session->isActive();
}

QString RecordingControl::proposedPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QStringLiteral("duplink-%1.csv")
                                 .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm")));
    return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(name);
}

void RecordingControl::chooseFile()
{
    const QString path = QFileDialog::getSaveFileName(
            window, tr("Record to file"), proposedPath(),
            //: The file dialog's filters: ";;" between them, each pattern in brackets
            tr("CSV (*.csv);;JSON Lines (*.jsonl);;Raw capture (*.raw)"));
    if (!path.isEmpty() && !start(path))
        emit message(tr("Cannot record: %1").arg(error));
}

bool RecordingControl::prepare(const QString &path)
{
    if (!listener) {
        error = tr("nothing to record yet");
        return false;
    }
    finish();
    session = new SessionRecording(listener, this);
    connect(session, &SessionRecording::failed, this, &RecordingControl::failed);
    if (!session->open(path)) {
        error = session->errorString();
        delete session;
        session = nullptr;
        return false;
    }
    return true;
}

void RecordingControl::startPending()
{
    if (pending.isEmpty())
        return;
    if (!start(std::exchange(pending, QString())))
        emit message(tr("Cannot record: %1").arg(error));
}

bool RecordingControl::start(const QString &path)
{
    return prepare(path) && begin();
}

bool RecordingControl::begin()
{
    if (!session || session->isActive())
        return isRecording();
    if (!session->begin()) {
        error = session->errorString();
        delete session;
        session = nullptr;
        return false;
    }
    emit message(tr("Recording to %1").arg(QDir::toNativeSeparators(session->fileName())));
    emit recordingChanged(true);
    updateActions();
    return true;
}

void RecordingControl::finish()
{
    if (!session)
        return;
    const bool wasRecording = session->isActive();
    const QString name = QDir::toNativeSeparators(session->fileName());
    const bool closed = session->end();
    if (!closed)
        error = session->errorString();
    session->deleteLater();
    session = nullptr;
    updateActions();
    if (!wasRecording)
        return;
    emit message(tr("Recording stopped: %1").arg(closed ? name : error));
    emit recordingChanged(false);
}

// What was written stays; the program goes on.
void RecordingControl::failed(const QString &reason)
{
    error = reason;
    session->deleteLater();
    session = nullptr;
    updateActions();
    emit message(tr("Recording stopped: %1").arg(reason));
    emit recordingChanged(false);
}

void RecordingControl::updateActions()
{
    const bool recording = isRecording();
    record->setVisible(!recording);
    record->setEnabled(listener != nullptr);
    stop->setVisible(recording);
}
