// The table of commands: every command declared once, with a budget and a
// line that fits, and its replies classified by its own tests (no earlier
// declaration takes its echo).

#include "modem/atline.h"
#include "modem/protocol/commands.h"

#include <QTest>

#include <algorithm>

class TestAtCode : public QObject {
    Q_OBJECT
private slots:
    void declarations() {
        for (int i = 0; i < kAtCommandCount; ++i) {
            const AtCmd id = static_cast<AtCmd>(i);
            const AtCommand& command = atCommand(id);
            QCOMPARE(int(command.id), i);
            const QByteArray line(command.line.data(), qsizetype(command.line.size()));
            const QByteArray echo(command.echo.data(), qsizetype(command.echo.size()));
            QVERIFY2(line.startsWith(echo), line);
            QVERIFY2(command.budgetSec > 0 && line.size() + 3 <= AT_COMMAND_SIZE, line);
            QCOMPARE(std::count_if(atCommandsBegin(), atCommandsEnd(),
                                   [id](const AtCommand& c) { return c.id == id; }),
                     1);
            if (command.classify == nullptr)
                continue;
            const AtCommand* decides =
                std::find_if(atCommandsBegin(), atCommandsEnd(), [&line](const AtCommand& c) {
                    return c.classify && line.startsWith(QByteArray(c.echo.data(), c.echo.size()));
                });
            QVERIFY2(decides->classify == command.classify, line);
        }
        QCOMPARE(atCommandsEnd() - atCommandsBegin(), kAtCommandCount);
    }
};

QTEST_GUILESS_MAIN(TestAtCode)
#include "test_atcode.moc"
