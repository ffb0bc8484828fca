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

FIELDS = ["Text1", "Text2", "Text9", "Text10", "Text11", "Text12", "Text8", "Text3",
          "Text4", "Text5", "Text6", "Text16", "Text14", "Text13", "Text15"]
REAL = {"Text1": "12", "Text2": "22", "Text9": "4.7", "Text10": "195", "Text11": "75",
        "Text12": "5", "Text8": "1", "Text3": "6.7", "Text4": "5.33", "Text5": "0.6",
        "Text6": "5", "Text16": "1000", "Text14": "1", "Text13": "10", "Text15": "5"}
IDEAL = dict(REAL, Text10="0", Text11="0", Text12="0", Text3="8", Text4="4", Text5="0")
EMPTY, ASCII, UTF16, LONG, EXAMPLE_PLUS, EXAMPLE = range(6)
TIMING, DESIGN, PLOT = range(3)


class Input:
    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()

    def string(self, data: bytes):
        self.front += data.replace(b"\\", b"\\\\") + b"\\ "

    def choice(self, value: int, width: int = 1):
        self.back += value.to_bytes(width, "big")

    def bytes(self) -> bytes:
        return bytes(self.front) + bytes(reversed(self.back))

    def field(self, text):
        """A field text: a str (ASCII or UTF-16), LONG piece, EMPTY or EXAMPLE."""
        if text is EMPTY or text is EXAMPLE:
            self.choice(text)
        elif isinstance(text, tuple):  # (LONG, piece, extra length over 32760)
            self.choice(LONG)
            self.string(text[1].encode("latin-1"))
            self.choice(text[2], 2)
        elif all(ord(c) < 256 for c in text):
            self.choice(ASCII)
            self.string(text.encode("latin-1"))
        else:
            self.choice(UTF16)
            self.string(text.encode("utf-16-le", "surrogatepass"))


def fields_input(texts, data):
    for field in FIELDS:
        data.field(texts.get(field, EXAMPLE))
    return data


def commands_seed(texts, commands, separator_comma=False):
    data = Input()
    data.choice(1 if separator_comma else 0)
    fields_input(texts, data)
    data.choice(len(commands) - 1)
    for command in commands:
        data.choice(0)  # no field changed before the command
        data.choice(command)
    return data.bytes()


def entry_seed(texts, last_text: str):
    data = Input()
    fields_input(texts, data)
    data.choice(0)  # the last text is one byte per code unit
    data.front += last_text.encode("latin-1")
    return data.bytes()


def parse_seed(text: str, pairs=False, cut=0):
    raw = text.encode("utf-16-le", "surrogatepass") if pairs else text.encode("latin-1")
    return raw + bytes([cut, 1 if pairs else 0])


FIELD_CASES = [
    {}, dict(IDEAL), {"Text1": EMPTY}, {"Text1": "1E400"}, {"Text3": "5.33"}, {"Text16": "0"},
    {"Text16": "2147483647"}, {"Text16": "-5"}, {"Text6": "0"}, {"Text6": "2147483648"}, {"Text1": "0"},
    {"Text8": "0"}, {"Text3": "0"}, {"Text9": "4,7"}, {"Text2": "1e308"}, {"Text5": "-1e308"},
    {"Text1": (LONG, "9", 7240)}, {"Text2": (LONG, "1", 6)}, {"Text4": "5\x003"}, {"Text10": "\ud800"},
    {"Text12": "1e-400"}, {"Text16": "2.5"}, {"Text13": "0"}, {"Text15": "0.1"}, {"Text14": "1e-320"},
    {"Text3": "1e-300", "Text4": "-1e-300"}, {"Text13": "1e308", "Text14": "1e-308"},
]
PARSE_TEXTS = ["12", "4.7", "1E400", "-1e-400", "1e-310", " 1 2 ", "1-2", "e", ".", "--", "1.2.3", "5e",
               "E5", "1e5e5", "+-", "2147483647.5", "-2147483648.5", "0.5", "1.5", "2.5", "\x00",
               "1\t2\n3", "-0", "4,7", "9" * 40000, "0." + "0" * 400 + "1", "1e999999999999"]


def write(target, seeds):
    directory = pathlib.Path(__file__).parent / "corpus" / target
    directory.mkdir(parents=True, exist_ok=True)
    for seed in seeds:
        (directory / hashlib.sha1(seed).hexdigest()).write_bytes(seed)


def main():
    write("commands", [commands_seed(dict(REAL, **case), [TIMING, DESIGN, PLOT]) for case in FIELD_CASES]
          + [commands_seed(REAL, [PLOT, PLOT, TIMING], separator_comma=True)])
    write("entry_check", [entry_seed(dict(REAL, **case), text)
                          for case, text in zip(FIELD_CASES, PARSE_TEXTS * 2)])
    write("parse_leading_number", [parse_seed(text) for text in PARSE_TEXTS]
          + [parse_seed("1\ud800 2\udfff", pairs=True), parse_seed("\uff11\u00b9", pairs=True)])


if __name__ == "__main__":
    main()
