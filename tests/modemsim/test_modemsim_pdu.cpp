// The simulator's own PDU building and description, checked against known
// PDUs made by other tools.

#include "pdu.h"

#include <QtTest>

class TestModemSimPdu : public QObject {
    Q_OBJECT

private slots:
    void describesKnownPdus();
    void buildsSevenBitAndUcs2();
    void rejectsMalformedPdus();
};

void TestModemSimPdu::describesKnownPdus() {
    QCOMPARE(pdu::describe(
                 "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07"),
             std::string("DELIVER from +31641600986 7bit: How are you?"));
    QCOMPARE(pdu::describe("0691214365870911000A91907856341200000005E8329BFD06"),
             std::string("SUBMIT to +0987654321 7bit: hello"));
    QCOMPARE(pdu::tpduLength("0691214365870911000A91907856341200000005E8329BFD06"), 18);
    // No service-centre address (length octet 0), UCS2 text.
    QCOMPARE(pdu::describe("0011000B919471101032F40008AA0400E4006C"),
             std::string("SUBMIT to +49170101234 ucs2: äl"));
}

void TestModemSimPdu::buildsSevenBitAndUcs2() {
    const std::string deliver =
        pdu::buildDeliver("+1234567890", "+0987654321", "hello", "2026-12-01 10:30:05");
    QCOMPARE(deliver, std::string("06912143658709"
                                  "04"
                                  "0A9190785634120000"
                                  "62211001035000"
                                  "05E8329BFD06"));
    QCOMPARE(pdu::describe(deliver), std::string("DELIVER from +0987654321 7bit: hello"));
    // Extension characters take two septets.
    const std::string brackets = pdu::buildSubmit("", "123", "a[b");
    QCOMPARE(brackets.substr(brackets.size() - 10), std::string("04E10D4F0C"));
    QCOMPARE(pdu::describe(brackets), std::string("SUBMIT to 123 7bit: a[b"));
    // A character outside the alphabet makes the whole text UCS2, cut at 70.
    const std::string polish =
        pdu::buildDeliver("+48601000310", "+48601234567", "Łódź " + std::string(80, 'x'));
    QVERIFY(pdu::describe(polish).find("ucs2: Łódź xxx") != std::string::npos);
    // first octet, address (11 digits), PID, DCS, time stamp, UDL, 70 characters
    QCOMPARE(pdu::tpduLength(polish), 1 + 8 + 1 + 1 + 7 + 1 + 140);
    QCOMPARE(pdu::describe(pdu::buildDeliver("+4917", "22550", "€ 5")),
             std::string("DELIVER from 22550 7bit: € 5"));
}

void TestModemSimPdu::rejectsMalformedPdus() {
    QCOMPARE(pdu::tpduLength(""), -1);
    QCOMPARE(pdu::tpduLength("0791"), -1);               // nothing after the address
    QCOMPARE(pdu::tpduLength("079194710600403"), -1);    // odd length
    QCOMPARE(pdu::tpduLength("0791947106004034G4"), -1); // not hexadecimal
    QCOMPARE(pdu::tpduLength("FF9194710600403404"), -1); // address longer than the data
    QCOMPARE(pdu::describe("07919471060040340C"), std::string("undecodable"));
}

QTEST_GUILESS_MAIN(TestModemSimPdu)
#include "test_modemsim_pdu.moc"
