#!/usr/bin/env python3
"""A pointer for a headless wlroots compositor, which has none of its own: a virtual pointer
(zwlr_virtual_pointer_manager_v1) driven by lines on standard input, "move X Y" in the output's
pixels, for as long as the input stays open. It speaks the Wayland wire protocol directly, so
the tests need no client library beyond Python. Prints "ready" once the pointer exists and
"done" after each move has reached the compositor.
Usage: virtual_pointer.py WIDTH HEIGHT     (with WAYLAND_DISPLAY set)"""
import os
import socket
import struct
import sys


class Connection:
    def __init__(self):
        name = os.environ["WAYLAND_DISPLAY"]
        path = name if name.startswith("/") else os.path.join(os.environ["XDG_RUNTIME_DIR"], name)
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2
        self.pending = b""

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, target, opcode, payload=b""):
        self.sock.sendall(struct.pack("<II", target, (8 + len(payload)) << 16 | opcode) + payload)

    def events(self):
        """Every whole event read so far, then more from the socket until it stops for now."""
        while True:
            while len(self.pending) >= 8:
                target, word = struct.unpack_from("<II", self.pending)
                size = word >> 16
                if len(self.pending) < size:
                    break
                body, self.pending = self.pending[8:size], self.pending[size:]
                yield target, word & 0xFFFF, body
            chunk = self.sock.recv(65536)
            if not chunk:
                raise SystemExit("virtual_pointer: the compositor closed the connection")
            self.pending += chunk

    def roundtrip(self, on_event=lambda *event: None):
        callback = self.new_id()
        self.send(1, 0, struct.pack("<I", callback))  # wl_display.sync
        for target, opcode, body in self.events():
            if target == callback:
                return
            if target == 1 and opcode == 0:  # wl_display.error
                raise SystemExit("virtual_pointer: protocol error %r" % (body,))
            on_event(target, opcode, body)


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def read_string(body, at):
    (length,) = struct.unpack_from("<I", body, at)
    text = body[at + 4:at + 4 + length - 1].decode()
    return text, at + 4 + length + (-length % 4)


def main():
    width, height = int(sys.argv[1]), int(sys.argv[2])
    wl = Connection()
    registry = wl.new_id()
    wl.send(1, 1, struct.pack("<I", registry))  # wl_display.get_registry
    globals_ = {}

    def on_global(target, opcode, body):
        if target == registry and opcode == 0:
            (name,) = struct.unpack_from("<I", body)
            interface, at = read_string(body, 4)
            (version,) = struct.unpack_from("<I", body, at)
            globals_.setdefault(interface, (name, version))

    wl.roundtrip(on_global)
    manager_name = "zwlr_virtual_pointer_manager_v1"
    if manager_name not in globals_ or "wl_seat" not in globals_:
        raise SystemExit("virtual_pointer: the compositor offers no virtual pointer")

    def bind(interface, version):
        object_id = wl.new_id()
        wl.send(registry, 0, struct.pack("<I", globals_[interface][0]) + string(interface) +
                struct.pack("<II", version, object_id))
        return object_id

    seat = bind("wl_seat", 1)
    manager = bind(manager_name, 1)
    pointer = wl.new_id()
    wl.send(manager, 0, struct.pack("<II", seat, pointer))  # create_virtual_pointer
    wl.roundtrip()
    print("ready", flush=True)
    time = 0
    for line in sys.stdin:
        words = line.split()
        if len(words) == 3 and words[0] == "move":
            time += 10
            wl.send(pointer, 1, struct.pack("<IIIII", time, int(words[1]), int(words[2]),
                                            width, height))  # motion_absolute
            wl.send(pointer, 4, struct.pack("<I", time))  # frame
            wl.roundtrip()
            print("done", flush=True)


if __name__ == "__main__":
    main()
