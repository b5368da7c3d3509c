#include "graphexport.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

GraphExport::GraphExport(QWidget *graph, Picture picture)
    : QObject(graph),
      graph(graph),
      picture(std::move(picture))
{
    savingAction = new QAction(tr("Save graph as image..."), graph);
    savingAction->setObjectName(QStringLiteral("saveImageAction"));
    savingAction->setShortcut(QKeySequence::Save);
    savingAction->setShortcutContext(Qt::WindowShortcut);
    connect(savingAction, &QAction::triggered, this, &GraphExport::saveAs);

    copyingAction = new QAction(tr("Copy graph"), graph);
    copyingAction->setObjectName(QStringLiteral("copyImageAction"));
    copyingAction->setShortcut(QKeySequence::Copy);
    copyingAction->setShortcutContext(Qt::WidgetShortcut);
    connect(copyingAction, &QAction::triggered, this, &GraphExport::copy);
}

QString GraphExport::save(const QString &path) const
{
    const QString shownPath = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return tr("Cannot save %1: %2").arg(shownPath, file.errorString());
    QImageWriter writer(&file, "png");
    if (!writer.write(picture())) {
        file.cancelWriting();
        return tr("Cannot save %1: %2").arg(shownPath, writer.errorString());
    }
    if (!file.commit())
        return tr("Cannot save %1: %2").arg(shownPath, file.errorString());
    return {};
}

void GraphExport::saveAs()
{
    QFileDialog dialog(graph, tr("Save graph as image"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("PNG images (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // The pictures folder where there is one, not wherever Duplink started.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    dialog.setDirectory(QDir(pictures).exists() ? pictures : QDir::homePath());
    dialog.selectFile(QStringLiteral("duplink-graph.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString error = save(dialog.selectedFiles().constFirst());
    if (!error.isEmpty())
        QMessageBox::warning(graph, tr("Save graph as image"), error);
}

void GraphExport::copy()
{
    QGuiApplication::clipboard()->setImage(picture());
}
