"""Debian's Chromium, headless, driven over its DevTools pipe (--remote-debugging-pipe: commands
in on file descriptor 3, answers and events out on 4, each message JSON ended by a NUL byte)."""
import json
import os
import queue
import shutil
import subprocess
import tempfile
import threading
import time

# SwiftShader's WebGL (--use-gl=swiftshader gives none); nothing that reaches the network.
FLAGS = ["--headless=new", "--no-sandbox", "--use-angle=swiftshader",
         "--enable-unsafe-swiftshader", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-quic",
         "--window-size=1000,760",
         # As a desktop browser: audio only after the page has had a gesture (headless allows
         # it at once otherwise).
         "--autoplay-policy=document-user-activation-required"]


class Chromium:
    def __init__(self, binary="/usr/bin/chromium"):
        self.profile = tempfile.mkdtemp(prefix="brindlecog-chromium-")
        commands_read, commands_write = os.pipe()
        answers_read, answers_write = os.pipe()
        # Copies out of the way of 3 and 4, where the child moves them. Only these copies are
        # inheritable (os.pipe's own descriptors are not), so nothing else leaks into the child
        # even without close_fds, which would run after the move and close 3 and 4 again.
        child_in, child_out = 100, 101
        os.dup2(commands_read, child_in)
        os.dup2(answers_write, child_out)

        def pipes():
            os.dup2(child_in, 3)
            os.dup2(child_out, 4)

        self.process = subprocess.Popen(
            [binary] + FLAGS + ["--user-data-dir=" + self.profile, "--remote-debugging-pipe",
                                "about:blank"],
            close_fds=False, preexec_fn=pipes, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        for fd in (commands_read, answers_write, child_in, child_out):
            os.close(fd)
        self.commands = os.fdopen(commands_write, "wb", buffering=0)
        self.answers = os.fdopen(answers_read, "rb", buffering=0)
        self.next_id = 0
        self.replies = {}
        self.events = queue.Queue()
        self.lock = threading.Condition()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        self.session = None

    def _read(self):
        pending = b""
        while True:
            chunk = self.answers.read(65536)
            if not chunk:
                with self.lock:
                    self.closed = True
                    self.lock.notify_all()
                return
            pending += chunk
            while b"\0" in pending:
                message, pending = pending.split(b"\0", 1)
                decoded = json.loads(message)
                if "id" in decoded:
                    with self.lock:
                        self.replies[decoded["id"]] = decoded
                        self.lock.notify_all()
                else:
                    self.events.put(decoded)

    def send(self, method, params=None, session=True, timeout=30):
        """One DevTools command; its result, or an exception with the browser's error."""
        with self.lock:
            self.next_id += 1
            number = self.next_id
        message = {"id": number, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        self.commands.write(json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self.lock:
            while number not in self.replies:
                left = deadline - time.monotonic()
                if left <= 0 or getattr(self, "closed", False):
                    raise RuntimeError("no answer to " + method)
                self.lock.wait(left)
            reply = self.replies.pop(number)
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"]))
        return reply.get("result", {})

    def attach_to_page(self):
        """Attaches to the first tab; its events come in on this client's queue."""
        for _ in range(100):
            pages = [t for t in self.send("Target.getTargets", session=False)["targetInfos"]
                     if t["type"] == "page"]
            if pages:
                break
            time.sleep(0.1)
        self.session = self.send("Target.attachToTarget",
                                 {"targetId": pages[0]["targetId"], "flatten": True},
                                 session=False)["sessionId"]

    def evaluate(self, expression, wait=False):
        """A script's value, read as the page's own code (no user gesture)."""
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": wait}, timeout=60)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def close(self):
        try:
            self.send("Browser.close", session=False, timeout=10)
        except RuntimeError:
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
