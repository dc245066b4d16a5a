#pragma once

// Harnesses that feed arbitrary bytes to every reader of input from outside
// the program: modem replies, message PDUs and the files the program keeps
// or imports. Each one checks its reader's own promises (terminated fields,
// sizes within bounds, what was read and written again reads back the same)
// and aborts when one is broken, so that libFuzzer and the corpus replay
// report it. The same table drives the libFuzzer executables (one per
// target) and the replay of the committed corpus in every build.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using FuzzFunction = void (*)(const uint8_t* data, size_t size);

struct FuzzTarget {
    const char* name; // also the folder of its corpus
    FuzzFunction run;
};

// --- modem replies (fuzz_protocol.cpp)
void fuzzClassifier(const uint8_t* data, size_t size);
void fuzzReplyReaders(const uint8_t* data, size_t size);
void fuzzReplyFraming(const uint8_t* data, size_t size);
// --- messages (fuzz_sms.cpp)
// The PDU decoders. An input that starts with a NUL byte is taken as octets,
// turned into hexadecimal text (so the fuzzer explores the PDU's structure);
// any other input is the text itself (case, stray characters, odd lengths).
void fuzzPduDecoders(const uint8_t* data, size_t size);
void fuzzLongMessageParts(const uint8_t* data, size_t size);
void fuzzMessageFile(const uint8_t* data, size_t size);
// --- stored and imported files (fuzz_files.cpp)
void fuzzContactFile(const uint8_t* data, size_t size);
void fuzzVCards(const uint8_t* data, size_t size);
void fuzzBackup(const uint8_t* data, size_t size);
void fuzzProfileRecords(const uint8_t* data, size_t size);
void fuzzConfigFile(const uint8_t* data, size_t size);
void fuzzSettingsFiles(const uint8_t* data, size_t size);

inline constexpr FuzzTarget kFuzzTargets[] = {
    {"classifier", fuzzClassifier},  {"replies", fuzzReplyReaders},
    {"framing", fuzzReplyFraming},   {"pdu", fuzzPduDecoders},
    {"parts", fuzzLongMessageParts}, {"smsxml", fuzzMessageFile},
    {"contactxml", fuzzContactFile}, {"vcard", fuzzVCards},
    {"backup", fuzzBackup},          {"profiles", fuzzProfileRecords},
    {"config", fuzzConfigFile},      {"settings", fuzzSettingsFiles},
};

// --- shared by the harnesses

// Stops the run: a promise of the reader was broken.
inline void require(bool condition) {
    if (!condition)
        std::abort();
}

template <size_t N> void requireTerminated(const char (&field)[N]) {
    require(__builtin_memchr(field, '\0', N) != nullptr);
}

inline QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Points the program's data folder at a private temporary folder (made once
// per process) and returns the path of `name` in it.
QString scratchDataFile(const QString& name);
// Replaces the file `path` with `bytes`.
void writeScratch(const QString& path, const QByteArray& bytes);
