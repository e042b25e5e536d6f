"""The game's sounds, synthesised: four short effects (16-bit mono WAV, 44 100 Hz) and the
background music (MP3 through lame).

The music is rendered into a circular buffer: every note, and the reverb's tail, that runs
past the end is added back at the start, so the last sample leads into the first like any
other pair of neighbours. lame's Info tag records its encoder delay and padding, which the
decoder (mpg123) trims, so the decoded track is exactly the rendered one and loops without a
gap.
"""

import os
import subprocess
import tempfile
import wave

import numpy as np

RATE = 44100


def write_wav(path, samples):
    data = np.clip(np.round(samples * 32767.0), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data.tobytes())


def normalise(x, peak):
    return x * (peak / np.max(np.abs(x)))


def times(seconds):
    return np.arange(int(round(seconds * RATE)), dtype=np.float64) / RATE


def resonator(x, freq, q):
    """Two-pole band-pass (RBJ biquad), for knocks and clicks."""
    w0 = 2 * np.pi * freq / RATE
    alpha = np.sin(w0) / (2 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1 + alpha, -2 * np.cos(w0), 1 - alpha
    b0, b2, a1, a2 = b0 / a0, b2 / a0, a1 / a0, a2 / a0
    y = np.zeros_like(x)
    x1 = x2 = y1 = y2 = 0.0
    for i in range(len(x)):
        v = b0 * x[i] + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x[i]
        y2, y1 = y1, v
        y[i] = v
    return y


def one_pole_lowpass(x, cutoff):
    a = np.exp(-2 * np.pi * cutoff / RATE)
    y = np.zeros_like(x)
    acc = 0.0
    for i in range(len(x)):
        acc = (1 - a) * x[i] + a * acc
        y[i] = acc
    return y


def fade_edges(x, fade_in=0.001, fade_out=0.01):
    n_in, n_out = int(fade_in * RATE), int(fade_out * RATE)
    x = x.copy()
    if n_in:
        x[:n_in] *= np.linspace(0, 1, n_in)
    if n_out:
        x[-n_out:] *= np.linspace(1, 0, n_out)
    return x


# -- effects --------------------------------------------------------------------------------


def button_click():
    """A short, bright mechanical click."""
    rng = np.random.default_rng(101)
    t = times(0.07)
    noise = rng.standard_normal(len(t))
    snap = np.diff(noise, prepend=0.0) * np.exp(-t / 0.0025)
    tick = resonator(noise * np.exp(-t / 0.004), 2600, 6) * 3.0
    body = np.sin(2 * np.pi * 520 * t) * np.exp(-t / 0.012) * 0.5
    return normalise(fade_edges(snap * 0.35 + tick + body), 0.55)


def place_thud():
    """A soft thud: a brass piece set down on slate."""
    rng = np.random.default_rng(202)
    t = times(0.32)
    freq = 70 + 80 * np.exp(-t / 0.03)
    thump = np.sin(2 * np.pi * np.cumsum(freq) / RATE) * np.exp(-t / 0.07)
    noise = rng.standard_normal(len(t))
    knock = resonator(noise * np.exp(-t / 0.012), 820, 4) * 1.2
    clink = np.sin(2 * np.pi * 2480 * t) * np.exp(-t / 0.05) * 0.05
    attack = np.minimum(t / 0.002, 1.0)
    return normalise(fade_edges((thump + knock + clink) * attack, 0.0, 0.03), 0.6)


def motor(speed, seconds, seed):
    """A small electric motor with a gear train, following the speed curve (0..1)."""
    rng = np.random.default_rng(seed)
    t = times(seconds)
    s = speed(t / seconds)
    # Whine of the armature.
    f = 55 + 245 * s
    phase = 2 * np.pi * np.cumsum(f) / RATE
    whine = np.sin(phase) + 0.45 * np.sin(2 * phase + 0.3) + 0.2 * np.sin(3 * phase + 1.1)
    whine += 0.12 * np.sin(7 * phase)  # the brushes' buzz
    # Teeth ticking past each other: a click whenever the tooth phase wraps.
    tooth_phase = np.cumsum(4 + 38 * s) / RATE
    ticks = np.zeros(len(t))
    hits = np.nonzero(np.diff(np.floor(tooth_phase)) > 0)[0]
    click = resonator(rng.standard_normal(400) * np.exp(-np.arange(400) / 40.0), 1900, 5)
    for h in hits:
        n = min(400, len(t) - h)
        ticks[h : h + n] += click[:n] * (0.6 + 0.4 * rng.random())
    hum = rng.standard_normal(len(t))
    hum = one_pole_lowpass(hum, 300) * 2.0
    level = np.clip(s, 0, 1) ** 0.7
    mix = (whine * 0.55 + ticks * 0.5 + hum * 0.25) * level
    return mix


def motor_start():
    def speed(u):
        # Rises quickly, then settles at full speed; the sound fades as the ear gets used to it.
        return 1 - (1 - np.clip(u / 0.85, 0, 1)) ** 2.2

    x = motor(speed, 1.05, 303)
    t = times(1.05)
    x *= np.minimum(t / 0.01, 1) * np.where(t > 0.8, np.clip((1.05 - t) / 0.25, 0, 1) ** 1.5, 1)
    return normalise(x, 0.45)


def motor_stop():
    def speed(u):
        return (1 - np.clip(u, 0, 1)) ** 1.8

    x = motor(speed, 1.2, 404)
    t = times(1.2)
    x *= np.minimum(t / 0.01, 1)
    return normalise(fade_edges(x, 0.0, 0.05), 0.45)


# -- music ----------------------------------------------------------------------------------

BPM = 90
BEAT = 60.0 / BPM
BARS = 8
LOOP_SAMPLES = int(round(BARS * 4 * BEAT * RATE))  # 117 600 samples a bar: whole numbers

NOTE = {"C": 0, "C#": 1, "D": 2, "D#": 3, "E": 4, "F": 5, "F#": 6, "G": 7, "G#": 8, "A": 9, "A#": 10, "B": 11}


def hz(name, octave):
    midi = 12 * (octave + 1) + NOTE[name]
    return 440.0 * 2 ** ((midi - 69) / 12)


# One chord a bar: (bass root, chord tones for the pad, tones the melody picks from).
PROGRESSION = [
    (("D", 2), [("D", 3), ("F#", 3), ("A", 3), ("C#", 4)], [("F#", 5), ("A", 5), ("C#", 6), ("E", 5), ("D", 5)]),
    (("B", 1), [("B", 2), ("D", 3), ("F#", 3), ("A", 3)], [("D", 5), ("F#", 5), ("B", 5), ("A", 5), ("E", 5)]),
    (("G", 1), [("G", 2), ("B", 2), ("D", 3), ("F#", 3)], [("B", 4), ("D", 5), ("F#", 5), ("G", 5), ("A", 5)]),
    (("A", 1), [("A", 2), ("D", 3), ("E", 3), ("G", 3)], [("E", 5), ("A", 5), ("D", 5), ("G", 5), ("C#", 5)]),
    (("D", 2), [("D", 3), ("F#", 3), ("A", 3), ("C#", 4)], [("A", 5), ("F#", 5), ("E", 5), ("D", 5), ("C#", 6)]),
    (("F#", 1), [("F#", 2), ("A", 2), ("C#", 3), ("E", 3)], [("C#", 5), ("E", 5), ("A", 5), ("F#", 5), ("G#", 5)]),
    (("G", 1), [("G", 2), ("B", 2), ("D", 3), ("F#", 3)], [("D", 5), ("G", 5), ("B", 5), ("F#", 5), ("A", 5)]),
    (("A", 1), [("A", 2), ("C#", 3), ("E", 3), ("G", 3)], [("E", 5), ("C#", 5), ("A", 4), ("G", 5), ("B", 4)]),
]


def add_wrapped(buf, start, sound):
    """Adds a sound into the loop at sample `start`, wrapping what runs past the end."""
    n = len(buf)
    idx = (start + np.arange(len(sound))) % n
    np.add.at(buf, idx, sound)


def music_box(freq, seconds, velocity):
    t = times(seconds)
    env = np.exp(-t / 0.9) * np.minimum(t / 0.003, 1)
    tone = np.sin(2 * np.pi * freq * t) + 0.25 * np.sin(2 * np.pi * freq * 3.01 * t) * np.exp(-t / 0.15)
    tone += 0.1 * np.sin(2 * np.pi * freq * 5.4 * t) * np.exp(-t / 0.05)
    return tone * env * velocity


def pad_voice(freq, seconds, rng):
    t = times(seconds)
    attack, release = 0.6, 1.4
    env = np.minimum(t / attack, 1) * np.clip((seconds - t) / release, 0, 1)
    v = np.zeros(len(t))
    for detune in (-0.004, 0.0, 0.0045):
        ph = rng.random() * 2 * np.pi
        f = freq * (1 + detune)
        v += np.sin(2 * np.pi * f * t + ph) + 0.3 * np.sin(4 * np.pi * f * t + ph) + 0.1 * np.sin(6 * np.pi * f * t)
    return v * env / 3


def bass_note(freq, seconds):
    t = times(seconds)
    env = np.exp(-t / 1.2) * np.minimum(t / 0.01, 1) * np.clip((seconds - t) / 0.1, 0, 1)
    return (np.sin(2 * np.pi * freq * t) + 0.2 * np.sin(4 * np.pi * freq * t)) * env


def tick(seconds, pitch, rng):
    n = int(seconds * RATE)
    noise = rng.standard_normal(n) * np.exp(-np.arange(n) / (0.004 * RATE))
    return resonator(noise, pitch, 8)


def circular_reverb(x):
    """A small Schroeder reverb run over two copies of the loop; the second copy then holds
    the tail of the end of the loop leading into its start."""
    doubled = np.concatenate([x, x])
    out = np.zeros_like(doubled)
    for delay_ms, gain in ((29.7, 0.77), (37.1, 0.75), (41.1, 0.73), (43.7, 0.71)):
        d = int(delay_ms * RATE / 1000)
        y = doubled.copy()
        # Feedback comb, block by block: each block of d samples depends on the one before.
        for start in range(d, len(y), d):
            end = min(start + d, len(y))
            y[start:end] += gain * y[start - d : end - d]
        out += y
    for delay_ms, gain in ((5.0, 0.7), (1.7, 0.7)):
        d = int(delay_ms * RATE / 1000)
        y = np.zeros_like(out)
        buf_in = out
        # All-pass: y[n] = -g x[n] + x[n-d] + g y[n-d]
        for start in range(0, len(y), d):
            end = min(start + d, len(y))
            prev_x = buf_in[start - d : end - d] if start >= d else np.zeros(end - start)
            prev_y = y[start - d : end - d] if start >= d else np.zeros(end - start)
            y[start:end] = -gain * buf_in[start:end] + prev_x + gain * prev_y
        out = y
    return out[len(x) :] / 4


def music():
    rng = np.random.default_rng(505)
    n = LOOP_SAMPLES
    bar = int(round(4 * BEAT * RATE))
    eighth = bar // 8
    melody = np.zeros(n)
    pad = np.zeros(n)
    bass = np.zeros(n)
    clock = np.zeros(n)
    # A fixed rhythm for the music box: which eighths of a bar sound, per bar pair.
    rhythms = [[0, 2, 3, 5, 6], [0, 3, 4, 6], [0, 2, 4, 5, 7], [0, 3, 6]]
    for b, (root, chord, tones) in enumerate(PROGRESSION):
        start = b * bar
        for note in chord:
            add_wrapped(pad, start, pad_voice(hz(*note), 4 * BEAT + 1.2, rng))
        add_wrapped(bass, start, bass_note(hz(*root), 2 * BEAT))
        add_wrapped(bass, start + 4 * eighth, bass_note(hz(*root) * 1.4983, 2 * BEAT) * 0.7)
        pattern = rhythms[b % 4]
        for k, e in enumerate(pattern):
            tone = tones[(k * 2 + b) % len(tones)] if k else tones[0]
            vel = 0.9 if e == 0 else 0.55 + 0.25 * rng.random()
            add_wrapped(melody, start + e * eighth, music_box(hz(*tone), 2.2, vel))
        for beat in range(4):
            add_wrapped(clock, start + beat * 2 * eighth, tick(0.05, 3200 if beat % 2 == 0 else 2500, rng))
    dry = melody * 0.30 + pad * 0.085 + bass * 0.22 + clock * 0.05
    wet = circular_reverb(melody * 0.30 + pad * 0.05)
    mixed = dry + wet * 0.35
    # Keep the music well under the effects: peak at about -11 dBFS.
    return normalise(mixed, 0.27)


def encode_mp3(samples, path):
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "music.wav")
        write_wav(src, samples)
        # Constant 80 kbit/s mono, no ID3 tag. The Info tag that lame writes (delay and
        # padding) stays: the decoder needs it to cut the loop exactly.
        subprocess.run(
            ["lame", "--quiet", "--noreplaygain", "-m", "m", "--cbr", "-b", "80", "-q", "2",
             "--resample", "44.1", src, path],
            check=True,
        )


def write_all(sound_dir):
    write_wav(os.path.join(sound_dir, "button.wav"), button_click())
    write_wav(os.path.join(sound_dir, "place.wav"), place_thud())
    write_wav(os.path.join(sound_dir, "motorStart.wav"), motor_start())
    write_wav(os.path.join(sound_dir, "motorStop.wav"), motor_stop())
    encode_mp3(music(), os.path.join(sound_dir, "bg.mp3"))
