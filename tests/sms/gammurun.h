#pragma once

// Runs the gammu helper script (gammu_pdu.py, python3-gammu): an independent
// codec to check the program's own against. The test skips when
// python3-gammu is not installed.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QTest>

// Runs the helper script in `mode` over `input` lines; its output lines.
inline QList<QByteArray> runGammu(const char* mode, const QByteArray& input) {
    QProcess process;
    process.start("/usr/bin/python3", {GAMMU_SCRIPT, mode});
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000))
        return {};
    if (process.exitCode() == 3)
        QTest::qSkip("python3-gammu is not installed", __FILE__, __LINE__);
    QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    lines.removeAll(QByteArray());
    return lines;
}
