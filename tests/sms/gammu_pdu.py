"""Encodes and decodes SMS PDUs with gammu, as an independent codec to check
the program's own against. Run with the system python3 (python3-gammu).

  gammu_pdu.py decode   stdin: one PDU (hex, service centre first) a line
                        stdout: one JSON object a line: number, smsc, text, coding
  gammu_pdu.py deliver  stdin: one JSON object a line: number, text, unicode, time
                        stdout: one SMS-DELIVER PDU (hex) a line
  gammu_pdu.py link     stdin: the PDUs of one long message a line, separated by blanks
                        stdout: one JSON object a line: text, parts
  gammu_pdu.py deliver-long
                        stdin: one JSON object a line: number, text, unicode, time, wide
                        (16-bit reference)
                        stdout: the SMS-DELIVER PDUs of its parts a line, separated by blanks
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


def link(line):
    try:
        parts = [gammu.DecodePDU(binascii.unhexlify(pdu), True) for pdu in line.split()]
        linked = gammu.LinkSMS([[part] for part in parts])
        info = gammu.DecodeSMS(linked[0])
    except Exception as error:
        return {"error": str(error)}
    if info is None:
        return {"error": "not linked", "messages": len(linked)}
    text = "".join(entry["Buffer"] or "" for entry in info["Entries"])
    return {"text": text, "parts": len(linked[0]), "messages": len(linked)}


def deliver_long(case):
    kind = "ConcatenatedTextLong16bit" if case["wide"] else "ConcatenatedTextLong"
    parts = gammu.EncodeSMS({"Class": -1, "Unicode": case["unicode"],
                             "Entries": [{"ID": kind, "Buffer": case["text"]}]})
    pdus = []
    for part in parts:
        sms = dict(TEMPLATE)
        sms.update(part)
        sms.update({
            "Number": case["number"],
            "DateTime": datetime.datetime.fromisoformat(case["time"]),
            "Type": "Deliver",
            "Folder": 1,
            "State": "Read",
        })
        pdus.append(binascii.hexlify(gammu.EncodePDU(sms, "Deliver")).decode().upper())
    return " ".join(pdus)


def main():
    mode = sys.argv[1]
    for line in sys.stdin:
        line = line.strip()
        if not line:
            continue
        if mode == "decode":
            print(json.dumps(decode(line)))
        elif mode == "link":
            print(json.dumps(link(line)))
        elif mode == "deliver-long":
            print(deliver_long(json.loads(line)))
        else:
            print(deliver(json.loads(line)))


main()
