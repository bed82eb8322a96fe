#!/usr/bin/env python3
"""A local HTTP server for the tests: serves the files of a folder, on a port
the system picks, and writes that port to a file once it listens.

Besides plain files it plays a few bad servers, chosen by a file beside the
one asked for:
  <path>.drop  200 with the file's full length announced, half of it sent,
               then the connection is closed;
  <path>.slow  the file in ten pieces, 0.2 s apart;
  <path>.slowhead  the status line and headers in ten pieces, 0.5 s apart,
               then the file;
  <path>.padded that file holds a size in bytes on its first line, then the
               start of the body; the body is that start followed by zero
               bytes up to the size, with no length announced (the end is
               the connection closing);
  <path>.trickle  the status line, then a header a byte a second, never
               ending: the connection stays until the client closes it. The
               server counts these connections, opened and seen closed, in
               the --trickle-file as "<opened> <closed>".
  <path>.stall  200 with the file's full length announced, half of it sent,
               then nothing more: the connection stays until the client
               closes it, counted as a .trickle one.
GET /__alive answers 200; GET /__stop answers and ends the server. The server
also ends by itself after --lifetime seconds, whatever happens to the test.
"""
import argparse
import http.server
import os
import select
import socket
import socketserver
import threading
import time


def read_file(path):
    with open(path, 'rb') as f:
        return f.read()


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def send_file_header(self, length):
        self.send_response(200)
        self.send_header('Content-Type', 'application/octet-stream')
        self.send_header('Content-Length', str(length))
        self.end_headers()

    @staticmethod
    def status_and_headers(content_type, length):
        return (b'HTTP/1.1 200 OK\r\nContent-Type: %s\r\n'
                b'Content-Length: %d\r\n\r\n' % (content_type, length))

    def do_GET(self):
        if self.path == '/__alive':
            self.send_response(200)
            self.send_header('Content-Length', '2')
            self.end_headers()
            self.wfile.write(b'ok')
            return
        if self.path == '/__stop':
            self.send_response(200)
            self.send_header('Content-Length', '3')
            self.end_headers()
            self.wfile.write(b'bye')
            threading.Thread(target=self.server.shutdown, daemon=True).start()
            return
        local = self.translate_path(self.path)
        if os.path.isfile(local + '.drop'):
            data = read_file(local + '.drop')
            self.send_file_header(len(data))
            self.wfile.write(data[:len(data) // 2])
            self.wfile.flush()
            self.close_connection = True
            try:
                self.connection.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass
            return
        if os.path.isfile(local + '.slow'):
            data = read_file(local + '.slow')
            self.send_file_header(len(data))
            step = max(1, len(data) // 10)
            for start in range(0, len(data), step):
                try:
                    self.wfile.write(data[start:start + step])
                    self.wfile.flush()
                except OSError:
                    return
                time.sleep(0.2)
            return
        if os.path.isfile(local + '.slowhead'):
            data = read_file(local + '.slowhead')
            head = self.status_and_headers(b'text/plain', len(data))
            step = max(1, len(head) // 10 + 1)
            try:
                for start in range(0, len(head), step):
                    self.wfile.write(head[start:start + step])
                    self.wfile.flush()
                    time.sleep(0.5)
                self.wfile.write(data)
            except OSError:
                pass
            self.close_connection = True
            return
        if os.path.isfile(local + '.trickle'):
            self.hold(b'HTTP/1.1 200 OK\r\nX-Wait: ', b'w')
            return
        if os.path.isfile(local + '.stall'):
            data = read_file(local + '.stall')
            head = self.status_and_headers(b'application/octet-stream', len(data))
            self.hold(head + data[:len(data) // 2], b'')
            return
        if os.path.isfile(local + '.padded'):
            with open(local + '.padded', 'rb') as f:
                size, _, start = f.read().partition(b'\n')
            self.send_response(200)
            self.send_header('Content-Type', 'application/octet-stream')
            self.end_headers()
            left = int(size) - len(start)
            block = bytes(1 << 20)
            try:
                self.wfile.write(start)
                while left > 0:
                    self.wfile.write(block[:min(left, len(block))])
                    left -= len(block)
            except OSError:
                pass
            self.close_connection = True
            return
        super().do_GET()

    def hold(self, start, each_second):
        """Sends start, then each_second every second until the client has
        closed the connection, counted among the trickles."""
        self.server.count_trickle(opened=1)
        self.close_connection = True
        try:
            self.wfile.write(start)
            self.wfile.flush()
            while True:
                # Readable while nothing more is asked for: the client has
                # closed its end.
                readable, _, _ = select.select([self.connection], [], [], 1.0)
                if readable and not self.connection.recv(1):
                    break
                if each_second:
                    self.wfile.write(each_second)
                    self.wfile.flush()
        except OSError:
            pass
        self.server.count_trickle(closed=1)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    trickle_file = None
    trickles = [0, 0]
    trickle_lock = threading.Lock()

    def count_trickle(self, opened=0, closed=0):
        with self.trickle_lock:
            self.trickles[0] += opened
            self.trickles[1] += closed
            if self.trickle_file:
                temporary = self.trickle_file + '.part'
                with open(temporary, 'w') as f:
                    f.write('%d %d' % tuple(self.trickles))
                os.replace(temporary, self.trickle_file)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--root', required=True)
    parser.add_argument('--port-file', required=True)
    parser.add_argument('--lifetime', type=float, default=180)
    parser.add_argument('--trickle-file')
    args = parser.parse_args()
    port_file = os.path.abspath(args.port_file)
    trickle_file = os.path.abspath(args.trickle_file) if args.trickle_file else None
    os.chdir(args.root)
    server = Server(('127.0.0.1', 0), Handler)
    server.trickle_file = trickle_file
    threading.Timer(args.lifetime, server.shutdown).start()
    temporary = port_file + '.part'
    with open(temporary, 'w') as f:
        f.write(str(server.server_address[1]))
    os.replace(temporary, port_file)
    server.serve_forever()
    server.server_close()
    os._exit(0)


if __name__ == '__main__':
    main()
