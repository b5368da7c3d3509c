#include "decodercheck.h"
#include "seedcorpus.h"
#include "temporarysettings.h"
#include "windowfeed.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Replays, outside the fuzzer, every input that once made a fuzz target fail
// (tests/fuzz/regressions, one file per input, named after what it caught)
// and the seed corpus, through the same checks the fuzz targets run.
class tst_FuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void decoder_data();
    void decoder();
    void window_data();
    void window();

private:
    void addInputs();

    TemporarySettings settings; // before the windows read them
};

void tst_FuzzRegressions::addInputs()
{
    QTest::addColumn<QByteArray>("input");
    for (const Seed &seed : seedCorpus())
        QTest::newRow(("seed " + seed.name).c_str()) << QByteArray::fromStdString(seed.wire);
    const QDir folder(QStringLiteral(DUPLINK_FUZZ_REGRESSIONS));
    const QStringList names = folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        QFile file(folder.filePath(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QTest::newRow(qPrintable(QStringLiteral("regression ") + name)) << file.readAll();
    }
}

void tst_FuzzRegressions::decoder_data()
{
    addInputs();
}

// Each input under several ways of cutting it into reads: the first byte
// chooses the cut, so a seed's own first byte is tried as well.
void tst_FuzzRegressions::decoder()
{
    QFETCH(QByteArray, input);
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(input.constData());
    QCOMPARE(QString::fromStdString(checkDecoder(bytes, std::size_t(input.size()))), QString());
    for (int cut : { 0, 1, 7, 8, 9, 255 }) {
        const QByteArray cutInput = char(cut) + input;
        const std::string error = checkDecoder(
                reinterpret_cast<const std::uint8_t *>(cutInput.constData()),
                std::size_t(cutInput.size()));
        QVERIFY2(error.empty(), ("cut " + std::to_string(cut) + ": " + error).c_str());
    }
}

void tst_FuzzRegressions::window_data()
{
    addInputs();
}

// A fresh window, then one that has already shown the same input, since the
// fuzzer runs all its inputs through one window.
void tst_FuzzRegressions::window()
{
    QFETCH(QByteArray, input);
    WindowFeed feed;
    QCOMPARE(feed.feed(input.constData(), input.size()), QString());
    QCOMPARE(feed.feed(input.constData(), input.size()), QString());
}

QTEST_MAIN(tst_FuzzRegressions)
#include "tst_fuzzregressions.moc"
