"""Encodes and decodes SMS PDUs with gammu, as an independent codec to check
the program's own against. Run with the system python3 (python3-gammu).

  gammu_pdu.py decode   stdin: one PDU (hex, service centre first) a line
                        stdout: one JSON object a line: number, smsc, text, coding
  gammu_pdu.py deliver  stdin: one JSON object a line: number, text, unicode, time
                        stdout: one SMS-DELIVER PDU (hex) a line
"""
import binascii
import datetime
import json
import sys

try:
    import gammu
except ImportError:
    print("no gammu")
    sys.exit(3)


def decode(line):
    try:
        sms = gammu.DecodePDU(binascii.unhexlify(line), True)
    except Exception as error:  # gammu reports a corrupt PDU by exception
        return {"error": str(error)}
    return {"number": sms["Number"], "smsc": sms["SMSC"]["Number"],
            "text": sms["Text"], "coding": sms["Coding"]}


# gammu needs every key of its message dictionary: take them from a decoded message.
TEMPLATE = gammu.DecodePDU(
    binascii.unhexlify("0691214365870911000A91907856341200000005E8329BFD06"), True)


def deliver(case):
    sms = dict(TEMPLATE)
    sms.update({
        "Number": case["number"],
        "Text": case["text"],
        "Coding": "Unicode_No_Compression" if case["unicode"] else "Default_No_Compression",
        "DateTime": datetime.datetime.fromisoformat(case["time"]),
        "Type": "Deliver",
        "Folder": 1,
        "State": "Read",
        "Length": len(case["text"]),
    })
    return binascii.hexlify(gammu.EncodePDU(sms, "Deliver")).decode().upper()


def main():
    mode = sys.argv[1]
    for line in sys.stdin:
        line = line.strip()
        if not line:
            continue
        if mode == "decode":
            print(json.dumps(decode(line)))
        else:
            print(deliver(json.loads(line)))


main()
