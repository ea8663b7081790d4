#!/usr/bin/python3
"""FTP servers on 127.0.0.1 for the tests, all in this one process (pyftpdlib).

    FtpTestServer.py ROOT LOGDIR

Every server serves the folder ROOT to the user "meter" with the password "secret" (full
rights) on a port the system chose. Once they listen, one line goes to standard output:

    {"main": 40001, "list": 40002, "gbk": 40003, "slow": 40004, "faulty": 40005,
     "stalling": 40006, "dripping": 40007, "silent": 40008, "refused": 40009}

    main     MLSD, UTF-8 names
    list     no MLSD: listings come from LIST, in the Unix form
    gbk      names are the file system's bytes, UTF-8 not announced (a server of GBK names)
    slow     transfers at 256 KiB/s, for ending a transfer half-way
    faulty   drops the data and the control connection after 64 KiB of a transfer
    stalling stops sending and receiving after 64 KiB of a transfer, closing nothing
    dripping sends its data one byte every tenth of a second: never quiet for long, yet a
             listing of a few files takes a minute
    silent   takes connections and never answers
    refused  a port nobody listens on

Each server appends the commands it receives to LOGDIR/<name>.commands, one per line. The
process ends when its standard input closes, so it never outlives the test program that
started it.
"""

import json
import logging
import os
import socket
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.ioloop import IOLoop
from pyftpdlib.servers import FTPServer

DROP_AFTER = 64 * 1024
DRIP_PAUSE = 0.1


class DroppingDTPHandler(DTPHandler):
    """Ends the data and the control connection once 64 KiB have moved either way."""

    def _moved(self):
        return self.tot_bytes_sent + self.tot_bytes_received

    def _drop_when_due(self):
        if self._moved() >= DROP_AFTER:
            channel = self.cmd_channel
            self.close()
            channel.close()
            return True
        return False

    def send(self, data):
        sent = DTPHandler.send(self, data)
        self._drop_when_due()
        return sent

    def handle_read(self):
        DTPHandler.handle_read(self)
        if not self._closed:
            self._drop_when_due()

    handle_read_event = handle_read  # the event loop calls this name


class StallingDTPHandler(DTPHandler):
    """Stops moving data, without closing anything, once 64 KiB have moved either way."""

    def send(self, data):
        sent = DTPHandler.send(self, data)
        if self.tot_bytes_sent >= DROP_AFTER:
            self.del_channel()
        return sent

    def handle_read(self):
        DTPHandler.handle_read(self)
        if not self._closed and self.tot_bytes_received >= DROP_AFTER:
            self.del_channel()

    handle_read_event = handle_read  # the event loop calls this name


class DrippingDTPHandler(DTPHandler):
    """Sends one byte, then rests for DRIP_PAUSE seconds before the next."""

    _dripper = None

    def send(self, data):
        sent = DTPHandler.send(self, data[:1])
        if sent and not self._closed:
            self.del_channel()
            self._dripper = self.ioloop.call_later(DRIP_PAUSE, self._resume, _errback=self.handle_error)
        return sent

    def _resume(self):
        if not self._closed:
            self.add_channel(events=self.ioloop.WRITE)

    def close(self):
        if self._dripper is not None and not self._dripper.cancelled:
            self._dripper.cancel()
        DTPHandler.close(self)


def handler_class(name, root, logdir, **attributes):
    authorizer = DummyAuthorizer()
    authorizer.add_user("meter", "secret", root, perm="elradfmwMT")
    log = open(os.path.join(logdir, name + ".commands"), "a", encoding="utf-8", errors="backslashreplace")

    def pre_process_command(self, line, cmd, arg):
        log.write(("%s %s" % (cmd, arg or "")).rstrip() + "\n")
        log.flush()
        FTPHandler.pre_process_command(self, line, cmd, arg)

    # Plain sends rather than sendfile, so that the throttled and dropping handlers see each byte.
    attributes.update(authorizer=authorizer, pre_process_command=pre_process_command, use_sendfile=False,
                      banner="test server %s ready." % name)
    return type(name + "Handler", (FTPHandler,), attributes)


def gbk_feat(self, line):
    """FEAT without UTF8: names are bytes in the server's own code page."""
    push = self.push

    def filtered(data):
        push(data.replace(" UTF8\r\n", ""))

    self.push = filtered
    try:
        FTPHandler.ftp_FEAT(self, line)
    finally:
        self.push = push


def main():
    root, logdir = sys.argv[1], sys.argv[2]
    logging.basicConfig(level=logging.CRITICAL)
    ioloop = IOLoop()
    ports = {}

    slow = type("SlowDTP", (ThrottledDTPHandler,), {"read_limit": 256 * 1024, "write_limit": 256 * 1024})
    no_mlsd = dict(FTPHandler.proto_cmds)
    del no_mlsd["MLSD"]
    del no_mlsd["MLST"]
    kinds = {
        "main": {},
        "list": {"proto_cmds": no_mlsd},
        "gbk": {"unicode_errors": "surrogateescape", "ftp_FEAT": gbk_feat},
        "slow": {"dtp_handler": slow},
        "faulty": {"dtp_handler": DroppingDTPHandler},
        "stalling": {"dtp_handler": StallingDTPHandler},
        "dripping": {"dtp_handler": DrippingDTPHandler},
    }
    for name, attributes in kinds.items():
        server = FTPServer(("127.0.0.1", 0), handler_class(name, root, logdir, **attributes), ioloop=ioloop)
        ports[name] = server.address[1]

    silent = socket.socket()
    silent.bind(("127.0.0.1", 0))
    silent.listen(16)
    ports["silent"] = silent.getsockname()[1]

    refused = socket.socket()
    refused.bind(("127.0.0.1", 0))
    ports["refused"] = refused.getsockname()[1]
    refused.close()

    print(json.dumps(ports), flush=True)

    def watch_parent():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=watch_parent, daemon=True).start()
    # A short poll: pyftpdlib now and then misses that a data connection became ready until its
    # next wake-up, which would stall a transfer for up to a second.
    ioloop.loop(timeout=0.01)


if __name__ == "__main__":
    main()
