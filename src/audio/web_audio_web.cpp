#include <emscripten.h>

#include <limits>

#include "audio/web_audio.h"

// What the layer hands out: the page's index of the decoded buffer, and the loop mode.
struct Sample {
    int id;
    bool loop;
};

// The page's side lives in Module.webAudio, where a test can look at it too: the context, the
// samples (buffer once decoded), the channels (the start in each) and how many sources started.
// clang-format off
EM_JS(int, webAudioOpen, (int mixRate, int silent), {
    var audio = {context: null, samples: [], channels: [], sourcesStarted: 0};
    Module['webAudio'] = audio;
    // Silent: no context at all (Node.js has none); starts and ends follow the sounds' lengths.
    audio.tryStart = function() {};
    audio.startWaiting = function() {};
    audio.resume = function() {};
    if (silent) return 1;
    var Context = typeof window !== 'undefined' && (window.AudioContext || window.webkitAudioContext);
    if (!Context) return 0;
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
    audio.resume = function() {
        if (context.state === 'suspended') context.resume();
    };
    // A start waits for its buffer and a running context; then it begins where it would be now.
    audio.tryStart = function(channel) {
        if (!channel || channel.source || channel.done) return;
        var sample = channel.sample;
        if (sample.failed) {
            channel.done = true;
            return;
        }
        if (!sample.buffer || context.state !== 'running') return;
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
    context.onstatechange = audio.startWaiting;
    window.addEventListener('pointerdown', audio.resume, true);
    window.addEventListener('keydown', audio.resume, true);
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
    var sample = {buffer: null, loop: loop !== 0, failed: false, duration: duration};
    audio.samples.push(sample);
    if (!audio.context) return audio.samples.length;
    audio.context.decodeAudioData(bytes.slice().buffer).then(function(buffer) {
        sample.buffer = buffer;
        audio.startWaiting();
    }, function() {
        sample.failed = true;
    });
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
    if (audio.context) {
        window.removeEventListener('pointerdown', audio.resume, true);
        window.removeEventListener('keydown', audio.resume, true);
        audio.context.onstatechange = null;
        audio.context.close();
    }
    audio.samples = [];
});
// clang-format on

namespace {
WebAudio::Output selectedOutput = WebAudio::Output::Page;
}

void WebAudio::selectOutput(Output output) {
    selectedOutput = output;
}

WebAudio::~WebAudio() {
    close();
}

bool WebAudio::init(int mixRate, int channels) {
    if (open_) {
        return true;
    }
    if (webAudioOpen(mixRate, selectedOutput == Output::Silent ? 1 : 0) == 0) {
        return false;
    }
    channelCount_ = channels;
    generations_.assign(static_cast<std::size_t>(channels), 0);
    open_ = true;
    return true;
}

Sample* WebAudio::loadSample(const char* path, bool loop) {
    if (!open_ || path == nullptr) {
        return nullptr;
    }
    const int id = webAudioLoad(path, loop ? 1 : 0);
    if (id == 0) {
        return nullptr;
    }
    auto* sample = new Sample{id, loop};
    samples_.push_back(sample);
    return sample;
}

int WebAudio::play(Sample* sample) {
    if (!open_ || sample == nullptr) {
        return NO_CHANNEL;
    }
    int channel = 0;
    while (channel < channelCount_ && webAudioBusy(channel) != 0) {
        ++channel;  // the lowest free channel, as the desktop's mixer picks
    }
    if (channel == channelCount_) {
        return NO_CHANNEL;
    }
    webAudioStart(sample->id, channel);
    // A bare channel number would later stop whatever plays there now; the handle also names
    // this start, counted per channel.
    int& generation = generations_[static_cast<std::size_t>(channel)];
    generation = (generation + 1) % (std::numeric_limits<int>::max() / channelCount_);
    return generation * channelCount_ + channel;
}

void WebAudio::stop(int handle) {
    if (!open_) {
        return;
    }
    if (handle == ALL_CHANNELS) {
        for (int channel = 0; channel < channelCount_; ++channel) {
            webAudioStop(channel);
        }
        return;
    }
    if (handle < 0) {
        return;
    }
    const int channel = handle % channelCount_;
    if (generations_[static_cast<std::size_t>(channel)] == handle / channelCount_) {
        webAudioStop(channel);  // still this start's channel (idle if the sound has ended)
    }
}

void WebAudio::close() {
    if (!open_) {
        return;
    }
    stop(ALL_CHANNELS);
    webAudioClose();
    for (Sample* sample : samples_) {
        delete sample;
    }
    samples_.clear();
    open_ = false;
}
