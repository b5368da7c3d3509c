#include "commdialog.h"
#include "dialogdriver.h"
#include "fakeports.h"
#include "linkedwindow.h"
#include "temporarysettings.h"
#include "translations.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTranslator>

namespace {

// Words that are the same in German and Spanish as in English.
const QStringList SameInEveryLanguage = { QStringLiteral("Torvi Duplink"), QStringLiteral("RS232"),
                                          QStringLiteral("OK") };

// Everything the window and the port dialog say, by object and property:
// titles, texts, tooltips, accessible names and descriptions, placeholders,
// combo box items, the actions (the menus' entries). Shown, the window's
// status line saying why Set sent nothing.
QMap<QString, QString> showAndRead(Window &window, CommDialog &dialog)
{
    {
        DialogDriver closeDialog(&window, DialogDriver::Reject);
        window.show();
    }
    QTest::mouseClick(rowChild<QPushButton>(window, "setButton", 1), Qt::LeftButton);
    dialog.show();
    QMap<QString, QString> words;
    for (QObject *top : { static_cast<QObject *>(&window), static_cast<QObject *>(&dialog) }) {
        const QObjectList objects = top->findChildren<QObject *>() << top;
        for (const QObject *object : objects) {
            const QString name = QLatin1String(object->metaObject()->className()) + QLatin1Char(' ')
                    + object->objectName() + QLatin1Char('.');
            if (object != top && (object->objectName().isEmpty() || name.contains(QLatin1String(" qt_"))))
                continue;
            for (const char *property : { "windowTitle", "text", "toolTip", "accessibleName",
                                          "accessibleDescription", "placeholderText" })
                words.insert(name + QLatin1String(property), object->property(property).toString());
            if (const auto *box = qobject_cast<const QComboBox *>(object)) {
                for (int i = 0; i < box->count(); ++i)
                    words.insert(name + QString::number(i), box->itemText(i));
            }
        }
    }
    // Numbers (a spin box's text) are no words.
    const QRegularExpression letter(QStringLiteral("\\p{L}"));
    words.removeIf([&](const auto &word) { return !word.value().contains(letter); });
    return words;
}

// Every caption has room for its text: a label its text's width, a button
// its size hint, a combo box's field its items and placeholder.
void checkNothingClipped(const QWidget &top)
{
    for (const QLabel *label : top.findChildren<QLabel *>()) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                 qPrintable(label->text()));
    }
    for (const QPushButton *button : top.findChildren<QPushButton *>())
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
    for (const QComboBox *box : top.findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        const int room = box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, box).width();
        QStringList texts{ box->placeholderText() };
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        for (const QString &text : std::as_const(texts))
            QVERIFY2(box->fontMetrics().horizontalAdvance(text) <= room, qPrintable(text));
    }
}

} // namespace

// The programs in the user's language: the catalogs a locale gets, and the
// window and port dialog as its user sees them.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void inTheLocalesLanguage_data();
    void inTheLocalesLanguage();
    void cleanup() { qDeleteAll(qApp->findChildren<QTranslator *>()); }

private:
    TemporarySettings settings;
};

void tst_Translations::inTheLocalesLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language"); // of the catalogs installed; none: English

    QTest::newRow("German") << "de_DE" << "de";
    QTest::newRow("German, a country of its own") << "de_AT" << "de";
    QTest::newRow("Spanish") << "es_MX" << "es";
    // English and C stay as written; so does a language of Qt's but not ours.
    QTest::newRow("English") << "en_GB" << "";
    QTest::newRow("C") << "C" << "";
    QTest::newRow("Japanese") << "ja_JP" << "";
}

// Our catalog and Qt's in the language, or none. Every caption of the
// window and the port dialog fits; in German and Spanish, every word (each
// alarm row, the status line, the menus, the dialog) is translated.
void tst_Translations::inTheLocalesLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);

    FakePorts noPorts;
    Window english;
    CommDialog englishDialog(nullptr, {}, noPorts.byIdFolder(), noPorts.source());
    const QMap<QString, QString> englishWords = showAndRead(english, englishDialog);

    installTranslations(*qApp, QLocale(locale));
    QStringList catalogs, expected;
    for (const QTranslator *translator : qApp->findChildren<QTranslator *>())
        catalogs << QFileInfo(translator->filePath()).fileName();
    for (const char *catalog : { "duplink", "qtbase", "qtserialport" })
        expected << QStringLiteral("%1_%2.qm").arg(QLatin1String(catalog), language);
    catalogs.sort();
    QCOMPARE(catalogs, language.isEmpty() ? QStringList() : expected);

    Window window;
    CommDialog dialog(nullptr, {}, noPorts.byIdFolder(), noPorts.source());
    const QMap<QString, QString> words = showAndRead(window, dialog);
    QVERIFY(QTest::qWaitForWindowExposed(&window) && QTest::qWaitForWindowExposed(&dialog));
    checkNothingClipped(window);
    checkNothingClipped(dialog);
    if (language.isEmpty())
        return; // no catalog: the window as it is in English
    QCOMPARE(words.keys(), englishWords.keys());
    for (auto word = words.cbegin(); word != words.cend(); ++word) {
        const QString inEnglish = englishWords.value(word.key());
        if (!SameInEveryLanguage.contains(inEnglish))
            QVERIFY2(word.value() != inEnglish, qPrintable(word.key() + QLatin1String(": ") + inEnglish));
    }
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
