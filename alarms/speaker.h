#ifndef SPEAKER_H
#define SPEAKER_H

#include <QObject>
#include <QString>

// Something that reads a text aloud, one text at a time: the speech engine,
// or a recording stand-in in the tests.
class Speaker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts reading `text` and returns at once. Called only when the text
    // before it is finished or stopped.
    virtual void say(const QString &text) = 0;
    // Breaks off the text being read, at once; no finished() follows for it.
    virtual void stop() = 0;

signals:
    // The text given to say() has been read to its end, or could not be
    // read at all. Never emitted from within say() or stop().
    void finished();
};

#endif
