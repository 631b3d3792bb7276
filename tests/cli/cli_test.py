#!/usr/bin/env python3
"""Drives the built quorvel program as a user would: a temporary tree, the real binary, its exit
status, standard output and error, and the file it writes.

    cli_test.py QUORVEL                   the native program
    cli_test.py --wine WINE_RUN QUORVELC  the Windows program under Wine

Only the standard library is used. A pseudo-terminal stands in for the user where the program
asks a question or shows its progress line.
"""

import calendar
import errno
import fcntl
import os
import re
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import termios
import unittest

PROGRAM = None
WINE_RUN = None

# A guard against a hanging program, not a measure of speed.
HANG_GUARD = 120

ASTERISKS = "*" * 19
STAMP = re.compile(r"\d\d/\d\d/\d\d \d\d:\d\d:\d\d \*")


def utc(year, month, day):
    return calendar.timegm((year, month, day, 12, 0, 0))


class Tree:
    """A small tree whose listing does not depend on the file system's order: every directory
    holds at most one file and one subdirectory."""

    def __init__(self):
        self.base = tempfile.mkdtemp(prefix="quorvel-cli-")
        self.root = os.path.join(self.base, "Data")
        self.file("notes.txt", 1234567, utc(2011, 9, 15))
        self.file("Photos/a.jpg", 52340, utc(2011, 8, 1))
        self.dir("Photos/Old", utc(2011, 8, 1))
        os.utime(os.path.join(self.root, "Photos"), (utc(2011, 8, 1),) * 2)

    def path(self, relative):
        return os.path.join(self.root, relative)

    def file(self, relative, length, when):
        path = self.path(relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.truncate(length)
        os.utime(path, (when, when))

    def dir(self, relative, when):
        path = self.path(relative)
        os.makedirs(path, exist_ok=True)
        os.utime(path, (when, when))

    def outside(self, name):
        """A path beside the listed tree, so that the output file is not listed itself."""
        return os.path.join(self.base, name)

    def remove(self):
        shutil.rmtree(self.base, ignore_errors=True)


def environment():
    env = dict(os.environ)
    env["TZ"] = "UTC"
    return env


def run(args, stdin=subprocess.DEVNULL, input_bytes=None):
    if input_bytes is not None:
        stdin = None
    return subprocess.run([PROGRAM] + args, stdin=stdin, input=input_bytes, capture_output=True,
                          env=environment(), timeout=HANG_GUARD)


def body(root, style, size=False, date=False):
    """The lines below the header for the tree of Tree, as the listing writes them."""
    photos = "   ( 08/01/11 )" if date else ""
    if size and date:
        notes, jpg = "   ( 1,234,567 B, 09/15/11 )", "   ( 52,340 B, 08/01/11 )"
    elif size:
        notes, jpg = "   ( 1,234,567 B, )", "   ( 52,340 B, )"
    elif date:
        notes, jpg = "   ( 09/15/11 )", "   ( 08/01/11 )"
    else:
        notes, jpg = "", ""
    if style == "tree":
        return ["|   notes.txt" + notes, "|   ", "|___Photos" + photos,
                "    |   a.jpg" + jpg, "    |   ", "    |___Old" + photos]
    return ["    notes.txt" + notes, "    ", root + "Photos/" + photos,
            "    a.jpg" + jpg, "    ", root + "Photos/Old/" + photos]


def split_report(test, data, root, crlf=True):
    """Checks the header block and gives back the body lines."""
    end = "\r\n" if crlf else "\n"
    text = data.decode("latin-1")
    if crlf:
        test.assertNotIn("\n", text.replace("\r\n", ""), "a line end without CR")
    else:
        test.assertNotIn("\r", text)
    test.assertTrue(text.endswith(end), "the last line has no line end")
    lines = text[: -len(end)].split(end)
    test.assertEqual(lines[0:3], ["", "", ASTERISKS])
    test.assertRegex(lines[3], "^" + STAMP.pattern + "$")
    test.assertEqual(lines[4:6], [ASTERISKS, root])
    return lines[6:]


def split_reports(text):
    """The reports of a file: each begins with two empty lines and the asterisks."""
    return text.split(b"\r\n\r\n" + ASTERISKS.encode() + b"\r\n")


class PtyRun:
    """Runs the program with standard input and standard error on a pseudo-terminal, and
    standard output there too unless it is given. Answers the question when it appears."""

    def __init__(self, args, answer=None, stdout=None, columns=None):
        master, slave = os.openpty()
        if columns:
            fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 24, columns, 0, 0))
        process = subprocess.Popen([PROGRAM] + args, stdin=slave,
                                   stdout=stdout if stdout is not None else slave, stderr=slave,
                                   env=environment(), close_fds=True)
        os.close(slave)
        self.screen = b""
        answered = answer is None
        while True:
            ready, _, _ = select.select([master], [], [], HANG_GUARD)
            if not ready:
                process.kill()
                raise AssertionError("no output and no end: " + repr(self.screen))
            try:
                chunk = os.read(master, 4096)
            except OSError as error:
                if error.errno != errno.EIO:
                    raise
                break
            if not chunk:
                break
            self.screen += chunk
            if not answered and b"[Y/n] " in self.screen:
                os.write(master, answer)
                answered = True
        os.close(master)
        self.status = process.wait(timeout=HANG_GUARD)


class CliTest(unittest.TestCase):
    def setUp(self):
        self.tree = Tree()
        self.root = self.tree.root + "/"

    def tearDown(self):
        self.tree.remove()

    def listing(self, args, style, size=False, date=False):
        result = run(args + [self.tree.root])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, b"")
        self.assertEqual(split_report(self, result.stdout, self.root),
                         body(self.root, style, size, date))

    def test_each_option_shapes_the_listing(self):
        cases = [
            ([], "list", False, False),
            (["-l"], "list", False, False),
            (["--list"], "list", False, False),
            (["-t"], "tree", False, False),
            (["--tree"], "tree", False, False),
            (["-s"], "list", True, False),
            (["--size"], "list", True, False),
            (["-d"], "list", False, True),
            (["--date"], "list", False, True),
            (["-tsd"], "tree", True, True),
            (["--tree", "--size", "--date"], "tree", True, True),
            (["--tr", "--si", "--da"], "tree", True, True),
            (["-t", "-l"], "list", False, False),
            (["--list", "--tree"], "tree", False, False),
        ]
        for args, style, size, date in cases:
            with self.subTest(args=args):
                self.listing(args, style, size, date)

    def test_options_may_follow_the_directory(self):
        result = run([self.tree.root, "-t", "--size"])
        self.assertEqual(result.returncode, 0)
        self.assertEqual(split_report(self, result.stdout, self.root),
                         body(self.root, "tree", True))

    def test_double_dash_ends_the_options(self):
        os.rename(self.tree.root, self.tree.outside("-t"))
        result = subprocess.run([PROGRAM, "--", "-t"], cwd=self.tree.base, capture_output=True,
                                stdin=subprocess.DEVNULL, env=environment(), timeout=HANG_GUARD)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(split_report(self, result.stdout, "-t/"), body("-t/", "list"))

    def test_lf_ends_lines_with_lf_on_standard_output_and_in_a_file(self):
        result = run(["--lf", "-t", self.tree.root])
        self.assertEqual(result.returncode, 0)
        self.assertEqual(split_report(self, result.stdout, self.root, crlf=False),
                         body(self.root, "tree"))
        output = self.tree.outside("out.txt")
        result = run(["--lf", "-o", output, self.tree.root])
        self.assertEqual(result.returncode, 0)
        with open(output, "rb") as f:
            self.assertEqual(split_report(self, f.read(), self.root, crlf=False),
                             body(self.root, "list"))

    def test_output_writes_the_same_bytes_to_the_file(self):
        to_stdout = run(["-tsd", self.tree.root]).stdout
        output = self.tree.outside("out.txt")
        for form in (["-o", output], ["--output", output], ["--output=" + output],
                     ["-o" + output], ["-tsdo", output]):
            with self.subTest(form=form):
                result = run(["-tsd"] + form + [self.tree.root])
                self.assertEqual((result.returncode, result.stdout, result.stderr),
                                 (0, b"", b""))
                with open(output, "rb") as f:
                    written = f.read()
                os.remove(output)
                # Only the time stamp may differ.
                self.assertEqual(STAMP.sub("", written.decode()), STAMP.sub("", to_stdout.decode()))

    def test_existing_file_without_terminal_is_refused_and_kept(self):
        output = self.tree.outside("out.txt")
        with open(output, "wb") as f:
            f.write(b"old listing\r\n")
        os.utime(output, (utc(2020, 1, 1),) * 2)
        # A pipe is no terminal either, whatever it carries.
        for stdin, data in ((subprocess.DEVNULL, None), (None, b"y\n")):
            with self.subTest(stdin=data):
                result = run(["-o", output, self.tree.root], stdin=stdin, input_bytes=data)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                message = result.stderr.decode()
                self.assertEqual(message.count("\n"), 1, message)
                self.assertTrue(message.startswith("quorvel: "), message)
                for needed in (output, "--replace", "--append"):
                    self.assertIn(needed, message)
                with open(output, "rb") as f:
                    self.assertEqual(f.read(), b"old listing\r\n")
                self.assertEqual(os.stat(output).st_mtime, utc(2020, 1, 1))

    def test_replace_and_append_answer_without_asking(self):
        output = self.tree.outside("out.txt")
        for option, keeps_old in (("--replace", False), ("--append", True), ("--rep", False),
                                  ("--app", True)):
            with self.subTest(option=option):
                with open(output, "wb") as f:
                    f.write(b"old listing\r\n")
                result = run([option, "-o", output, self.tree.root])
                self.assertEqual((result.returncode, result.stderr), (0, b""))
                with open(output, "rb") as f:
                    reports = split_reports(f.read())
                self.assertEqual(reports[0], b"old listing\r\n" if keeps_old else b"")
                self.assertEqual(len(reports), 2)

    def test_replace_or_append_create_a_missing_file(self):
        output = self.tree.outside("new.txt")
        for option in ("--replace", "--append"):
            with self.subTest(option=option):
                result = run([option, "-o", output, self.tree.root])
                self.assertEqual(result.returncode, 0)
                with open(output, "rb") as f:
                    self.assertEqual(split_report(self, f.read(), self.root),
                                     body(self.root, "list"))
                os.remove(output)

    def test_appending_twice_keeps_both_reports(self):
        output = self.tree.outside("inventory.txt")
        for _ in range(2):
            self.assertEqual(run(["--append", "-t", "-o", output, self.tree.root]).returncode, 0)
        with open(output, "rb") as f:
            reports = split_reports(f.read())
        self.assertEqual(len(reports), 3)
        self.assertEqual(reports[0], b"")

    def test_question_on_a_terminal(self):
        output = self.tree.outside("out.txt")
        # answer, what it means: True replaced, False appended after the old content
        cases = [(b"y\n", True), (b"Y\n", True), (b"yes\n", True), (b"\n", True),
                 (b"n\n", False), (b"NO\n", False), (b"maybe\nn\n", False),
                 (b"\x04", False)]
        for answer, replaced in cases:
            with self.subTest(answer=answer):
                with open(output, "wb") as f:
                    f.write(b"old listing\r\n")
                session = PtyRun(["-t", "-o", output, self.tree.root], answer=answer)
                self.assertEqual(session.status, 0, session.screen)
                question = (output + " exists. Do you want to replace it? [Y/n] ").encode()
                self.assertIn(question, session.screen)
                asked = session.screen.count(question)
                self.assertEqual(asked, 2 if answer.startswith(b"maybe") else 1)
                with open(output, "rb") as f:
                    reports = split_reports(f.read())
                self.assertEqual(reports[0], b"" if replaced else b"old listing\r\n")
                self.assertEqual(len(reports), 2)

    def test_progress_line_on_a_terminal_is_erased_and_stays_out_of_the_file(self):
        output = self.tree.outside("out.txt")
        session = PtyRun(["-t", "-o", output, self.tree.root])
        self.assertEqual(session.status, 0)
        screen = session.screen.decode()
        self.assertIn("entries, reading " + self.root, screen)
        # Every update begins at the start of the line; the last thing written blanks it.
        self.assertTrue(screen.startswith("\r"), repr(screen))
        self.assertNotIn("\n", screen)
        shown = [part for part in screen.split("\r") if part]
        self.assertEqual(shown[-1].strip(), "", repr(screen))
        self.assertGreaterEqual(len(shown[-1]), max(len(p.rstrip()) for p in shown))
        with open(output, "rb") as f:
            self.assertEqual(split_report(self, f.read(), self.root), body(self.root, "tree"))

    def test_progress_line_fits_a_narrow_terminal(self):
        # The first update names the listed directory, longer than the line has room for.
        self.assertGreater(len("0 entries, reading " + self.root), 39)
        output = self.tree.outside("out.txt")
        session = PtyRun(["-o", output, self.tree.root], columns=40)
        self.assertEqual(session.status, 0)
        shown = [part for part in session.screen.decode().split("\r") if part.strip()]
        self.assertTrue(shown)
        for part in shown:
            self.assertLessEqual(len(part), 39, part)
        self.assertRegex(shown[0], r"^0 entries, reading \.\.\..*/Data/$")

    def test_no_progress_line_without_a_terminal_or_without_a_file(self):
        output = self.tree.outside("out.txt")
        result = run(["-o", output, self.tree.root])
        self.assertEqual((result.returncode, result.stderr), (0, b""))
        # Listing to standard output: the terminal on standard error shows nothing.
        with open(self.tree.outside("stdout.txt"), "wb") as f:
            session = PtyRun(["-t", self.tree.root], stdout=f)
        self.assertEqual((session.status, session.screen), (0, b""))

    def test_job_failures_exit_1_with_the_notice(self):
        missing = self.tree.path("missing")
        a_file = self.tree.path("notes.txt")
        unopenable = self.tree.outside("no/such/folder/out.txt")
        cases = [
            ([missing], "quorvel: " + missing + "/ occurs error!\n"),
            ([a_file], "quorvel: " + a_file + "/ is not a right directory\n"),
            (["-o", unopenable, self.tree.root], "quorvel: " + unopenable + " can not be opened!\n"),
            (["-o", self.tree.base, self.tree.root],
             "quorvel: " + self.tree.base + " can not be opened!\n"),
        ]
        for args, notice in cases:
            with self.subTest(args=args):
                result = run(args)
                self.assertEqual((result.returncode, result.stdout, result.stderr.decode()),
                                 (1, b"", notice))
        self.assertFalse(os.path.exists(unopenable))

    @unittest.skipUnless(os.path.exists("/dev/full"), "needs /dev/full")
    def test_full_output_exits_1_with_the_notice(self):
        with open("/dev/full", "wb") as full:
            result = subprocess.run([PROGRAM, self.tree.root], stdout=full,
                                    stderr=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                    env=environment(), timeout=HANG_GUARD)
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, b"quorvel: standard output can not be written!\n")

    def test_closed_pipe_ends_quietly_with_failure(self):
        # Far more than a pipe holds, so the program is still writing when the reader goes.
        many = self.tree.path("many")
        os.makedirs(many)
        for i in range(4000):
            open(os.path.join(many, "%04d-%s" % (i, "x" * 200)), "wb").close()
        process = subprocess.Popen([PROGRAM, "-t", self.tree.root], stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                   env=environment())
        self.assertEqual(process.stdout.read(100)[:2], b"\r\n")
        process.stdout.close()
        error = process.stderr.read()
        status = process.wait(timeout=HANG_GUARD)
        # A negative status would be a death by signal.
        self.assertEqual((status, error), (1, b""))

    def test_wrong_usage_exits_2_with_a_one_line_hint(self):
        root = self.tree.root
        output = self.tree.outside("out.txt")
        cases = [
            [],
            ["--tree"],
            ["--nonsense", root],
            ["-x", root],
            ["-tx", root],
            ["--l", root],
            ["--tree=yes", root],
            ["-o"],
            [root, "--output"],
            [root, root],
            [""],
            ["--replace", root],
            ["--append", root],
            ["--replace", "--append", "-o", output, root],
        ]
        for args in cases:
            with self.subTest(args=args):
                result = run(args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                message = result.stderr.decode()
                self.assertEqual(message.count("\n"), 1, message)
                self.assertTrue(message.startswith("quorvel: "), message)
                self.assertIn("--help", message)
        self.assertFalse(os.path.exists(output))

    def test_help_names_only_options_that_work(self):
        for option in ("-h", "--help", "--he"):
            result = run([option])
            self.assertEqual((result.returncode, result.stderr), (0, b""))
            self.assertTrue(result.stdout.startswith(b"Usage: quorvel [OPTIONS] DIRECTORY\n"))
        help_text = run(["--help"]).stdout.decode()
        options = re.findall(r"^  (?:(-\w), )?\s*(--[\w-]+)( FILE)?", help_text, re.MULTILINE)
        self.assertEqual(len(options), 10, help_text)
        for short, long_name, value in options:
            for name in filter(None, (short, long_name)):
                with self.subTest(option=name):
                    # Help ends the reading, so anything that comes before it was understood.
                    args = [name] + (["x"] if value else []) + ["--help"]
                    if name in ("-h", "--help", "-V", "--version"):
                        args = [name]
                    result = run(args)
                    self.assertEqual((result.returncode, result.stderr), (0, b""))

    def test_version(self):
        for option in ("-V", "--version"):
            result = run([option])
            self.assertEqual((result.returncode, result.stdout, result.stderr),
                             (0, b"quorvel 3.22\n", b""))


class WineTest(unittest.TestCase):
    """quorvelc.exe under Wine lists a directory with Windows paths."""

    def setUp(self):
        self.tree = Tree()
        # Wine shows the Linux file system as drive Z:.
        self.root = "Z:" + self.tree.root.replace("/", "\\") + "\\"

    def tearDown(self):
        self.tree.remove()

    def wine(self, args):
        return subprocess.run([WINE_RUN, PROGRAM] + args, capture_output=True,
                              stdin=subprocess.DEVNULL, env=environment(), timeout=HANG_GUARD)

    def test_lists_a_directory_to_standard_output_and_to_a_file(self):
        result = self.wine(["--tree", "--size", self.root])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(split_report(self, result.stdout, self.root), body(self.root, "tree", True))

        output = self.tree.outside("out.txt")
        result = self.wine(["-o", "Z:" + output.replace("/", "\\"), self.root])
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = body(self.root.replace("\\", "/"), "list")
        with open(output, "rb") as f:
            self.assertEqual(split_report(self, f.read(), self.root),
                             [line.replace("/", "\\") for line in lines])

        result = self.wine([self.root + "missing"])
        self.assertEqual((result.returncode, result.stdout), (1, b""))
        self.assertIn(("quorvel: " + self.root + "missing\\ occurs error!").encode(),
                      result.stderr)


def main():
    global PROGRAM, WINE_RUN
    args = sys.argv[1:]
    if args[:1] == ["--wine"]:
        WINE_RUN, PROGRAM = args[1], os.path.abspath(args[2])
        suite = unittest.defaultTestLoader.loadTestsFromTestCase(WineTest)
    else:
        PROGRAM = os.path.abspath(args[0])
        suite = unittest.defaultTestLoader.loadTestsFromTestCase(CliTest)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    failed = len(result.failures) + len(result.errors)
    print("%d passed, %d failed" % (result.testsRun - failed, failed))
    return 0 if result.wasSuccessful() and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
