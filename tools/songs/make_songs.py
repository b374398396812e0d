#!/usr/bin/env python3
"""Writes the music window's songs into assets/Zvuk as Standard MIDI Files.

Every song is a traditional, public-domain melody, arranged here with a melody, a
harmony voice, chords and a bass, and played through several varied verses so that it
lasts between one and two minutes. Only the Python standard library is used and the
output is byte-for-byte reproducible, so the .mid files in the repository can always be
regenerated from this script:

    python3 tools/songs/make_songs.py            # writes assets/Zvuk/*.mid
    python3 tools/songs/make_songs.py --check    # verifies the files are up to date
"""

import argparse
import struct
import sys
from dataclasses import dataclass, field
from pathlib import Path

TICKS_PER_BEAT = 480  # ticks of a quarter note
PERCUSSION = 9

NOTE_STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
CHORD_SHAPES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10)}

# General MIDI programs (0-based) used by the arrangements.
PIANO, VIBES, GLOCKENSPIEL, MARIMBA, ACCORDION = 0, 11, 9, 12, 21
NYLON_GUITAR, ACOUSTIC_BASS, VIOLIN, CELLO, HARP, STRINGS = 24, 32, 40, 42, 46, 48
TUBA, HORN, OBOE, BASSOON, CLARINET, PICCOLO, FLUTE, RECORDER = 58, 60, 68, 70, 71, 72, 73, 74


def pitch(name):
    """MIDI key of a note name such as "C4", "F#5" or "Bb3" (C4 = 60)."""
    letter, rest = name[0], name[1:]
    shift = 0
    while rest and rest[0] in "#b":
        shift += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + NOTE_STEPS[letter] + shift


def chord_keys(symbol):
    """Pitch classes of a chord symbol such as "C", "Am", "G7", "F#m"."""
    root = symbol[0]
    rest = symbol[1:]
    shift = 0
    if rest[:1] in ("#", "b"):
        shift = 1 if rest[0] == "#" else -1
        rest = rest[1:]
    base = (NOTE_STEPS[root] + shift) % 12
    return [(base + step) % 12 for step in CHORD_SHAPES[rest]]


def parse_bars(text):
    """Bars separated by "|", notes as "NAME:beats" ("r" is a rest)."""
    bars = []
    for bar in text.split("|"):
        notes = []
        for token in bar.split():
            name, beats = token.split(":")
            notes.append((None if name == "r" else pitch(name), float(beats)))
        bars.append(notes)
    return bars


def parse_chords(text):
    """One entry per bar separated by "|"; a bar may change chord: "G7:1 C:1"."""
    bars = []
    for bar in text.split("|"):
        tokens = bar.split()
        if len(tokens) == 1 and ":" not in tokens[0]:
            bars.append([(tokens[0], None)])
        else:
            bars.append([(t.split(":")[0], float(t.split(":")[1])) for t in tokens])
    return bars


class Track:
    """One MIDI track: timed events, written sorted with note-offs first at equal times."""

    def __init__(self, name, channel=None, program=None, volume=100, pan=64, reverb=40):
        self.events = []  # (tick, order, bytes)
        self.channel = channel
        self.meta(0, 0x03, name.encode("utf-8"))
        if channel is not None:
            self.control(0, 7, volume)
            self.control(0, 10, pan)
            self.control(0, 91, reverb)
            if program is not None:
                self.program(0, program)

    def meta(self, tick, kind, data):
        self.events.append((tick, 1, bytes([0xFF, kind]) + var_len(len(data)) + data))

    def control(self, tick, number, value):
        self.events.append((tick, 1, bytes([0xB0 | self.channel, number, value])))

    def program(self, tick, number):
        self.events.append((tick, 1, bytes([0xC0 | self.channel, number])))

    def note(self, tick, key, length, velocity):
        key = max(0, min(127, key))
        self.events.append((tick, 2, bytes([0x90 | self.channel, key, velocity])))
        self.events.append((tick + length, 0, bytes([0x80 | self.channel, key, 0])))

    def encode(self):
        body = bytearray()
        now = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1], e[2])):
            body += var_len(tick - now) + data
            now = tick
        body += var_len(0) + b"\xff\x2f\x00"
        return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


@dataclass
class Verse:
    """How one pass through the tune is played."""

    lead: int  # program of the melody
    style: str  # accompaniment: "oompah", "waltz", "arpeggio", "pad"
    chords: int = ACCORDION  # program of the chord instrument
    bass: int = ACOUSTIC_BASS
    harmony: int = None  # program of a second voice under the melody, or None
    transpose: int = 0
    octave: int = 0  # octave shift of the melody
    drums: bool = False
    lead_velocity: int = 96


@dataclass
class Tune:
    title: str
    tempo: int  # quarter notes a minute
    beats_per_bar: int
    melody: list  # bars of (key or None, beats)
    chords: list  # bars of (symbol, beats or None for the whole bar)
    verses: list
    intro_bars: int = 2
    pickup: list = field(default_factory=list)  # notes ending the intro, before verse 1
    ending_chord: str = None  # the chord held at the end (default: the first chord)


class Arranger:
    """Lays the verses of a tune out on the tracks of one MIDI file."""

    def __init__(self, tune):
        self.tune = tune
        self.bar_ticks = tune.beats_per_bar * TICKS_PER_BEAT
        self.conductor = Track(tune.title)
        self.conductor.meta(0, 0x51, struct.pack(">I", 60_000_000 // tune.tempo)[1:])
        self.conductor.meta(0, 0x58, bytes([tune.beats_per_bar, 2, 24, 8]))
        self.lead = Track("Melodie", 0, pan=58)
        self.second = Track("Druhý hlas", 1, volume=80, pan=76)
        self.chord_track = Track("Doprovod", 2, volume=72, pan=44)
        self.bass_track = Track("Basa", 3, volume=96, pan=64)
        self.drums = Track("Bicí", PERCUSSION, volume=60, pan=64, reverb=20)
        self.programs = {}

    def set_program(self, track, tick, number):
        if self.programs.get(track.channel) != number:
            track.program(tick, number)
            self.programs[track.channel] = number

    def accompany(self, tick, bars, verse):
        """Chords, bass and drums for `bars` (chord bars) starting at `tick`."""
        self.set_program(self.chord_track, tick, verse.chords)
        self.set_program(self.bass_track, tick, verse.bass)
        beat = TICKS_PER_BEAT
        for index, bar in enumerate(bars):
            start = tick + index * self.bar_ticks
            at = start
            for symbol, beats in bar:
                span = int((beats if beats is not None else self.tune.beats_per_bar) * beat)
                self.chord_span(at, span, chord_keys(symbol), verse, first=(at == start),
                                alternate=index % 2 == 1)
                at += span
            if verse.drums:
                for b in range(self.tune.beats_per_bar):
                    self.drums.note(start + b * beat, 36 if b == 0 else 42, beat // 4,
                                    70 if b == 0 else 45)
                    self.drums.note(start + b * beat + beat // 2, 42, beat // 4, 30)

    def chord_span(self, at, span, classes, verse, first, alternate):
        beat = TICKS_PER_BEAT
        shift = verse.transpose
        root = classes[0]
        bass_root = 40 + (root + shift - 4) % 12  # E2 .. D#3
        fifth = bass_root + 7 if bass_root + 7 <= 52 else bass_root - 5
        voicing = sorted(55 + (c + shift - 7) % 12 for c in classes)  # G3 .. F#4
        beats = max(1, span // beat)
        if verse.style == "pad":
            self.bass_track.note(at, bass_root, span - 20, 82)
            for key in voicing:
                self.chord_track.note(at, key, span - 10, 58)
        elif verse.style == "arpeggio":
            self.bass_track.note(at, bass_root, span - 20, 80)
            pattern = voicing + [voicing[0] + 12] + voicing[1:][::-1]
            for step in range(beats * 2):
                key = pattern[step % len(pattern)]
                self.chord_track.note(at + step * beat // 2, key, beat // 2, 62)
        elif verse.style == "waltz":
            self.bass_track.note(at, fifth if alternate else bass_root, beat - 30, 86)
            for b in range(1, beats):
                for key in voicing:
                    self.chord_track.note(at + b * beat, key, beat - 60, 60)
        else:  # oompah: bass on the beats, chords between them
            for b in range(beats):
                bass_key = bass_root if (b % 2 == 0) != (alternate and beats == 1) else fifth
                self.bass_track.note(at + b * beat, bass_key, beat // 2, 88 if b == 0 else 76)
                for key in voicing:
                    self.chord_track.note(at + b * beat + beat // 2, key, beat // 3, 56)

    def melody(self, tick, bars, verse, track=None, velocity=None, program=None):
        track = track or self.lead
        self.set_program(track, tick, program if program is not None else verse.lead)
        velocity = velocity or verse.lead_velocity
        at = tick
        for bar in bars:
            for key, beats in bar:
                length = int(beats * TICKS_PER_BEAT)
                if key is not None:
                    played = key + verse.transpose + 12 * verse.octave
                    accent = 8 if (at - tick) % self.bar_ticks == 0 else 0
                    track.note(at, played, length - 24, min(127, velocity + accent))
                at += length
        return at

    def harmony(self, tick, bars, chords, verse):
        """A second voice: the nearest chord tone three to nine semitones under the tune."""
        self.set_program(self.second, tick, verse.harmony)
        at = tick
        for bar_index, bar in enumerate(bars):
            bar_start = tick + bar_index * self.bar_ticks
            for key, beats in bar:
                length = int(beats * TICKS_PER_BEAT)
                if key is not None:
                    classes = chord_at(chords[bar_index % len(chords)], at - bar_start,
                                       self.tune.beats_per_bar)
                    melody_key = key + 12 * verse.octave
                    below = [k for k in range(melody_key - 9, melody_key - 2)
                             if k % 12 in classes]
                    if below:
                        self.second.note(at, below[-1] + verse.transpose, length - 24, 70)
                at += length

    def render(self):
        tune = self.tune
        tick = 0
        first = tune.verses[0]
        intro = [tune.chords[0]] * tune.intro_bars
        self.accompany(tick, intro, first)
        if tune.pickup:
            pickup_beats = sum(b for _, b in tune.pickup)
            start = tick + tune.intro_bars * self.bar_ticks - int(pickup_beats * TICKS_PER_BEAT)
            self.melody(start, [tune.pickup], first)
        tick += tune.intro_bars * self.bar_ticks
        for verse in tune.verses:
            self.accompany(tick, tune.chords, verse)
            self.melody(tick, tune.melody, verse)
            if verse.harmony is not None:
                self.harmony(tick, tune.melody, tune.chords, verse)
            tick += len(tune.melody) * self.bar_ticks
        return self.finish(tick, tune.verses[-1])

    def finish(self, tick, verse):
        """A held closing chord over the tonic, two bars long."""
        symbol = self.tune.ending_chord or self.tune.chords[0][0][0]
        classes = chord_keys(symbol)
        span = 2 * self.bar_ticks
        root = 48 + (classes[0] + verse.transpose) % 12
        self.bass_track.note(tick, root - 12, span, 84)
        for c in classes:
            self.chord_track.note(tick, 60 + (c + verse.transpose) % 12, span, 60)
        self.lead.note(tick, root + 12 + 12 * verse.octave, span, 80)
        return tick + span

    def tracks(self):
        tracks = [self.conductor, self.lead, self.second, self.chord_track, self.bass_track]
        if any(e[1] == 2 for e in self.drums.events):
            tracks.append(self.drums)
        return tracks


def chord_at(chord_bar, offset_ticks, beats_per_bar):
    at = 0
    for symbol, beats in chord_bar:
        span = int((beats if beats is not None else beats_per_bar) * TICKS_PER_BEAT)
        if offset_ticks < at + span:
            return chord_keys(symbol)
        at += span
    return chord_keys(chord_bar[-1][0])


def midi_file(tracks):
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS_PER_BEAT)
    return header + b"".join(t.encode() for t in tracks)


def seconds(tune, total_ticks):
    return total_ticks / TICKS_PER_BEAT * 60.0 / tune.tempo


# ---- The tunes ------------------------------------------------------------------------

def skakal_pes():
    """A Czech children's song: a dog jumping over the oats, a hunter following it."""
    melody = parse_bars(
        "G4:0.5 G4:0.5 E4:1 | G4:0.5 G4:0.5 E4:1 | G4:0.5 G4:0.5 A4:0.5 G4:0.5 | F4:1 E4:1 |"
        "F4:0.5 F4:0.5 D4:1 | F4:0.5 F4:0.5 D4:1 | F4:0.5 F4:0.5 G4:0.5 F4:0.5 | E4:1 C4:1")
    chords = parse_chords("C | C | C | F:1 C:1 | G7 | G7 | G7 | C")
    verses = [
        Verse(lead=CLARINET, style="oompah", chords=ACCORDION, bass=TUBA),
        Verse(lead=CLARINET, style="oompah", chords=ACCORDION, bass=TUBA, harmony=CLARINET),
        Verse(lead=PICCOLO, style="oompah", chords=ACCORDION, bass=TUBA, drums=True),
        Verse(lead=ACCORDION, style="oompah", chords=ACCORDION, bass=TUBA, drums=True,
              harmony=ACCORDION),
        Verse(lead=GLOCKENSPIEL, style="arpeggio", chords=HARP, bass=ACOUSTIC_BASS, octave=1,
              lead_velocity=84),
        Verse(lead=CLARINET, style="oompah", chords=ACCORDION, bass=TUBA, transpose=2,
              drums=True),
        Verse(lead=HORN, style="oompah", chords=ACCORDION, bass=TUBA, transpose=2,
              harmony=CLARINET, drums=True),
        Verse(lead=CLARINET, style="oompah", chords=ACCORDION, bass=TUBA, transpose=2,
              harmony=PICCOLO, drums=True),
    ]
    return Tune("Skákal pes", tempo=100, beats_per_bar=2, melody=melody, chords=chords,
                verses=verses)


def kocka_leze_dirou():
    """A Czech children's song: the cat goes through the hole, the dog through the window."""
    melody = parse_bars(
        "C4:0.5 D4:0.5 E4:0.5 F4:0.5 | G4:1 G4:1 | A4:0.5 A4:0.5 G4:1 | A4:0.5 A4:0.5 G4:1 |"
        "F4:0.5 F4:0.5 F4:0.5 F4:0.5 | E4:1 E4:1 | D4:0.5 D4:0.5 G4:1 | D4:0.5 D4:0.5 C4:1")
    chords = parse_chords("C | C | F:1 C:1 | F:1 C:1 | G7 | C | G7 | G7:1 C:1")
    verses = [
        Verse(lead=RECORDER, style="oompah", chords=NYLON_GUITAR, bass=ACOUSTIC_BASS),
        Verse(lead=RECORDER, style="oompah", chords=NYLON_GUITAR, bass=ACOUSTIC_BASS,
              harmony=RECORDER),
        Verse(lead=MARIMBA, style="arpeggio", chords=NYLON_GUITAR, bass=ACOUSTIC_BASS,
              octave=1, lead_velocity=90),
        Verse(lead=FLUTE, style="oompah", chords=ACCORDION, bass=ACOUSTIC_BASS,
              harmony=CLARINET, drums=True),
        Verse(lead=VIOLIN, style="pad", chords=STRINGS, bass=CELLO, lead_velocity=88),
        Verse(lead=VIOLIN, style="arpeggio", chords=HARP, bass=CELLO, harmony=CELLO,
              lead_velocity=88),
        Verse(lead=RECORDER, style="oompah", chords=NYLON_GUITAR, bass=ACOUSTIC_BASS,
              transpose=2, drums=True),
        Verse(lead=FLUTE, style="oompah", chords=ACCORDION, bass=ACOUSTIC_BASS, transpose=2,
              harmony=RECORDER, drums=True),
    ]
    return Tune("Kočka leze dírou", tempo=96, beats_per_bar=2, melody=melody, chords=chords,
                verses=verses)


def zelene_rukavy():
    """Greensleeves, the old English ballad, in A minor and three-four time."""
    verse_a = ("C5:2 D5:1 | E5:1.5 F5:0.5 E5:1 | D5:2 B4:1 | G4:1.5 A4:0.5 B4:1 |"
               "C5:2 A4:1 | A4:1.5 G#4:0.5 A4:1 | B4:2 G#4:1 | E4:2 A4:1 |"
               "C5:2 D5:1 | E5:1.5 F5:0.5 E5:1 | D5:2 B4:1 | G4:1.5 A4:0.5 B4:1 |"
               "C5:1.5 B4:0.5 A4:1 | G#4:1.5 F#4:0.5 G#4:1 | A4:3 | A4:3 |")
    verse_b = ("G5:3 | G5:1.5 F#5:0.5 E5:1 | D5:2 B4:1 | G4:1.5 A4:0.5 B4:1 |"
               "C5:2 A4:1 | A4:1.5 G#4:0.5 A4:1 | B4:2 G#4:1 | E4:3 |"
               "G5:3 | G5:1.5 F#5:0.5 E5:1 | D5:2 B4:1 | G4:1.5 A4:0.5 B4:1 |"
               "C5:1.5 B4:0.5 A4:1 | G#4:1.5 F#4:0.5 G#4:1 | A4:3 | A4:2 A4:1")
    melody = parse_bars(verse_a + verse_b)
    chords = parse_chords(
        "Am | C | G | Em | Am | E | E | Am | Am | C | G | Em | Am | E | Am | Am |"
        "C | G | G | Em | Am | E | E | E | C | G | G | Em | Am | E | Am | Am")
    verses = [
        Verse(lead=FLUTE, style="arpeggio", chords=NYLON_GUITAR, bass=CELLO, lead_velocity=86),
        Verse(lead=OBOE, style="waltz", chords=HARP, bass=CELLO, harmony=FLUTE,
              lead_velocity=88),
    ]
    # The last verse ends on the held chord instead of leading into another pass.
    return Tune("Zelené rukávy", tempo=126, beats_per_bar=3, melody=melody, chords=chords,
                verses=verses, pickup=[(None, 2), (pitch("A4"), 1)], ending_chord="Am")


def bratre_kubo_round(arranger):
    """Brother John (Bratře Kubo): sung alone first, then as a round of three, then four."""
    tune = arranger.tune
    bar = arranger.bar_ticks
    melody = tune.melody
    base = Verse(lead=FLUTE, style="arpeggio", chords=HARP, bass=ACOUSTIC_BASS)
    voices = [
        (arranger.lead, FLUTE, 0, 92),
        (arranger.second, CLARINET, 0, 80),
        (Track("Třetí hlas", 4, volume=84, pan=30), OBOE, 0, 78),
        (Track("Čtvrtý hlas", 5, volume=88, pan=98), BASSOON, -12, 84),
    ]
    tick = 0
    arranger.accompany(tick, [tune.chords[0]] * tune.intro_bars, base)
    tick += tune.intro_bars * bar
    # Alone.
    arranger.melody(tick, melody, base)
    arranger.accompany(tick, tune.chords, base)
    tick += len(melody) * bar
    # Rounds: each voice enters two bars after the one before it.
    for count, style, chord_program in ((3, "oompah", NYLON_GUITAR), (4, "pad", STRINGS)):
        verse = Verse(lead=FLUTE, style=style, chords=chord_program, bass=ACOUSTIC_BASS)
        length = len(melody) + 2 * (count - 1)
        arranger.accompany(tick, [tune.chords[i % len(tune.chords)] for i in range(length)],
                           verse)
        for index in range(count):
            track, program, shift, velocity = voices[index]
            shifted = Verse(lead=program, style=style, octave=shift // 12)
            arranger.melody(tick + 2 * index * bar, melody, shifted, track=track,
                            velocity=velocity, program=program)
        tick += length * bar
    end = arranger.finish(tick, base)
    return [arranger.conductor, arranger.lead, arranger.second, voices[2][0], voices[3][0],
            arranger.chord_track, arranger.bass_track], end


def bratre_kubo():
    melody = parse_bars(
        "C4:1 D4:1 E4:1 C4:1 | C4:1 D4:1 E4:1 C4:1 | E4:1 F4:1 G4:2 | E4:1 F4:1 G4:2 |"
        "G4:0.5 A4:0.5 G4:0.5 F4:0.5 E4:1 C4:1 | G4:0.5 A4:0.5 G4:0.5 F4:0.5 E4:1 C4:1 |"
        "C4:1 G3:1 C4:2 | C4:1 G3:1 C4:2")
    chords = parse_chords("C | C | C:2 G:2 | C:2 G:2 | C | C | C:1 G:1 C:2 | C:1 G:1 C:2")
    return Tune("Bratře Kubo", tempo=104, beats_per_bar=4, melody=melody, chords=chords,
                verses=[])


def build_all():
    """(file name, MIDI bytes, seconds) of every song."""
    songs = []
    for make in (skakal_pes, kocka_leze_dirou, zelene_rukavy):
        tune = make()
        arranger = Arranger(tune)
        end = arranger.render()
        songs.append((tune.title + ".mid", midi_file(arranger.tracks()), seconds(tune, end)))
    tune = bratre_kubo()
    tracks, end = bratre_kubo_round(Arranger(tune))
    songs.append((tune.title + ".mid", midi_file(tracks), seconds(tune, end)))
    return songs


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path,
                        default=Path(__file__).resolve().parents[2] / "assets" / "Zvuk")
    parser.add_argument("--check", action="store_true",
                        help="only compare with the files already written")
    args = parser.parse_args()
    stale = []
    for name, data, length in build_all():
        # Each song must last between one and two minutes (plus the player's short tail).
        if not 60.0 <= length <= 120.0:
            sys.exit(f"{name}: {length:.1f} s is outside one to two minutes")
        target = args.out / name
        if args.check:
            if not target.is_file() or target.read_bytes() != data:
                stale.append(name)
            continue
        args.out.mkdir(parents=True, exist_ok=True)
        target.write_bytes(data)
        print(f"{target}  {length:5.1f} s  {len(data)} bytes")
    if stale:
        sys.exit("out of date: " + ", ".join(stale))


if __name__ == "__main__":
    main()
