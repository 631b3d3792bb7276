#!/usr/bin/env python3
"""Builds the benchmark trees: the same kind, size and seed always give the same tree.

    gentree.py KIND DEST [--seed N] [--scale F] [--manifest FILE]

Kinds:
  bushy    10,000 directories and 190,000 files (200,000 entries below DEST), directories nested
           up to 16 levels, files spread unevenly over them
  wide     one directory of 300,000 files
  chainN   a chain of N nested directories (e.g. chain600, chain150), each level holding
           60,000/N files, so chains of every depth have about the same number of entries
--scale shrinks the entry counts (the quick mode uses 0.01); a chain keeps its depth.

Files are sparse (only truncated to their length, no data blocks). Names are bytes as real disks
hold them: words, numbers, blanks, "%", hidden names, UTF-8 from several scripts and a few
Latin-1 bytes that are no UTF-8 at all. Lengths run from 0 to 10^12 bytes, last-write times from
1902 to 2400 with the 1970 and 2038 boundaries among them; most files of a folder were written
within a few hours of each other, as files that arrive together are. Everything is created relative to the
parent's descriptor, so chains deeper than PATH_MAX are no problem.

The random numbers come from our own generator (splitmix64), not from the random module, so the
trees do not change with the Python version. The manifest (JSON) records what was built; the
benchmark checks listings against it.
"""

import argparse
import json
import os
import sys

MASK64 = (1 << 64) - 1


class Rng:
    """splitmix64: tiny, fast enough, and the same on every Python."""

    def __init__(self, seed_text):
        state = 0x9E3779B97F4A7C15
        for byte in seed_text.encode():
            state = ((state ^ byte) * 0x100000001B3) & MASK64
        self.state = state

    def next64(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK64
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK64
        return z ^ (z >> 31)

    def below(self, n):
        return self.next64() % n

    def between(self, lo, hi):
        return lo + self.below(hi - lo + 1)

    def unit(self):
        return (self.next64() >> 11) / float(1 << 53)

    def chance(self, p):
        return self.unit() < p

    def pick(self, items):
        return items[self.below(len(items))]


WORDS = [
    "report", "budget", "invoice", "photo", "notes", "draft", "final", "backup", "config",
    "setup", "readme", "data", "export", "scan", "letter", "summary", "meeting", "project",
    "archive", "holiday", "music", "track", "video", "thesis", "chapter", "slides", "contract",
    "tax", "log", "build", "test", "src", "lib", "assets", "old", "new", "copy", "Documents",
    "Downloads", "Pictures", "Q3", "minutes", "Kickoff", "Release Notes", "customer", "sample",
]
FOREIGN = [
    "Übersicht", "Größe", "résumé", "naïve", "café", "Straße", "Ærøskøbing", "smörgåsbord",
    "Привет", "данные", "отчёт", "日本語", "写真", "文書", "中文資料", "데이터", "Ελληνικά",
    "שלום", "مرحبا", "ñandú", "façade", "jalapeño", "📁", "🎉", "Æble", "Łódź", "İstanbul",
]
PERCENT = ["100%", "50% off", "%20", "%s", "%d", "%n", "a%b", "%%", "%x %X", "99.9%"]
CAMERA = ["IMG_", "DSC", "DSCN", "PXL_", "Screenshot "]
EXTENSIONS = [
    ".txt", ".pdf", ".jpg", ".JPG", ".docx", ".xlsx", ".mp3", ".mp4", ".tar.gz", ".zip", ".log",
    ".csv", ".py", ".c", ".h", "", ".bak", ".iso", ".html", ".json", ".odt", ".png",
]
SEPARATORS = [" ", " ", "_", "-", ".", "", " - "]
LATIN1 = [b"caf\xe9", b"\xc4rger", b"Gr\xf6\xdfe", b"na\xefve", b"se\xf1or"]

YEAR_1902 = -2145916800
YEAR_1970 = 0
YEAR_1995 = 788918400
YEAR_2025 = 1735689600
YEAR_2038 = 2145916800
YEAR_2100 = 4102444800
YEAR_2400 = 13569465600
SPECIAL_TIMES = [
    0, -1, 1, 2147483647, 2147483648, -2147483648, YEAR_2400, 946684799, 946684800,
    # EU daylight-saving changes at 01:00 UTC, a second before and on the change
    1711846799, 1711846800, 1729990799, 1729990800, 1616893199, 1616893200,
    # US changes (07:00 and 06:00 UTC)
    1710054000, 1710053999, 1730613600, 1730613599,
]
SPECIAL_SIZES = [
    999, 1000, 999999, 1000000, 10**9 - 1, 10**9, 2**31, 2**32, 10**12 - 1, 10**12, 1,
]


def make_word(rng):
    roll = rng.unit()
    if roll < 0.70:
        return rng.pick(WORDS).encode()
    if roll < 0.84:
        return rng.pick(FOREIGN).encode()
    if roll < 0.93:
        return str(rng.between(1, 2025)).encode()
    if roll < 0.99:
        return rng.pick(PERCENT).encode()
    return rng.pick(LATIN1)


def make_name(rng, is_file):
    roll = rng.unit()
    if roll < 0.12:
        stem = rng.pick(CAMERA).encode() + b"%04d" % rng.below(10000)
    else:
        parts = [make_word(rng) for _ in range(rng.between(1, 3))]
        stem = rng.pick(SEPARATORS).encode().join(parts)
        if rng.chance(0.25):
            stem += b" (%d)" % rng.between(1, 12)
        if rng.chance(0.01):
            # a long name, as downloads and generated files have
            stem += b"_" + b"-".join(make_word(rng) for _ in range(rng.between(10, 20)))
    if rng.chance(0.03):
        stem = b"." + stem
    elif rng.chance(0.002):
        stem = b" " + stem
    ext = rng.pick(EXTENSIONS).encode() if is_file else b""
    if not is_file and rng.chance(0.05):
        ext = b".d"
    return stem[: 250 - len(ext)] + ext


def unique(name, used):
    candidate, k = name, 2
    while candidate in used or candidate in (b".", b"..", b""):
        candidate = name + b"~%d" % k
        k += 1
    used.add(candidate)
    return candidate


def make_size(rng):
    roll = rng.unit()
    if roll < 0.05:
        return 0
    if roll < 0.07:
        return rng.pick(SPECIAL_SIZES)
    return min(int(10 ** (rng.unit() * 12)), 10**12)


def make_time(rng):
    roll = rng.unit()
    if roll < 0.05:
        seconds = rng.between(YEAR_1902, YEAR_1970 - 1)
    elif roll < 0.10:
        seconds = rng.between(YEAR_2038, YEAR_2100)
    elif roll < 0.12:
        seconds = rng.pick(SPECIAL_TIMES)
    else:
        seconds = rng.between(YEAR_1995, YEAR_2025)
    return seconds * 1_000_000_000 + rng.below(1_000_000_000)


class Builder:
    def __init__(self, rng):
        self.rng = rng
        self.dirs = 0
        self.files = 0
        self.max_depth = 0
        self.longest_path = 0

    def add_files(self, dir_fd, count, used):
        rng = self.rng
        # Files that arrive together share a day: most files of a folder were written within a
        # few hours of each other, the others at any time.
        session = make_time(rng)
        for _ in range(count):
            name = unique(make_name(rng, True), used)
            fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_CLOEXEC, 0o644,
                         dir_fd=dir_fd)
            os.ftruncate(fd, make_size(rng))
            if rng.chance(0.6):
                stamp = session + rng.below(6 * 3600 * 1_000_000_000)
            else:
                stamp = make_time(rng)
            os.utime(fd, ns=(stamp, stamp))
            os.close(fd)
        self.files += count

    def add_dir(self, dir_fd, used):
        name = unique(make_name(self.rng, False), used)
        os.mkdir(name, 0o755, dir_fd=dir_fd)
        self.dirs += 1
        return name

    def finish_dir(self, dir_fd):
        # Only creating entries in a directory changes its time, so it is set once its own
        # entries exist; what is created deeper down leaves it alone.
        stamp = make_time(self.rng)
        os.utime(dir_fd, ns=(stamp, stamp))

    def note_path(self, depth, path_length):
        self.max_depth = max(self.max_depth, depth)
        self.longest_path = max(self.longest_path, path_length)


def open_dir(name, dir_fd):
    return os.open(name, os.O_RDONLY | os.O_DIRECTORY | os.O_NOFOLLOW | os.O_CLOEXEC,
                   dir_fd=dir_fd)


def bushy_shape(rng, ndirs, nfiles, max_depth):
    """Parents and file counts: dir 0 is the root; each further dir hangs below an earlier one,
    often below one of the last few made, so that some branches run deep and others stay flat."""
    parent, depth = [-1], [0]
    for i in range(1, ndirs + 1):
        while True:
            if rng.chance(0.35):
                p = i - 1 - rng.below(min(i, 8))
            else:
                p = rng.below(i)
            if depth[p] < max_depth:
                break
        parent.append(p)
        depth.append(depth[p] + 1)
    # Uneven file counts: most folders hold a few files, some hold hundreds.
    weights = [rng.unit() ** 3 + 0.01 for _ in range(ndirs + 1)]
    total = sum(weights)
    counts = [int(nfiles * w / total) for w in weights]
    for k in range(nfiles - sum(counts)):
        counts[k % len(counts)] += 1
    children = [[] for _ in range(ndirs + 1)]
    for i in range(1, ndirs + 1):
        children[parent[i]].append(i)
    return children, counts


def build_bushy(builder, root_fd, root_len, ndirs, nfiles):
    children, counts = bushy_shape(builder.rng, ndirs, nfiles, 16)
    # One open descriptor per level of the path being built: [fd, node, pending children, depth,
    # path length]
    stack = []

    def enter(fd, node, depth, path_length):
        used = set()
        builder.add_files(fd, counts[node], used)
        names = [(child, builder.add_dir(fd, used)) for child in children[node]]
        builder.finish_dir(fd)
        builder.note_path(depth, path_length)
        stack.append([fd, names, 0, depth, path_length])

    enter(root_fd, 0, 0, root_len)
    while stack:
        top = stack[-1]
        fd, names, pos, depth, path_length = top
        if pos == len(names):
            if stack[0] is not top:
                os.close(fd)
            stack.pop()
            continue
        top[2] = pos + 1
        child, name = names[pos]
        enter(open_dir(name, fd), child, depth + 1, path_length + 1 + len(name))


def build_wide(builder, root_fd, root_len, nfiles):
    builder.add_files(root_fd, nfiles, set())
    builder.finish_dir(root_fd)
    builder.note_path(0, root_len)


def build_chain(builder, root_fd, root_len, levels, files_per_level):
    fd, path_length = root_fd, root_len
    last_file = b""
    for depth in range(levels + 1):
        used = set()
        builder.add_files(fd, files_per_level, used)
        if depth < levels:
            # Names of 8 or more bytes: 600 levels make paths far past 4096 bytes.
            name = unique(b"level %03d " % (depth + 1) + make_word(builder.rng)[:24], used)
            os.mkdir(name, 0o755, dir_fd=fd)
            builder.dirs += 1
        builder.finish_dir(fd)
        builder.note_path(depth, path_length)
        if depth < levels:
            child = open_dir(name, fd)
            path_length += 1 + len(name)
            if fd != root_fd:
                os.close(fd)
            fd = child
        else:
            last_file = sorted(used)[0] if used else b""
            if fd != root_fd:
                os.close(fd)
    return last_file


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("kind")
    parser.add_argument("dest")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--manifest")
    args = parser.parse_args()

    rng = Rng("quorvel-bench/%s/%d/%g" % (args.kind, args.seed, args.scale))
    builder = Builder(rng)
    os.mkdir(args.dest, 0o755)
    root_fd = os.open(args.dest, os.O_RDONLY | os.O_DIRECTORY | os.O_CLOEXEC)
    root_len = len(os.path.abspath(args.dest).encode()) + 1
    manifest = {"kind": args.kind, "seed": args.seed, "scale": args.scale}
    if args.kind == "bushy":
        ndirs = max(10, round(10000 * args.scale))
        build_bushy(builder, root_fd, root_len, ndirs, max(10, round(200000 * args.scale)) - ndirs)
    elif args.kind == "wide":
        build_wide(builder, root_fd, root_len, max(10, round(300000 * args.scale)))
    elif args.kind.startswith("chain") and args.kind[5:].isdigit():
        levels = int(args.kind[5:])
        per_level = max(1, round(60000 * args.scale / levels))
        last = build_chain(builder, root_fd, root_len, levels, per_level)
        manifest["deepest_file"] = last.decode("utf-8", "surrogateescape")
    else:
        parser.error("unknown kind %r" % args.kind)
    os.close(root_fd)
    manifest.update(dirs=builder.dirs, files=builder.files, entries=builder.dirs + builder.files,
                    max_depth=builder.max_depth, longest_dir_path=builder.longest_path)
    if args.manifest:
        with open(args.manifest, "w") as out:
            json.dump(manifest, out, indent=1)
    print("%s: %d directories, %d files, %d levels, longest directory path %d bytes"
          % (args.dest, builder.dirs, builder.files, builder.max_depth, builder.longest_path),
          file=sys.stderr)


if __name__ == "__main__":
    main()
