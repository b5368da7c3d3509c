#include "linkedwindow.h"

#include "outputcapture.h"
#include "testframes.h"

#include <QComboBox>
#include <QSpinBox>

LinkedWindow::LinkedWindow()
{
    OutputCapture quiet(stdout);
    window.connectDevice(pty.slavePath());
    pty.read(RequestFrame.size());
}

void setRowCondition(const QWidget &window, int row, int comparison, int value)
{
    rowChild<QComboBox>(window, "comparisonComboBox", row)->setCurrentIndex(comparison);
    rowChild<QSpinBox>(window, "valueSpinBox", row)->setValue(value);
}

QList<int> rowSettings(const QWidget &window, int row)
{
    return { rowChild<QSpinBox>(window, "levelSpinBox", row)->value(),
             rowChild<QComboBox>(window, "comparisonComboBox", row)->currentIndex(),
             rowChild<QSpinBox>(window, "valueSpinBox", row)->value() };
}
