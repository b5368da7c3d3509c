#ifndef GRAPHEXPORT_H
#define GRAPHEXPORT_H

#include <QImage>
#include <QObject>

#include <functional>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

// Saving the graph's picture as a PNG file and copying it to the clipboard:
// the two actions for the graph's context menu, the file dialog, and the
// message box when saving fails. The picture comes from the graph.
class GraphExport : public QObject
{
    Q_OBJECT

public:
    using Picture = std::function<QImage()>;

    // The actions and the dialogs belong to the graph.
    GraphExport(QWidget *graph, Picture picture);

    // Ctrl+S in the graph's window, Ctrl+C while the graph has focus.
    QAction *saveAction() const { return savingAction; }
    QAction *copyAction() const { return copyingAction; }

    // Writes the picture to path as a PNG; returns why it failed, or nothing.
    QString save(const QString &path) const;

public slots:
    // Asks for a file and saves the picture there; a failure is shown.
    void saveAs();
    void copy();

private:
    QWidget *graph;
    Picture picture;
    QAction *savingAction;
    QAction *copyingAction;
};

#endif
