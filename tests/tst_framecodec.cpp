#include "framecodec.h"
#include "streammodel.h"
#include "testframes.h"

#include <QRandomGenerator>
#include <QTest>

#include <vector>

namespace {

const std::uint8_t *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const std::uint8_t *>(bytes.constData());
}

// Runs the decoder over each block in turn and lists the frames, in hex.
QStringList decodeBlocks(FrameDecoder &decoder, const QList<QByteArray> &blocks)
{
    QStringList frames;
    for (const QByteArray &block : blocks) {
        decoder.decode(bytesOf(block), std::size_t(block.size()),
                       [&](const std::uint8_t *payload, int length) {
                           frames << QByteArray(reinterpret_cast<const char *>(payload), length)
                                             .toHex(' ').toUpper();
                       });
    }
    return frames;
}

// Delimiters, escapes and runs of random bytes (which may hold either too).
QByteArray randomWire(QRandomGenerator &random, int delimiterPercent, int escapePercent, int longestRun)
{
    QByteArray wire;
    while (wire.size() < 400) {
        const int pick = int(random.bounded(100));
        if (pick < delimiterPercent) {
            wire += char(Protocol::Delimiter);
        } else if (pick < delimiterPercent + escapePercent) {
            wire += char(Protocol::Escape);
        } else {
            for (int run = 1 + int(random.bounded(longestRun)); run > 0; --run)
                wire += char(random.bounded(256));
        }
    }
    return wire;
}

} // namespace

class tst_FrameCodec : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void splitAcrossBlocks_data();
    void splitAcrossBlocks();
    void matchesReference_data();
    void matchesReference();
    void resetDropsHalfFrame();
    void frameKind_data();
    void frameKind();
    void encode_data();
    void encode();
    void encodeThenDecodeRoundTrips();
};

void tst_FrameCodec::decode_data()
{
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QStringList>("frames");

    QTest::newRow("volts") << hex("7E FE 5A 3C 64 32 7E") << QStringList{ "FE 5A 3C 64 32" };
    QTest::newRow("volts padded") << hex("7E FE 5A 3C 64 32 00 00 00 00 7E")
                                  << QStringList{ "FE 5A 3C 64 32 00 00 00 00" };
    QTest::newRow("user data") << hex("7E FD 03 00 41 42 43 7E") << QStringList{ "FD 03 00 41 42 43" };
    QTest::newRow("stuffed delimiter") << hex("7E FA 7D 5E 01 02 7E") << QStringList{ "FA 7E 01 02" };
    QTest::newRow("stuffed escape") << hex("7E FB 7D 5D 00 03 7E") << QStringList{ "FB 7D 00 03" };
    QTest::newRow("empty frame") << hex("7E 7E") << QStringList{};
    QTest::newRow("shared delimiters") << hex("7E 01 7E 02 7E") << QStringList{ "01", "02" };
    QTest::newRow("overlong keeps 11")
            << hex("7E FE 01 02 03 04 05 06 07 08 09 0A 0B 0C 7E")
            << QStringList{ "FE 01 02 03 04 05 06 07 08 09 0A" };
    QTest::newRow("escape before delimiter dropped")
            << hex("7E FB 10 01 02 7D 7E 41 7E") << QStringList{ "FB 10 01 02", "41" };
    QTest::newRow("lone escape xors") << hex("7E 7D 41 7E") << QStringList{ "61" };
    QTest::newRow("escape is set, not toggled") << hex("7E 7D 7D 41 7E") << QStringList{ "61" };
    QTest::newRow("escape clears after one byte") << hex("7E 7D 41 41 7E") << QStringList{ "61 41" };
    // Decoding starts at the first delimiter; every other row begins with one.
    QTest::newRow("tail before the first delimiter dropped")
            << hex("FE 02 03 04 05 7E FE 7E") << QStringList{ "FE" };
    QTest::newRow("escape before the first delimiter dropped")
            << hex("01 7D 7E FE 7E") << QStringList{ "FE" };
    QTest::newRow("no delimiter, no frame") << hex("FE 01 02 03 04 7D") << QStringList{};
    QTest::newRow("unterminated frame waits") << hex("7E FE 01 02") << QStringList{};
    QTest::newRow("stuffed at every position")
            << hex("7E 7D 5E 7D 5D 7D 5E 7D 5D 7D 5E 7D 5D 7D 5E 7D 5D 7D 5E 7D 5D 7D 5E 7E")
            << QStringList{ "7E 7D 7E 7D 7E 7D 7E 7D 7E 7D 7E" };
    QTest::newRow("run longer than 16 keeps 11")
            << hex("7E 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 7E 41 7E")
            << QStringList{ "01 02 03 04 05 06 07 08 09 0A 0B", "41" };
    QTest::newRow("escape xors only the first byte of a run")
            << hex("7E FD 03 00 7D 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 7E")
            << QStringList{ "FD 03 00 61 42 43 44 45 46 47 48" };
    QTest::newRow("stuffed byte is the 11th")
            << hex("7E 01 02 03 04 05 06 07 08 09 0A 7D 5E 0C 0D 7E")
            << QStringList{ "01 02 03 04 05 06 07 08 09 0A 7E" };
    QTest::newRow("stuffed byte after the 11th dropped")
            << hex("7E 01 02 03 04 05 06 07 08 09 0A 0B 7D 5E 7E 7D 7E 02 7E")
            << QStringList{ "01 02 03 04 05 06 07 08 09 0A 0B", "02" };
}

void tst_FrameCodec::decode()
{
    QFETCH(QByteArray, wire);
    QFETCH(QStringList, frames);
    FrameDecoder decoder;
    QCOMPARE(decodeBlocks(decoder, { wire }), frames);
}

void tst_FrameCodec::splitAcrossBlocks_data()
{
    QTest::addColumn<QByteArray>("wire");

    QTest::newRow("threshold") << hex("7E FB 10 01 02 7E");
    QTest::newRow("stuffed value") << hex("7E FA 7D 5E 01 02 7E");
    QTest::newRow("several frames") << hex("7E FE 01 02 03 04 7E FD 02 00 7D 5D 7D 5E 7E 41 7E");
    // Long enough for whole-run copies as well as the byte-at-a-time end of
    // a block, with escapes on both sides of many cuts.
    QTest::newRow("long runs and escapes")
            << hex("7D 41 42 7E 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 7E"
                   "FE 7D 5D 7D 7D 41 7E 7D 5E 21 22 23 24 25 26 27 28 29 2A 7D 5E 7D 7E 7D");
}

// Every way of cutting the stream into two blocks decodes as the whole.
void tst_FrameCodec::splitAcrossBlocks()
{
    QFETCH(QByteArray, wire);
    FrameDecoder whole;
    const QStringList expected = decodeBlocks(whole, { wire });
    for (int cut = 1; cut < wire.size(); ++cut) {
        FrameDecoder decoder;
        QCOMPARE(decodeBlocks(decoder, { wire.left(cut), wire.mid(cut) }), expected);
    }
}

void tst_FrameCodec::matchesReference_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("delimiterPercent");
    QTest::addColumn<int>("escapePercent");
    QTest::addColumn<int>("longestRun");

    QTest::newRow("delimiter heavy") << 1u << 40 << 10 << 3;
    QTest::newRow("escape heavy") << 2u << 15 << 45 << 4;
    QTest::newRow("long runs") << 3u << 10 << 10 << 40;
    QTest::newRow("frame sized runs") << 4u << 25 << 20 << 12;
}

// Random streams in random blocks, some shorter than a run copy: the same
// frames as the reference at every point, and the same frame left pending.
void tst_FrameCodec::matchesReference()
{
    QFETCH(quint32, seed);
    QFETCH(int, delimiterPercent);
    QFETCH(int, escapePercent);
    QFETCH(int, longestRun);
    QRandomGenerator random(seed);
    for (int round = 0; round < 300; ++round) {
        const QByteArray wire = randomWire(random, delimiterPercent, escapePercent, longestRun);
        FrameDecoder decoder;
        StreamModel::ReferenceDecoder reference;
        QList<QByteArray> frames;
        QList<QByteArray> expected;
        for (qsizetype at = 0; at < wire.size();) {
            const QByteArray block = wire.mid(at, 1 + random.bounded(48));
            at += block.size();
            // A heap block of exactly this size, so that a sanitizer build
            // catches any read past its end.
            const std::vector<std::uint8_t> exact(block.begin(), block.end());
            decoder.decode(exact.data(), exact.size(),
                           [&](const std::uint8_t *payload, int length) {
                               frames << QByteArray(reinterpret_cast<const char *>(payload), length);
                           });
            reference.decode(exact.data(), exact.size(), [&](const StreamModel::Bytes &frame) {
                expected << QByteArray(reinterpret_cast<const char *>(frame.data()),
                                       qsizetype(frame.size()));
            });
            QCOMPARE(frames, expected);
            QCOMPARE(std::size_t(decoder.pendingLength()), reference.pendingLength());
        }
    }
}

void tst_FrameCodec::resetDropsHalfFrame()
{
    FrameDecoder decoder;
    QCOMPARE(decodeBlocks(decoder, { hex("7E FE 01 7D") }), QStringList{});
    QCOMPARE(decoder.pendingLength(), 2);
    decoder.reset();
    QCOMPARE(decoder.pendingLength(), 0);
    // The rest of the broken frame goes too, up to the next delimiter;
    // without the reset the escape would turn 41 into 61 and join FE 01.
    QCOMPARE(decodeBlocks(decoder, { hex("41 42"), hex("7E FE 02 7E") }), QStringList{ "FE 02" });
}

void tst_FrameCodec::frameKind_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("kind");

    const int volts = int(FrameKind::Volts);
    const int data = int(FrameKind::UserData);
    const int threshold = int(FrameKind::Threshold);
    const int ignored = int(FrameKind::Ignored);

    QTest::newRow("volts") << hex("FE 01 02 03 04") << volts;
    QTest::newRow("volts short") << hex("FE 01 02 03") << ignored;
    QTest::newRow("volts type alone") << hex("FE") << ignored;
    QTest::newRow("data count 1") << hex("FD 01 00 05") << data;
    QTest::newRow("data count 6") << hex("FD 06 00 01 02 03 04 05 06") << data;
    QTest::newRow("data short of count") << hex("FD 03 00 41 42") << ignored;
    QTest::newRow("data without count") << hex("FD") << ignored;
    QTest::newRow("data count 0") << hex("FD 00 00") << ignored;
    QTest::newRow("data count 7") << hex("FD 07 00 01 02 03 04 05 06 07") << ignored;
    QTest::newRow("data count 0x80") << hex("FD 80 00 01 02 03 04 05 06") << ignored;
    QTest::newRow("data count 0xFF") << hex("FD FF 00 01 02 03 04 05 06") << ignored;
    QTest::newRow("threshold FC") << hex("FC 01 02 03") << threshold;
    QTest::newRow("threshold F9") << hex("F9 01 02 03") << threshold;
    QTest::newRow("threshold short") << hex("FB 01 02") << ignored;
    QTest::newRow("request type F8") << hex("F8 01 02 03 04") << ignored;
    QTest::newRow("type FF") << hex("FF 01 02 03 04") << ignored;
    QTest::newRow("type 00") << hex("00 FE 01 02 03 04") << ignored;
}

void tst_FrameCodec::frameKind()
{
    QFETCH(QByteArray, payload);
    QFETCH(int, kind);
    QCOMPARE(int(::frameKind(bytesOf(payload), int(payload.size()))), kind);
}

void tst_FrameCodec::encode_data()
{
    QTest::addColumn<QByteArray>("frameTemplate");
    QTest::addColumn<QByteArray>("wire");

    QTest::newRow("alarm 1") << hex("FF FC 64 01 02 00 00 00 00 00 00")
                             << hex("7E FC 64 01 02 00 00 00 00 00 7E");
    QTest::newRow("alarm 4 value 7D") << hex("FF F9 7D 00 03 00 00 00 00 00 00")
                                      << hex("7E F9 7D 5D 00 03 00 00 00 00 00 7E");
    QTest::newRow("alarm 3 value 7E") << hex("FF FA 7E 01 01 00 00 00 00 00 00")
                                      << hex("7E FA 7D 5E 01 01 00 00 00 00 00 7E");
    QTest::newRow("request") << hex("FF F8 00 00 00 00 00 00 00 00 00")
                             << hex("7E F8 00 00 00 00 00 00 00 00 7E");
    QTest::newRow("positions 0 and 10 not sent") << hex("7E F8 00 00 00 00 00 00 00 00 7D")
                                                 << hex("7E F8 00 00 00 00 00 00 00 00 7E");
    QTest::newRow("all stuffed, 20 bytes")
            << hex("FF 7E 7D 7E 7D 7E 7D 7E 7D 7E FF")
            << hex("7E 7D5E 7D5D 7D5E 7D5D 7D5E 7D5D 7D5E 7D5D 7D5E 7E");
}

void tst_FrameCodec::encode()
{
    QFETCH(QByteArray, frameTemplate);
    QFETCH(QByteArray, wire);
    FrameTemplate input;
    std::memcpy(input.data(), frameTemplate.constData(), input.size());
    std::uint8_t output[Protocol::MaxWireFrame];
    const std::size_t length = encodeFrame(input, output);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(output), qsizetype(length)).toHex(' '),
             wire.toHex(' '));
}

void tst_FrameCodec::encodeThenDecodeRoundTrips()
{
    QRandomGenerator random(42);
    FrameDecoder decoder;
    for (int round = 0; round < 2000; ++round) {
        FrameTemplate input;
        for (std::uint8_t &byte : input)
            byte = std::uint8_t(random.bounded(256));
        input[1] = round % 2 ? Protocol::Delimiter : input[1]; // stuffing at the frame's head too
        std::uint8_t wire[Protocol::MaxWireFrame];
        const std::size_t length = encodeFrame(input, wire);
        QVERIFY(length >= 11 && length <= 20);
        int frames = 0;
        decoder.decode(wire, length, [&](const std::uint8_t *payload, int payloadLength) {
            ++frames;
            QCOMPARE(payloadLength, 9);
            QVERIFY(std::memcmp(payload, input.data() + 1, 9) == 0);
        });
        QCOMPARE(frames, 1);
    }
}

QTEST_APPLESS_MAIN(tst_FrameCodec)
#include "tst_framecodec.moc"
