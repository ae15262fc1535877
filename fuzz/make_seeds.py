#!/usr/bin/env python3
"""Writes the fuzzers' seed corpora from the demo diet and the data files laid
out by the scenarios: fuzz/corpus/<harness>/<name>."""
import hashlib
import pathlib
import re

root = pathlib.Path(__file__).resolve().parent.parent
corpus = root / "fuzz" / "corpus"

FILES = ["データ.txt", "設定.TXT", "自動時間.TXT", "移動平均.TXT", "体重計刻み.txt",
         "マーカー.TXT", "ﾌﾟﾗｲﾍﾞｰﾄ.txt", "換算.txt", "状況リスト.txt", "気付きメモ.txt",
         "連続体重.txt"]
HARNESS = {"データ.txt": ["fuzz_log", "fuzz_codepage"], "連続体重.txt": ["fuzz_log"],
           "換算.txt": ["fuzz_kansan"], "状況リスト.txt": ["fuzz_situations", "fuzz_codepage"],
           "気付きメモ.txt": ["fuzz_memo"]}


def folders():
    """Each folder as {file name: bytes}: the demo, then each scenario's."""
    yield {p.name: p.read_bytes() for p in (root / "examples" / "demo").iterdir()}
    for scenario in sorted((root / "tests" / "scenarios").glob("*.txt")):
        files, name, content = {}, None, ""
        for line in scenario.read_text(encoding="utf-8").splitlines():
            if line.startswith("#file "):
                name, content = line[6:], ""
            elif line.startswith("#|") and name:
                content += re.sub(r"^ ", "", line[2:]) + "\r\n"
            elif line == "#end" and name:
                files[name] = content.encode("cp932", errors="replace")
                name = None
        if files:
            yield files


def log_seed(data):
    """A log with the four bytes before it that choose what fuzz_log does with
    it: the writer, the outside change and rewrite of a shown record, the
    record shown, where the change goes, the records a merge adds."""
    h = hashlib.sha1(data).digest()
    return bytes([h[0], h[1], h[2], h[3]]) + data


# Lock files: this program's three lines, a lock of another host, garbled
# ones; the first byte chooses the age and whether the host and process lines
# become this machine's and this process's.
LOCKS = [bytes([flags]) + text for flags, text in [
    (2, b"1\nyaserunba\nhost\n"), (6, b"1\nyaserunba\nhost\n"),
    (0, b"4321\nyaserunba\nelsewhere.example\n"), (1, b"12ab\nyaser"), (0, b"123"),
    (3, b"99999999\nyaserunba\nhost\nmore\n")]]


def save(harness, data):
    folder = corpus / harness
    folder.mkdir(parents=True, exist_ok=True)
    (folder / hashlib.sha1(data).hexdigest()[:16]).write_bytes(data)


for files in folders():
    packed = bytes([0])
    for name, data in files.items():
        if name in FILES:
            data = data[:65535]
            packed += bytes([FILES.index(name), len(data) >> 8, len(data) & 255]) + data
        for harness in HARNESS.get(name, ["fuzz_settings"] if name in FILES else []):
            seed = {"fuzz_settings": bytes([0]) + data, "fuzz_log": log_seed(data)}
            save(harness, seed.get(harness, data))
    save("fuzz_startup", packed)

for lock in LOCKS:
    save("fuzz_lock", lock)
