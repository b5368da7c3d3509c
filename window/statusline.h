#ifndef STATUSLINE_H
#define STATUSLINE_H

#include <QLabel>

// The one-line readout under the alarm rows: the link-quality figures, or
// what happened to the link. Whatever it says, it keeps one line's height
// and takes no width of its own, so the window keeps its shape; a message
// too long for the line is cut short with an ellipsis on screen, while its
// text, read by assistive tools and shown in the tooltip, stays whole.
class StatusLine : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLine(const QString &text, QWidget *parent = nullptr);

    // What the line is for, as assistive tools describe it.
    void setPurpose(const QString &purpose);
    // A message, and what the user can do about it (may be empty).
    void showMessage(const QString &message, const QString &advice = {});
    // Figures, which need no more than the line shows.
    void showFigures(const QString &figures);
    // A note the tooltip keeps under whatever the line shows (where the
    // session is shared, say); empty: none.
    void setNote(const QString &note);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showToolTip();

    QString purpose;
    QString more; // what the tooltip adds to a message
    QString note;
    bool messageShown = false;
};

#endif
