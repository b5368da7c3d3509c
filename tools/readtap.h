#ifndef READTAP_H
#define READTAP_H

#include <QIODevice>

// Passes reads through to another device and reports every block it hands
// out, so the bytes a reader decoded can be kept exactly as they came. It
// stays open while the device underneath is closed and reopened; reads then
// return nothing. Read only.
class ReadTap : public QIODevice
{
    Q_OBJECT

public:
    explicit ReadTap(QIODevice *source, QObject *parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

signals:
    // The block just read; valid only while the signal is delivered.
    void blockRead(const QByteArray &bytes);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QIODevice *source;
};

#endif
