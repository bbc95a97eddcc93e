# Calls the stub must refuse (mypy --strict reports each line).
import harmodex

a: bytes = harmodex.musicxml("0 4 7")
b = harmodex.sound("0 4 7", fmt="wav")
c = harmodex.find(6)
d = harmodex.read(3.5)
