// Short-message commands against the simulator: storage selection and free
// places, listing, reading, deleting, writing and sending in PDU mode.

#include "modem/serialthread.h"
#include "tests/modem/simlink.h"

#include <QTest>

#include <cstring>
#include <memory>

class TestSmsCommands : public SimLinkTest {
    Q_OBJECT
    int stored(const QString& storage) const {
        return sim.control({"messages", storage}).split('\n', Qt::SkipEmptyParts).size();
    }
    // "hello" to +0987654321 through service centre +1234567890.
    static SM_PARAM hello() {
        SM_PARAM msg;
        std::strcpy(msg.SCA, "+1234567890");
        std::strcpy(msg.TPA, "+0987654321");
        std::strcpy(msg.TP_UD, "hello");
        return msg;
    }

private slots:
    void cleanup() {
        if (link)
            link->closePort();
        link.reset();
        sim.stop();
    }

    void storage() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->setShortMsgStorageMode(0), 1);
        QCOMPARE(lastSent(), QString("AT+CPMS=\"ME\",\"ME\",\"ME\""));
        QCOMPARE(link->setShortMsgStorageMode(1), 1);
        QCOMPARE(lastSent(), QString("AT+CPMS=\"SM\",\"SM\",\"SM\""));
        QCOMPARE(link->getSmsMem(), 15); // 5 of 20 used
        QCOMPARE(lastSent(), QString("AT+CPMS?"));

        QVERIFY(sim.command(
            {"on", "AT+CPMS?", "reply", "+CPMS: \"SM\",3,20,\"SM\",3,20,\"SM\",5,20", "OK"}));
        QCOMPARE(link->getSmsMem(), 15);
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"on", "AT+CPMS?", "noreply"}));
        QCOMPARE(link->getSmsMem(), -1); // a slow modem isn't a full one
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"on", "AT+CPMS?", "reply", "ERROR"}));
        QCOMPARE(link->getSmsMem(), -1);

        SerialThread unplugged(nullptr);
        QCOMPARE(unplugged.getSmsMem(), -1);
    }

    void fullStorage() {
        QVERIFY(startWith("mefull"));
        QCOMPARE(link->getSmsMem(), 0);
    }

    void listAndRead() {
        QVERIFY(startWith("ready"));
        const QString all = link->getSmsContent(4, 1);
        QCOMPARE(all.count("+CMGL: "), 5);
        QCOMPARE(sim.received(), (QStringList{"AT+CPMS=\"SM\",\"SM\",\"SM\"", "AT+CMGL=4"}));
        QCOMPARE(link->getSmsContent(0, 0).count("+CMGL: "), 1); // unread in ME
        QCOMPARE(lastSent(), QString("AT+CMGL=0"));
        const qsizetype sent = sim.received().size();
        QVERIFY(link->getSmsContent(5, 1).isNull());
        QCOMPARE(sim.received().size(), sent);

        const QString one = link->getIndexSms("1");
        QVERIFY(one.contains("+CMGR: "));
        QCOMPARE(lastSent(), QString("AT+CMGR=1"));
        QVERIFY(link->getIndexSms("1\r\nAT+CMGD=1").isNull());
        QCOMPARE(link->get_sms_number().contains("+491760000443"), true);
    }

    // A delete counts only when the modem confirms it.
    void deleting() {
        QVERIFY(startWith("ready"));
        const int before = stored("SM");
        QCOMPARE(link->deleteSimSMS(1), 1);
        QCOMPARE(sim.received().mid(sim.received().size() - 2),
                 (QStringList{"AT+CPMS=\"SM\",\"SM\",\"SM\"", "AT+CMGD=1"}));
        QCOMPARE(stored("SM"), before - 1);

        QCOMPARE(link->deleteMeSMS(7), 1);
        QCOMPARE(sim.received().mid(sim.received().size() - 2),
                 (QStringList{"AT+CPMS=\"ME\",\"ME\",\"ME\"", "AT+CMGD=7"}));
        QVERIFY(sim.command({"on", "AT+CMGD=*", "reply", "ERROR"}));
        QCOMPARE(link->deleteMeSMS(1), 0);
        QVERIFY(sim.command({"on", "AT+CPMS=*", "reply", "+CMS ERROR: 302"}));
        const qsizetype sent = sim.received().size();
        QCOMPARE(link->deleteMeSMS(1), 0);
        QCOMPARE(sim.received().size(), sent + 1); // no delete without the storage
    }

    void sending() {
        QVERIFY(startWith("ready"));
        const QString pdu = "0691214365870911000A91907856341200000005E8329BFD06";
        const QByteArray body = pdu.toLatin1() + "\x1a";
        QCOMPARE(link->sendMsgCMGSCmd(18, body.constData()), 1);
        QCOMPARE(sim.received(), (QStringList{"AT+CMGS=18", pdu + "\x1a"}));
        QVERIFY(sim.sentPdus().value(0).endsWith(pdu.mid(16)));

        // Refused at the command: the body is not sent and the send fails at once.
        QVERIFY(sim.command({"on", "AT+CMGS=*", "reply", "+CMS ERROR: 500"}));
        QCOMPARE(link->sendMsgCMGSCmd(18, body.constData()), 0);
        QCOMPARE(lastSent(), QString("AT+CMGS=18"));
        QVERIFY(sim.command({"overrides-clear"}));

        // Refused body (the network rejects it): a failure, not a success.
        QCOMPARE(link->sendMsgCMGSCmd(18, "00zz\x1a"), 0);
        QCOMPARE(link->sendMsgCMGSCmd(5, "0011000A91\x1a"), 0);
        QCOMPARE(sim.sentPdus().size(), 1);
        QVERIFY(link->sendNULL_ATCmd() == 1); // nothing left waiting for a body
    }

    void writing() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->setShortMsgStorageMode(1), 1);
        const int before = stored("SM");
        SM_PARAM msg = hello();
        char pdu[SMS_PDU_TEXT_SIZE + 2] = {};
        const int characters = gsmEncodePdu(&msg, pdu, "hello", nullptr);
        const int length = characters / 2 - 7;
        std::strcat(pdu, "\x1a");
        QCOMPARE(link->moveMsgCMGWCmd(length, 3, pdu), 1);
        QCOMPARE(sim.received().value(sim.received().size() - 2),
                 QString("AT+CMGW=%1,3").arg(length));
        QCOMPARE(stored("SM"), before + 1);

        // A storage that can't take the copy: the caller must keep its own.
        QVERIFY(sim.command({"on", "AT+CMGW=*", "reply", "+CMS ERROR: 322"}));
        QCOMPARE(link->moveMsgCMGWCmd(length, 3, pdu), 0);
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"storage", "SM", QString::number(before + 1)}));
        QCOMPARE(link->moveMsgCMGWCmd(length, 3, pdu), 0);
        QCOMPARE(stored("SM"), before + 1);
    }

    void settings() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->setNewMsgNoticeMode(), 1);
        QCOMPARE(lastSent(), QString("AT+CNMI=3,1,0,2,0"));
        QCOMPARE(link->getMsgFormat(), 0);
        QCOMPARE(link->setMsgFormat(0), 1);
        QCOMPARE(lastSent(), QString("AT+CMGF=0"));
        QCOMPARE(link->setMsgFormat(2), -1);
        QCOMPARE(lastSent(), QString("AT+CMGF=0"));
        QVERIFY(sim.command({"on", "AT+CMGF=1", "reply", "ERROR"}));
        QCOMPARE(link->setMsgFormat(1), 0);
        QVERIFY(sim.command({"on", "AT+CMGF?", "reply", "+CMGF: 1", "OK"}));
        QCOMPARE(link->getMsgFormat(), 1);

        QCOMPARE(link->setNewSmsPreferNVStorage(), 1);
        QCOMPARE(lastSent(), QString("AT+YSMSD=2"));
        QCOMPARE(link->getNewSmsPreferStorage(), 2);
        QVERIFY(sim.command({"on", "AT+YSMSD?", "reply", "ERROR"}));
        QCOMPARE(link->getNewSmsPreferStorage(), -1);
    }
};

QTEST_GUILESS_MAIN(TestSmsCommands)
#include "test_smscommands.moc"
