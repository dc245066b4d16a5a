#include "transcript.h"

#include "text.h"

#include <chrono>
#include <ctime>

Transcript::~Transcript() {
    if (file_ && file_ != stderr)
        std::fclose(file_);
}

bool Transcript::open(const std::string& path) {
    if (path.empty()) {
        file_ = stderr;
        return true;
    }
    file_ = std::fopen(path.c_str(), "w");
    return file_ != nullptr;
}

void Transcript::write(const std::string& port, char kind, const std::string& text) {
    if (!file_ || quiet_)
        return;
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    const int ms =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm{};
    gmtime_r(&secs, &tm);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &tm);
    std::fprintf(file_, "%s.%03dZ %s %c %s\n", stamp, ms, port.c_str(), kind,
                 text::escape(text).c_str());
    std::fflush(file_);
}
