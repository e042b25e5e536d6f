// Mends to this emscripten's GLUT (library_glut.js), in place before main calls glutInit, which
// registers these handlers with the page.

// Motion and passive-motion callbacks are handed the pointer's previous position there; the
// game needs its current one, as freeglut gives it.
GLUT.onMousemove = function(event) {
  var lastX = Browser.mouseX;
  var lastY = Browser.mouseY;
  Browser.calculateMouseEvent(event);
  var x = Browser.mouseX;
  var y = Browser.mouseY;
  if (x == lastX && y == lastY) return;
  var callback = GLUT.buttons == 0 ? GLUT.passiveMotionFunc : GLUT.motionFunc;
  if (GLUT.buttons == 0 && event.target != Module['canvas']) return;
  if (!callback) return;
  event.preventDefault();
  GLUT.saveModifiers(event);
  getWasmTableEntry(callback)(x, y);
};

// With Ctrl held it reports no letter at all; freeglut reports the control code (Ctrl+Q: 17).
var asciiKeyWithoutControl = GLUT.getASCIIKey;
GLUT.getASCIIKey = function(event) {
  var code = event['keyCode'];
  if (event['ctrlKey'] && !event['altKey'] && !event['metaKey'] && code >= 65 && code <= 90) {
    return code - 64;
  }
  return asciiKeyWithoutControl(event);
};

// An exit key ends the program from inside a key handler, and the exit unwinds to the browser
// by throwing ExitStatus: the end of the game, no error of the page.
['onKeydown', 'onKeyup', 'onMouseButtonDown', 'onMouseButtonUp'].forEach(function(name) {
  var handler = GLUT[name];
  GLUT[name] = function(event) {
    try {
      handler(event);
    } catch (e) {
      if (!(e instanceof ExitStatus)) throw e;
    }
  };
});

// Touches are the page's: page.js hands them to the game's own translation. This GLUT's would
// make each one a mouse event again, from window listeners the browser treats as passive.
GLUT.touchHandler = function() {};

// The browser may take the GL context away (phones do it to pages in the background) and hand
// an empty one back. Meanwhile no frame runs; once it is back, the GL emulation's own objects
// are made again (its shader programs, its vertex and index buffers, the extensions it uses),
// and then the game's.
(function() {
  var canvas = Module['canvas'];
  var lost = false;
  var preMainLoop = Module['preMainLoop'];
  Module['preMainLoop'] = function() {
    if (lost) return false;  // the frame is skipped, and with it the request for the next
    return preMainLoop ? preMainLoop() : true;
  };
  canvas.addEventListener('webglcontextlost', function(event) {
    event.preventDefault();  // otherwise the browser never restores it
    lost = true;
  });
  canvas.addEventListener('webglcontextrestored', function() {
    var context = GL.currentContext;
    context.initExtensionsDone = false;
    GL.initExtensions(context);
    GLImmediate.rendererCache = GLImmediate.MapTreeLib.create();
    GLImmediate.currentRenderer = null;
    GLImmediate.lastRenderer = null;
    GLImmediate.lastArrayBuffer = null;
    // The new programs must be sent every matrix, the texture matrix too.
    for (var i = 0; i < GLImmediate.matrixVersion.length; i++) GLImmediate.matrixVersion[i]++;
    GLImmediate.matricesModified = true;
    GL.generateTempBuffers(true, context);
    lost = false;
    Module['_brindlecogRestoreGraphics'](canvas.width, canvas.height);
  });
})();
