#!/usr/bin/env python3
"""A scripted time server for the tests of clocksy: answers on 127.0.0.1 on a port the
system picks (written to the file given), with the system's time moved by +3600.25 s, or
with the fault its mode names. It ends by itself after a minute."""
import os
import socket
import struct
import sys
import time

OFFSET = 3600.25
NTP_EPOCH = 2208988800


def ntp_time(seconds):
    whole = int(seconds)
    return ((whole + NTP_EPOCH) % (1 << 32) << 32) | int((seconds - whole) * (1 << 32))


def reply(request, mode, received):
    originate = request[40:48]
    leap, stratum, refid = 0, 2, b"\x7f\x00\x00\x01"
    if mode == "spoofed":
        originate = struct.pack("!Q", struct.unpack("!Q", originate)[0] ^ 0x10000000)
    elif mode in ("rate", "deny", "rstr"):
        leap, stratum, refid = 3, 0, mode.upper().encode()
    elif mode == "li3":
        leap, stratum, refid = 3, 0, b"\x00\x00\x00\x00"
    receive = ntp_time(received + OFFSET)
    transmit = 0 if mode == "zero-transmit" else ntp_time(time.time() + OFFSET)
    packet = struct.pack("!BBbbII4sQ8sQQ", (leap << 6) | (4 << 3) | 4, stratum, 6, -20, 0x100, 0x200,
                         refid, receive, originate, receive, transmit)
    return packet[:40] if mode == "truncated" else packet


def main():
    mode, port_file = sys.argv[1], sys.argv[2]
    server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    server.bind(("127.0.0.1", 0))
    with open(port_file + ".tmp", "w") as out:
        out.write(str(server.getsockname()[1]))
    os.replace(port_file + ".tmp", port_file)
    server.settimeout(1.0)
    end = time.monotonic() + 60
    while time.monotonic() < end:
        try:
            request, peer = server.recvfrom(512)
        except socket.timeout:
            continue
        received = time.time()
        if mode != "silent" and len(request) >= 48:
            server.sendto(reply(request, mode, received), peer)


if __name__ == "__main__":
    main()
