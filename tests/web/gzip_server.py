"""The built page served on 127.0.0.1 as a static host serves it: text, wasm and data files
gzip-compressed when the browser accepts it. A response can be held back until the test lets
it go (hold), and the server can be stopped for good (stop) to play offline."""
import functools
import gzip
import http.server
import os
import threading
import urllib.parse

COMPRESSED = (".html", ".js", ".wasm", ".data", ".json", ".webmanifest", ".svg", ".css")


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *arguments):
        pass

    def end_headers(self):
        # Never used unasked from the browser's own cache: offline, only the service worker
        # has the files.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def do_GET(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and urllib.parse.urlsplit(self.path).path.endswith("/"):
            path = os.path.join(path, "index.html")
        held = self.server.held.get(os.path.basename(path))
        if held:
            held.wait()
        if (not path.endswith(COMPRESSED) or not os.path.isfile(path)
                or "gzip" not in self.headers.get("Accept-Encoding", "")):
            return super().do_GET()
        with open(path, "rb") as source:
            body = gzip.compress(source.read(), 9, mtime=0)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a browser closed while a file was on its way: nothing of the page's


class GzipServer:
    def __init__(self, folder, port=0):
        """Serves FOLDER on PORT, or on any free port."""
        handler = functools.partial(Handler, directory=os.path.abspath(folder))
        self.server = Server(("127.0.0.1", port), handler)
        self.server.held = {}
        self.port = self.server.server_port
        self.url = "http://127.0.0.1:%d/" % self.port
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def hold(self, name):
        """Requests for the file NAME wait until release(NAME)."""
        self.server.held[name] = threading.Event()

    def release(self, name):
        self.server.held.pop(name).set()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()
