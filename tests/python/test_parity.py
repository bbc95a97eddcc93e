# The functions that write notation and sound, and what makes the module
# usable from Python code: lists as sets, keyword names, the version.
import inspect
import io
import os
import subprocess
import xml.etree.ElementTree as ET
import zipfile

import pytest

import harmodex

CLI = os.environ.get("HARMODEX_CLI", "harmodex-cli")


def cli_bytes(*args):
    return subprocess.run([CLI, *args], check=True, capture_output=True).stdout


# (call, magic at the start) for each writer, a set given three ways.
WRITERS = [
    (lambda s: harmodex.musicxml(s).encode(), b"<?xml"),
    (lambda s: harmodex.midi(s), b"MThd"),
    (lambda s: harmodex.sound(s), b"RIFF"),
    (lambda s: harmodex.sound(s, format="flac"), b"fLaC"),
    (lambda s: harmodex.sound(s, "OGG"), b"OggS"),
]


@pytest.mark.parametrize("write, magic", WRITERS)
def test_writers_take_a_text_a_list_or_a_tuple_alike(write, magic):
    as_text = write("7 11 2")
    assert as_text.startswith(magic)
    # An Ogg stream carries a random serial number: compare its length only.
    same = (lambda a, b: len(a) == len(b)) if magic == b"OggS" else (lambda a, b: a == b)
    assert same(write([7, 11, 2]), as_text)
    assert same(write((19, -1, 2)), as_text)


@pytest.mark.parametrize("write, magic", WRITERS)
@pytest.mark.parametrize("bad, error", [("hello", ValueError), ([], ValueError), ("3-13", ValueError),
                                        (None, TypeError), ([0, "4"], TypeError)])
def test_writers_refuse_what_names_no_set(write, magic, bad, error):
    with pytest.raises(error):
        write(bad)


def test_sound_refuses_a_format_it_does_not_write():
    with pytest.raises(ValueError, match="wav, flac, ogg"):
        harmodex.sound("0 4 7", "mp3")


@pytest.mark.parametrize("args", [["musicxml", "Bb3 D4 F4"], ["midi", "G B D"], ["midi", "0 4 7"]])
@pytest.mark.parametrize("as_typed", [False, True])
def test_writers_are_the_command_lines(args, as_typed):
    command, text = args
    got = getattr(harmodex, command)(text, as_typed=as_typed)
    got = got.encode() if isinstance(got, str) else got
    assert got == cli_bytes(command, text, *(["--as-typed"] if as_typed else []))


def notes_of_first_measure(score):
    measure = ET.fromstring(score.split("\n", 2)[2]).find("part/measure")
    return measure.find("direction/direction-type/words").text, [
        (n.findtext("pitch/step"), n.findtext("pitch/alter"), n.findtext("pitch/octave")) for n in measure.iter("note")]


def test_musicxml_as_typed_puts_the_typed_row_first():
    label, notes = notes_of_first_measure(harmodex.musicxml("Bb3 D4 F4", as_typed=True))
    assert label == "as typed"
    assert notes == [("B", "-1", "3"), ("D", None, "4"), ("F", None, "4")]
    label, notes = notes_of_first_measure(harmodex.musicxml([7, 11, 2], as_typed=True))
    assert notes == [("G", None, "4"), ("B", None, "4"), ("D", None, "5")]
    assert notes_of_first_measure(harmodex.musicxml("Bb3 D4 F4"))[0] == "T0"


def midi_keys(data):
    # Note-on events with velocity: (key) in file order; the files hold one
    # track with running status never used (libsmf writes full events).
    keys, i = [], data.index(b"MTrk") + 8
    while i < len(data) - 2:
        if data[i] & 0xF0 == 0x90 and data[i + 2] > 0:
            keys.append(data[i + 1])
            i += 3
        else:
            i += 1
    return keys


def test_midi_as_typed_keeps_the_order_and_octaves():
    assert midi_keys(harmodex.midi("G4 B3 D5", as_typed=True))[:3] == [67, 59, 74]
    assert midi_keys(harmodex.midi("G B D"))[:3] == [60, 64, 67]  # the page's first staff


def test_keyword_names_are_visible_and_each_function_has_an_example():
    params = {name: list(inspect.signature(getattr(harmodex, name)).parameters)
              for name in ["read", "analyse", "page", "musicxml", "midi", "sound", "catalogue", "find"]}
    assert params["sound"] == ["text", "format", "as_typed"]
    assert params["musicxml"] == ["text", "as_typed"]
    assert params["find"] == ["size", "contains", "within", "tni", "z", "symmetric", "attribute"]
    for name in params:
        doc = getattr(harmodex, name).__doc__
        assert ">>> " in doc and "harmodex." + name + "(" in doc, name
    assert harmodex.sound("0 4 7", as_typed=True, format="wav").startswith(b"RIFF")


def test_version_is_the_programs():
    assert harmodex.__version__ == subprocess.run([CLI, "--version"], capture_output=True, text=True).stdout.split()[-1]


def test_compressed_musicxml_from_the_command_line_is_a_real_mxl(tmp_path):
    path = tmp_path / "triad.mxl"
    subprocess.run([CLI, "musicxml", "0 4 7", "-o", str(path)], check=True)
    with zipfile.ZipFile(path) as z:
        assert z.namelist()[0] == "mimetype"
        assert z.read("mimetype") == b"application/vnd.recordare.musicxml"
        container = ET.fromstring(z.read("META-INF/container.xml"))
        score = container.find("rootfiles/rootfile").get("full-path")
        assert z.read(score).decode() == harmodex.musicxml("0 4 7")


def test_the_stub_names_every_function_with_the_modules_parameters():
    import ast
    stub = os.path.join(os.path.dirname(harmodex.__file__), "harmodex.pyi")
    tree = ast.parse(open(stub, encoding="utf-8").read())
    stubbed = {f.name: [a.arg for a in f.args.args + f.args.kwonlyargs] for f in tree.body
               if isinstance(f, ast.FunctionDef)}
    public = {name for name in dir(harmodex) if not name.startswith("_") and callable(getattr(harmodex, name))}
    assert set(stubbed) == public
    for name, params in stubbed.items():
        assert params == list(inspect.signature(getattr(harmodex, name)).parameters), name
