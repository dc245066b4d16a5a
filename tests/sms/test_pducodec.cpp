#include "sms/pducodec.h"

#include <QTest>
#include <cstring>

namespace {

struct Encoded {
    QByteArray pdu;
    QByteArray ucs2;
    SM_PARAM param;
    int length = 0;
};

Encoded encode(const char* sca, const char* tpa, const QString& text) {
    Encoded e;
    std::strncpy(e.param.SCA, sca, sizeof e.param.SCA - 1);
    std::strncpy(e.param.TPA, tpa, sizeof e.param.TPA - 1);
    const QByteArray latin = text.toLatin1();
    std::strncpy(e.param.TP_UD, latin.constData(), sizeof e.param.TP_UD - 1);
    char pdu[SMS_PDU_TEXT_SIZE];
    char ucs2[SMS_UCS2_HEX_SIZE] = {};
    e.length = gsmEncodePdu(&e.param, pdu, text, ucs2);
    e.pdu = pdu;
    e.ucs2 = ucs2;
    return e;
}

// Fields of an encoded SMS-SUBMIT behind the service centre, as hex text.
QByteArray tpdu(const QByteArray& pdu) {
    const int scaOctets = pdu.left(2).toInt(nullptr, 16);
    return pdu.mid(2 + 2 * scaOctets);
}

// The user-data length octet and data of an SMS-SUBMIT of ours (relative
// validity, no header): behind the destination, PID, DCS and validity.
QByteArray userData(const QByteArray& pdu) {
    const QByteArray t = tpdu(pdu);
    const int digits = t.mid(4, 2).toInt(nullptr, 16);
    return t.mid(8 + 2 * ((digits + 1) / 2) + 6);
}

int tpduOctets(const Encoded& e) {
    return e.length / 2 - (e.pdu.left(2).toInt(nullptr, 16) + 1);
}

const QByteArray kServiceCentre = "06912143658709";

// SMS-DELIVER with service centre +1234567890 and time stamp 09-01-02 03:04:05, zone 08.
QByteArray deliver(const QByteArray& firstOctet, const QByteArray& sender, const QByteArray& dcs,
                   const QByteArray& userData) {
    return kServiceCentre + firstOctet + sender + "00" + dcs + "90102030405080" + userData;
}

// User data (length octet first) of the given septets, packed.
QByteArray sevenBit(const std::string& septets) {
    unsigned char packed[SMS_MAX_OCTETS];
    const int n = gsmEncode7bit(septets.data(), packed, int(septets.size()));
    char hex[2 * SMS_MAX_OCTETS + 1];
    gsmBytes2String(packed, hex, n);
    return QByteArray::number(int(septets.size()), 16).rightJustified(2, '0').toUpper() + hex;
}

SM_PARAM_DECODE decoded(const QByteArray& pdu, int* result = nullptr, bool stored = false) {
    SM_PARAM_DECODE d;
    const int r =
        stored ? gsmDecodePdu4Move(pdu.constData(), &d) : gsmDecodePdu(pdu.constData(), &d);
    if (result)
        *result = r;
    return d;
}

} // namespace

class TestPduCodec : public QObject {
    Q_OBJECT
private slots:
    void encodesSevenBitSubmit() {
        const Encoded e = encode("+1234567890", "+0987654321", "hello");
        QCOMPARE(e.pdu, QByteArray("0691214365870911000A91907856341200000005E8329BFD06"));
        QCOMPARE(e.length, 50);
        QCOMPARE(tpduOctets(e), 18);
        QCOMPARE(QByteArray(e.param.TPA), QByteArray("0987654321"));
    }

    void encodesAddresses() {
        // National destination and service centre; an empty service centre.
        QVERIFY(encode("1234", "0171234567", "x")
                    .pdu.startsWith("038121431100"
                                    "0A811017325476"));
        QVERIFY(encode("", "123", "x")
                    .pdu.startsWith("018111000381"
                                    "21F3"));
        // A leading 00 marks an international number like "+": only the type carries it.
        const Encoded e = encode("", "00491701234567", "x");
        QVERIFY(tpdu(e.pdu).startsWith("11000C91947110325476"));
        QCOMPARE(QByteArray(e.param.TPA), QByteArray("491701234567"));
        // A full field without its NUL, and a 12-digit number, stay within the PDU.
        Encoded full = encode("", "", "x");
        std::memset(full.param.TPA, '9', sizeof full.param.TPA);
        char pdu[SMS_PDU_TEXT_SIZE];
        const int length = gsmEncodePdu(&full.param, pdu, "x", nullptr);
        QCOMPARE(int(std::strlen(pdu)), length);
        QVERIFY(QByteArray(pdu).contains("10819999999999999999"));
    }

    void extensionCharactersUseEscapes() {
        // a [ b: a, ESC, 0x3C, b
        const Encoded e = encode("", "1", "a[b");
        QCOMPARE(userData(e.pdu), QByteArray("04E10D4F0C"));
        QCOMPARE(QByteArray(e.param.TP_UD), QByteArray("a\x1B<b"));
        // 100 extension characters cannot all fit: the text stops at 160 septets.
        const Encoded many = encode("", "1", QString(100, '{'));
        QCOMPARE(userData(many.pdu).left(2), QByteArray("A0"));
        QCOMPARE(userData(many.pdu).size(), 2 + 2 * 140);
        // Characters the alphabet maps elsewhere, and those it lacks.
        const Encoded other = encode("", "1", "@$_`");
        QCOMPARE(QByteArray(other.param.TP_UD, 1), QByteArray(1, '\0'));
        QCOMPARE(QByteArray(other.param.TP_UD + 1), QByteArray("\x02\x11"));
    }

    void nonAsciiTextIsSentAsUcs2() {
        const Encoded euro = encode("", "1", QString::fromUtf8("5 €"));
        QCOMPARE(userData(euro.pdu), QByteArray("0600350020") + "20ac");
        QCOMPARE(euro.ucs2, QByteArray("0035002020ac"));
        QVERIFY(tpdu(euro.pdu).contains("000800"
                                        "06"));
        QCOMPARE(userData(encode("", "1", QString::fromUtf8("Grüße")).pdu).left(2),
                 QByteArray("0A"));

        // 75 characters, one of them not ASCII: UCS2, cut to 70.
        const QString long75 = QString(74, 'x') + QChar(0xE9);
        const Encoded cut = encode("", "1", long75);
        QCOMPARE(userData(cut.pdu).left(2), QByteArray("8C"));
        QCOMPARE(int(std::strlen(cut.param.TP_UD)), 70);
        QCOMPARE(cut.ucs2.size(), 280);
        // The same length in ASCII is sent whole as 7-bit.
        const Encoded ascii = encode("", "1", QString(75, 'x'));
        QCOMPARE(userData(ascii.pdu).left(2), QByteArray("4B"));
        // A character outside the BMP is never split by the cut.
        const QString emoji = QString(69, 'x') + QString::fromUtf8("😀") + "yyy";
        QCOMPARE(userData(encode("", "1", emoji).pdu).left(2), QByteArray("8A"));
    }

    void decodesReceivedMessages() {
        int udl = 0;
        // 8 septets, the last one 0x00: "abcdefg@"
        SM_PARAM_DECODE d =
            decoded(deliver("04", "0B919471123456F8", "00", "0861F1985C369F01"), &udl);
        QCOMPARE(udl, 8);
        QCOMPARE(QByteArray(d.SCA), QByteArray("1234567890"));
        QCOMPARE(QByteArray(d.TPA), QByteArray("+49172143658"));
        QCOMPARE(QByteArray(d.TP_SCTS), QByteArray("09010203040508"));
        QCOMPARE(d.contentStr, QString("abcdefg@"));
        QCOMPARE(QByteArray(d.TP_UD), QByteArray("abcdefg@"));

        // Lower-case digits read as upper-case.
        d = decoded(deliver("04", "088110325476", "00", "0AE8329BFD4697D9EC37").toLower(), &udl);
        QCOMPARE(udl, 10);
        QCOMPARE(QByteArray(d.TPA), QByteArray("01234567"));
        QCOMPARE(d.contentStr, QString("hellohello"));

        // UCS2 fills the shown text only; the 8-bit field keeps what it held.
        d = SM_PARAM_DECODE();
        std::strcpy(d.TP_UD, "kept");
        QCOMPARE(gsmDecodePdu(deliver("04", "04812143", "08",
                                      "0600350020"
                                      "20AC")
                                  .constData(),
                              &d),
                 6);
        QCOMPARE(d.contentStr, QString::fromUtf8("5 €"));
        QCOMPARE(QByteArray(d.TP_UD), QByteArray("kept"));

        // 8-bit data is copied as it is.
        d = decoded(deliver("04", "04812143", "04", "03414243"));
        QCOMPARE(d.contentStr, QString("ABC"));
    }

    void decodesTheReceiveTable() {
        // The table's own choices: psi and theta in lower case, 0x5B and 0x5D
        // as brackets, 0x24 the currency sign; the 8-bit field keeps the low
        // 8 bits of each character.
        SM_PARAM_DECODE d =
            decoded(deliver("04", "04812143", "00", sevenBit("\x17\x19\x5B\x5D\x24")));
        QCOMPARE(d.contentStr, QString::fromUtf8("ψθ[]¤"));
        QCOMPARE(QByteArray(d.TP_UD), QByteArray("\xC8\xB8[]\xA4"));
        // Escape sequences give the extension characters; an escape before
        // anything else is a space.
        d = decoded(
            deliver("04", "04812143", "00", sevenBit("5\x1B\x65 \x1B\x28\x1B\x3C\x1B\x41")));
        QCOMPARE(d.contentStr, QString::fromUtf8("5€ {[ A"));
    }

    void decodesStoredOutgoingMessages() {
        int udl = 0;
        // 12-digit destination: no pad digit; the text arrives whole.
        SM_PARAM_DECODE d = decoded("0011000C919417325476980000AA05E8329BFD06", &udl, true);
        QCOMPARE(udl, 5);
        QCOMPARE(QByteArray(d.SCA), QByteArray(""));
        QCOMPARE(QByteArray(d.TPA), QByteArray("+497123456789"));
        QCOMPARE(d.contentStr, QString("hello"));
        // 11 digits: the pad digit F is dropped.
        d = decoded("07919471060040F311000B919471123456F80000AA05E8329BFD06", &udl, true);
        QCOMPARE(QByteArray(d.SCA), QByteArray("49176000043"));
        QCOMPARE(QByteArray(d.TPA), QByteArray("+49172143658"));
        QCOMPARE(d.contentStr, QString("hello"));
        // Septet codes stay in TP_UD; the shown text goes through the table.
        d = decoded("00110004812143000000"
                    "04E10D4F0C"
                    "x",
                    &udl, true);
        QCOMPARE(QByteArray(d.TP_UD), QByteArray("a\x1B<b"));
        QCOMPARE(d.contentStr, QString("a[b"));
        // No validity period (first octet 01): the user data follows the DCS.
        d = decoded("000100048121430000"
                    "05E8329BFD06",
                    &udl, true);
        QCOMPARE(udl, 5);
        QCOMPARE(d.contentStr, QString("hello"));
        // Our own encoder's output decodes back.
        const Encoded e = encode("+1234567890", "+0987654321", "hello world");
        d = decoded(e.pdu, &udl, true);
        QCOMPARE(QByteArray(d.TPA), QByteArray("+0987654321"));
        QCOMPARE(d.contentStr, QString("hello world"));
    }

    // The number is shown, and answered, as its type of number says: "+"
    // for an international number only.
    void keepsTheTypeOfNumber_data() {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QByteArray>("number");
        QTest::newRow("short code, unknown type")
            << deliver("04", "05812255F0", "00", "00") << false << QByteArray("22550");
        QTest::newRow("national type")
            << deliver("04", "0AA11032547698", "00", "00") << false << QByteArray("0123456789");
        QTest::newRow("international, unknown plan")
            << deliver("04", "04112143", "00", "00") << false << QByteArray("+1234");
        QTest::newRow("stored, unknown type")
            << QByteArray("0011000A8110325476980000AA00") << true << QByteArray("0123456789");
    }
    void keepsTheTypeOfNumber() {
        QFETCH(QByteArray, pdu);
        QFETCH(bool, stored);
        QFETCH(QByteArray, number);
        QCOMPARE(QByteArray(decoded(pdu, nullptr, stored).TPA), number);
    }

    void decodesAlphanumericSenders() {
        // "Bank" as a name: 7 semi-octets of packed characters, type D0.
        SM_PARAM_DECODE d = decoded(deliver("04", "07D0C2B07B0D", "00", "02E834"));
        QCOMPARE(QByteArray(d.TPA), QByteArray("Bank"));
        QCOMPARE(d.contentStr, QString("hi"));
        d = decoded(deliver("04", "0BD0CDBC30EC5E03", "00", "02E834"));
        QCOMPARE(QByteArray(d.TPA), QByteArray("MyBank"));
    }

    void skipsUserDataHeaders() {
        int udl = 0;
        // Part 1 of 2 of a long message: the header takes 7 septets with its fill bit.
        SM_PARAM_DECODE d = decoded(deliver("44", "04812143", "00", "09050003AA0201D069"), &udl);
        QCOMPARE(udl, 9);
        QCOMPARE(d.contentStr, QString("hi"));
        // The same in UCS2: the header is 6 octets.
        d = decoded(deliver("44", "04812143", "08",
                            "0A050003AA0201"
                            "00680069"),
                    &udl);
        QCOMPARE(udl, 10);
        QCOMPARE(d.contentStr, QString("hi"));
        // A header claiming more than the data holds leaves an empty text.
        d = decoded(deliver("44", "04812143", "08", "02FF00"), &udl);
        QCOMPARE(d.contentStr, QString());
    }

    void choosesTheAlphabetFromTheCodingScheme() {
        // Class 0 ("flash") and class 1 messages in 7-bit and UCS2.
        QCOMPARE(decoded(deliver("04", "04812143", "10", "02E834")).contentStr, QString("hi"));
        QCOMPARE(decoded(deliver("04", "04812143", "F1", "02E834")).contentStr, QString("hi"));
        QCOMPARE(decoded(deliver("04", "04812143", "18", "0400680069")).contentStr, QString("hi"));
        SM_PARAM_DECODE d = decoded(deliver("04", "04812143", "F1", "02E834"));
        QCOMPARE(int(static_cast<unsigned char>(d.TP_DCS)), 0xF1);
    }

    void toleratesMalformedPdus() {
        // Every prefix of a valid PDU decodes without reading past its end;
        // all but the whole PDU report that the user data is missing.
        const QByteArray pdu = deliver("44", "0B919471123456F8", "00", "09050003AA0201D069");
        for (int n = 0; n < pdu.size(); ++n) {
            int udl = 0;
            decoded(pdu.left(n), &udl);
            QCOMPARE(udl, -1);
            decoded(pdu.left(n), &udl, true);
        }
        int udl = 0;
        decoded(pdu + "\r\n", &udl);
        QCOMPARE(udl, 9);
        QCOMPARE(gsmDecodePdu(nullptr, &d_), -1);

        // Lengths far beyond the fields: each field is filled to its size.
        const QByteArray bigAddress = kServiceCentre + "04FF91" + QByteArray(256, '1');
        SM_PARAM_DECODE d = decoded(bigAddress, &udl);
        QCOMPARE(udl, -1);
        QCOMPARE(int(std::strlen(d.TPA)), int(sizeof d.TPA) - 1);
        d = decoded("FF91" + QByteArray(600, '2'), &udl);
        QCOMPARE(int(std::strlen(d.SCA)), 15);
        d = decoded(deliver("04", "04812143", "00", "FF" + QByteArray(2 * 224, 'A')), &udl);
        QCOMPARE(udl, 255);
        QCOMPARE(int(std::strlen(d.TP_UD)), 160);
        d = decoded(deliver("04", "04812143", "04", "FF" + QByteArray(2 * 255, 'B')), &udl);
        QCOMPARE(udl, 255);
        QCOMPARE(int(std::strlen(d.TP_UD)), 140);
        d = decoded(deliver("04", "04812143", "08", "FF" + QByteArray(2 * 255, 'C')), &udl);
        QCOMPARE(d.contentStr.size(), 70);
        // A non-hexadecimal character ends the PDU.
        d = decoded(deliver("04", "04812143", "00", "05E832ZZFD06"), &udl);
        QCOMPARE(udl, -1);
    }

    // Status reports from other projects' test suites and modems' logs, and
    // the forms a report must not be taken for.
    void decodesStatusReports_data() {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<bool>("report");
        QTest::addColumn<QString>("expected"); // reference recipient scts dt status, or "none"
        QTest::newRow("python-messaging, with centre")
            << QByteArray("0791538375000075061805810531F1019082416500400190824165004000") << true
            << "24 50131 10092814560004 10092814560004 0";
        QTest::newRow("python-messaging, no centre")
            << QByteArray("00060505810531F1010150610000400101506100004000") << true
            << "5 50131 10100516000004 10100516000004 0";
        QTest::newRow("chinese card, international recipient")
            << QByteArray("0891683108608805F906750D91683109731147F4313050913492003130509134430000")
            << true << "117 +8613903711744 13030519432900 13030519433400 0";
        QTest::newRow("validity period expired")
            << QByteArray("0006070B919471123456F8622170111524006221701115240046") << true
            << "7 +49172143658 26120711514200 26120711514200 70";
        QTest::newRow("status octet missing")
            << QByteArray("0006070B919471123456F86221701115240062217011152400") << true << "none";
        QTest::newRow("deliver") << deliver("04", "04812143", "00", "02E834") << false << "none";
        QTest::newRow("submit") << QByteArray("0011000B919471123456F80000A702E834") << false
                                << "none";
        QTest::newRow("empty") << QByteArray() << false << "none";
    }
    void decodesStatusReports() {
        QFETCH(QByteArray, pdu);
        QFETCH(bool, report);
        QFETCH(QString, expected);
        QCOMPARE(isStatusReportPdu(pdu.constData()), report);
        // Lower-case digits read the same.
        const std::optional<StatusReport> r = gsmDecodeStatusReport(pdu.toLower().constData());
        QCOMPARE(r ? QString("%1 %2 %3 %4 %5")
                         .arg(r->reference)
                         .arg(r->recipient, r->serviceCentreTime, r->dischargeTime)
                         .arg(r->status)
                   : QString("none"),
                 expected);
    }

    void routinesRoundTrip() {
        char inverted[8];
        QCOMPARE(gsmInvertNumbers("12345", inverted, 5), 6);
        QCOMPARE(QByteArray(inverted), QByteArray("2143F5"));
        char digits[8];
        QCOMPARE(gsmSerializeNumbers(inverted, digits, 6), 5);
        QCOMPARE(QByteArray(digits), QByteArray("12345"));
        const unsigned char bytes[] = {0x00, 0xAB, 0xFF};
        char hex[8];
        QCOMPARE(gsmBytes2String(bytes, hex, 3), 6);
        QCOMPARE(QByteArray(hex), QByteArray("00ABFF"));
        unsigned char back[3];
        QCOMPARE(gsmString2Bytes("00abFF", back, 6), 3);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(back), 3),
                 QByteArray(reinterpret_cast<const char*>(bytes), 3));
        // 8 septets fill exactly 7 octets and come back whole.
        const char septets[] = "abcdefgh";
        unsigned char packed[8];
        QCOMPARE(gsmEncode7bit(septets, packed, 8), 7);
        char unpacked[10];
        QCOMPARE(gsmDecode7bit(packed, unpacked, 7), 8);
        QCOMPARE(QByteArray(unpacked), QByteArray("abcdefgh"));
    }

private:
    SM_PARAM_DECODE d_;
};

QTEST_GUILESS_MAIN(TestPduCodec)
#include "test_pducodec.moc"
