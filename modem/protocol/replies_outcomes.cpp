// Typed outcomes of the identity, status and SIM commands. They read the
// card's texts and the standard's numeric error codes alike, so that a card
// set to "AT+CMEE=1" is understood as well as one that sends words.

#include "modem/protocol/at_code.h"
#include "modem/protocol/replies.h"

#include <array>
#include <utility>

namespace {

// The error texts of 3GPP TS 27.007 (section 9.2.1) that the program acts on,
// and their numbers.
constexpr std::array<std::pair<const char*, int>, 12> kCmeTexts{{
    {"operation not allowed", 3},
    {"operation not supported", 4},
    {"SIM not inserted", 10},
    {"SIM PIN required", 11},
    {"SIM PUK required", 12},
    {"SIM failure", 13},
    {"SIM busy", 14},
    {"SIM wrong", 15},
    {"incorrect password", 16},
    {"memory full", 20},
    {"invalid index", 21},
    {"no network service", 30},
}};

int errorCodeOf(QByteArrayView reply) {
    const std::optional<ErrorReport> error = parseErrorReport(reply);
    return error ? errorCode(*error) : -1;
}

int classify(QByteArrayView reply) {
    return Parse_At_Res(reply.data(), static_cast<int>(reply.size()));
}

} // namespace

int errorCode(const ErrorReport& error) {
    if (error.code >= 0)
        return error.code;
    for (const auto& [text, code] : kCmeTexts) {
        if (error.text.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return code;
    }
    return -1;
}

bool simBusy(QByteArrayView reply) {
    const std::optional<ErrorReport> error = parseErrorReport(reply);
    return error && error->kind == FinalResult::CmeError && errorCode(*error) == 14;
}

SimState simStateOf(QByteArrayView reply) {
    if (const std::optional<QString> state = parseSimPinState(reply)) {
        if (*state == u"READY")
            return SimState::Ready;
        if (*state == u"SIM PIN")
            return SimState::PinRequired;
        if (*state == u"SIM PUK")
            return SimState::PukRequired;
        return SimState::Unknown;
    }
    switch (errorCodeOf(reply)) {
    case 10:
        return SimState::NotInserted;
    case 11:
        return SimState::PinRequired;
    case 12:
        return SimState::PukRequired;
    case 13:
    case 15:
        return SimState::Failure;
    case 14:
        return SimState::Busy;
    default:
        return SimState::Unknown;
    }
}

OperatingMode operatingModeOf(QByteArrayView reply) {
    switch (classify(reply)) {
    case AT_YOPRT_ONLINE:
        return OperatingMode::Online;
    case AT_YOPRT_OTHER:
        return OperatingMode::Offline;
    default:
        return OperatingMode::Unknown;
    }
}

SimType simTypeOf(QByteArrayView reply) {
    switch (classify(reply)) {
    case AT_YUSIM_SIM:
        return SimType::Sim;
    case AT_YUSIM_USIM:
        return SimType::Usim;
    case AT_YUSIM_SIM_BUSY:
        return SimType::Busy;
    default:
        return errorCodeOf(reply) == 14 ? SimType::Busy : SimType::Unknown;
    }
}

PinEntry pinEntryOf(QByteArrayView reply) {
    if (repliedOk(reply))
        return PinEntry::Accepted;
    if (parseSimPinState(reply) == u"SIM PUK")
        return PinEntry::PukRequired;
    switch (errorCodeOf(reply)) {
    case 12:
        return PinEntry::PukRequired;
    case 13:
        return PinEntry::SimFailure;
    case 16:
        return PinEntry::Wrong;
    default:
        break;
    }
    // A bare "ERROR" (the card refused the entry as such); another final
    // result counts as a wrong entry.
    switch (finalResult(reply)) {
    case FinalResult::None:
        return PinEntry::NoAnswer;
    case FinalResult::Error:
        return PinEntry::Error;
    default:
        return PinEntry::Wrong;
    }
}

PinChange pinChangeOf(QByteArrayView reply) {
    switch (errorCodeOf(reply)) {
    case 16:
        return PinChange::Wrong;
    case 12:
        return PinChange::PukRequired;
    case 3:
        return PinChange::NotAllowed;
    default:
        return repliedOk(reply) ? PinChange::Changed : PinChange::Wrong;
    }
}

int signalBarsOf(QByteArrayView reply) {
    switch (classify(reply)) {
    case AT_CSQ_CLASS5:
        return 5;
    case AT_CSQ_CLASS4:
        return 4;
    case AT_CSQ_CLASS3:
        return 3;
    case AT_CSQ_CLASS2:
        return 2;
    case AT_CSQ_CLASS1:
        return 1;
    case AT_CSQ_NONE:
        return 0;
    default:
        return -1;
    }
}

ServiceDomain serviceDomainOf(const QString& domain) {
    if (domain == u"CS_ONLY")
        return ServiceDomain::CircuitOnly;
    if (domain == u"PS_ONLY")
        return ServiceDomain::PacketOnly;
    if (domain == u"CS_PS")
        return ServiceDomain::CircuitAndPacket;
    return ServiceDomain::None;
}
