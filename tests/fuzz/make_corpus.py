#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (tests/fuzz/corpus/<target>/)
from the cases the core tests use: strokes, tool changes and button presses,
key tables and key reports, device files of whole and damaged records, the
supported-device table and the pen file. Each seed is in the input layout its
fuzz target reads (see the *Setup structs in tests/fuzz/*Fuzzer.cpp)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
REFERENCE, SECOND_BRAND, LIBRARY = 0, 1, 2

# ---------------------------------------------------------------- records

def tablet_info(vid=0x1234, pid=1, pen_length=10, key_length=10, x_max=10206, y_max=7422,
                pressure_max=1023, key_count=1, rotation=0):
    info = bytearray(160)
    struct.pack_into('<HHxxHH', info, 0, vid, pid, pen_length, key_length)
    struct.pack_into('<ii', info, 20, 0, x_max)
    struct.pack_into('<ii', info, 36, 0, y_max)
    struct.pack_into('<ii', info, 68, 0, pressure_max)
    struct.pack_into('<i', info, 84, key_count)
    struct.pack_into('<i', info, 92, rotation)
    return bytes(info)


def record_size(keys):
    return 240 + 516 * max(keys, 1)


def stored_record(pid, keys, seed):
    """A device record as the panel stores it (mapping set, key i a keystroke of seed + i)."""
    record = bytearray(record_size(keys))
    record[0:160] = tablet_info(pid=pid, key_count=keys)
    struct.pack_into('<ii', record, 160, 1, seed)
    struct.pack_into('<4i', record, 204, 0, 0, 0xFFFF, 0xFFFF)
    struct.pack_into('<4i', record, 220, 0, 0, 10206, 7422)
    struct.pack_into('<i', record, 236, keys)
    for i in range(max(keys, 1)):
        struct.pack_into('<iB', record, 240 + 516 * i, 256, (seed + i) & 0xFF)
    return bytes(record)


def pen_settings(click=43, sensitivity=100, button1=17, button2=18, keys1=b'', keys2=b''):
    pen = bytearray(1132)
    struct.pack_into('<hB4sx', pen, 0, 0x812, 5, bytes([1, 2, 3, 4]))
    struct.pack_into('<6i', pen, 8, sensitivity, click, 100, 1, 0, 0)
    struct.pack_into('<i', pen, 100, button1)
    pen[104:104 + len(keys1)] = keys1
    struct.pack_into('<i', pen, 616, button2)
    pen[620:620 + len(keys2)] = keys2
    return bytes(pen)

# ---------------------------------------------------------------- pen reports

def pen(status, x, y, pressure, tilt_x=32, tilt_y=64):
    return bytes([2, status, x >> 8, x & 0xFF, y >> 8, y & 0xFF, pressure >> 2,
                  ((pressure & 3) << 6) | tilt_x, tilt_y, 0])


def pen8(status, x, y, pressure):
    return bytes([2, status, x & 0xFF, x >> 8, y & 0xFF, y >> 8, pressure & 0xFF, pressure >> 8, 0, 0])


def tool(tool_id, nibble=0, serial=0):
    return bytes([2, 0xC2, tool_id >> 4, ((tool_id & 0xF) << 4) | nibble]) + struct.pack('>I', serial) + b'\0\0'


LEAVE = bytes([2, 0x80]) + bytes(8)
HOVER, BUTTON1, BUTTON2 = 0xA0, 0xA2, 0xA4


def stroke(make, x=3000, y=2000):
    return [make(HOVER, x, y, 0), make(HOVER, x, y, 500), make(HOVER, x + 40, y + 10, 600),
            make(HOVER, x + 90, y + 30, 700), make(HOVER, x + 90, y + 30, 0), make(BUTTON1, x, y, 0),
            make(HOVER, x, y, 0), make(BUTTON2, x, y, 0), make(BUTTON1, x, y, 0), make(HOVER, x, y, 0)]

# ---------------------------------------------------------------- pen_report

def pen_setup(build, flags=0, parts=0, length=10, pressure_max=1023, click=43, sensitivity=100,
              actions=(17, 18), keys=(b'', b''), rotation=0, pen_file=b''):
    rects = [0, 0, 10206, 7422, 0, 0, 0xFFFF, 0xFFFF, 0, 0, 0xFFFF, 0xFFFF]
    return struct.pack('<BBBH6i12i4i2i6s6siqiH', build, flags, parts, length, 0, 10206, 0, 7422, 0,
                       pressure_max, *rects, sensitivity, click, 100, 0, *actions, keys[0].ljust(6, b'\0'),
                       keys[1].ljust(6, b'\0'), rotation, 1000000, 5000, len(pen_file)) + pen_file


def report_ops(reports):
    return b''.join(bytes([0]) + report for report in reports)


def command(code, context_id=1, window=0x10, options=0x0D, status=4):
    return bytes([8, code, context_id, window, options, status])


def pen_report_seeds():
    yield 'reference_stroke', pen_setup(REFERENCE) + report_ops([tool(0x802)] + stroke(pen) + [LEAVE])
    yield 'second_brand_client_rotated', pen_setup(SECOND_BRAND, rotation=0x100) + command(3) + \
        report_ops([tool(0x812, 5, 0x01020304)] + stroke(pen)) + command(19, status=2) + report_ops([LEAVE])
    yield 'library_virtual_pen', pen_setup(LIBRARY, flags=4, length=8) + \
        report_ops([tool(0x80A)] + stroke(pen8)) + bytes([14]) + report_ops(stroke(pen8, 9000, 7000))
    yield 'keystroke_buttons_settings', pen_setup(REFERENCE, flags=8, actions=(256, 16), keys=(b'\x11\x00\x43', b''),
                                                  pen_file=pen_settings(click=100, sensitivity=180)) + \
        report_ops([tool(0x812, 5, 0x01020304)] + stroke(pen)[:6]) + struct.pack('<BBi', 9, 4, 18) + \
        bytes([10, 5]) + struct.pack('<BBi', 11, 1, 1000) + report_ops(stroke(pen)) + \
        bytes([12, 1]) + struct.pack('<4i', 0, 0, 5000, 5000) + report_ops([LEAVE])

# ---------------------------------------------------------------- key_report

ACTION = {'disabled': 0, 'left': 1, 'right': 2, 'middle': 3, 'double': 4, 'up': 5, 'down': 6, 'strip': 7,
          'keystroke': 8, 'launch': 9}


def key_entry(action, keys=b'', fill=0):
    return bytes([ACTION[action]]) + keys.ljust(6, b'\0') + bytes([fill])


def default_keys(count):
    table = [b' ', b'\xa0', b'\xa2', b'\xa4', None] * 2 + [b' ', b'\xa0', b'\xa2', b'\xa4'] * 2
    return [key_entry('strip') if keys is None else key_entry('keystroke', keys) for keys in table[:count]]


def key_report(strip_a=0, strip_b=0, group1=0, group2=0, overlay=0, split=None):
    report = bytearray(10)
    report[0] = 12
    if split is not None:
        for at, value in split.items():
            report[at] = value
    else:
        report[2], report[4] = strip_a, strip_b
    report[5], report[6], report[7] = group1, group2, overlay
    return bytes(report)


def key_ops(reports):
    return b''.join(bytes([0]) + report for report in reports)


def pen_button(second, press):
    return bytes([5 | (second << 3) | (press << 4)])


def key_setup(build, flags, count, pen_length=10):
    return struct.pack('<BBBB', build, flags, count, pen_length)


def key_reload(count, slot, entry):
    return bytes([6]) + struct.pack('<bBB', count, 1, slot) + entry


REMOVAL = 32


def key_report_seeds():
    table = default_keys(18)
    yield 'reference_strips_and_keys', key_setup(REFERENCE, 0, 18) + b''.join(table) + \
        key_entry('right') + key_entry('middle') + key_ops([
            key_report(strip_a=10), key_report(strip_a=12), key_report(strip_a=9), key_report(strip_b=3),
            key_report(group1=0x21), key_report(group1=0x01, group2=0x80), key_report(), key_report(overlay=0x10),
            key_report()])
    mixed = [key_entry('left'), key_entry('right'), key_entry('middle'), key_entry('double'), key_entry('strip'),
             key_entry('up'), key_entry('down'), key_entry('launch', b'notepad', 0x61), key_entry('keystroke', b'\x11C'),
             key_entry('strip', b'\x01')]
    yield 'reference_every_action', key_setup(REFERENCE, 1, len(mixed)) + b''.join(mixed) + \
        key_entry('keystroke', b'\x10A') + key_entry('left') + key_ops(
            [key_report(group1=1 << bit) for bit in range(4)] + [key_report(group2=0x0F), key_report()]) + \
        pen_button(0, 1) + key_ops([key_report(group1=0x01)]) + pen_button(0, 0) + key_ops([key_report()])
    yield 'removal_after_reload', key_setup(REFERENCE, REMOVAL, 18) + b''.join(table) + key_entry('right') + \
        key_entry('keystroke', b'Z') + key_ops([key_report(group1=0x0F)]) + pen_button(1, 1) + \
        key_reload(18, 1, key_entry('middle')) + bytes([7]) + key_ops([key_report(group1=0x07)])
    yield 'second_brand_split_strips', key_setup(SECOND_BRAND, 0, 12) + b''.join(default_keys(12)) + \
        key_entry('keystroke', b'A') + key_entry('keystroke', b'B') + pen_button(1, 1) + key_ops([
            key_report(split={1: 10}), key_report(split={1: 12}), key_report(split={2: 10}), key_report(),
            key_report(group1=8), key_report(), key_report(group2=2), key_report()]) + pen_button(1, 0)
    yield 'library_keys_short_reads', key_setup(LIBRARY, 4 | REMOVAL, 18, 8) + b''.join(table) + \
        key_entry('double') + key_entry('keystroke', b'\x12') + key_ops([key_report(group2=0x11), key_report(strip_b=7),
                                                                         key_report(strip_b=5), key_report(group2=1)])

# ---------------------------------------------------------------- device files

def read_setup(build=REFERENCE, flags=0, room=record_size(19), fail_after=-1, pid=1, pen_length=10, keys=1):
    return struct.pack('<BBHhHHHi', build, flags, room, fail_after, 0x1234, pid, pen_length, keys)


def device_file_read_seeds():
    three, one = stored_record(3, 3, 10), stored_record(1, 1, 20)
    yield 'two_records', read_setup(pid=1, keys=1) + three + one
    yield 'first_from_file_small_room', read_setup(flags=1, room=record_size(2)) + three + one
    damaged = bytearray(stored_record(2, 2, 30))
    struct.pack_into('<i', damaged, 84, 0x7FFFFFFF)
    yield 'damaged_tail', read_setup(build=LIBRARY, pid=2, keys=2) + one + bytes(damaged)
    yield 'cut_short', read_setup(build=SECOND_BRAND, pid=2, keys=2, room=100) + one + stored_record(2, 2, 30)[:500]


def write_setup(build=REFERENCE, keys_part=True, size=None, record=None, fail_after=-1, fill=0x41, file=b''):
    record = record or stored_record(4, 4, 30)
    head = record[:160]
    monitor_list, key_count = struct.unpack_from('<i', record, 160)[0], struct.unpack_from('<i', record, 236)[0]
    size = len(record) if size is None else size
    return struct.pack('<BBHhHB', build, 1 if keys_part else 0, size, fail_after, len(file), fill) + head + \
        struct.pack('<ii', monitor_list, key_count) + file


def device_file_write_seeds():
    three, one = stored_record(3, 3, 10), stored_record(1, 1, 20)
    yield 'rewrite_keys', write_setup(record=stored_record(1, 1, 40), file=three + one)
    yield 'append_mapping', write_setup(keys_part=False, file=three)
    yield 'second_brand_mapping_header', write_setup(build=SECOND_BRAND, keys_part=False,
                                                     record=stored_record(3, 3, 50), file=three + one)
    yield 'padded_append_over_damage', write_setup(record=stored_record(20, 20, 50), size=record_size(19),
                                                   file=three + stored_record(2, 2, 9)[:300])


def supported_setup(fail_after=-1, vid=0x1234, pid=3, pen_length=10, from_file=0, build=REFERENCE, hid_flags=3,
                    usage_page=0x0D, usage=2, input_length=10, output_length=0):
    return struct.pack('<hHHHBBBHHHH', fail_after, vid, pid, pen_length, from_file, build, hid_flags, usage_page,
                       usage, input_length, output_length)


def supported_devices_seeds():
    table = b''.join(tablet_info(pid=i + 1, pen_length=8 + i % 3, key_count=2) for i in range(6))
    yield 'six_models', supported_setup() + table
    yield 'look_up_from_file', supported_setup(vid=0, pid=0, pen_length=0, from_file=4, input_length=9) + \
        table + b'\x01\x02'
    yield 'failing_read', supported_setup(fail_after=2, pid=1, pen_length=8) + table
    virtual = bytearray(tablet_info(vid=0x3C5E, pid=0x4E19, pen_length=0, key_length=0))
    struct.pack_into('<H', virtual, 14, 19)
    yield 'library_virtual_output', supported_setup(vid=0x3C5E, pid=0x4E19, build=LIBRARY, input_length=0,
                                                    output_length=19) + bytes(virtual) + table
    yield 'mouse_collection', supported_setup(pid=2, usage_page=1, usage=2, input_length=9) + table


def pen_file_seeds():
    moves = stroke(pen)[:8]
    yield 'keystroke_buttons', struct.pack('<BhH', REFERENCE, -1, 1132) + b''.join(moves) + \
        pen_settings(button1=256, keys1=b'\x11\x00\x43')
    yield 'steep_curve_short_file', struct.pack('<BhH', SECOND_BRAND, -1, 20) + b''.join(moves) + \
        pen_settings(click=-5, sensitivity=0x7FFFFFFF)[:20]
    yield 'library_eight_bytes', struct.pack('<BhH', LIBRARY | 0x80, 1, 1132) + \
        b''.join(stroke(pen8)[:8]) + pen_settings(click=2000)


def key_area(keys):
    area = bytearray(244)
    struct.pack_into('<i', area, 0, 1234)
    record = stored_record(0x5A21, keys, 60)
    return bytes(area[:4]) + record


def key_area_commands_seeds():
    file = stored_record(3, 3, 10) + stored_record(0x5A21, 4, 20)
    for name, build, keys, ops in [('reference_saves', REFERENCE, 4, [0, 3, 4, 3]),
                                   ('second_brand_beyond_capacity', SECOND_BRAND, 13, [4, 3, 0]),
                                   ('library_reload', LIBRARY, 4, [3, 5, 6, 5])]:
        area = key_area(keys)
        body = b''
        for op in ops:
            body += bytes([op])
            if op == 6:
                body += struct.pack('<HI', 240, 30)  # the panel sets the key count
        yield name, struct.pack('<BBhHH', build, 0, -1, len(area), len(file)) + area + file + body


def device_records_seeds():
    supported = b''.join(tablet_info(pid=pid, pen_length=10, key_count=keys)
                         for pid, keys in [(0x5A21, 4), (3, 3), (0x5A30, 19)])
    device_file = stored_record(3, 3, 10) + stored_record(0x5A21, 4, 20)
    setup = struct.pack('<BhHH', REFERENCE, -1, len(supported), len(device_file)) + supported + device_file
    FIND, UNPLUG, POKE, RELOAD_KEYS, RELOAD_MAPPING, DEFAULTS = range(6)

    def op(kind, thread=0):
        return bytes([kind + 6 * thread])
    yield 'two_tablets_unplug_one', setup + op(FIND) + b'\x00' + op(FIND, 1) + b'\x01' + op(DEFAULTS) + \
        op(UNPLUG, 1) + op(RELOAD_KEYS) + op(RELOAD_MAPPING)
    poke_count = op(POKE) + struct.pack('<HI', 240, 40)
    yield 'panel_claims_more_keys', struct.pack('<BhHH', SECOND_BRAND, -1, len(supported), len(device_file)) + \
        supported + device_file + op(FIND) + b'\x02' + poke_count + op(RELOAD_KEYS) + op(FIND, 2) + b'\x00' + \
        op(UNPLUG) + op(RELOAD_KEYS, 2)
    yield 'library_no_table', struct.pack('<BhHH', LIBRARY, -1, 0, len(device_file)) + device_file + op(FIND) + \
        tablet_info(pid=0x5A24, pen_length=8, key_count=30) + op(RELOAD_KEYS) + op(DEFAULTS)


# ---------------------------------------------------------------- panel readers

def panel_readers_setup(reported, language, table, index=0, pairs=((0x1234, 1),)):
    room = b''.join(struct.pack('<HH', vid, pid) for vid, pid in pairs).ljust(64 * 4, b'\0')
    return struct.pack('<iHHb', reported, len(language), len(table), index) + room + language + table


def panel_readers_seeds():
    language = (b'[language list]\r\nnum=3\r\n0=English\r\n1=Chinese Simple\r\n2=Chinese trad\r\n'
                b'[selected]\r\nlanguage=1\r\n[English]\r\nSave=Save\r\nLience=Line one|Line two\r\n'
                b'[Chinese Simple]\r\nSave=\xb1\xa3\xb4\xe6\r\nLience=\xd7|\xb0\xe6|x\r\n')
    table = tablet_info(pid=1) + tablet_info(pid=2) + tablet_info(pid=1, key_count=8)
    yield 'three_languages_two_tablets', panel_readers_setup(2, language, table, 1, ((0x1234, 1), (0x1234, 2)))
    yield 'huge_count_cut_table', panel_readers_setup(0x7FFFFFFF, b'[language list]\nnum=99999999999\n0=' +
                                                      b'n' * 200, table[:250])
    yield 'negative_count', panel_readers_setup(-4, b'[language list]\nnum=-3\n', table, -1)


def overlay_labels_seeds():
    """Setup byte (0x80: a language file, low bits its texts' length), then the key area."""
    def action(code, data=b'', parameters=b''):
        entry = bytearray(516)
        struct.pack_into('<i', entry, 0, code)
        entry[4:4 + len(data)] = data
        entry[388:388 + len(parameters)] = parameters
        return bytes(entry)
    head = bytearray(244)
    struct.pack_into('<i', head, 96, 0)
    keys = [action(256, bytes([17, 18, 65])), action(17), action(4096, b'C:\\Tools\\app.exe', b'-x'),
            action(22), action(256, bytes([162])), action(0x130C), action(4096, b'P' * 384, b'Q' * 128),
            action(256, bytes([112]) * 384), action(19), action(16)]
    yield 'every_action', b'\x00' + bytes(head) + b''.join(keys)
    turned = bytearray(head)
    struct.pack_into('<i', turned, 96, 512)
    yield 'turned_language_file', b'\xbf' + bytes(turned) + b''.join(keys[:6])
    yield 'area_cut_short', b'\x80' + bytes(head[:120])


def display_rotation_seeds():
    """State, mapped area, path and display counts, then 17 bytes per path and display."""
    def entry(x, y, width, height, rotation, name):
        return struct.pack('<iiHHBB', x, y, width, height, rotation, name)
    def setup(state, area, paths, displays):
        return struct.pack('<b4HBB', state, *area, len(paths), len(displays)) + b''.join(paths + displays)
    whole = (0, 0, 65535, 65535)
    yield 'portrait_single', setup(1, whole, [entry(0, 0, 1024, 768, 2, 1)], [entry(0, 0, 768, 1024, 0, 1)])
    yield 'spanning_two', setup(1, whole, [entry(0, 0, 1024, 768, 1, 1), entry(1024, 0, 1024, 768, 1, 2)],
                                [entry(0, 0, 1024, 768, 0, 1), entry(1024, 0, 1024, 768, 0, 2)])
    yield 'left_of_primary_turned', setup(4, (0, 0, 32767, 65535),
                                          [entry(0, 0, 1024, 1024, 1, 1), entry(-1000, 0, 1280, 1024, 4, 2)],
                                          [entry(-1280, 0, 1280, 1024, 0, 2), entry(0, 0, 1024, 1024, 0, 1)])
    yield 'no_display_attached', setup(0, whole, [entry(0, 0, 1024, 768, 3, 2)], [])


def mapping_store_seeds():
    head = tablet_info(vid=0x3C5E, pid=0x1F, key_count=8) + bytes(80)
    tablets = tablet_info(vid=0x3C5E, pid=0x1F, key_count=8) + tablet_info(vid=0x256C, pid=0x6B01, key_count=18)
    files = stored_record(0x1F, 8, 3) + stored_record(0x99, -1, 4)
    def setup(build, count, asked, same, file, fail_after=-1):
        return struct.pack('<BBBBhH', build, count, asked, same, fail_after, len(file)) + head + tablets + file
    yield 'same_device_in_area', setup(REFERENCE, 2, 0, 1, files)
    yield 'other_vendor_small_area', setup(SECOND_BRAND, 2, 1, 0, files)
    yield 'nothing_asked_cut_file', setup(LIBRARY, 2, 9, 0, files[:900])
    yield 'write_fails', setup(REFERENCE, 2, 1, 0, files, fail_after=3)
def express_key_setup(flags=0, capacity=0, listed=2, slot=0, failing_transfer=-1, file=b'', vid=0x3C5E, pid=2,
                      tablets=((0x3C5E, 1, 10), (0x3C5E, 2, 18), (0x256C, 3, 1)), area_keys=10):
    """StorageSetup of ExpressKeyFileFuzzer.cpp, then the device file."""
    head = struct.pack('<BBBBhHHH', flags, capacity, listed, slot, failing_transfer, len(file), vid, pid)
    for t_vid, t_pid, keys in tablets:
        head += struct.pack('<HHb', t_vid, t_pid, keys)
    return head + struct.pack('<i', area_keys) + file


def express_key_file_seeds():
    def record(vid, pid, keys, seed, stored=None):
        data = bytearray(stored_record(pid, keys, seed))
        struct.pack_into('<H', data, 0, vid)
        if stored is not None:
            struct.pack_into('<i', data, 236, stored)
        return bytes(data)
    chain = record(0x3C5E, 1, 10, 5) + record(0x3C5E, 2, 18, 30) + record(0x256C, 3, 1, 60)
    yield 'rewrite_in_place', express_key_setup(file=chain, slot=3)
    yield 'append_new_tablet', express_key_setup(file=record(0x3C5E, 1, 10, 5), slot=1)
    yield 'keys_not_set', express_key_setup(file=record(0x3C5E, 2, 18, 30, stored=-1), slot=17)
    yield 'cut_short', express_key_setup(file=chain[:-100], vid=0x256C, pid=3)
    yield 'second_brand_area', express_key_setup(flags=3, capacity=1, file=chain, area_keys=18,
                                                 tablets=((0x3C5E, 2, 18), (0x3C5E, 1, 10), (0, 0, 0)))
    yield 'first_with_record', express_key_setup(listed=3, vid=0, pid=0, file=chain)
    yield 'write_fails', express_key_setup(file=chain, failing_transfer=4)
    # The 18-key tablet's record stored with 10 keys grows, moving the record behind it.
    resized = record(0x3C5E, 1, 10, 5) + record(0x3C5E, 2, 10, 30) + record(0x256C, 3, 1, 60)
    yield 'resize_growth_fails', express_key_setup(file=resized, failing_transfer=21)
    yield 'resize_overwrite_fails', express_key_setup(file=resized, failing_transfer=24)


def pen_block_seeds():
    """Pen page: flags, menu command, the orientation axes, the 1648-byte pen block, then packets."""
    axes = struct.pack('<iiII', 0, 3599, 3, 3600 << 16) + struct.pack('<iiII', -900, 900, 3, 3600 << 16) + \
        struct.pack('<iiII', 0, 3599, 3, 3600 << 16)

    def packet(cursor, pressure, buttons=1, azimuth=900, altitude=450):
        return struct.pack('<IIiiIiii', cursor, buttons, 100, 100, pressure, azimuth, altitude, 0)
    stroke = b''.join(packet(1, p) for p in (0, 80, 1500, 2046, 2047, 5000)) + packet(2, 400) + packet(1, 9, 0)
    spare = bytes(516)
    launch = bytearray(pen_settings(button1=4096, button2=256, keys2=bytes([17, 67, 0])))
    launch[104:104 + 384] = b'p' * 384
    launch[488:488 + 128] = b'q' * 128
    yield 'defaults_stroke', bytes([0, 4]) + axes + pen_settings() + spare + stroke
    yield 'launch_unterminated', bytes([0, 7]) + axes + bytes(launch) + spare + stroke
    wild = bytearray(pen_settings(click=-5, sensitivity=100000, button1=256, keys1=b'A' * 384))
    struct.pack_into('<i', wild, 16, -2147483648)
    yield 'wild_sensitivities_full_keys', bytes([3, 6]) + axes + bytes(wild) + spare + stroke


SEEDS = {
    'panel_readers': panel_readers_seeds,
    'mapping_store': mapping_store_seeds,
    'device_records': device_records_seeds,
    'pen_report': pen_report_seeds, 'key_report': key_report_seeds, 'device_file_read': device_file_read_seeds,
    'device_file_write': device_file_write_seeds, 'supported_devices': supported_devices_seeds,
    'pen_file': pen_file_seeds, 'key_area_commands': key_area_commands_seeds,
    'overlay_labels': overlay_labels_seeds, 'display_rotation': display_rotation_seeds,
    'express_key_file': express_key_file_seeds,
    'pen_block': pen_block_seeds,
}

if __name__ == '__main__':
    for target, seeds in SEEDS.items():
        folder = os.path.join(HERE, 'corpus', target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds():
            with open(os.path.join(folder, name), 'wb') as out:
                out.write(data)
