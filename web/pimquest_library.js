// The page's side of the web host (src/host/web/web_host.cpp): the calls it
// makes into the browser. Linked with --js-library.
mergeInto(LibraryManager.library, {
  // Hands the tab back to the page for `ms` milliseconds, or less when an
  // input event comes first. Asyncify unwinds the game's stack here and
  // rewinds it when the wait is over. The wake-up is always taken from a
  // fresh task, never from inside an event callback that is itself running
  // game code.
  pq_web_wait: function(ms) {
    Asyncify.handleSleep(function(wakeUp) {
      var done = false;
      var timer = 0;
      var finish = function() {
        if (done) return;
        done = true;
        clearTimeout(timer);
        Module.pqWake = null;
        wakeUp();
      };
      timer = setTimeout(finish, Math.max(0, ms));
      Module.pqWake = function() { Promise.resolve().then(finish); };
    });
  },

  pq_web_wake: function() {
    if (Module.pqWake) Module.pqWake();
  },

  // Puts 640 x 480 RGBA bytes on the canvas, noting when the first pictures
  // came (the host's black one, then the title's).
  pq_web_show: function(rgba) {
    var shows = Module.pqShowTimes || (Module.pqShowTimes = []);
    if (shows.length < 2) shows.push(performance.now());
    var canvas = Module.canvas;
    if (!canvas) return;
    if (!Module.pqContext) Module.pqContext = canvas.getContext('2d', {alpha: false});
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, 640 * 480 * 4);
    Module.pqContext.putImageData(new ImageData(bytes, 640, 480), 0, 0);
  },

  // Notes when a present came to its slot, for the page's frame statistics.
  pq_web_presented: function() {
    var times = Module.pqFrameTimes || (Module.pqFrameTimes = []);
    times.push(performance.now());
    if (times.length > 1200) times.splice(0, times.length - 600);
  },

  pq_web_hidden: function() {
    return document.hidden ? 1 : 0;
  },

  // Sound: an 11025 Hz context (the browser resamples to the device) with a
  // processor that pulls the game's mix. Browsers start sound only from a
  // user's gesture, so the context is made on the first key press or click.
  pq_web_audio_open: function() {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    Module.pqAudioOn = true;
    if (Module.pqAudio) {
      if (Module.pqAudio.state === 'suspended') Module.pqAudio.resume();
      return 1;
    }
    if (Module.pqAudioStart) return 1;
    var frames = 512;
    var gestures = ['keydown', 'mousedown', 'touchstart'];
    var start = function() {
      if (Module.pqAudio) return;
      try {
        var context = new Context({sampleRate: 11025});
        var node = context.createScriptProcessor(frames, 0, 1);
        var buffer = _malloc(frames * 2);
        node.onaudioprocess = function(e) {
          var out = e.outputBuffer.getChannelData(0);
          if (!Module.pqAudioOn) {
            out.fill(0);
            return;
          }
          Module._pq_web_render(buffer, out.length);
          var samples = new Int16Array(HEAPU8.buffer, buffer, out.length);
          for (var i = 0; i < out.length; ++i) out[i] = samples[i] / 32768;
        };
        node.connect(context.destination);
        Module.pqAudio = context;
        Module.pqAudioNode = node;
      } catch (e) {
        // No sound here: the game goes on silent.
        Module.pqAudio = null;
      }
      gestures.forEach(function(name) { window.removeEventListener(name, start, true); });
    };
    Module.pqAudioStart = start;
    gestures.forEach(function(name) { window.addEventListener(name, start, true); });
    return 1;
  },

  pq_web_audio_close: function() {
    Module.pqAudioOn = false;
    if (Module.pqAudio && Module.pqAudio.state === 'running') Module.pqAudio.suspend();
  },

  // Tells the page that the game has ended with `code` (0 after a quit, 1
  // when it could not start), so that it can say so and offer to start again.
  pq_web_ended: function(code) {
    if (Module.pqEnded) Module.pqEnded(code);
  },
});
