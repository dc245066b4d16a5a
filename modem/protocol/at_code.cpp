#include "modem/protocol/at_code.h"

#include "modem/protocol/commands.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

using Text = std::string_view;

// The tests for a reply whose echo has no tests of its own.
int generalTests(Text e) {
    if (e.find("AT+CMGD=") != Text::npos)
        return AT_OK; // deletion, whatever the answer
    if (e.find("+CMS ERROR") != Text::npos)
        return AT_CMS_ERROR;
    if (e.find("+CMGW") != Text::npos)
        return AT_CMGW_SEEN;
    return AT_NO_VERDICT;
}

} // namespace

int Parse_At_Res(const char* reply, int size) {
    if (reply == nullptr || size <= 0)
        return AT_UNKNOWN;
    const Text whole(reply, strnlen(reply, static_cast<size_t>(size)));

    const size_t echoAt = whole.find("AT+");
    if (echoAt == Text::npos) {
        const size_t bare = whole.find("AT\r");
        if (bare == Text::npos)
            return AT_UNKNOWN;
        return whole.find("\r\nOK", bare) != Text::npos ? AT_OK : AT_UNKNOWN;
    }

    const Text e = whole.substr(echoAt);
    for (const AtCommand* c = atCommandsBegin(); c != atCommandsEnd(); ++c) {
        if (c->classify == nullptr || e.substr(0, c->echo.size()) != c->echo)
            continue;
        return c->classify(e);
    }
    return generalTests(e);
}
