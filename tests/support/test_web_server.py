#!/usr/bin/env python3
"""The web server of the tests of the update check and the problem report.

Listens on the loopback address only, on two ports the system picks:
- the first answers GET requests with the file under <root>/www named by the
  request's path (the query is ignored), or 404; before it answers, it
  appends the request's head, exactly as received, to <root>/requests.log;
- the second accepts connections and never reads or answers them.
Once both listen it writes "<port> <silent port>" to <root>/ports.
"""
import os
import socket
import sys
import threading
import urllib.parse


def read_head(connection):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = connection.recv(65536)
        if not chunk:
            return None
        data += chunk
    return data[: data.index(b"\r\n\r\n") + 4]


def answer(connection, root, log_lock):
    with connection:
        head = read_head(connection)
        if head is None:
            return
        with log_lock, open(os.path.join(root, "requests.log"), "ab") as log:
            log.write(head)
        request_line = head.split(b"\r\n", 1)[0].split(b" ")
        path = urllib.parse.urlsplit(request_line[1].decode("latin-1")).path
        file_name = os.path.normpath(os.path.join(root, "www", path.lstrip("/")))
        inside = file_name.startswith(os.path.join(root, "www") + os.sep)
        if inside and os.path.isfile(file_name):
            with open(file_name, "rb") as served:
                body = served.read()
            status = b"200 OK"
        else:
            body, status = b"Not found", b"404 Not Found"
        connection.sendall(b"HTTP/1.1 " + status + b"\r\nContent-Type: text/plain\r\n"
                           b"Content-Length: " + str(len(body)).encode() + b"\r\n"
                           b"Connection: close\r\n\r\n" + body)


def listener():
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    sock.listen(16)
    return sock


def serve(sock, root, log_lock):
    while True:
        connection, _ = sock.accept()
        threading.Thread(target=answer, args=(connection, root, log_lock), daemon=True).start()


def hold(sock):
    held = []
    while True:
        connection, _ = sock.accept()
        held.append(connection)


def main():
    root = os.path.abspath(sys.argv[1])
    os.makedirs(os.path.join(root, "www"), exist_ok=True)
    answering, silent = listener(), listener()
    log_lock = threading.Lock()
    threading.Thread(target=hold, args=(silent,), daemon=True).start()
    with open(os.path.join(root, "ports.tmp"), "w") as ports:
        ports.write("%d %d\n" % (answering.getsockname()[1], silent.getsockname()[1]))
    os.replace(os.path.join(root, "ports.tmp"), os.path.join(root, "ports"))
    serve(answering, root, log_lock)


if __name__ == "__main__":
    main()
