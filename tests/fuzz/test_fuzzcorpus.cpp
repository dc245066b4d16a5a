// Replays the committed fuzzing corpus (seeds and every input that once
// found a fault) through each target's harness, so that the normal and the
// sanitizer builds check them at every run.

#include "tests/fuzz/fuzztargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFuzzCorpus : public QObject {
    Q_OBJECT
private slots:
    void replaysTheCorpus_data() {
        QTest::addColumn<int>("target");
        for (int i = 0; i < int(std::size(kFuzzTargets)); ++i)
            QTest::newRow(kFuzzTargets[i].name) << i;
    }
    void replaysTheCorpus() {
        QFETCH(int, target);
        const QDir corpus(QString(FUZZ_CORPUS_DIR) + "/" + kFuzzTargets[target].name);
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY2(files.size() >= 3, "every target has seeds");
        for (const QString& name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray input = file.readAll();
            kFuzzTargets[target].run(reinterpret_cast<const uint8_t*>(input.constData()),
                                     size_t(input.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "test_fuzzcorpus.moc"
