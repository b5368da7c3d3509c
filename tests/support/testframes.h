#ifndef TESTFRAMES_H
#define TESTFRAMES_H

#include <QByteArray>
#include <QList>

// Bytes written as hex digits, blanks allowed: hex("7E FE 01 7E").
QByteArray hex(const char *text);

// A payload stuffed between two delimiters, as the module sends it.
QByteArray wireFrame(const QByteArray &payload);
QByteArray voltsFrame(quint8 volt1, quint8 volt2, quint8 linkq, quint8 linkql);
// Alarm row 1 to 4's setting as the module reports it; comparison 0 less,
// 1 great.
QByteArray thresholdFrame(int row, quint8 value, quint8 comparison, quint8 level = 0);
// A session's worth of every frame kind, stuffed bytes included: 20 volts
// frames, then alarms 1 and 3, then two user-data frames (the last "05").
QList<QByteArray> sessionFrames();

// What the monitor sends on connecting, and the line it prints for it.
extern const QByteArray RequestFrame;
extern const QByteArray RequestLine;

#endif
