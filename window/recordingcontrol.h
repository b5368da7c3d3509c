#ifndef RECORDINGCONTROL_H
#define RECORDINGCONTROL_H

#include <QObject>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class PortListener;
class SessionRecording;

// Recording from the window: the menu entries that start and stop it, the
// file dialog that proposes a name, and the session recording that writes
// the file (CSV, JSON Lines or a raw capture, by the file's extension).
class RecordingControl : public QObject
{
    Q_OBJECT

public:
    explicit RecordingControl(QWidget *window);
    ~RecordingControl() override;

    // The listener whose frames are written; recording waits for one.
    void setListener(PortListener *listener);

    QAction *recordAction() const { return record; }
    QAction *stopAction() const { return stop; }
    bool isRecording() const;

    // Creates the file now and writes from the next frame on. False, with
    // the reason in errorString(), when the file cannot be made.
    bool start(const QString &path);
    void finish();
    QString errorString() const { return error; }

    // A recording asked for before there is anything to record (duplink
    // --record): startPending() begins it, when the link is up or a replay
    // starts, and says so if it cannot.
    void setPending(const QString &path) { pending = path; }
    void startPending();

signals:
    void recordingChanged(bool recording);
    // What the user should hear of it: started, stopped, failed.
    void message(const QString &text);

private:
    // Creates the file now, and writes once begin() is called.
    bool prepare(const QString &path);
    bool begin();
    // duplink-YYYY-MM-DD-HHMM.csv in the documents folder.
    static QString proposedPath();
    void chooseFile();
    void failed(const QString &reason);
    void updateActions();

    QWidget *window;
    QPointer<PortListener> listener;
    SessionRecording *session = nullptr;
    QAction *record;
    QAction *stop;
    QString error;
    QString pending;
};

#endif
