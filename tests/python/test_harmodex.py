# The Python module against harmodex-cli (HARMODEX_CLI) and against
# brute-force scans of its own catalogue.
import json
import os
import subprocess
import threading

import pytest

import harmodex

CLI = os.environ.get("HARMODEX_CLI", "harmodex-cli")


def cli(*args):
    return subprocess.run([CLI, *args], check=True, capture_output=True, text=True).stdout


def pcs(pitch_classes):
    return set(pitch_classes)


@pytest.fixture(scope="module")
def catalogue():
    return harmodex.catalogue()


@pytest.fixture(scope="module")
def analyses():
    return [json.loads(line) for line in cli("analyse", "--all").splitlines()]


def test_analyse_is_the_command_lines_json_for_every_page(analyses):
    assert len(analyses) == 351
    for expected in analyses:
        got = harmodex.analyse(expected["identity"]["tnType"])
        # Same values and the same key order.
        assert json.dumps(got) == json.dumps(expected), expected["identity"]["tnType"]


@pytest.mark.parametrize("text", ["7 11 2", "13.12.14", "u 3 6", "C E G", "3-11b", "p24", "(0134)", "7 t 2 6 9 0"])
def test_analyse_reads_as_the_command_line(text):
    assert harmodex.analyse(text) == json.loads(cli("analyse", text))


def test_catalogue_rows_are_the_analysed_identities(catalogue, analyses):
    assert [row["page"] for row in catalogue] == list(range(1, 352))
    for row, analysis in zip(catalogue, analyses):
        identity = analysis["identity"]
        assert row == {key: identity[key] for key in row}
    assert json.loads(cli("find", "--json")) == catalogue


@pytest.mark.parametrize("text, pitch_classes, form, tn_type, page", [
    ("7 11 2", [7, 11, 2], "pitch-class list", [0, 4, 7], 24),
    ("13.12.14", [0, 4, 7], "Costère code", [0, 4, 7], 24),
    ("d u", [10, 11], "pitch-class list", [0, 1], 2),
    ("XII", list(range(12)), "Costère code", list(range(12)), 351),
    ([7, 11, 2], [7, 11, 2], "pitch-class list", [0, 4, 7], 24),
    ((19, -1, 4), [7, 11, 4], "pitch-class list", [0, 3, 7], 21),
])
def test_read(text, pitch_classes, form, tn_type, page):
    r = harmodex.read(text)
    assert (r["pitchClasses"], r["form"], r["tnType"], r["page"]) == (pitch_classes, form, tn_type, page)


def transpositions(s):
    return [{(x + n) % 12 for x in s} for n in range(12)]


def inversion(s):
    return {(-x) % 12 for x in s}


def brute_force(catalogue, size=None, contains=None, within=None, tni=False, z=False, symmetric=False,
                attribute=None):
    def forms(text):
        s = set(harmodex.read(text)["pitchClasses"])
        s = {x % 12 for x in s}
        return [s, inversion(s)] if tni else [s]

    def has_words(attr, text):
        words, wanted = attr.lower().replace(",", " ").split(), text.lower().replace(",", " ").split()
        return any(words[i:i + len(wanted)] == wanted for i in range(len(words)))

    found = []
    for row in catalogue:
        t = pcs(row["tnType"])
        ok = size is None or len(t) == size
        if contains:
            ok = ok and any(any(u <= t for u in transpositions(s)) for s in forms(contains))
        if within:
            ok = ok and any(any(t <= u for u in transpositions(s)) for s in forms(within))
        if z:
            ok = ok and any(o["intervalVector"] == row["intervalVector"] and o["tnIType"] != row["tnIType"]
                            for o in catalogue)
        if symmetric:
            ok = ok and inversion(t) in transpositions(t)
        if attribute:
            infos = harmodex.analyse(row["tnType"])["setInfos"]
            ok = ok and any(i["label"].endswith(" Classification") and has_words(i["text"], attribute)
                            for i in infos)
        if ok:
            found.append(row)
    return found


QUERIES = [
    dict(),
    dict(size=6, contains="0 4 7", tni=True),
    dict(size=6, contains="0 4 7"),
    dict(contains="13.12.14"),
    dict(within="0 2 4 5 7 9 11"),
    dict(within="0 1 3", tni=True),
    dict(contains="0 1", within="0 1 2 3 4 5"),
    dict(contains="0", size=12),
    dict(z=True),
    dict(z=True, symmetric=True),
    dict(symmetric=True, size=4),
    dict(attribute="integrally multimodalizable"),
    dict(attribute="TRIADIC  major", size=5),
    dict(attribute="symmetrical"),
    dict(attribute="cislocative,"),
    dict(attribute="with limited Tns", contains="0 4 8"),
]


@pytest.mark.parametrize("query", QUERIES, ids=[json.dumps(q) for q in QUERIES])
def test_find_equals_a_brute_force_scan(catalogue, query):
    expected = brute_force(catalogue, **query)
    assert harmodex.find(**query) == expected
    args = []
    for key, value in query.items():
        flag = "--" + key
        args += [flag] if value is True else [flag, str(value)]
    lines = cli("find", *args).splitlines()
    assert [line.split(None, 2) for line in lines] == \
        [[str(r["page"]), r["forteName"], r["tnTypeText"]] for r in expected]
    assert cli("find", "--count", *args) == f"{len(expected)}\n"


@pytest.mark.parametrize("call, error", [
    (lambda: harmodex.read(""), ValueError),
    (lambda: harmodex.analyse("   "), ValueError),
    (lambda: harmodex.page("0 4 7", "gif"), ValueError),
    (lambda: harmodex.page("0 4 7", "x.pdf"), ValueError),
    (lambda: harmodex.page("", "eps"), ValueError),
    (lambda: harmodex.find(size=13), ValueError),
    (lambda: harmodex.find(size=0), ValueError),
    (lambda: harmodex.find(tni=True), ValueError),
    (lambda: harmodex.find(attribute="nonesuch"), ValueError),
    (lambda: harmodex.find(attribute=""), ValueError),
    (lambda: harmodex.find(contains=""), ValueError),
    (lambda: harmodex.find(3), TypeError),
    (lambda: harmodex.analyse(None), TypeError),
    (lambda: harmodex.read([]), ValueError),
    (lambda: harmodex.read([0, "4"]), TypeError),
    (lambda: harmodex.read([0.5]), TypeError),
])
def test_errors_are_exceptions(call, error):
    with pytest.raises(error):
        call()


@pytest.mark.parametrize("text", ["99999999999999999999", "-5 -7 -2147483648", "0 4 7 " * 2000, "1XI",
                                  "X.X.X.X", "..", "\x00 1", "XIIXIIXII", "dudu", "ü 3"])
def test_odd_texts_give_a_page_or_a_value_error(text):
    try:
        page = harmodex.read(text)["page"]
    except ValueError:
        return
    assert 1 <= page <= 351
    assert harmodex.analyse(text)["identity"]["page"] == page
    assert harmodex.page(text).startswith(b"%!PS-Adobe")


def without_date(page):
    return [line for line in page.splitlines() if not line.startswith(b"%%CreationDate")]


@pytest.mark.parametrize("text", ["0 4 7", "XII", "3-11b"])
def test_page_is_the_command_lines_eps(text):
    page = harmodex.page(text, "EPS")
    expected = subprocess.run([CLI, "page", text], check=True, capture_output=True).stdout
    assert page.endswith(b"\n") and without_date(page) == without_date(expected)


@pytest.mark.parametrize("fmt, magic", [("pdf", b"%PDF-"), ("png", b"\x89PNG"), ("svg", b"<?xml")])
def test_page_in_each_format_the_command_line_writes(fmt, magic):
    assert harmodex.page("0 4 7", fmt).startswith(magic)


def test_threads_get_the_same_answers():
    texts = [row["tnType"] for row in harmodex.catalogue()[100:140]]
    serial = [harmodex.analyse(t) for t in texts]
    results = [None] * len(texts)

    def work(k):
        for i in range(k, len(texts), 4):
            results[i] = harmodex.analyse(texts[i])

    threads = [threading.Thread(target=work, args=(k,)) for k in range(4)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert results == serial
