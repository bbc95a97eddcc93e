# The page as text: the module and harmodex-cli describe say the same, and
# the facts are those the page prints.
import os
import subprocess

import pytest

import harmodex

CLI = os.environ.get("HARMODEX_CLI", "harmodex-cli")


def cli_text(*args):
    return subprocess.run([CLI, *args], check=True, capture_output=True, text=True).stdout


def facts(text):
    return dict(line.split(": ", 1) for line in text.splitlines())


# A set as typed, and facts its page prints.
CASES = [
    ("0 4 7", {"Page": "24", "Forte name": "3-11b", "Costère code": "13.12.14", "Tonicity": "54.00%",
               "Phonicity": "28.85%", "Symmetry": "asymmetrical", "Subsets": "4"}),
    ("C Eb G", {"Forte name": "3-11", "Tn-type": "0 3 7", "Azimuth": "-90.0°", "TnI-type": "0 3 7"}),
    ("0 1 4 6", {"Z-partner": "4-Z29 (0 1 3 7), 4-Z29b (0 4 6 7)", "Interval vector": "<1,1,1,1,1,1>",
                 "Tonicity": "27.79%", "Phonicity": "9.38%", "Azimuth": "+65.9°", "Roughness": "4.17"}),
    ("0 2 4 6 8 10", {"Symmetry": "symmetrical with median axes; relatives T0I T2I T4I T6I T8I T10I; axes all chromas"}),
    ("0 1 2 3 4 5 6 7 8 9 10 11", {"Complement": "none (the set holds all twelve pitch classes)", "Supersets": "0"}),
]


@pytest.mark.parametrize("text,expected", CASES)
def test_module_and_cli_agree_and_name_the_page(text, expected):
    described = harmodex.describe(text)
    assert described == cli_text("describe", text)
    got = facts(described)
    for name, value in expected.items():
        assert got[name] == value, (name, got)


def test_a_list_is_read_as_the_text_is():
    assert harmodex.describe([7, 11, 2]) == harmodex.describe("0 4 7")


def test_no_set_is_a_value_error_and_exit_2():
    with pytest.raises(ValueError):
        harmodex.describe("")
    assert subprocess.run([CLI, "describe", ""], capture_output=True).returncode == 2
