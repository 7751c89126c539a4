"""The example panel's Modbus TCP device: a tank on pymodbus, on
127.0.0.1:PORT (5020 by default), unit 1.

    holding register 0         the setpoint, 0 ... 100 (the panel's slider writes it)
    holding registers 1-2      the level, float32, following the setpoint
    holding registers 10-17    a message, 16 bytes of text
"""
import asyncio
import logging
import struct
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


def text_registers(text):
    data = text.encode("ascii")[:16].ljust(16, b"\0")
    return list(struct.unpack(">8H", data))


async def simulate(holding):
    level = 0.0
    holding.setValues(0, [50])
    while True:
        setpoint = holding.getValues(0, 1)[0]
        level += (setpoint - level) * 0.1
        holding.setValues(1, list(struct.unpack(">2H", struct.pack(">f", level))))
        holding.setValues(10, text_registers("STEADY" if abs(setpoint - level) < 1 else "FILLING"))
        await asyncio.sleep(0.1)


def main():
    logging.getLogger("pymodbus").setLevel(logging.CRITICAL)  # a panel going away is no error here
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 5020
    holding = ModbusSequentialDataBlock(0, [0] * 100)
    store = ModbusSlaveContext(zero_mode=True, hr=holding)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = ModbusTcpServer(ModbusServerContext(slaves={1: store}, single=False),
                             address=("127.0.0.1", port), allow_reuse_address=True, loop=loop)
    loop.create_task(simulate(holding))
    print(f"plant server on 127.0.0.1:{port}", flush=True)
    loop.run_until_complete(server.serve_forever())


if __name__ == "__main__":
    main()
