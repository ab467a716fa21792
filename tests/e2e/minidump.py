"""Reads from a minidump what a debugger starts from: its streams, the exception, the threads, the modules."""
import collections
import struct

THREAD_LIST, MODULE_LIST, MEMORY_LIST, EXCEPTION, MEMORY64_LIST = 3, 4, 5, 6, 9
# An x64 CONTEXT record: where its flags, stack pointer and instruction pointer are.
CONTEXT_FLAGS, CONTEXT_RSP, CONTEXT_RIP = 0x30, 0x98, 0xF8

Exception = collections.namedtuple("Exception", "thread code address context_flags rsp rip")


class MiniDump:
    def __init__(self, path):
        with open(path, "rb") as file:
            self.data = file.read()
        signature, _, count, directory = self.read("<4sIII", 0)
        assert signature == b"MDMP", signature
        self.streams = dict(self.read("<I4xI", directory + 12 * index) for index in range(count))

    def read(self, layout, offset):
        return struct.unpack_from(layout, self.data, offset)

    def entries(self, stream, layout, size):
        at = self.streams[stream]
        return [self.read(layout, at + 4 + size * index) for index in range(self.read("<I", at)[0])]

    def exception(self):
        thread, code, address, context = self.read("<I4xI12xQ132xI", self.streams[EXCEPTION])
        return Exception(thread, code, address, self.read("<I", context + CONTEXT_FLAGS)[0],
                         self.read("<Q", context + CONTEXT_RSP)[0], self.read("<Q", context + CONTEXT_RIP)[0])

    def stacks(self):
        """{thread id: (start, size) of its stack memory}"""
        return {thread: (start, size) for thread, start, size in self.entries(THREAD_LIST, "<I20xQI", 48)}

    def modules(self):
        """[(base, size, file path)]"""
        return [(base, size, self.text(name)) for base, size, name in self.entries(MODULE_LIST, "<QI8xI", 108)]

    def text(self, at):
        return self.data[at + 4:at + 4 + self.read("<I", at)[0]].decode("utf-16-le")
