# harmodex.score and harmodex.score_summary against harmodex-cli score.
import json
import os
import subprocess

import pytest

import harmodex

CLI = os.environ.get("HARMODEX_CLI", "harmodex-cli")
DATA = os.path.join(os.path.dirname(__file__), "..", "data", "score")


def cli_json(*args):
    return json.loads(subprocess.run([CLI, "score", *args, "--json"], check=True, capture_output=True,
                                     text=True).stdout)


@pytest.mark.parametrize("name", ["chorale.musicxml", "compound.mscore.mxl", "compound.mscore.mid"])
@pytest.mark.parametrize("by,merge", [("onset", False), ("beat", True), ("measure", False)])
def test_score_is_the_command_lines_json(name, by, merge):
    path = os.path.join(DATA, name)
    expected = cli_json(path, "--by", by, *(["--merge"] if merge else []))
    assert harmodex.score(path, by=by, merge=merge) == expected["segments"]
    assert harmodex.score_summary(path, by=by, merge=merge) == expected["summary"]


def test_a_segment_names_its_sonority():
    first = harmodex.score(os.path.join(DATA, "chorale.musicxml"))[0]
    assert list(first) == ["start", "end", "measure", "beat", "pitches", "pitchClasses", "tnType", "tnTypeText",
                           "tniType", "tniTypeText", "forteName", "page"]
    assert (first["tnType"], first["tnTypeText"]) == ([0, 4, 7], "0 4 7")
    assert first["pitches"] == [48, 60, 67, 76] and first["pitchClasses"] == [0, 4, 7]
    assert (first["forteName"], first["page"]) == ("3-11b", 24)


def test_bad_input_is_a_value_error_naming_the_file(tmp_path):
    bad = tmp_path / "bad.mid"
    bad.write_bytes(b"MThd\x00\x00\x00\x06\x00\x02\x00\x01\x00\x60")
    with pytest.raises(ValueError, match=r"bad\.mid, byte 8: format 2"):
        harmodex.score(str(bad))
    with pytest.raises(ValueError, match="onset"):
        harmodex.score(os.path.join(DATA, "chorale.musicxml"), by="bar")
    with pytest.raises(ValueError, match="cannot be opened"):
        harmodex.score_summary(str(tmp_path / "missing.musicxml"))
