#!/usr/bin/env python3
"""Writes the hand-made seeds of the fuzz targets into fuzz/corpus/<target>/.

That folder also keeps the inputs of longer runs that reached new code, added
with libFuzzer's merge:
    build/fuzz/fuzz/<target>_fuzzer -merge=1 fuzz/corpus/<target> build/fuzz/corpus/<target>

The inputs are laid out the way FuzzedDataProvider reads them: strings from
the front (a backslash and any other byte end one), numbers and choices from
the back, last byte first.
"""
import hashlib
import pathlib

FIELDS = "Text1 Text2 Text9 Text10 Text11 Text12 Text8 Text3 Text4 Text5 Text6 Text16 Text14 Text13 Text15".split()
EMPTY, ASCII, UTF16, LONG = range(4)  # the kinds of field text
REAL = dict(zip(FIELDS, "12 22 4.7 195 75 5 1 6.7 5.33 0.6 5 1000 1 10 5".split()))
IDEAL = {"Text10": "0", "Text11": "0", "Text12": "0", "Text3": "8", "Text4": "4", "Text5": "0"}


def seed(choices, strings=(), tail=b""):
    """Choices as (value, bytes) read from the back, strings from the front."""
    front = b"".join(s.replace(b"\\", b"\\\\") + b"\\ " for s in strings) + tail
    return front + b"".join(v.to_bytes(n, "big") for v, n in choices)[::-1]


def fields(texts, choices, strings):
    for field in FIELDS:
        text = {**REAL, **texts}[field]
        if text == EMPTY:
            choices.append((text, 1))
        elif isinstance(text, tuple):  # (LONG, piece, extra length over 32760)
            choices += [(LONG, 1), (text[2], 2)]
            strings.append(text[1].encode("latin-1"))
        else:
            wide = any(ord(c) > 255 for c in text)
            choices.append((UTF16 if wide else ASCII, 1))
            strings.append(text.encode("utf-16-le", "surrogatepass") if wide else text.encode("latin-1"))


def commands_seed(texts, commands, comma=False):
    choices, strings = [(int(comma), 1)], []
    fields(texts, choices, strings)
    choices.append((len(commands) - 1, 1))
    for command in commands:
        choices += [(0, 1), (command, 1)]  # no field changed before the command
    return seed(choices, strings)


def entry_seed(texts, last_text):
    choices, strings = [], []
    fields(texts, choices, strings)
    return seed(choices + [(0, 1)], strings, last_text.encode("latin-1"))


CASES = [{}, IDEAL, {"Text1": EMPTY}, {"Text1": "1E400"}, {"Text3": "5.33"}, {"Text16": "0"},
         {"Text16": "2147483647"}, {"Text16": "-5"}, {"Text6": "0"}, {"Text6": "2147483648"}, {"Text1": "0"},
         {"Text8": "0"}, {"Text3": "0"}, {"Text9": "4,7"}, {"Text2": "1e308"}, {"Text5": "-1e308"},
         {"Text1": (LONG, "9", 7240)}, {"Text2": (LONG, "1", 6)}, {"Text4": "5\x003"}, {"Text10": "\ud800"},
         {"Text12": "1e-400"}, {"Text16": "2.5"}, {"Text13": "0"}, {"Text15": "0.1"}, {"Text14": "1e-320"},
         {"Text3": "1e-300", "Text4": "-1e-300"}, {"Text13": "1e308", "Text14": "1e-308"}]
TEXTS = ["12", "4.7", "1E400", "-1e-400", "1e-310", " 1 2 ", "1-2", "e", ".", "--", "1.2.3", "5e", "E5", "1e5e5",
         "+-", "2147483647.5", "-2147483648.5", "0.5", "1.5", "2.5", "\x00", "1\t2\n3", "-0", "4,7", "9" * 40000,
         "0." + "0" * 400 + "1", "1e999999999999"]


def write(target, seeds):
    directory = pathlib.Path(__file__).parent / "corpus" / target
    directory.mkdir(parents=True, exist_ok=True)
    for data in seeds:
        (directory / hashlib.sha1(data).hexdigest()).write_bytes(data)


write("commands", [commands_seed(case, [0, 1, 2]) for case in CASES] + [commands_seed({}, [2, 2, 0], comma=True)])
write("entry_check", [entry_seed(case, text) for case, text in zip(CASES, TEXTS * 2)])
write("parse_leading_number", [t.encode("latin-1") + bytes([0, 0]) for t in TEXTS]
      + [t.encode("utf-16-le", "surrogatepass") + bytes([0, 1]) for t in ["1\ud800 2\udfff", "\uff11\u00b9"]])
