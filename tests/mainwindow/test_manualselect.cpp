// Operator selection against the simulated card: the table built from real
// operator lists, what a selection sends, and the user's mode preference
// given back to the card after a search (from the simulator's transcript).

#include "mainwindow/ui/manualselect.h"
#include "settings/settingsfiles.h"
#include "tests/connection/freshdata.h"
#include "tests/modem/simlink.h"
#include "tests/support/messageboxes.h"
#include "tests/support/testenv.h"
#include "widgets/mybutton.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

namespace {

// The table as "status|name|numeric|type" rows joined by " / ".
QString rows(const QTableWidget* table) {
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = ManualSelect::StatusColumn; c <= ManualSelect::TypeColumn; ++c)
            cells << table->item(r, c)->text();
        out << cells.join('|');
    }
    return out.join(" / ");
}

int rowOf(const QTableWidget* table, const QString& numeric) {
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, ManualSelect::NumericColumn)->text() == numeric)
            return r;
    return -1;
}

} // namespace

class TestManualSelect : public SimLinkTest {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        removeUserData(*env_);
        writeMissingSettingsFiles();
    }
    void cleanup() {
        dialog_.reset();
        link.reset();
        sim.stop();
        env_.reset();
    }

    // How the operators are shown (the reading of the lists themselves is in
    // tests/modem/test_replies).
    void tableFromRealReplies_data() {
        QTest::addColumn<QStringList>("reply");
        QTest::addColumn<QString>("table");
        QTest::newRow("the card's list") << QStringList()
                                         << "Current|Tolva|26207|3G / Available|Mirel|26201|3G / "
                                            "Available|Mirel|26201|2G / Forbidden|Borra|26203|2G";
        QTest::newRow("no short name: the long one, parentheses and all; LTE")
            << QStringList{"+COPS: (2,\"Tolva Mobile\",\"Tolva\",\"26299\",2),"
                           "(1,\"Brask, Net (DE)\",\"\",\"26298\",7),,(0-4),(0-2)",
                           "OK"}
            << "Current|Tolva|26299|3G / Available|Brask, Net (DE)|26298|4G";
        QTest::newRow("MM motoc: no technology")
            << QStringList{"+COPS: (2,\"T-Mobile\",\"\",\"310260\"),(0,\"Cingular "
                           "Wireless\",\"\",\"310410\")",
                           "OK"}
            << "Current|T-Mobile|310260| / Unknown|Cingular Wireless|310410|";
        QTest::newRow("error") << QStringList{"+CME ERROR: no network service"} << "";
    }
    void tableFromRealReplies() {
        QFETCH(QStringList, reply);
        QFETCH(QString, table);
        QVERIFY(startWith("ready"));
        if (!reply.isEmpty())
            QVERIFY(sim.command(QStringList{"on", "AT+COPS=?", "reply"} + reply));
        open();
        QCOMPARE(rows(dialog_->table), table);
        QCOMPARE(dialog_->statusLabel->text().endsWith("found."), true);
    }

    void whatASelectionSends() {
        QVERIFY(startWith("lte"));
        open();
        MessageBoxes boxes;
        QTableWidget* table = dialog_->table;

        // Nothing chosen, or a forbidden operator: nothing is sent.
        table->clearSelection();
        dialog_->selectButton->click();
        table->selectRow(rowOf(table, "26203"));
        dialog_->selectButton->click();
        QVERIFY(boxes.shown("Please select an operator!"));
        QVERIFY(boxes.shown("Can not select the forbidden status operator!"));
        QVERIFY(sim.received().filter("AT+COPS=1").isEmpty());

        // An LTE operator is registered on with its technology.
        const int lte = rowOf(table, "22201");
        QCOMPARE(table->item(lte, ManualSelect::TypeColumn)->text(), QString("4G"));
        table->selectRow(lte);
        dialog_->selectButton->click();
        QTRY_VERIFY(boxes.shown("Manually select net succeeded!"));
        QCOMPARE(sim.received().filter("AT+COPS=1").last(), QString("AT+COPS=1,2,\"22201\",7"));

        // Without a technology the command ends with the operator.
        QVERIFY(sim.command({"on", "AT+COPS=?", "reply",
                             "+COPS: (1,\"Mirel\",\"Mirel\",\"26201\"),,(0-4),(0-2)", "OK"}));
        dialog_->refreshButton->click();
        QTRY_COMPARE(table->rowCount(), 1);
        table->selectRow(0);
        dialog_->selectButton->click();
        QTRY_COMPARE(sim.received().filter("AT+COPS=1").last(), QString("AT+COPS=1,2,\"26201\""));
    }

    // The search has the card on "UMTS preferred" only while it runs: the
    // user's own preference is back on the card after it, whatever its
    // outcome, and the settings never change.
    void searchGivesTheModeBack() {
        QVERIFY(startWith("ready")); // mode preference "UMTS Only" (2,0,0)
        QVERIFY(writeNetworkSettings({1, 2}));
        open();
        QCOMPARE(sim.received().filter("AT+YSNT"),
                 (QStringList{"AT+YSNT?", "AT+YSNT=0,0,2", "AT+YSNT=2,0,0"}));
        QCOMPARE(sim.received().indexOf("AT+COPS=?") + 1, sim.received().indexOf("AT+YSNT=2,0,0"));
        QCOMPARE(readNetworkSettings().modePerferred, 2);

        // A failed search too; a refused registration changes nothing.
        QVERIFY(sim.command({"on", "AT+COPS=?", "reply", "+CME ERROR: no network service"}));
        dialog_->refreshButton->click();
        QTRY_VERIFY(dialog_->statusLabel->text().endsWith("found."));
        QCOMPARE(sim.received().last(), QString("AT+YSNT=2,0,0"));
        QVERIFY(sim.command({"overrides-clear"}));
        dialog_->refreshButton->click();
        QTRY_COMPARE(dialog_->table->rowCount(), 4);
        QVERIFY(sim.command({"on", "AT+COPS=1,*", "reply", "+CME ERROR: no network service"}));
        MessageBoxes boxes;
        dialog_->table->selectRow(rowOf(dialog_->table, "26201"));
        dialog_->selectButton->click();
        QTRY_VERIFY(boxes.shown("Manually select net failed!"));
        QCOMPARE(sim.received().last(), QString("AT+COPS=1,2,\"26201\",2"));
        QCOMPARE(readNetworkSettings().modePerferred, 2);

        // The dialog closed during a search: the preference comes back too.
        QVERIFY(sim.command({"on", "AT+COPS=?", "delay", "300"}));
        dialog_->refreshButton->click();
        QTRY_COMPARE(sim.received().last(), QString("AT+COPS=?"));
        dialog_.reset();
        QTRY_COMPARE(sim.received().last(), QString("AT+YSNT=2,0,0"));
    }

private:
    // Opens the dialog and waits for its first search.
    void open() {
        dialog_ =
            std::make_unique<ManualSelect>(nullptr, "select", false, Qt::WindowFlags(), *link);
        dialog_->show();
        QTRY_VERIFY_WITH_TIMEOUT(dialog_->statusLabel->text().endsWith("found."), 15000);
    }

    std::unique_ptr<TestEnv> env_;
    std::unique_ptr<ManualSelect> dialog_;
};

QTEST_MAIN(TestManualSelect)
#include "test_manualselect.moc"
