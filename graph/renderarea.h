#ifndef RENDERAREA_H
#define RENDERAREA_H

#include "channelscale.h"
#include "graphexport.h"
#include "graphoverlays.h"
#include "graphtraces.h"
#include "sweep.h"

#include <QBrush>
#include <QPen>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <memory>

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

// Sweep graph of the last 128 samples of three channels: new samples
// overwrite the oldest slot from left to right, and a short gap after the
// newest one separates fresh history from old.
//
// For reading it: a tooltip and a keyboard cursor give a slot's values; the
// context menu shows threshold lines, pauses the picture, and saves or
// copies it. None of these draws anything until it is used. The graph is
// fed samples and threshold values; it knows no serial line and no alarm.
class RenderArea : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Slots = Sweep::Slots;
    static constexpr int GapSlots = GraphTraces::GapSlots;

    explicit RenderArea(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // Each value is taken as an unsigned byte: -1 is drawn as 255.
    void addSample(char value1, char value2, char value3);

    // Requests a repaint of what the samples added since the last call
    // changed: a few slots around the newest one, since a sample only joins
    // its predecessor and moves the gap. Far cheaper than update() on a
    // whole sweep of antialiased traces.
    void updateChanged();

    // The picture's samples: while paused, those it froze with.
    int newestSlot() const { return picture().newestSlot(); }
    QPoint point(int channel, int slot) const;

    // What assistive tools are told the graph is for; the newest sample
    // follows it in the accessible description, refreshed at most once a
    // DescribeInterval while samples arrive. Tests shorten the interval.
    static constexpr int DescribeInterval = 1000; // ms
    void setPurpose(const QString &purpose);
    int describeInterval() const { return describeTimer.interval(); }
    void setDescribeInterval(int ms) { describeTimer.setInterval(ms); }

    // How channel 1 to 3 reads in the user's units, in the readout, the
    // description and the threshold lines' labels; raw bytes by default.
    void setChannelScale(int channel, const ChannelScale &scale);
    const ChannelScale &channelScale(int channel) const { return scales[channel - 1]; }

    // A slot's report in words, as the tooltip and the cursor show it: how
    // many reports ago it arrived and its three values, or that the slot
    // has held none yet. Reads the picture as shown (frozen while paused).
    QString readout(int slot) const;
    // The slot whose point is nearest to x.
    int slotAt(int x) const { return traces().slotAt(x); }
    // The keyboard cursor's slot, or -1 before the graph first has focus.
    int cursorSlot() const { return cursor; }

    // A dashed line across the graph at a channel's value, labelled with
    // its number (1 to ThresholdCount), drawn in the channel's colour while
    // thresholds are shown. A value outside 0 to 255 removes the line.
    static constexpr int ThresholdCount = GraphOverlays::ThresholdCount;
    void setThreshold(int number, int channel, int value);
    int thresholdValue(int number) const;
    int thresholdChannel(int number) const;
    bool thresholdsShown() const { return showThresholds; }
    void setThresholdsShown(bool shown);

    // While paused the picture stays as it was; samples still arrive, and
    // resuming shows them all at once.
    bool isPaused() const { return frozen != nullptr; }
    void setPaused(bool paused);

    // A "REC" mark in the top right corner while the session is recorded.
    bool isRecording() const { return recording; }
    void setRecording(bool recording);

    // The picture as shown, at the widget's size, without the keyboard
    // cursor or the pause note.
    QImage image();
    // Writes image() to path as a PNG; returns why it failed, or nothing.
    QString saveImage(const QString &path) { return exporter->save(path); }

    // The context menu's actions, also reachable by their shortcuts:
    // Ctrl+T, Space (with focus), Ctrl+S, Ctrl+C (with focus).
    QAction *showThresholdsAction() const { return thresholdsAction; }
    QAction *pauseAction() const { return pausingAction; }
    QAction *saveAction() const { return exporter->saveAction(); }
    QAction *copyAction() const { return exporter->copyAction(); }

signals:
    void thresholdsShownChanged(bool shown);

public slots:
    // Asks for a file and saves the picture there; a failure is shown.
    void saveImageAs() { exporter->saveAs(); }
    void copyImage() { exporter->copy(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    GraphTraces traces() const { return GraphTraces(size()); }
    // What the graph shows: the frozen sweep while paused, else the live one.
    const Sweep &picture() const { return frozen ? *frozen : sweep; }

    void createActions();
    void describe();
    void moveCursor(int slot);
    GraphOverlays overlays() const;
    QString thresholdLabel(int index) const;

    Sweep sweep; // every sample, paused or not
    std::unique_ptr<Sweep> frozen; // the picture while paused
    int samplesSinceUpdate = 0;
    QPen pen1, pen2, pen3;
    QBrush brush1, brush2, brush3;

    int cursor = -1;
    bool exporting = false;
    bool showThresholds = false;
    bool recording = false;
    int thresholdValues[ThresholdCount] = { -1, -1, -1, -1 };
    int thresholdChannels[ThresholdCount] = { 1, 1, 1, 1 };
    ChannelScale scales[Sweep::Channels] = { ChannelScale::defaults(ChannelScale::Volt1),
                                             ChannelScale::defaults(ChannelScale::Volt2),
                                             ChannelScale::defaults(ChannelScale::LinkQuality) };
    QString purpose;
    QTimer describeTimer;
    QAction *thresholdsAction;
    QAction *pausingAction;
    GraphExport *exporter;
};

#endif
