"""A Modbus TCP server of another implementation (pymodbus) for the Modbus
link's tests: 1,000 coils, discrete inputs, input registers and holding
registers at addresses 0 ... 999 of unit 1, served on 127.0.0.1:PORT.

    modbus-test-server.py PORT

It prints "listening" once it listens. Commands on stdin, one a line:

    set AREA ADDRESS VALUE...     AREA co, di, ir or hr; registers as 0 ... 65535
    get AREA ADDRESS COUNT        prints "got AREA ADDRESS VALUE..."
    count AREA ADDRESS COUNT HZ   counts the registers up by one, HZ times a second
"""
import asyncio
import logging
import os
import sys
import types

# The TCP server needs neither pyserial nor pyserial-asyncio, which pymodbus
# imports for its serial servers: stand-ins where they are not installed.
for name in ("serial", "serial_asyncio"):
    try:
        __import__(name)
    except ImportError:
        stand_in = types.ModuleType(name)
        stand_in.create_serial_connection = None
        sys.modules[name] = stand_in

from pymodbus.datastore import ModbusSequentialDataBlock, ModbusServerContext, ModbusSlaveContext  # noqa: E402
from pymodbus.server.async_io import ModbusTcpServer  # noqa: E402

SIZE = 1000


def main():
    logging.getLogger("pymodbus").setLevel(logging.CRITICAL)  # a client going away is no error here
    port = int(sys.argv[1])
    blocks = {area: ModbusSequentialDataBlock(0, [0] * SIZE) for area in ("co", "di", "ir", "hr")}
    store = ModbusSlaveContext(zero_mode=True, **blocks)
    context = ModbusServerContext(slaves={1: store}, single=False)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = ModbusTcpServer(context, address=("127.0.0.1", port), allow_reuse_address=True, loop=loop)

    async def count_up(block, address, count, hz):
        while True:
            block.setValues(address, [(v + 1) % 65536 for v in block.values[address:address + count]])
            await asyncio.sleep(1 / hz)

    def command(line):
        fields = line.split()
        if not fields:
            return
        if fields[0] == "set":
            blocks[fields[1]].setValues(int(fields[2]), [int(v) for v in fields[3:]])
        elif fields[0] == "get":
            values = blocks[fields[1]].values[int(fields[2]):int(fields[2]) + int(fields[3])]
            print("got", fields[1], fields[2], *[int(v) for v in values], flush=True)
        elif fields[0] == "count":
            loop.create_task(count_up(blocks[fields[1]], *[int(v) for v in fields[2:5]]))

    pending = b""

    def read_stdin():
        nonlocal pending
        chunk = os.read(sys.stdin.fileno(), 65536)
        if not chunk:
            loop.stop()
            return
        pending += chunk
        *lines, pending = pending.split(b"\n")
        for line in lines:
            command(line.decode())

    loop.add_reader(sys.stdin, read_stdin)
    task = loop.create_task(server.serve_forever())

    async def announce():
        while server.server is None:
            await asyncio.sleep(0.01)
        print("listening", flush=True)

    loop.create_task(announce())
    loop.run_forever()
    task.cancel()


if __name__ == "__main__":
    main()
