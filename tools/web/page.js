// The page around the game: it loads brindlecog.js and says how far it is, fits the board to
// the screen, hands touches to the game and offers full screen. Emscripten's runtime reads the
// Module object set up here; glut_fixes.js, inside the runtime, does the rest.
'use strict';

(function() {
  var canvas = document.getElementById('canvas');
  var board = document.getElementById('board');
  var loading = document.getElementById('loading');
  var statusLine = document.getElementById('status');
  var progress = document.getElementById('progress');
  var fullscreenButton = document.getElementById('fullscreen');
  var started = false;
  var failed = false;

  function fail(sentence) {
    if (failed) return;
    failed = true;
    loading.hidden = false;
    loading.classList.add('failed');
    statusLine.textContent = sentence;
  }

  // Emscripten's status lines while it loads: "Downloading data... (done/total)", then others.
  function showStatus(text) {
    if (failed || !text) return;
    var bytes = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/.exec(text);
    if (bytes) {
      var done = Number(bytes[1]), total = Number(bytes[2]);
      progress.value = total > 0 ? done / total : 0;
      statusLine.textContent = 'Loading the game… ' + Math.floor(progress.value * 100) + ' %';
    } else {
      statusLine.textContent = 'Starting the game…';
    }
  }

  // The largest 4:3 box in the viewport, centred. Its drawing buffer is the box's size in
  // device pixels, with a height that is a multiple of 3: then the game's own 4:3 snap (width
  // = height * 4 / 3, truncated) asks for exactly the buffer it has, and never resizes it.
  function fit() {
    var viewWidth = document.documentElement.clientWidth;
    var viewHeight = document.documentElement.clientHeight;
    var ratio = window.devicePixelRatio || 1;
    var cssHeight = Math.min(viewHeight, viewWidth * 3 / 4);
    var height = Math.max(3, Math.floor(cssHeight * ratio / 3) * 3);
    var width = height / 3 * 4;
    var boxWidth = width / ratio, boxHeight = height / ratio;
    var left = (viewWidth - boxWidth) / 2, top = (viewHeight - boxHeight) / 2;
    board.style.width = boxWidth + 'px';
    board.style.height = boxHeight + 'px';
    board.style.left = left + 'px';
    board.style.top = top + 'px';
    placeFullscreenButton(viewWidth, viewHeight, left, top);
    if (!started) {
      // The game starts on a canvas of this size, and keeps it.
      canvas.width = width;
      canvas.height = height;
      return;
    }
    if (canvas.width != width || canvas.height != height) {
      Module['setCanvasSize'](width, height);  // the game's reshape follows
    }
    // A finger may wander 10 CSS pixels and still be holding still.
    Module['_brindlecogTouchSlop'](10 * ratio);
  }

  // In the page's margin beside or below the board; over the board's frame, top left, where
  // the margin is too thin.
  var BUTTON = 44, GAP = 8;
  function placeFullscreenButton(viewWidth, viewHeight, left, top) {
    var x, y;
    if (left >= BUTTON + 2 * GAP) {
      x = viewWidth - BUTTON - GAP, y = GAP;
    } else if (top >= BUTTON + 2 * GAP) {
      x = viewWidth - BUTTON - GAP, y = viewHeight - BUTTON - GAP;
    } else {
      x = left + GAP, y = top + GAP;
    }
    fullscreenButton.style.left = x + 'px';
    fullscreenButton.style.top = y + 'px';
  }

  var ENTER_ICON = 'M4 10V4h6M18 4h6v6M24 18v6h-6M10 24H4v-6';
  var LEAVE_ICON = 'M10 4v6H4M24 10h-6V4M18 24v-6h6M4 18h6v6';
  function showFullscreenState() {
    var full = !!document.fullscreenElement;
    var label = full ? 'Leave full screen' : 'Full screen';
    fullscreenButton.setAttribute('aria-label', label);
    fullscreenButton.title = label;
    document.getElementById('fullscreen-icon').setAttribute('d', full ? LEAVE_ICON : ENTER_ICON);
  }
  if (document.fullscreenEnabled) {
    fullscreenButton.hidden = false;
    showFullscreenState();
    fullscreenButton.addEventListener('click', function() {
      if (document.fullscreenElement) {
        document.exitFullscreen();
      } else {
        document.documentElement.requestFullscreen().catch(function() {});
      }
      canvas.focus();  // the keys go on to the game
    });
    document.addEventListener('fullscreenchange', function() {
      showFullscreenState();
      fit();
    });
  }

  window.addEventListener('resize', fit);
  window.addEventListener('orientationchange', fit);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', fit);
  fit();

  // Touches on the board, one finger as the mouse (the game's TouchPointer decides what a
  // finger means). Handled here, not as the browser's scrolling, zooming or menus, and not
  // again as the mouse events a browser makes up after a tap: hence not passive, and each one
  // prevented.
  var TOUCH_KINDS = {touchstart: 0, touchmove: 1, touchend: 2, touchcancel: 3};
  function onTouch(event) {
    if (event.cancelable) event.preventDefault();  // a cancel cannot be, nor need be
    if (!started) return;
    var rect = canvas.getBoundingClientRect();
    var scaleX = canvas.width / rect.width, scaleY = canvas.height / rect.height;
    var kind = TOUCH_KINDS[event.type];
    for (var i = 0; i < event.changedTouches.length; i++) {
      var touch = event.changedTouches[i];
      var x = Math.round((touch.clientX - rect.left) * scaleX);
      var y = Math.round((touch.clientY - rect.top) * scaleY);
      // When the finger acted, not when this handler ran: a busy page must not turn a quick
      // tap into a long press.
      Module['_brindlecogTouch'](kind, touch.identifier, x, y, event.timeStamp);
    }
    // A lifted finger is the gesture that lets a page start its sound.
    if (kind == 2 && Module['webAudio']) Module['webAudio'].resume();
  }
  Object.keys(TOUCH_KINDS).forEach(function(type) {
    canvas.addEventListener(type, onTouch, {passive: false});
  });
  // The right button is the game's (back to Move, lifting gears), and a long press is too.
  canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });

  // The loading screen goes once the browser has counted it as the page's largest paint (or
  // after two frames where it does not tell): a game that starts quickly (a fast network, the
  // files from the service worker) would otherwise hide the text before that, and a page whose
  // largest paint is a canvas has none that counts. A second at most.
  function hideLoadingOncePainted() {
    loading.style.pointerEvents = 'none';  // meanwhile the clicks are the game's already
    var hide = function() {
      if (!failed) loading.hidden = true;
    };
    var LARGEST = 'largest-contentful-paint';
    if (!window.PerformanceObserver ||
        (PerformanceObserver.supportedEntryTypes || []).indexOf(LARGEST) < 0) {
      requestAnimationFrame(function() { requestAnimationFrame(hide); });
      return;
    }
    var observer = new PerformanceObserver(function() {
      observer.disconnect();
      hide();
    });
    observer.observe({type: LARGEST, buffered: true});
    setTimeout(function() {
      observer.disconnect();
      hide();
    }, 1000);
  }

  // The game's own GL context, made here rather than by its GLUT: a browser without WebGL is
  // told so before anything downloads, and the context's slow making overlaps the download.
  // The attributes are the ones the game's display mode asks of GLUT (a depth buffer; no alpha,
  // stencil or antialiasing).
  var context = canvas.getContext('webgl', {alpha: false, depth: true, stencil: false,
                                            antialias: false});
  if (!context) {
    fail('Brindlecog draws with WebGL, which this browser does not offer or has switched off.' +
         ' Switch it on, or open the page in another browser.');
    return;
  }
  // The game's GL layer switches on every extension the context offers (but those for losing the
  // context and for debugging) as it starts. The first of them waits for the new context to be
  // ready behind the page's back, a long wait in a software renderer: switched on here, before
  // the loading screen is first shown, they are already on when the game starts, and the task
  // that starts it does not block the page.
  (context.getSupportedExtensions() || []).forEach(function(name) {
    if (name.indexOf('lose_context') < 0 && name.indexOf('debug') < 0) context.getExtension(name);
  });

  window.Module = {
    canvas: canvas,
    preinitializedWebGLContext: context,
    print: function(line) { console.log(line); },
    printErr: function(line) { console.warn(line); },
    setStatus: showStatus,
    onAbort: function() {
      fail('Brindlecog could not start: its files did not load completely.' +
           ' Check the connection and reload the page.');
    },
    postRun: [function() {
      started = true;
      hideLoadingOncePainted();
      fit();
      canvas.focus();
    }],
    onExit: function() {
      board.remove();
      fullscreenButton.remove();
      document.getElementById('ended').hidden = false;
    },
  };
  // A file that cannot be fetched (brindlecog.data on a broken connection) is reported by
  // the loader as an uncaught error.
  window.addEventListener('error', function() {
    if (!started) {
      fail('Brindlecog could not load its files. Check the connection and reload the page.');
    }
  });
  var script = document.createElement('script');
  script.src = 'brindlecog.js';
  script.onerror = function() {
    fail('Brindlecog could not load brindlecog.js. Check the connection and reload the page.');
  };
  document.body.appendChild(script);
})();
