#pragma once

// Classifier of AT replies. The reply text begins with the modem's echo of
// the command line; the echo tells which command the reply belongs to (the
// declarations of commands.h, in their order), and fixed texts in the reply
// decide the result code (0-80, see below).

// Size of the reply buffers handed to the classifier and returned by the
// receiver (the receiver keeps at most this many bytes minus the NUL).
inline constexpr int AT_REPLY_SIZE = 102400;

// Result codes. Command methods map them to their own return values.
enum AtResult : int {
    AT_CPIN_READY = 0,
    AT_CPIN_SIM_PIN = 1,
    AT_CPIN_SIM_BUSY = 2,
    AT_CPIN_SIM_FAILURE = 3,
    AT_CPIN_SIM_PUK = 4,
    AT_PIN_OK = 5,
    AT_PIN_WRONG = 6,
    AT_PIN_PUK_REQUIRED = 7,
    AT_PIN_ERROR = 8,
    AT_PUK_OK = 9,
    AT_PUK_WRONG = 10,
    AT_PUK_SIM_FAILURE = 11,
    AT_PUK_ERROR = 12,
    AT_CLCK_ON = 13,
    AT_CLCK_OFF = 14,
    AT_CLCK_LOCK_OK = 15,
    AT_CLCK_LOCK_WRONG = 16,
    AT_CLCK_UNLOCK_OK = 17,
    AT_CLCK_UNLOCK_WRONG = 18,
    AT_CPWD_OK = 19,
    AT_CPWD_WRONG = 20,
    AT_CPWD_PUK_REQUIRED = 21,
    AT_CPWD_NOT_ALLOWED = 22,
    AT_CPMS_BARE_ERROR = 23,
    AT_CGDCONT_OK = 24,
    AT_CGDCONT_ERROR = 25,
    AT_YOPRT_SET_OK = 26,
    AT_YOPRT_ONLINE = 28,
    AT_YOPRT_OTHER = 29,
    AT_CSQ_CLASS1 = 30,
    AT_CSQ_CLASS2 = 31,
    AT_CSQ_CLASS3 = 32,
    AT_CSQ_CLASS4 = 33,
    AT_CSQ_CLASS5 = 34,
    AT_CSQ_NONE = 35,
    AT_CIMI_OK = 36,
    AT_CIMI_ERROR = 37,
    AT_CMGF_PDU = 38,
    AT_CMGF_TEXT = 39,
    AT_CMGF_SET_OK = 40,
    AT_CMGF_SET_FAILED = 41,
    AT_CNMI_OK = 42,
    AT_CNMI_FAILED = 43,
    AT_CPMS_SET_OK = 44,
    AT_CPMS_SET_FAILED = 45,
    AT_CPMS_QUERY_OK = 46,
    AT_CPMS_QUERY_FAILED = 47,
    AT_YSNT_SET_OK = 48,
    AT_YSNT_SET_FAILED = 49,
    AT_CMGL_OK = 50,
    AT_CMGL_FAILED = 51,
    AT_YSNT_QUERY_OK = 52,
    AT_YSNT_QUERY_FAILED = 53,
    AT_COPS_SET_OK = 54,
    AT_COPS_SET_FAILED = 55,
    AT_COPS_LIST_OK = 56,
    AT_COPS_LIST_FAILED = 57,
    AT_GMR_OK = 58,
    AT_GMR_FAILED = 59,
    AT_YUSIM_SIM = 60,
    AT_YUSIM_USIM = 61,
    AT_YUSIM_SIM_BUSY = 62,
    AT_YSMSD_SET_OK = 63,
    AT_YSMSD_SET_FAILED = 64,
    AT_YSMSD_0 = 65,
    AT_YSMSD_1 = 66,
    AT_YSMSD_2 = 67,
    AT_YSMSD_FAILED = 68,
    AT_CMGR_OK = 69,
    AT_CMGR_FAILED = 70,
    AT_YPAS_OK = 71,
    AT_YPAS_NO_SERVICE = 72,
    AT_YDON_OK = 73,
    AT_YDON_NOT_FOUND = 74,
    AT_CSCA_OK = 75,
    AT_OK = 76, // bare "AT" answered OK, delete message, character set selected
    AT_CMS_ERROR = 77,
    AT_CMGW_SEEN = 78,
    AT_UNKNOWN = 79, // nothing recognised, or no reply
    // The reply was read, but no test gives a verdict: an echo of no known
    // command without a general mark, or a service-centre query answered
    // without a number. (Kept apart from AT_CPIN_READY, which is 0.)
    AT_NO_VERDICT = 80,
};

// Classifies `reply`, read up to its first NUL or `size` bytes, whichever
// comes first. A null pointer gives AT_UNKNOWN.
int Parse_At_Res(const char* reply, int size = AT_REPLY_SIZE);
