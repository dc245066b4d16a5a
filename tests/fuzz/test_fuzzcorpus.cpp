// Replays the committed fuzzing corpus (seeds and every input that once
// found a fault) through the PDU decoders, so that the normal and the
// sanitizer builds check them at every run.

#include "tests/fuzz/pdufuzz.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFuzzCorpus : public QObject {
    Q_OBJECT
private slots:
    void replaysTheCorpus() {
        const QDir corpus(FUZZ_CORPUS_DIR);
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(files.size() >= 10);
        for (const QString& name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray input = file.readAll();
            fuzzPduDecoders(reinterpret_cast<const uint8_t*>(input.constData()),
                            size_t(input.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "test_fuzzcorpus.moc"
