"""The harness's own rules for a lost driver server, against a fake server
on a socket pair (no Wine needed): a query is asked again on a new server,
input that may have reached the old one is not sent again."""

import socket
import struct
import threading
import unittest
from unittest import mock

from harness import driver as driver_module
from harness.driver import Driver, DriverServer


class FakeProcess:
    log_path = "fake.log"

    def __init__(self):
        self.alive = True

    def running(self):
        return self.alive

    def exit_code(self):
        return None if self.alive else 1

    def log(self):
        return ""

    def kill(self):
        self.alive = False

    def wait_briefly(self):
        pass


class FakePrefix:
    def __init__(self):
        self.loader_retries = 0
        self.events = []

    def event(self, text):
        self.events.append(text)

    def run(self, exe, args):
        raise AssertionError("the one-shot path is not expected here")


def read_request(conn):
    def exact(size):
        data = b""
        while len(data) < size:
            chunk = conn.recv(size - len(data))
            if not chunk:
                raise ConnectionError
            data += chunk
        return data
    (count,) = struct.unpack("<I", exact(4))
    return [exact(struct.unpack("<I", exact(4))[0]).decode() for _ in range(count)]


def fake_server(answer):
    """A DriverServer whose far end records each request and replies with
    answer(args): bytes to send, or None to hang up without answering."""
    near, far = socket.socketpair()
    seen = []

    def serve():
        with far:
            while True:
                try:
                    args = read_request(far)
                except ConnectionError:
                    return
                seen.append(args)
                reply = answer(args)
                if reply is None:
                    return
                far.sendall(reply)
    threading.Thread(target=serve, daemon=True).start()
    return DriverServer(near, FakeProcess()), seen


def reply(code, out=b"", err=b""):
    return struct.pack("<iI", code, len(out)) + out + struct.pack("<I", len(err)) + err


class LostServerTests(unittest.TestCase):
    def setUp(self):
        self.prefix = FakePrefix()
        self.driver = Driver(self.prefix, "driver.exe")
        self.driver.server_starts = 1

    def test_a_query_whose_answer_was_lost_is_asked_again_on_a_new_server(self):
        self.driver.server, first = fake_server(lambda args: None)
        second, asked = fake_server(lambda args: reply(0, b'{"pid":8,"exe":"vesk.exe"}\n'))
        with mock.patch.object(DriverServer, "launch", return_value=second):
            self.assertEqual(self.driver.processes(), [(8, "vesk.exe")])
        self.assertEqual((first, asked), ([["processes"]], [["processes"]]))
        self.assertEqual(self.driver.server_restarts, 1)
        self.assertIn("asking a new server", self.prefix.events[0])

    def test_input_that_may_have_reached_a_lost_server_is_not_sent_again(self):
        for args in (["keys", "win+0"], ["close", "42"], ["dismiss", "42"]):
            with self.subTest(args=args):
                self.driver.server, seen = fake_server(lambda args: None)
                with mock.patch.object(DriverServer, "launch",
                                       side_effect=AssertionError("a new server was started")):
                    with self.assertRaisesRegex(AssertionError, "after the request was sent"):
                        self.driver.request(args)
                self.assertEqual(seen, [args])

    def test_input_for_a_server_that_had_already_ended_goes_to_a_new_server(self):
        self.driver.server, seen = fake_server(lambda args: reply(0))
        self.driver.server.process.kill()
        second, asked = fake_server(lambda args: reply(0))
        with mock.patch.object(DriverServer, "launch", return_value=second):
            self.driver.keys("win+0")
        self.assertEqual((seen, asked), ([], [["keys", "win+0"]]))

    def test_after_the_last_server_start_failed_requests_run_as_programs(self):
        self.driver.server_starts = driver_module.SERVER_STARTS
        with mock.patch.object(self.prefix, "run", return_value=(0, "", "")) as run:
            self.driver.keys("win+0")
        run.assert_called_once_with("driver.exe", ["keys", "win+0"])
