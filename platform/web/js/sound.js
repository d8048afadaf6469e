// One sound channel through Web Audio: the game's PCM at its own rate; a new
// sound cuts off the one playing.
var LibrarySnowvelSound = {
  $SnowvelSound__deps: ['$SnowvelWeb', '$SnowvelCanvas', 'malloc', 'free'],
  $SnowvelSound__postset: "window.addEventListener('snowvel-pause', SnowvelSound.onPause);" +
                          'SnowvelSound.awaitSamples();',
  $SnowvelSound: {
    // The context sleeps this long after the last sound ends, and is closed
    // after this much more silence.
    IDLE_MS: 250,
    CLOSE_MS: 5000,
    // Decoded clips kept, by where the game's sound lies in its memory.
    MAX_CLIPS: 32,
    MIN_RATE: 3000,
    MAX_RATE: 384000,

    // The clips' samples, apart from the program (web_sound.cpp).
    SAMPLES_FILE: 'snowvel.sounds',

    samplesIn: false,
    noSound: false,
    audio: null,
    audioClosed: false,  // closed after a long silence, made again by the next sound
    idleTimer: 0,
    clips: null,  // a Map made with the audio context
    playing: null,

    // The context is made (or resumed) only by a user's gesture, as the
    // browser's autoplay rules want; with ?nosound never.
    // A key pressed in a pause makes none: the game is silent until it goes
    // on, and its next sound makes one (forSound).
    startAudio: function(forSound) {
      if (SnowvelSound.noSound || (SnowvelWeb.paused && !forSound)) return;
      var AudioContextType = window.AudioContext || window.webkitAudioContext;
      if (!AudioContextType) return;
      if (!SnowvelSound.audio) {
        SnowvelSound.audio = new AudioContextType();
        SnowvelSound.clips = new Map();
        // A sound's end starts the countdown to sleep; so does a gesture.
        if (!forSound) SnowvelSound.audioIdle();
      }
    },

    // A paused game is silent for as long as the player likes: the context
    // goes as soon as the sound playing (if any) ends, rather than after the
    // long silence.
    onPause: function() {
      if (SnowvelWeb.paused) SnowvelSound.closeAudio();
    },

    // A running context keeps the audio thread busy even in silence (most of
    // what a paused game would cost): it is suspended a moment after the
    // last sound ends and resumed by the next. Even suspended it wakes the
    // renderer now and then, so a silence of some seconds (a paused game)
    // closes it; the next sound makes a new one, which the page may, having
    // had its gesture.
    audioIdle: function() {
      if (SnowvelWeb.paused) return SnowvelSound.closeAudio();
      if (SnowvelSound.idleTimer) clearTimeout(SnowvelSound.idleTimer);
      SnowvelSound.idleTimer = setTimeout(function() {
        var audio = SnowvelSound.audio;
        if (audio && !SnowvelSound.playing && audio.state === 'running') audio.suspend();
        SnowvelSound.idleTimer = setTimeout(SnowvelSound.closeAudio, SnowvelSound.CLOSE_MS);
      }, SnowvelSound.IDLE_MS);
    },

    closeAudio: function() {
      if (SnowvelSound.idleTimer) clearTimeout(SnowvelSound.idleTimer);
      SnowvelSound.idleTimer = 0;
      if (!SnowvelSound.audio || SnowvelSound.playing) return;
      SnowvelSound.audio.close();
      SnowvelSound.audio = null;
      SnowvelSound.clips = null;
      SnowvelSound.audioClosed = true;
    },

    // The samples are fetched once the game shows its first picture, so
    // that they never hold up its start; until they are in, a clip is
    // silence of its length.
    awaitSamples: function() {
      SnowvelCanvas.afterFirstPicture(SnowvelSound.fetchSamples);
    },

    fetchSamples: function() {
      if (SnowvelSound.noSound) return;
      fetch(SnowvelSound.SAMPLES_FILE).then(function(response) {
        if (!response.ok) throw new Error('HTTP ' + response.status);
        return response.arrayBuffer();
      }).then(function(buffer) {
        var bytes = new Uint8Array(buffer);
        var copy = _malloc(Math.max(bytes.length, 1));
        HEAPU8.set(bytes, copy);
        var fitted = _snowvel_web_fill_sounds(copy, bytes.length);
        _free(copy);
        if (!fitted) throw new Error('not this version\'s');
        SnowvelSound.samplesIn = true;
      }).catch(function(error) {
        console.info('Snowvel plays without sound: ' + SnowvelSound.SAMPLES_FILE + ': ' +
                     error.message);
      });
    },

    // 8-bit samples are unsigned, 16-bit ones signed little-endian.
    clip: function(ptr, bytes, channels, rate, bits) {
      var key = ptr + ':' + bytes;
      var buffer = SnowvelSound.clips.get(key);
      if (buffer) return buffer;
      var bytesPerFrame = channels * (bits / 8);
      var frames = Math.floor(bytes / bytesPerFrame);
      if (frames === 0) return null;
      buffer = SnowvelSound.audio.createBuffer(channels, frames, rate);
      // Until the samples are in, a clip is silence of its length (a new
      // buffer is all zero), kept for no later play.
      if (!SnowvelSound.samplesIn) return buffer;
      for (var c = 0; c < channels; c++) {
        var out = buffer.getChannelData(c);
        for (var i = 0; i < frames; i++) {
          var at = ptr + i * bytesPerFrame + c * (bits / 8);
          out[i] = bits === 8 ? (HEAPU8[at] - 128) / 128
                              : ((HEAPU8[at] | HEAPU8[at + 1] << 8) << 16 >> 16) / 32768;
        }
      }
      if (SnowvelSound.clips.size >= SnowvelSound.MAX_CLIPS) SnowvelSound.clips.clear();
      SnowvelSound.clips.set(key, buffer);
      return buffer;
    },

    // A sound cut off by the next one leaves the context awake for it.
    stopSound: function(replaced) {
      if (!SnowvelSound.playing) return;
      try { SnowvelSound.playing.stop(); } catch (e) {}
      SnowvelSound.playing = null;
      if (!replaced) SnowvelSound.audioIdle();
    },
  },

  snowvel_web_no_sound__deps: ['$SnowvelWeb'],
  snowvel_web_no_sound: function() {
    SnowvelSound.noSound = SnowvelWeb.params().has('nosound');
    return SnowvelSound.noSound ? 1 : 0;
  },

  snowvel_web_play: function(samples, bytes, channels, rate, bits) {
    if (!SnowvelSound.audio && SnowvelSound.audioClosed) SnowvelSound.startAudio(true);
    var audio = SnowvelSound.audio;
    if (!audio || SnowvelSound.noSound) return;  // before the first gesture: silence
    if ((bits !== 8 && bits !== 16) || channels < 1 || channels > 2 ||
        rate < SnowvelSound.MIN_RATE || rate > SnowvelSound.MAX_RATE)
      return;
    var buffer = SnowvelSound.clip(samples, bytes, channels, rate, bits);
    if (!buffer) return;
    SnowvelSound.stopSound(true);
    if (audio.state === 'suspended') audio.resume();
    var source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.onended = function() {
      if (SnowvelSound.playing !== source) return;
      SnowvelSound.playing = null;
      SnowvelSound.audioIdle();
    };
    source.start();
    SnowvelSound.playing = source;
  },

  snowvel_web_stop_sound: function() {
    SnowvelSound.stopSound();
  },
};

autoAddDeps(LibrarySnowvelSound, '$SnowvelSound');
mergeInto(LibraryManager.library, LibrarySnowvelSound);
