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
