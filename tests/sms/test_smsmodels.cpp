// The message table: time stamps as shown, and sorting.

#include "sms/smstablemodel.h"

#include <QSortFilterProxyModel>
#include <QTest>
#include <cstring>

class TestSmsModels : public QObject {
    Q_OBJECT
private slots:
    void timeStamps_data() {
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* tag, const char* stamp, const char* shown) {
            QTest::newRow(tag) << QString(stamp) << QString(shown);
        };
        row("received, with zone", "09010203040508", "09-01-02 03:04:05");
        row("twelve digits", "261130180211", "26-11-30 18:02:11");
        row("no seconds", "0901020304", "09-01-02 03:04");
        row("empty", "", "");
    }
    void timeStamps() {
        QFETCH(QString, stamp);
        QFETCH(QString, shown);
        QCOMPARE(formatMessageTime(stamp), shown);
    }

    // Sorting by any column moves whole rows: each number keeps its id, name
    // and time. Times sort as time, ids as numbers.
    void sortingMovesWholeRows() {
        SmsList list;
        const char* rows[][2] = {
            {"+49111", "261130180211"}, {"+49333", "090102030405"}, {"+49222", "261201073000"}};
        for (int i = 0; i < 3; ++i) {
            std::strcpy(list[i * 5].TPA, rows[i][0]);
            std::strcpy(list[i * 5].TP_SCTS, rows[i][1]);
            list[i * 5].state = i ? "read" : "new";
        }
        SmsTableModel model;
        model.setMessages(list, [](const QString& number) { return "name of " + number; });
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(&model);
        proxy.setSortRole(SmsTableModel::SortRole);
        const auto column = [&proxy](int c) {
            QStringList texts;
            for (int row = 0; row < proxy.rowCount(); ++row)
                texts << proxy.index(row, c).data().toString();
            return texts;
        };
        QCOMPARE(column(SmsTableModel::IdColumn), (QStringList{"0", "5", "10"}));
        proxy.sort(SmsTableModel::TimeColumn, Qt::DescendingOrder);
        QCOMPARE(column(SmsTableModel::NumberColumn), (QStringList{"+49222", "+49111", "+49333"}));
        QCOMPARE(column(SmsTableModel::IdColumn), (QStringList{"10", "0", "5"}));
        QCOMPARE(column(SmsTableModel::NameColumn),
                 (QStringList{"name of +49222", "name of +49111", "name of +49333"}));
        QCOMPARE(column(SmsTableModel::TimeColumn),
                 (QStringList{"26-12-01 07:30:00", "26-11-30 18:02:11", "09-01-02 03:04:05"}));
        proxy.sort(SmsTableModel::IdColumn, Qt::DescendingOrder);
        QCOMPARE(column(SmsTableModel::StateColumn), (QStringList{"read", "read", "new"}));
        QCOMPARE(model.idAt(1), 5);
        QCOMPARE(model.numberAt(2), QString("+49222"));
        QCOMPARE(model.idAt(3), -1);
    }
};

QTEST_GUILESS_MAIN(TestSmsModels)
#include "test_smsmodels.moc"
