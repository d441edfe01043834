#!/usr/bin/env python3
"""Writes the program's built-in sounds into resources/.

Each sound is synthesised from sine partials with smooth envelopes (no clicks), scaled so
that its loudest sample is PEAK of full scale, and written as 16-bit PCM mono WAV at
22050 Hz with the standard library's wave module. The output is deterministic, so
running the script again changes no file.

    python3 scripts/make_sounds.py [resources folder]

Files (paths relative to the resources folder):
    Sound/Bud/Bip-Bip.wav  two short beeps
    Sound/Bud/Jin.wav      a bell struck twice, its partials dying away
    Sound/Bud/KuKu.wav     a cuckoo's two-note call
    sound/timer/timer.WAV  the countdown's rising three-note chime
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.8  # of full scale: loud enough, never clipping


def seconds(t):
    return int(round(t * RATE))


def silence(duration):
    return [0.0] * seconds(duration)


def mix_into(buffer, start, samples):
    """Adds samples into buffer from the sample index start, growing it as needed."""
    end = start + len(samples)
    if end > len(buffer):
        buffer.extend([0.0] * (end - len(buffer)))
    for i, value in enumerate(samples):
        buffer[start + i] += value


def envelope(i, count, attack, release):
    """A raised-cosine fade in over `attack` samples and out over `release` samples."""
    gain = 1.0
    if i < attack:
        gain *= 0.5 - 0.5 * math.cos(math.pi * i / attack)
    if i >= count - release:
        gain *= 0.5 - 0.5 * math.cos(math.pi * (count - i) / release)
    return gain


def tone(freq, duration, partials, attack=0.006, release=0.03, glide=0.0):
    """A steady tone: partials are (multiple of freq, amplitude). `glide` starts the pitch
    that fraction higher and lets it settle over the first 40 ms, as a bird's note does."""
    count = seconds(duration)
    a, r = seconds(attack), seconds(release)
    out = []
    phase = 0.0
    for i in range(count):
        t = i / RATE
        f = freq * (1.0 + glide * math.exp(-t / 0.04))
        phase += 2.0 * math.pi * f / RATE
        value = sum(amp * math.sin(mult * phase) for mult, amp in partials)
        out.append(value * envelope(i, count, a, r))
    return out


def struck(freq, duration, partials, attack=0.002, release=0.05):
    """A struck tone: partials are (multiple of freq, amplitude, decay time in seconds),
    each dying away exponentially at its own rate."""
    count = seconds(duration)
    a, r = seconds(attack), seconds(release)
    out = []
    for i in range(count):
        t = i / RATE
        value = 0.0
        for mult, amp, decay in partials:
            value += amp * math.exp(-t / decay) * math.sin(2.0 * math.pi * freq * mult * t)
        out.append(value * envelope(i, count, a, r))
    return out


def normalised(samples):
    top = max(abs(s) for s in samples)
    return [s * PEAK / top for s in samples]


def bip_bip():
    beep = tone(1046.5, 0.16, [(1, 1.0), (2, 0.25), (3, 0.08)], attack=0.005, release=0.025)
    out = []
    mix_into(out, 0, beep)
    mix_into(out, seconds(0.26), beep)
    out.extend(silence(1.0 - len(out) / RATE))
    return out


def jin():
    # Partials of a small hand bell: hum, prime, minor third, fifth, octave and above.
    bell = [
        (0.5, 0.35, 0.9),
        (1.0, 1.0, 0.6),
        (1.19, 0.45, 0.4),
        (1.5, 0.35, 0.35),
        (2.0, 0.40, 0.25),
        (2.74, 0.20, 0.15),
        (3.76, 0.10, 0.08),
    ]
    strike = struck(880.0, 1.2, bell)
    out = []
    mix_into(out, 0, strike)
    mix_into(out, seconds(0.6), strike)
    return out


def kuku():
    # The call falls by a major third; the second note is a little longer and softer.
    voice = [(1, 1.0), (2, 0.12), (3, 0.04)]
    first = tone(698.5, 0.24, voice, attack=0.02, release=0.08, glide=0.04)
    second = [s * 0.85 for s in tone(554.4, 0.36, voice, attack=0.02, release=0.14, glide=0.04)]
    out = []
    mix_into(out, 0, first)
    mix_into(out, seconds(0.34), second)
    out.extend(silence(1.2 - len(out) / RATE))
    return out


def timer_chime():
    chime = [(1.0, 1.0, 0.5), (2.0, 0.30, 0.25), (3.0, 0.10, 0.12)]
    out = []
    for k, freq in enumerate((784.0, 987.8, 1174.7)):  # G5, B5, D6
        mix_into(out, seconds(0.18 * k), struck(freq, 1.1, chime, attack=0.004))
    return out


SOUNDS = [
    (("Sound", "Bud", "Bip-Bip.wav"), bip_bip),
    (("Sound", "Bud", "Jin.wav"), jin),
    (("Sound", "Bud", "KuKu.wav"), kuku),
    (("sound", "timer", "timer.WAV"), timer_chime),
]


def write_wav(path, samples):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    frames = b"".join(struct.pack("<h", int(round(s * 32767))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    for parts, make in SOUNDS:
        path = os.path.join(root, *parts)
        samples = normalised(make())
        write_wav(path, samples)
        print(f"{os.path.join(*parts)}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    main()
