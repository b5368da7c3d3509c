#include "dialogdriver.h"

#include "commdialog.h"
#include "window.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

DialogDriver::DialogDriver(Window *window, Answer answer) : window(window), answer(answer)
{
    QTimer::singleShot(0, this, &DialogDriver::answerWhenShown);
}

void DialogDriver::answerWhenShown()
{
    auto *dialog = window->findChild<CommDialog *>();
    if (!dialog || !dialog->isVisible()) {
        QTimer::singleShot(10, this, &DialogDriver::answerWhenShown);
        return;
    }
    ++dialogsSeen;
    auto *box = dialog->findChild<QComboBox *>(QStringLiteral("portBox"));
    for (int i = 0; i < box->count(); ++i)
        offeredPorts << box->itemText(i);
    if (answer == Accept)
        dialog->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
    else if (answer == Escape)
        QTest::keyClick(box, Qt::Key_Escape); // where the focus is when the dialog opens
    else
        dialog->windowHandle()->close();
}
