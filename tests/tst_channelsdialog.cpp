#include "channelscontrol.h"
#include "channelsdialog.h"
#include "temporarysettings.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

// The field of channel 1 to 3 that holds `field`.
QLineEdit *field(const QWidget &dialog, int channel, ChannelScale::Field field)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("channel%1field%2").arg(channel).arg(int(field)));
}

// Replaces what the focused field holds, as a user would, and moves on.
void typeOver(const char *text, int tabs = 1)
{
    QWidget *focused = QApplication::focusWidget();
    QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focused, QLatin1String(text));
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

} // namespace

class tst_ChannelsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }
    void editedWithTheKeyboard();
    void reopenedKeepsEveryDigit();
    void refusedInputStaysUnsaved_data();
    void refusedInputStaysUnsaved();

private:
    ChannelsDialog *openDialog(ChannelsControl &control, QWidget &window);

    TemporarySettings settings;
};

ChannelsDialog *tst_ChannelsDialog::openDialog(ChannelsControl &control, QWidget &window)
{
    window.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // an earlier dialog
    control.editAction()->trigger();
    auto *dialog = window.findChild<ChannelsDialog *>();
    if (dialog && QTest::qWaitForWindowExposed(dialog)) {
        dialog->activateWindow();
        field(*dialog, 1, ChannelScale::Name)->setFocus();
    }
    return dialog;
}

// From the menu entry to the settings, with the keyboard alone; the newest
// value converts as the fields change, and a restart reads it all back.
void tst_ChannelsDialog::editedWithTheKeyboard()
{
    QWidget window;
    ChannelsControl control(&window);
    QSignalSpy changed(&control, &ChannelsControl::scaleChanged);
    control.setNewest(156, 7, 9);
    ChannelsDialog *dialog = openDialog(control, window);
    QVERIFY(dialog);
    QLineEdit *name = field(*dialog, 1, ChannelScale::Name);
    QCOMPARE(QApplication::focusWidget(), name);
    typeOver("RX battery");
    typeOver("V", 3); // unit; raw 0 reads 0 as it is
    typeOver("255");
    typeOver("10");
    typeOver("2", 0);
    QStringList texts;
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        texts << label->text();
    QVERIFY2(texts.contains(QStringLiteral("Newest report: 156 reads 6.12 V")), qPrintable(texts.join('|')));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(!dialog->isVisible());

    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().at(0).toInt(), 1);
    QCOMPARE(QSettings().value(QStringLiteral("channels/volt1/unit")).toString(), QStringLiteral("V"));
    QVERIFY(!QSettings().childGroups().isEmpty());
    ChannelsControl restarted(&window);
    QCOMPARE(restarted.scale(1).name, QStringLiteral("RX battery"));
    QCOMPARE(restarted.scale(1).reading(156), QStringLiteral("6.12 V (156)"));
    QCOMPARE(restarted.scale(2), ChannelScale::defaults(ChannelScale::Volt2));

    // "Raw values" takes the channel back to its bytes, and nothing is kept.
    dialog = openDialog(restarted, window);
    QVERIFY(dialog);
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        if (button->accessibleName().startsWith(QLatin1String("Volt 1")))
            button->click();
    }
    dialog->accept();
    QCOMPARE(restarted.scale(1), ChannelScale::defaults(ChannelScale::Volt1));
    QVERIFY(QSettings().allKeys().isEmpty());
}

// The fields show every digit kept, so opening the dialog and pressing OK
// changes nothing.
void tst_ChannelsDialog::reopenedKeepsEveryDigit()
{
    QSettings().setValue(QStringLiteral("channels/volt1/unit"), QStringLiteral("V"));
    QSettings().setValue(QStringLiteral("channels/volt1/value1"), 6.12345678901234);
    QSettings().setValue(QStringLiteral("channels/volt1/decimals"), 2);
    QWidget window;
    ChannelsControl control(&window);
    const ChannelScale kept = control.scale(1);
    ChannelsDialog *dialog = openDialog(control, window);
    QVERIFY(dialog);
    dialog->accept();
    QCOMPARE(control.scale(1), kept); // exactly, not as near as QCOMPARE takes two doubles
}

void tst_ChannelsDialog::refusedInputStaysUnsaved_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("text");

    QTest::newRow("raw value twice") << int(ChannelScale::Raw2) << "0";
    QTest::newRow("raw value above 255") << int(ChannelScale::Raw1) << "300";
    QTest::newRow("raw value not whole") << int(ChannelScale::Raw1) << "2.5";
    QTest::newRow("value not a number") << int(ChannelScale::Value2) << "ten";
    QTest::newRow("value not finite") << int(ChannelScale::Value1) << "inf";
    QTest::newRow("seven decimals") << int(ChannelScale::Decimals) << "7";
    QTest::newRow("unit of 13 characters") << int(ChannelScale::Unit) << "kilovolts RMS";
}

// The field says why, OK keeps the dialog open on it, and nothing is kept.
void tst_ChannelsDialog::refusedInputStaysUnsaved()
{
    QFETCH(int, which);
    QFETCH(QString, text);
    QWidget window;
    ChannelsControl control(&window);
    QSignalSpy changed(&control, &ChannelsControl::scaleChanged);
    ChannelsDialog *dialog = openDialog(control, window);
    QVERIFY(dialog);
    QLineEdit *bad = field(*dialog, 2, ChannelScale::Field(which));
    field(*dialog, 2, ChannelScale::Unit)->setText(QStringLiteral("V"));
    bad->setText(text);
    QVERIFY2(!bad->accessibleDescription().isEmpty(), qPrintable(text));
    QCOMPARE(bad->toolTip(), bad->accessibleDescription());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QCOMPARE(QApplication::focusWidget(), bad);
    QCOMPARE(changed.size(), 0);
    QVERIFY(QSettings().allKeys().isEmpty());
    dialog->reject();
}

QTEST_MAIN(tst_ChannelsDialog)
#include "tst_channelsdialog.moc"
