"""Reads and writes vCards with python3-vobject, as an independent
implementation to check the phonebook's own against. Run with the system
python3.

  vcard_peer.py read    stdin: vCard text
                        stdout: JSON list of {fn, tel: [[type, number]], email, categories}
  vcard_peer.py write   stdin: JSON list of {fn, tel: [[type, number]], email, categories}
                        stdout: the cards as vobject serializes them (version 3.0)
"""
import json
import sys

try:
    import vobject
except ImportError:
    print("no vobject")
    sys.exit(3)


def read(text):
    cards = []
    for card in vobject.readComponents(text):
        contents = card.contents
        cards.append({
            "fn": card.fn.value,
            "tel": [[",".join(t.params.get("TYPE", [])).upper(), t.value]
                    for t in contents.get("tel", [])],
            "email": [e.value for e in contents.get("email", [])],
            "categories": [c for cat in contents.get("categories", []) for c in cat.value],
        })
    return cards


def write(cards):
    out = []
    for entry in cards:
        card = vobject.vCard()
        card.add("fn").value = entry["fn"]
        card.add("n").value = vobject.vcard.Name(given=entry["fn"])
        for kind, number in entry.get("tel", []):
            tel = card.add("tel")
            tel.value = number
            tel.type_param = kind
        for email in entry.get("email", []):
            card.add("email").value = email
        if entry.get("categories"):
            card.add("categories").value = entry["categories"]
        out.append(card.serialize())
    return "".join(out)


if __name__ == "__main__":
    data = sys.stdin.buffer.read().decode("utf-8")
    if sys.argv[1] == "read":
        print(json.dumps(read(data), ensure_ascii=False))
    else:
        sys.stdout.buffer.write(write(json.loads(data)).encode("utf-8"))
