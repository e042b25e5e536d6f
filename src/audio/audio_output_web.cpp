// The browser's output: the page's Web Audio, one AudioContext, each sample decoded whole into
// an AudioBuffer, one buffer source per play (looping for the music), all through one gain node
// that an analyser listens to. A browser runs a context only after a user gesture, and making
// one is a long task of the page's main thread (tens of milliseconds, more on a phone): so the
// context is made at the first pointer press, lifted finger or key, and the samples read before
// then are decoded at that moment. What was started before then starts once it can, from where
// it would be by now (the music from its start; a short sound that would have ended is dropped).
//
// Silent, there is no context at all (Node.js has none, the replay wants none): files are read
// and checked and plays start and end on a free channel as in the page, by the length a WAV
// file's header gives (an MP3 file's is unknown there: it plays until stopped).
#include <emscripten.h>

#include "audio/audio_output.h"

// What the output hands out: the page's index of the decoded buffer, and the loop mode.
struct Sample {
    int id;
    bool loop;
};

// The page's side lives in Module.webAudio, where a test can look at it too: the context (null
// until the first gesture), the samples (buffer once decoded), the channels (the start in each)
// and how many sources started.
// clang-format off
EM_JS(int, webAudioOpen, (int mixRate, int silent), {
    var audio = {context: null, samples: [], channels: [], sourcesStarted: 0};
    Module['webAudio'] = audio;
    // Silent: no context at all (Node.js has none); starts and ends follow the sounds' lengths.
    audio.tryStart = function() {};
    audio.startWaiting = function() {};
    audio.decode = function() {};
    audio.resume = function() {};
    if (silent) return 1;
    var Context = typeof window !== 'undefined' && (window.AudioContext || window.webkitAudioContext);
    if (!Context) return 0;
    audio.decode = function(sample) {
        var bytes = sample.bytes;
        sample.bytes = null;
        audio.context.decodeAudioData(bytes.buffer).then(function(buffer) {
            sample.buffer = buffer;
            audio.startWaiting();
        }, function() {
            sample.failed = true;
        });
    };
    audio.resume = function() {
        if (!audio.context) {
            var context;
            try {
                context = new Context({sampleRate: mixRate});
            } catch (e) {
                context = new Context();
            }
            audio.context = context;
            audio.output = context.createGain();
            audio.output.connect(context.destination);
            audio.analyser = context.createAnalyser();
            audio.output.connect(audio.analyser);
            context.onstatechange = audio.startWaiting;
            audio.samples.forEach(function(sample) { if (sample.bytes) audio.decode(sample); });
        }
        if (audio.context.state === 'suspended') audio.context.resume();
    };
    // A start waits for its buffer and a running context; then it begins where it would be now.
    audio.tryStart = function(channel) {
        if (!channel || channel.source || channel.done) return;
        var sample = channel.sample;
        if (sample.failed) {
            channel.done = true;
            return;
        }
        var context = audio.context;
        if (!sample.buffer || !context || context.state !== 'running') return;
        var late = (performance.now() - channel.startedAt) / 1000;
        var length = sample.buffer.duration;
        if (!sample.loop && late >= length) {
            channel.done = true;
            return;
        }
        var source = context.createBufferSource();
        source.buffer = sample.buffer;
        source.loop = sample.loop;
        source.connect(audio.output);
        source.onended = function() { channel.done = true; };
        source.start(0, sample.loop ? late % length : late);
        channel.source = source;
        audio.sourcesStarted += 1;
    };
    audio.startWaiting = function() {
        audio.channels.forEach(audio.tryStart);
    };
    window.addEventListener('pointerdown', audio.resume, true);
    window.addEventListener('keydown', audio.resume, true);
    audio.listening = true;
    // A player who clicked before the sounds were read has given the gesture already.
    if (navigator.userActivation && navigator.userActivation.hasBeenActive) audio.resume();
    return 1;
});

// 0 if the file cannot be read or is neither a WAV nor an MP3 file; decoding is left to the
// browser and goes on after this returns (a file that then fails to decode plays nothing).
EM_JS(int, webAudioLoad, (const char* path, int loop), {
    var audio = Module['webAudio'];
    var bytes;
    try {
        bytes = FS.readFile(UTF8ToString(path));
    } catch (e) {
        return 0;
    }
    var text = function(at, length) {
        return String.fromCharCode.apply(null, bytes.subarray(at, at + length));
    };
    var wav = bytes.length > 12 && text(0, 4) === 'RIFF' && text(8, 4) === 'WAVE';
    var mp3 = bytes.length > 3 && (text(0, 3) === 'ID3' ||
                                   (bytes[0] === 0xFF && (bytes[1] & 0xE0) === 0xE0));
    if (!wav && !mp3) return 0;
    // A WAV file's length is known from its header at once; an MP3 file's once it is decoded.
    var duration;
    if (wav) {
        var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
        var byteRate = 0;
        for (var at = 12; at + 8 <= bytes.length; at += 8 + view.getUint32(at + 4, true) + (view.getUint32(at + 4, true) & 1)) {
            var size = view.getUint32(at + 4, true);
            if (text(at, 4) === 'fmt ' && size >= 16) byteRate = view.getUint32(at + 12, true);
            if (text(at, 4) === 'data' && byteRate > 0) duration = size / byteRate;
        }
    }
    // Its own copy of the bytes, decoded now or once the first gesture has made the context.
    var sample = {buffer: null, loop: loop !== 0, failed: false, duration: duration,
                  bytes: bytes.slice()};
    audio.samples.push(sample);
    if (audio.context) audio.decode(sample);
    return audio.samples.length;
});

EM_JS(void, webAudioStart, (int sample, int channel), {
    var audio = Module['webAudio'];
    audio.channels[channel] = {sample: audio.samples[sample - 1], startedAt: performance.now(),
                               source: null, done: false};
    audio.tryStart(audio.channels[channel]);
});

// Whether the channel's latest start still sounds, or is still waiting to.
EM_JS(int, webAudioBusy, (int channel), {
    var audio = Module['webAudio'];
    var start = audio.channels[channel];
    if (!start || start.done) return 0;
    if (!start.source) {
        var sample = start.sample;
        var late = (performance.now() - start.startedAt) / 1000;
        var length = sample.buffer ? sample.buffer.duration : sample.duration;
        if (sample.failed || (!sample.loop && length !== undefined && late >= length)) {
            start.done = true;
            return 0;
        }
    }
    return 1;
});

EM_JS(void, webAudioStop, (int channel), {
    var audio = Module['webAudio'];
    var start = audio.channels[channel];
    if (!start) return;
    start.done = true;
    if (start.source) {
        start.source.onended = null;
        start.source.stop();
        start.source.disconnect();
        start.source = null;
    }
});

EM_JS(void, webAudioClose, (), {
    var audio = Module['webAudio'];
    if (audio.listening) {
        window.removeEventListener('pointerdown', audio.resume, true);
        window.removeEventListener('keydown', audio.resume, true);
    }
    audio.resume = function() {};
    if (audio.context) {
        audio.context.onstatechange = null;
        audio.context.close();
    }
    audio.samples = [];
});
// clang-format on

namespace audio_output {
namespace {
int channelCount = 0;
}  // namespace

int open(int mixRate, int channels, bool silent) {
    channelCount = webAudioOpen(mixRate, silent ? 1 : 0) == 0 ? 0 : channels;
    return channelCount;
}

// The file is read and checked at once; decoding goes on in the background.
Sample* load(const char* path, bool loop) {
    const int id = webAudioLoad(path, loop ? 1 : 0);
    return id == 0 ? nullptr : new Sample{id, loop};
}

int start(Sample* sample) {
    int channel = 0;
    while (channel < channelCount && webAudioBusy(channel) != 0) {
        ++channel;  // the lowest free channel, as the desktop's mixer picks
    }
    if (channel == channelCount) {
        return AudioBackend::NO_CHANNEL;
    }
    webAudioStart(sample->id, channel);
    return channel;
}

void halt(int channel) {
    if (channel != AudioBackend::ALL_CHANNELS) {
        webAudioStop(channel);
        return;
    }
    for (int each = 0; each < channelCount; ++each) {
        webAudioStop(each);
    }
}

void release(Sample* sample) {
    delete sample;
}

void close() {
    webAudioClose();
}

}  // namespace audio_output
