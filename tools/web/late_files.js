// The start screen needs its splash picture only, which comes in the game's own data package.
// The other pictures and the sounds come in a second one (brindlecog-late.js and .data), which
// is asked for once the game runs, so that the splash is not kept waiting for them. Its loader
// writes them to the file system and counts them as run dependencies: the count back at zero
// means that all of them are there, and the game is told (afterLateFiles in the game).
addOnPostRun(function() {
  var waiting = true;
  var monitor = Module['monitorRunDependencies'];
  Module['monitorRunDependencies'] = function(left) {
    if (monitor) monitor(left);
    if (!waiting || left > 0) return;
    waiting = false;
    Module['monitorRunDependencies'] = monitor;
    if (runtimeExited) return;  // the player has ended the game meanwhile
    Module['_brindlecogLateFilesArrived']();
    keepPageOffline();
  };
  // Without them the game cannot go on past its splash: the page says so as for any file the
  // game lacks. The loader reports a failed download by throwing from its request's handler.
  function failed() {
    if (!waiting) return;
    waiting = false;
    if (Module['onAbort']) Module['onAbort']('the late files did not load');
  }
  window.addEventListener('error', function(event) {
    if (event.error && /brindlecog-late/.test(event.error.message)) failed();
  });
  var script = document.createElement('script');
  script.src = 'brindlecog-late.js';
  script.onerror = failed;
  document.body.appendChild(script);
});

// With every file of the page loaded, the service worker may keep copies of them; registered
// no sooner, so that its own downloads do not slow the start.
function keepPageOffline() {
  if (!('serviceWorker' in navigator)) return;
  navigator.serviceWorker.register('service-worker.js').catch(function(error) {
    console.warn('Brindlecog cannot be kept for playing offline: ' + error.message);
  });
}
