// The PDU codec: SMS-SUBMITs as the program sends them, SMS-DELIVERs and
// stored SMS-SUBMITs as cards give them, status reports, and PDUs cut short
// or claiming more than they hold.

#include "sms/longmessage.h"
#include "sms/pducodec.h"

#include <QTest>
#include <cstring>

namespace {

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

// Decodes into a record whose 8-bit text was "kept"; the user-data length
// into `udl`.
SM_PARAM_DECODE decoded(const QByteArray& pdu, bool received = true, int* udl = nullptr) {
    SM_PARAM_DECODE d;
    std::strcpy(d.TP_UD, "kept");
    const int r = gsmDecodePart(pdu.constData(), &d, received, nullptr);
    if (udl)
        *udl = r;
    return d;
}

} // namespace

class TestPduCodec : public QObject {
    Q_OBJECT
private slots:
    // One message with the default settings: the PDU the program has always
    // sent. Numbers keep their type ("+" or "00": international); texts
    // with a character outside ASCII go as UCS2, the others as 7-bit with
    // escapes for the extension characters.
    void encodesSubmits_data() {
        QTest::addColumn<QString>("sca");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pdu"); // whole, or its start ending in "…"
        const auto row = [](const char* tag, const char* sca, const char* number, const char* text,
                            const char* pdu) {
            QTest::newRow(tag) << sca << number << QString::fromUtf8(text) << pdu;
        };
        row("7-bit", "+1234567890", "+0987654321", "hello",
            "0691214365870911000A91907856341200000005E8329BFD06");
        row("national numbers", "1234", "0171234567", "x", "0381214311000A8110173254760000000178");
        row("no centre", "", "123", "x", "01811100038121F30000000178");
        row("00 is international", "", "00491701234567", "x", "018111000C919471103254760000000178");
        row("extension characters", "+1234567890", "+0987654321", "a[b]c{}",
            "0691214365870911000A9190785634120000000BE10D4FBCF18D37A84D0A");
        row("mapped and missing characters", "", "1", "@$_`", "018111000181F10000000400410400");
        row("UCS2 Latin-1", "+1234567890", "+0987654321", "Grüße €",
            "0691214365870911000A9190785634120008000E0047007200fc00df0065002020ac");
        row("160 septets", "+1234567890", "+0987654321", qPrintable(QString(160, 'z')),
            "0691214365870911000A919078563412000000A07ABD5EAFD7EBF5…");
        row("70 UCS2", "+1234567890", "+0987654321", qPrintable(QString(70, QChar(0x4F60))),
            "0691214365870911000A9190785634120008008C4f604f60…");
    }
    void encodesSubmits() {
        QFETCH(QString, sca);
        QFETCH(QString, number);
        QFETCH(QString, text);
        QFETCH(QString, pdu);
        const QStringList pdus = encodeMessage(sca, number, text, {}, 7);
        QCOMPARE(pdus.size(), 1);
        if (pdu.endsWith(u'…'))
            QVERIFY2(pdus.first().startsWith(pdu.chopped(1)), qPrintable(pdus.first()));
        else
            QCOMPARE(pdus.first(), pdu);
    }

    // What the decoders read: the number (with "+" for an international
    // one only, or an alphanumeric sender), the text through the receive
    // table, past headers, in the coding the scheme names; the user-data
    // length; the 8-bit text, which UCS2 leaves as it was.
    void decodes_data() {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<bool>("received");
        QTest::addColumn<int>("udl");
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("ud");
        const auto row = [](const char* tag, const QByteArray& pdu, bool received, int udl,
                            const char* number, const char* text, const QByteArray& ud) {
            QTest::newRow(tag) << pdu << received << udl << QByteArray(number)
                               << QString::fromUtf8(text) << ud;
        };
        row("7-bit, last septet 0x00", deliver("04", "0B919471123456F8", "00", "0861F1985C369F01"),
            true, 8, "+49172143658", "abcdefg@", "abcdefg@");
        row("lower-case digits",
            deliver("04", "088110325476", "00", "0AE8329BFD4697D9EC37").toLower(), true, 10,
            "01234567", "hellohello", "hellohello");
        row("UCS2", deliver("04", "04812143", "08", "060035002020AC"), true, 6, "1234", "5 €",
            "kept");
        row("8-bit", deliver("04", "04812143", "04", "03414243"), true, 3, "1234", "ABC", "ABC");
        // The table's own choices: psi and theta in lower case, 0x5B and 0x5D
        // as brackets, 0x24 the currency sign; the 8-bit text keeps the low
        // 8 bits of each character.
        row("receive table", deliver("04", "04812143", "00", sevenBit("\x17\x19\x5B\x5D\x24")),
            true, 5, "1234", "ψθ[]¤", "\xC8\xB8[]\xA4");
        // An escape before anything else is a space.
        row("escapes",
            deliver("04", "04812143", "00", sevenBit("5\x1B\x65 \x1B\x28\x1B\x3C\x1B\x41")), true,
            10, "1234", "5€ {[ A", "5\xAC {[ A");
        row("short code, unknown type", deliver("04", "05812255F0", "00", "00"), true, 0, "22550",
            "", "");
        row("national type", deliver("04", "0AA11032547698", "00", "00"), true, 0, "0123456789", "",
            "");
        row("international, unknown plan", deliver("04", "04112143", "00", "00"), true, 0, "+1234",
            "", "");
        row("alphanumeric sender", deliver("04", "07D0C2B07B0D", "00", "02E834"), true, 2, "Bank",
            "hi", "hi");
        row("alphanumeric, longer", deliver("04", "0BD0CDBC30EC5E03", "00", "02E834"), true, 2,
            "MyBank", "hi", "hi");
        row("part header, 7-bit with fill bit",
            deliver("44", "04812143", "00", "09050003AA0201D069"), true, 9, "1234", "hi", "hi");
        row("part header, UCS2", deliver("44", "04812143", "08", "0A050003AA020100680069"), true,
            10, "1234", "hi", "kept");
        row("header longer than the data", deliver("44", "04812143", "08", "02FF00"), true, 2,
            "1234", "", "kept");
        row("flash message", deliver("04", "04812143", "10", "02E834"), true, 2, "1234", "hi",
            "hi");
        row("class 1, coding group F", deliver("04", "04812143", "F1", "02E834"), true, 2, "1234",
            "hi", "hi");
        row("class 0 UCS2", deliver("04", "04812143", "18", "0400680069"), true, 4, "1234", "hi",
            "kept");
        row("stored, 12 digits", "0011000C919417325476980000AA05E8329BFD06", false, 5,
            "+497123456789", "hello", "hello");
        row("stored, pad digit dropped", "07919471060040F311000B919471123456F80000AA05E8329BFD06",
            false, 5, "+49172143658", "hello", "hello");
        row("stored, septet codes kept", "0011000481214300000004E10D4F0Cx", false, 4, "1234", "a[b",
            "a\x1B<b");
        row("stored, no validity period", "00010004812143000005E8329BFD06", false, 5, "1234",
            "hello", "hello");
        row("stored, unknown type", "0011000A8110325476980000AA00", false, 0, "0123456789", "", "");
        row("stored, as sent here",
            encodeMessage("+1234567890", "+0987654321", "hello world", {}, 1).first().toLatin1(),
            false, 11, "+0987654321", "hello world", "hello world");
    }
    void decodes() {
        QFETCH(QByteArray, pdu);
        QFETCH(bool, received);
        int udl = 0;
        const SM_PARAM_DECODE d = decoded(pdu, received, &udl);
        QTEST(udl, "udl");
        QTEST(QByteArray(d.TPA), "number");
        QTEST(d.contentStr, "text");
        QTEST(QByteArray(d.TP_UD), "ud");
    }

    void keepsTheOtherFields() {
        const SM_PARAM_DECODE d = decoded(deliver("04", "04812143", "F1", "02E834"));
        QCOMPARE(QByteArray(d.SCA), QByteArray("1234567890"));
        QCOMPARE(QByteArray(d.TP_SCTS), QByteArray("09010203040508"));
        // A zone west of Greenwich (-5:30) keeps its sign bit in the first digit.
        QCOMPARE(QByteArray(decoded(QByteArray(deliver("04", "04812143", "F1", "02E834"))
                                        .replace("405080", "40502A"))
                                .TP_SCTS),
                 QByteArray("090102030405A2"));
        QCOMPARE(int(static_cast<unsigned char>(d.TP_DCS)), 0xF1);
        QCOMPARE(QByteArray(decoded("0011000C919417325476980000AA05E8329BFD06", false).SCA),
                 QByteArray());
        QCOMPARE(QByteArray(
                     decoded("07919471060040F311000B919471123456F80000AA05E8329BFD06", false).SCA),
                 QByteArray("49176000043"));
    }

    void toleratesMalformedPdus() {
        // Every prefix of a valid PDU decodes without reading past its end;
        // all but the whole PDU report that the user data is missing.
        const QByteArray pdu = deliver("44", "0B919471123456F8", "00", "09050003AA0201D069");
        int udl = 0;
        for (int n = 0; n < pdu.size(); ++n) {
            decoded(pdu.left(n), true, &udl);
            QCOMPARE(udl, -1);
            decoded(pdu.left(n), false);
        }
        decoded(pdu + "\r\n", true, &udl);
        QCOMPARE(udl, 9);
        SM_PARAM_DECODE none;
        QCOMPARE(gsmDecodePart(nullptr, &none, true, nullptr), -1);

        // Lengths far beyond the fields: each field is filled to its size.
        SM_PARAM_DECODE d = decoded(kServiceCentre + "04FF91" + QByteArray(256, '1'), true, &udl);
        QCOMPARE(udl, -1);
        QCOMPARE(int(std::strlen(d.TPA)), int(sizeof d.TPA) - 1);
        d = decoded("FF91" + QByteArray(600, '2'));
        QCOMPARE(int(std::strlen(d.SCA)), 15);
        d = decoded(deliver("04", "04812143", "00", "FF" + QByteArray(2 * 224, 'A')), true, &udl);
        QCOMPARE(udl, 255);
        QCOMPARE(int(std::strlen(d.TP_UD)), 160);
        d = decoded(deliver("04", "04812143", "04", "FF" + QByteArray(2 * 255, 'B')), true, &udl);
        QCOMPARE(udl, 255);
        QCOMPARE(int(std::strlen(d.TP_UD)), 140);
        d = decoded(deliver("04", "04812143", "08", "FF" + QByteArray(2 * 255, 'C')));
        QCOMPARE(d.contentStr.size(), 70);
        // A non-hexadecimal character ends the PDU.
        decoded(deliver("04", "04812143", "00", "05E832ZZFD06"), true, &udl);
        QCOMPARE(udl, -1);
    }

    // Status reports from other projects' test suites and modems' logs, and
    // the forms a report must not be taken for.
    void decodesStatusReports_data() {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<bool>("report");
        QTest::addColumn<QString>("expected"); // reference recipient scts dt status, or "none"
        const auto row = [](const char* tag, const QByteArray& pdu, bool report,
                            const char* expected) {
            QTest::newRow(tag) << pdu << report << QString(expected);
        };
        row("python-messaging, with centre",
            "0791538375000075061805810531F1019082416500400190824165004000", true,
            "24 50131 10092814560004 10092814560004 0");
        row("python-messaging, no centre", "00060505810531F1010150610000400101506100004000", true,
            "5 50131 10100516000004 10100516000004 0");
        row("chinese card, international recipient",
            "0891683108608805F906750D91683109731147F4313050913492003130509134430000", true,
            "117 +8613903711744 13030519432900 13030519433400 0");
        row("validity period expired", "0006070B919471123456F8622170111524006221701115240046", true,
            "7 +49172143658 26120711514200 26120711514200 70");
        row("status octet missing", "0006070B919471123456F86221701115240062217011152400", true,
            "none");
        row("deliver", deliver("04", "04812143", "00", "02E834"), false, "none");
        row("submit", "0011000B919471123456F80000A702E834", false, "none");
        row("empty", QByteArray(), false, "none");
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
};

QTEST_GUILESS_MAIN(TestPduCodec)
#include "test_pducodec.moc"
