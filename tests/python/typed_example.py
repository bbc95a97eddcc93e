# A researcher's script, checked by mypy --strict against harmodex.pyi: it
# must type-check as written, and the wrong calls below must not.
import harmodex

version: str = harmodex.__version__
triad = harmodex.read([7, 11, 2])
forte: str = triad["forteName"]
score: str = harmodex.musicxml("Bb3 D4 F4", as_typed=True)
heard: bytes = harmodex.sound((0, 4, 7), format="flac")
midi: bytes = harmodex.midi("0 4 7")
hexachords = harmodex.find(size=6, contains=[0, 4, 7], tni=True)
names = [entry["forteName"] for entry in hexachords]
pdf: bytes = harmodex.page("13.12.14", "pdf")
